#include "net/mailer.h"

#include <QFile>
#include <QFileInfo>
#include <QLocale>
#include <QTimeZone>
#include <QUuid>
#include <cstring>
#include <curl/curl.h>
#include <thread>

#include "app/addressrule.h"

namespace mervalo {

namespace {

bool isAscii(const QString& s) {
  for (QChar c : s)
    if (c.unicode() > 126 || (c.unicode() < 32 && c != QLatin1Char('\t'))) return false;
  return true;
}

// A subject or a name pasted with a line break in it must not start a header of its own.
QString withoutControls(const QString& text) {
  QString out = text;
  for (QChar& c : out)
    if (c.category() == QChar::Other_Control || c.isSpace()) c = QLatin1Char(' ');
  return out;
}

constexpr qsizetype kLineLimit = 76;

// "=?UTF-8?B?...?=" words of at most 75 characters (the first at most firstWord, so it fits
// behind the header's name): 12 of frame, the rest base64 that carries 3 bytes in every 4
// characters; a character's bytes always stay in one word.
QList<QByteArray> encodedWords(const QString& text, qsizetype firstWord) {
  const QByteArray utf8 = text.toUtf8();
  QList<QByteArray> words;
  for (qsizetype at = 0; at < utf8.size();) {
    const qsizetype limit = words.isEmpty() ? std::min<qsizetype>(firstWord, 75) : 75;
    qsizetype end = std::min(at + (limit - 12) / 4 * 3, utf8.size());
    while (end < utf8.size() && (static_cast<unsigned char>(utf8[end]) & 0xC0) == 0x80) --end;
    words << "=?UTF-8?B?" + utf8.mid(at, end - at).toBase64() + "?=";
    at = end;
  }
  return words;
}

// A header from its name and words, folded between words so that no line passes 76
// characters where the words allow it.
QByteArray header(const QByteArray& name, const QList<QByteArray>& words) {
  QByteArray out = name + ":";
  qsizetype line = out.size();
  for (const QByteArray& w : words) {
    if (line + 1 + w.size() > kLineLimit && line > name.size() + 1) {
      out += "\r\n";
      line = 0;
    }
    out += " " + w;
    line += 1 + w.size();
  }
  return out + "\r\n";
}

// What fits on a header's first line behind "Name: ".
qsizetype firstWordRoom(const char* name) { return kLineLimit - static_cast<qsizetype>(std::strlen(name)) - 2; }

QList<QByteArray> textWords(const char* name, const QString& text) {
  const QString clean = withoutControls(text);
  if (isAscii(clean)) return {clean.toLatin1()};
  return encodedWords(clean, firstWordRoom(name));
}

QList<QByteArray> addressWords(const char* headerName, const MailAddress& a) {
  const QByteArray address = "<" + a.address.trimmed().toUtf8() + ">";
  const QString name = withoutControls(a.displayName).trimmed();
  if (name.isEmpty()) return {address};
  QList<QByteArray> words;
  if (!isAscii(name)) {
    words = encodedWords(name, firstWordRoom(headerName));
  } else {
    QByteArray quoted = name.toLatin1();
    quoted.replace('\\', "\\\\").replace('"', "\\\"");
    words << "\"" + quoted + "\"";
  }
  return words << address;
}

// Quoted-printable with CR LF line ends and soft breaks before column 76.
QByteArray quotedPrintable(const QString& text) {
  QString normal = text;
  normal.replace(QStringLiteral("\r\n"), QStringLiteral("\n")).replace(QLatin1Char('\r'), QLatin1Char('\n'));
  QByteArray out;
  const QList<QByteArray> lines = normal.toUtf8().split('\n');
  for (qsizetype l = 0; l < lines.size(); ++l) {
    const QByteArray& line = lines[l];
    QByteArray current;
    for (qsizetype i = 0; i < line.size(); ++i) {
      const auto c = static_cast<unsigned char>(line[i]);
      const bool last = i + 1 == line.size();
      QByteArray piece;
      if ((c >= 33 && c <= 126 && c != '=') || ((c == ' ' || c == '\t') && !last))
        piece = QByteArray(1, static_cast<char>(c));
      else
        piece = "=" + QByteArray::number(c, 16).toUpper().rightJustified(2, '0');
      if (current.size() + piece.size() > 75) {
        out += current + "=\r\n";
        current.clear();
      }
      current += piece;
    }
    out += current;
    if (l + 1 < lines.size()) out += "\r\n";
  }
  return out;
}

QByteArray base64Lines(const QByteArray& data) {
  const QByteArray all = data.toBase64();
  QByteArray out;
  for (qsizetype at = 0; at < all.size(); at += 76) out += all.mid(at, 76) + "\r\n";
  return out;
}

QByteArray contentTypeFor(const QString& fileName) {
  const QString suffix = QFileInfo(fileName).suffix().toLower();
  if (suffix == QLatin1String("htm") || suffix == QLatin1String("html")) return "text/html; charset=windows-1252";
  if (suffix == QLatin1String("txt")) return "text/plain";
  if (suffix == QLatin1String("pdf")) return "application/pdf";
  return "application/octet-stream";
}

QByteArray fileNameParameter(const QString& name) {
  if (isAscii(name) && !name.contains(QLatin1Char('"')) && !name.contains(QLatin1Char('\\')))
    return "filename=\"" + name.toLatin1() + "\"";
  return "filename*=UTF-8''" + name.toUtf8().toPercentEncoding();
}

QByteArray rfc2822Date(const QDateTime& date) {
  const QLocale c = QLocale::c();
  const int offset = date.offsetFromUtc() / 60;
  const QString zone = QStringLiteral("%1%2%3")
                           .arg(offset < 0 ? QLatin1Char('-') : QLatin1Char('+'))
                           .arg(std::abs(offset) / 60, 2, 10, QLatin1Char('0'))
                           .arg(std::abs(offset) % 60, 2, 10, QLatin1Char('0'));
  return (c.toString(date, QStringLiteral("ddd, dd MMM yyyy hh:mm:ss ")) + zone).toLatin1();
}

struct Upload {
  QByteArray data;
  qsizetype at = 0;
};

size_t readUpload(char* buffer, size_t size, size_t count, void* user) {
  auto* up = static_cast<Upload*>(user);
  const size_t n = std::min(size * count, static_cast<size_t>(up->data.size() - up->at));
  memcpy(buffer, up->data.constData() + up->at, n);
  up->at += static_cast<qsizetype>(n);
  return n;
}

struct CurlGlobal {
  CurlGlobal() { curl_global_init(CURL_GLOBAL_DEFAULT); }
};

}  // namespace

QByteArray composeMail(const MailMessage& m, const QDateTime& date, const QString& messageId, QString* error) {
  QList<QPair<QString, QByteArray>> files;
  for (const MailAttachment& a : m.attachments) {
    QFile f(a.filePath);
    if (!f.open(QIODevice::ReadOnly)) {
      if (error) *error = QStringLiteral("cannot read the attachment %1: %2").arg(a.filePath, f.errorString());
      return {};
    }
    files.append({QFileInfo(a.filePath).fileName(), f.readAll()});
  }
  const QByteArray boundary = "=_mervalo_" + QUuid::createUuid().toByteArray(QUuid::Id128);
  QByteArray out;
  out += "Date: " + rfc2822Date(date) + "\r\n";
  out += header("From", addressWords("From", m.sender));
  out += header("To", addressWords("To", m.recipient));
  if (!m.own.address.trimmed().isEmpty()) out += header("Reply-To", addressWords("Reply-To", m.own));
  out += header("Subject", textWords("Subject", m.subject));
  out += "Message-ID: <" + messageId.toUtf8() + ">\r\n";
  out += "MIME-Version: 1.0\r\n";
  out += "Content-Type: multipart/mixed;\r\n boundary=\"" + boundary + "\"\r\n\r\n";
  out += "--" + boundary + "\r\n";
  out += "Content-Type: text/plain; charset=UTF-8\r\n";
  out += "Content-Transfer-Encoding: quoted-printable\r\n\r\n";
  out += quotedPrintable(m.body) + "\r\n";
  for (const auto& [name, data] : files) {
    out += "--" + boundary + "\r\n";
    out += "Content-Type: " + contentTypeFor(name) + "\r\n";
    out += "Content-Transfer-Encoding: base64\r\n";
    out += "Content-Disposition: attachment; " + fileNameParameter(name) + "\r\n\r\n";
    out += base64Lines(data);
  }
  out += "--" + boundary + "--\r\n";
  return out;
}

Mailer::Mailer(const MailerSettings& settings) : settings_(settings) {
  static CurlGlobal global;
  curl_ = curl_easy_init();
}

Mailer::~Mailer() {
  if (curl_) curl_easy_cleanup(static_cast<CURL*>(curl_));
}

MailOutcome Mailer::send(const MailMessage& message, bool wait) {
  if (wait) return sendNow(message);
  std::thread([settings = settings_, message] {
    Mailer own(settings);
    own.sendNow(message);
  }).detach();
  return {};
}

MailOutcome Mailer::sendNow(const MailMessage& m) {
  CURL* curl = static_cast<CURL*>(curl_);
  if (!curl) return {CURLE_FAILED_INIT, QStringLiteral("the mail component could not start")};
  if (settings_.host.trimmed().isEmpty()) return {kMailNoServer, QStringLiteral("no mail server")};
  if (m.recipient.address.trimmed().isEmpty()) return {kMailNoRecipient, QStringLiteral("no recipient")};
  for (const auto& [what, a] : {std::pair{"sender", &m.sender}, {"recipient", &m.recipient}, {"own", &m.own}}) {
    const QString address = a->address.trimmed();
    if (a != &m.own || !address.isEmpty())
      if (!isSafeMailAddress(address))
        return {kMailBadAddress, QStringLiteral("the %1 address is not a usable address").arg(QLatin1String(what))};
  }
  if (settings_.login && !settings_.tls)
    return {kMailPasswordInClear, QStringLiteral("the server asks for a password without an encrypted connection")};

  QString domain = m.sender.address.section(QLatin1Char('@'), 1).trimmed();
  if (domain.isEmpty()) domain = QStringLiteral("mervalo.invalid");
  const QString id = QUuid::createUuid().toString(QUuid::WithoutBraces) + QLatin1Char('@') + domain;
  QString error;
  Upload upload{composeMail(m, QDateTime::currentDateTime(), id, &error)};
  if (upload.data.isEmpty()) return {kMailAttachmentUnreadable, error};

  const bool implicitTls = settings_.tls && settings_.port == 465;
  // The path of an SMTP address is the name the client announces.
  const QByteArray url = (implicitTls ? QByteArray("smtps://") : QByteArray("smtp://")) +
                         settings_.host.trimmed().toUtf8() + ":" + QByteArray::number(settings_.port) + "/" +
                         settings_.clientName.trimmed().toUtf8().toPercentEncoding();
  const QByteArray from = "<" + m.sender.address.trimmed().toUtf8() + ">";
  const QByteArray to = "<" + m.recipient.address.trimmed().toUtf8() + ">";
  const QByteArray user = settings_.user.toUtf8();
  const QByteArray password = settings_.password.toUtf8();
  const QByteArray ca = settings_.caBundle.toLocal8Bit();
  curl_slist* recipients = curl_slist_append(nullptr, to.constData());
  char message[CURL_ERROR_SIZE] = {};

  curl_easy_setopt(curl, CURLOPT_URL, url.constData());
  curl_easy_setopt(curl, CURLOPT_MAIL_FROM, from.constData());
  curl_easy_setopt(curl, CURLOPT_MAIL_RCPT, recipients);
  curl_easy_setopt(curl, CURLOPT_UPLOAD, 1L);
  curl_easy_setopt(curl, CURLOPT_READFUNCTION, readUpload);
  curl_easy_setopt(curl, CURLOPT_READDATA, &upload);
  curl_easy_setopt(curl, CURLOPT_INFILESIZE_LARGE, static_cast<curl_off_t>(upload.data.size()));
  curl_easy_setopt(curl, CURLOPT_USE_SSL, static_cast<long>(settings_.tls ? CURLUSESSL_ALL : CURLUSESSL_NONE));
  curl_easy_setopt(curl, CURLOPT_SSL_VERIFYPEER, 1L);
  curl_easy_setopt(curl, CURLOPT_SSL_VERIFYHOST, 2L);
  // Without a file of its own, libcurl keeps the system's certificates.
  if (!ca.isEmpty()) curl_easy_setopt(curl, CURLOPT_CAINFO, ca.constData());
  curl_easy_setopt(curl, CURLOPT_USERNAME, settings_.login ? user.constData() : nullptr);
  curl_easy_setopt(curl, CURLOPT_PASSWORD, settings_.login ? password.constData() : nullptr);
  curl_easy_setopt(curl, CURLOPT_CONNECTTIMEOUT_MS, static_cast<long>(settings_.connectTimeoutMs));
  curl_easy_setopt(curl, CURLOPT_TIMEOUT_MS, static_cast<long>(settings_.messageTimeoutMs));
  curl_easy_setopt(curl, CURLOPT_NOSIGNAL, 1L);
  curl_easy_setopt(curl, CURLOPT_ERRORBUFFER, message);

  const CURLcode code = curl_easy_perform(curl);
  long reply = 0;
  curl_easy_getinfo(curl, CURLINFO_RESPONSE_CODE, &reply);
  // Nothing of this message may be read after it is gone.
  curl_easy_setopt(curl, CURLOPT_MAIL_RCPT, nullptr);
  curl_easy_setopt(curl, CURLOPT_READDATA, nullptr);
  curl_easy_setopt(curl, CURLOPT_ERRORBUFFER, nullptr);
  curl_easy_setopt(curl, CURLOPT_USERNAME, nullptr);
  curl_easy_setopt(curl, CURLOPT_PASSWORD, nullptr);
  curl_slist_free_all(recipients);

  if (code == CURLE_OK) return {};
  QString text = QString::fromUtf8(message).trimmed();
  if (text.isEmpty()) text = QString::fromUtf8(curl_easy_strerror(code));
  // The server's refusal says more than libcurl's own number.
  const qint32 number = reply >= 400 && reply <= 599 ? static_cast<qint32>(reply) : static_cast<qint32>(code);
  return {number, text};
}

}  // namespace mervalo
