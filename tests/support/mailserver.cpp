#include "mailserver.h"

#include "testservers.h"

#include <QDir>
#include <QFile>
#include <QJsonDocument>
#include <QMap>
#include <QRegularExpression>
#include <QStringDecoder>

namespace mervalo::test {

namespace {
QByteArray fromQuotedPrintable(const QByteArray& in) {
  QByteArray out;
  for (qsizetype i = 0; i < in.size(); ++i) {
    if (in[i] == '=' && i + 2 < in.size() && in[i + 1] == '\r' && in[i + 2] == '\n') {
      i += 2;
    } else if (in[i] == '=' && i + 2 < in.size()) {
      out += static_cast<char>(in.mid(i + 1, 2).toInt(nullptr, 16));
      i += 2;
    } else {
      out += in[i];
    }
  }
  return out;
}

// Encoded words back to text.
QString decodeWords(const QString& value) {
  static const QRegularExpression word(QStringLiteral(R"(=\?UTF-8\?B\?([A-Za-z0-9+/=]*)\?=)"));
  QString out = value;
  out.replace(QRegularExpression(QStringLiteral(R"(\?=\s+=\?)")), QStringLiteral("?==?"));
  QString result;
  qsizetype last = 0;
  auto it = word.globalMatch(out);
  while (it.hasNext()) {
    const auto m = it.next();
    result += out.mid(last, m.capturedStart() - last);
    result += QString::fromUtf8(QByteArray::fromBase64(m.captured(1).toLatin1()));
    last = m.capturedEnd();
  }
  return result + out.mid(last);
}

QMap<QString, QString> readHeaders(const QByteArray& block) {
  QMap<QString, QString> headers;
  const QString text = QString::fromUtf8(block).replace(QStringLiteral("\r\n "), QStringLiteral(" "));
  for (const QString& line : text.split(QStringLiteral("\r\n"))) {
    const qsizetype colon = line.indexOf(QLatin1Char(':'));
    if (colon <= 0) continue;
    const QString name = line.left(colon).trimmed().toLower();
    if (!headers.contains(name)) headers.insert(name, decodeWords(line.mid(colon + 1).trimmed()));
  }
  return headers;
}
}  // namespace

std::unique_ptr<LocalMailServer> LocalMailServer::start(const QString& outDir, const Options& o) {
  std::unique_ptr<LocalMailServer> s(new LocalMailServer);
  s->out_ = outDir;
  QDir().mkpath(outDir);
  QStringList args{outDir};
  if (!o.certificate.isEmpty()) args << QStringLiteral("--tls") << o.certificate << o.key;
  if (!o.user.isEmpty()) args << QStringLiteral("--user") << o.user << QStringLiteral("--password") << o.password;
  for (const QString& r : o.reject) args << QStringLiteral("--reject") << r;
  s->port_ = startScript(s->process_, QStringLiteral("mailserver.py"), args, &s->error_);
  return s;
}

LocalMailServer::~LocalMailServer() { stopScript(process_); }

QList<LocalMailServer::Received> LocalMailServer::received() const {
  QList<Received> out;
  for (int n = 1;; ++n) {
    QFile eml(out_ + QStringLiteral("/%1.eml").arg(n));
    QFile json(out_ + QStringLiteral("/%1.json").arg(n));
    if (!eml.open(QIODevice::ReadOnly) || !json.open(QIODevice::ReadOnly)) break;
    out.append({eml.readAll(), QJsonDocument::fromJson(json.readAll()).object()});
  }
  return out;
}

ParsedMail parseMail(const QByteArray& message) {
  ParsedMail mail;
  const qsizetype split = message.indexOf("\r\n\r\n");
  mail.headers = readHeaders(message.left(split));
  static const QRegularExpression boundaryRe(QStringLiteral("boundary=\"([^\"]+)\""));
  const auto m = boundaryRe.match(mail.headers.value(QStringLiteral("content-type")));
  if (!m.hasMatch()) return mail;
  const QByteArray boundary = "--" + m.captured(1).toLatin1();
  // Split on the boundary lines.
  QByteArray body = message.mid(split + 4);
  qsizetype at = body.indexOf(boundary);
  while (at >= 0) {
    const qsizetype start = body.indexOf("\r\n", at) + 2;
    const qsizetype next = body.indexOf(boundary, start);
    if (next < 0) break;
    const QByteArray part = body.mid(start, next - start - 2);
    const qsizetype gap = part.indexOf("\r\n\r\n");
    const QMap<QString, QString> h = readHeaders(part.left(gap));
    const QByteArray content = part.mid(gap + 4);
    const QString encoding = h.value(QStringLiteral("content-transfer-encoding")).toLower();
    const QByteArray decoded = encoding == QLatin1String("base64") ? QByteArray::fromBase64(content)
                               : encoding == QLatin1String("quoted-printable") ? fromQuotedPrintable(content)
                                                                               : content;
    const QString disposition = h.value(QStringLiteral("content-disposition"));
    static const QRegularExpression nameRe(QStringLiteral("filename=\"([^\"]*)\""));
    const auto n = nameRe.match(disposition);
    if (disposition.startsWith(QLatin1String("attachment")))
      mail.attachments.append({n.hasMatch() ? n.captured(1) : QString(), decoded});
    else
      mail.text = QString::fromUtf8(decoded);
    at = next;
    if (body.mid(next + boundary.size(), 2) == "--") break;
  }
  return mail;
}

}  // namespace mervalo::test
