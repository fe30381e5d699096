#include "providerlist.h"

#include <QFile>

#include "app/addressrule.h"
#include "app/fileops.h"
#include "app/numeric.h"
#include "app/textfile.h"
#include "publish/mailsend.h"

namespace mervalo {

namespace {

constexpr int kKeyChars = 3;
// Decoded fields and slot entries named where a rule looks at them.
constexpr int kSenderAddressField = 3;
constexpr int kTlsField = 5;
constexpr int kLoginField = 8;
constexpr int kSenderEntry = 7;
constexpr int kCheckChars = 4;
constexpr int kGroup = 3;
// The list is two short lines; anything far larger is not a provider list and is not read whole.
constexpr qint64 kMaxFileSize = 1 << 20;

bool allDigits(QStringView s) {
  for (QChar c : s)
    if (c < QLatin1Char('0') || c > QLatin1Char('9')) return false;
  return !s.isEmpty();
}

// The slot entry k comes from decoded field kFieldOfEntry[k].
constexpr int kFieldOfEntry[kProviderFields] = {2, 4, 0, 5, 1, 6, 8, 3, 7};

// Splits the bytes into lines the way a line-by-line read does: CR LF, LF or CR end a line.
QStringList splitLines(const QByteArray& bytes) {
  QStringList lines;
  const QString text = fromCp1252(bytes);
  qsizetype start = 0;
  for (qsizetype i = 0; i < text.size(); ++i) {
    if (text[i] != QLatin1Char('\r') && text[i] != QLatin1Char('\n')) continue;
    lines.append(text.mid(start, i - start));
    if (text[i] == QLatin1Char('\r') && i + 1 < text.size() && text[i + 1] == QLatin1Char('\n')) ++i;
    start = i + 1;
  }
  if (start < text.size()) lines.append(text.mid(start));
  return lines;
}

}  // namespace

std::optional<QString> decodeProviderLine(const QString& line) {
  if (line.size() < kKeyChars + kCheckChars) return std::nullopt;
  const QStringView all(line);
  const QStringView keyText = all.left(kKeyChars);
  const QStringView payload = all.mid(kKeyChars, line.size() - kKeyChars - kCheckChars);
  if (!allDigits(keyText) || payload.size() % kGroup != 0) return std::nullopt;
  if (!payload.isEmpty() && !allDigits(payload)) return std::nullopt;
  const int key = keyText.toInt();
  QString out;
  out.reserve(payload.size() / kGroup);
  for (qsizetype i = 0; i < payload.size(); i += kGroup) {
    const int code = payload.mid(i, kGroup).toInt() - key;
    if (code < 0 || code > 255) return std::nullopt;
    out += fromCp1252(QByteArray(1, static_cast<char>(code)));
  }
  return out;
}

std::optional<QStringList> providerSlotEntries(const QString& decoded) {
  const QStringList fields = decoded.split(QStringLiteral("<>"));
  if (fields.size() < kProviderFields) return std::nullopt;
  QStringList entries;
  for (int field : kFieldOfEntry) entries.append(fields[field]);
  return entries;
}

QString encodeProviderLine(const QString& text, int key, const QString& check) {
  QString out = QStringLiteral("%1").arg(key, kKeyChars, 10, QLatin1Char('0'));
  const QByteArray bytes = toCp1252(text);
  for (char b : bytes) out += QStringLiteral("%1").arg(static_cast<unsigned char>(b) + key, kGroup, 10, QLatin1Char('0'));
  return out + check;
}

const QStringList& providerFieldNames() {
  static const QStringList names{QStringLiteral("port"),           QStringLiteral("user"),
                                 QStringLiteral("client name"),    QStringLiteral("sender address"),
                                 QStringLiteral("server"),         QStringLiteral("tls"),
                                 QStringLiteral("password"),       QStringLiteral("sender name"),
                                 QStringLiteral("login")};
  return names;
}

QByteArray makeProviderList(const std::array<QStringList, kProviderSlots>& fields,
                            const std::array<int, kProviderSlots>& keys, QString* error) {
  auto fail = [error](const QString& why) {
    if (error) *error = why;
    return QByteArray();
  };
  QStringList texts;
  for (int p = 0; p < kProviderSlots; ++p) {
    if (fields[p].size() != kProviderFields)
      return fail(QStringLiteral("provider %1 has %2 fields, not %3").arg(p + 1).arg(fields[p].size()).arg(kProviderFields));
    if (keys[p] < 0 || keys[p] > 744) return fail(QStringLiteral("key %1 is outside 0-744").arg(keys[p]));
    for (int f = 0; f < kProviderFields; ++f) {
      const QString& v = fields[p][f];
      const QString what = QStringLiteral("provider %1, %2").arg(p + 1).arg(providerFieldNames()[f]);
      if (v.contains(QLatin1String("<>"))) return fail(what + QStringLiteral(": the value holds \"<>\""));
      if (v.contains(QLatin1Char('\n')) || v.contains(QLatin1Char('\r')))
        return fail(what + QStringLiteral(": the value holds a line break"));
      if (fromCp1252(toCp1252(v)) != v) return fail(what + QStringLiteral(": a character outside the code page"));
    }
    const QString provider = QStringLiteral("provider %1").arg(p + 1);
    if (!isSafeMailAddress(fields[p][kSenderAddressField]))
      return fail(provider + QStringLiteral(", sender address: a blank, a control character, \"<\", \">\" or \",\" "
                                            "has no place in an address"));
    if (providerFlag(fields[p][kLoginField]) && !providerFlag(fields[p][kTlsField]))
      return fail(provider + QStringLiteral(": a log-in without tls would send the password in clear"));
    texts << fields[p].join(QLatin1String("<>"));
  }
  QByteArray out;
  for (int p = 0; p < kProviderSlots; ++p) out += encodeProviderLine(texts[p], keys[p]).toLatin1() + "\r\n";
  const qsizetype check = out.size() - 12;
  if (check > 9999) return fail(QStringLiteral("the list is too long for its length check"));
  // The check takes the place of the first line's last four characters.
  const qsizetype firstEnd = out.indexOf("\r\n");
  out.replace(firstEnd - 4, 4, QByteArray::number(check).rightJustified(4, '0'));
  return out;
}

ProviderListResult parseProviderList(const QByteArray& bytes) {
  ProviderListResult r;
  if (bytes.isEmpty()) return r;
  for (const QString& line : splitLines(bytes))
    if (!line.trimmed().isEmpty()) r.lines.append(line);
  r.status = ProviderListResult::Status::Ok;
  if (r.lines.isEmpty()) {
    r.status = ProviderListResult::Status::Damaged;
    return r;
  }
  const QString& first = r.lines.first();
  const double check = numericValue(first.right(kCheckChars));
  if (check != static_cast<double>(bytes.size() - 12)) {
    r.lengthCheckFailed = true;
    r.status = ProviderListResult::Status::Damaged;
  }
  if (r.lines.size() > kProviderSlots) r.status = ProviderListResult::Status::Damaged;
  for (int i = 0; i < kProviderSlots && i < r.lines.size(); ++i) {
    const auto decoded = decodeProviderLine(r.lines[i]);
    const auto entries = decoded ? providerSlotEntries(*decoded) : std::nullopt;
    if (entries) r.providers[i] = *entries;
    // A sender that is no address could add headers or recipients to every mail.
    if (!entries || !isSafeMailAddress(entries->value(kSenderEntry).trimmed())) r.status = ProviderListResult::Status::Damaged;
  }
  return r;
}

bool isCompleteProviderList(const QByteArray& bytes) {
  const ProviderListResult r = parseProviderList(bytes);
  return r.status == ProviderListResult::Status::Ok && r.lines.size() == kProviderSlots;
}

ProviderListResult loadProviderList(const QString& path) {
  if (fileState(path) != FileState::Filled) return {};
  QFile f(path);
  if (!f.open(QIODevice::ReadOnly)) return {};
  if (f.size() > kMaxFileSize) {
    ProviderListResult r;
    r.status = ProviderListResult::Status::Damaged;
    return r;
  }
  return parseProviderList(f.readAll());
}

}  // namespace mervalo
