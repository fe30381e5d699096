#include "mailserver.h"

#include <QDir>
#include <QFile>
#include <QJsonDocument>
#include <QMap>
#include <QRegularExpression>

#include "testservers.h"

namespace mervalo::test {

namespace {

// Encoded words back to text; the blanks between two of them go with them.
QString decodeWords(QString value) {
  static const QRegularExpression word(QStringLiteral(R"(=\?UTF-8\?B\?([A-Za-z0-9+/=]*)\?=)"));
  value.replace(QRegularExpression(QStringLiteral(R"(\?=\s+=\?)")), QStringLiteral("?==?"));
  for (auto m = word.match(value); m.hasMatch();) {
    const QString text = QString::fromUtf8(QByteArray::fromBase64(m.captured(1).toLatin1()));
    const qsizetype after = m.capturedStart() + text.size();
    value.replace(m.capturedStart(), m.capturedLength(), text);
    m = word.match(value, after);
  }
  return value;
}

// The headers of a block, unfolded, by their lower-case names (the first of each name).
QMap<QString, QString> readHeaders(const QByteArray& block) {
  QMap<QString, QString> headers;
  const QString text = QString::fromUtf8(block).replace(QStringLiteral("\r\n "), QStringLiteral(" "));
  for (const QString& line : text.split(QStringLiteral("\r\n"))) {
    const qsizetype colon = line.indexOf(QLatin1Char(':'));
    const QString name = line.left(colon).trimmed().toLower();
    if (colon > 0 && !headers.contains(name)) headers.insert(name, decodeWords(line.mid(colon + 1).trimmed()));
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
    if (!eml.open(QIODevice::ReadOnly) || !json.open(QIODevice::ReadOnly)) return out;
    out.append({eml.readAll(), QJsonDocument::fromJson(json.readAll()).object()});
  }
}

ParsedMail parseMail(const QByteArray& message) {
  ParsedMail mail;
  const qsizetype split = message.indexOf("\r\n\r\n");
  mail.headers = readHeaders(message.left(split));
  static const QRegularExpression boundaryRe(QStringLiteral("boundary=\"([^\"]+)\""));
  const auto m = boundaryRe.match(mail.headers.value(QStringLiteral("content-type")));
  if (!m.hasMatch()) return mail;
  // Each part runs from the line after one boundary line to the line break before the next.
  const QByteArray body = "\r\n" + message.mid(split + 4);
  const QByteArray boundary = "\r\n--" + m.captured(1).toLatin1();
  for (qsizetype at = body.indexOf(boundary); at >= 0 && body.mid(at + boundary.size(), 2) != "--";) {
    const qsizetype start = body.indexOf("\r\n", at + boundary.size()) + 2;
    const qsizetype next = body.indexOf(boundary, start);
    if (next < 0) break;
    const QByteArray part = body.mid(start, next - start);
    const qsizetype gap = part.indexOf("\r\n\r\n");
    const QMap<QString, QString> h = readHeaders(part.left(gap));
    const QByteArray content = part.mid(gap + 4);
    const QString encoding = h.value(QStringLiteral("content-transfer-encoding")).toLower();
    const QByteArray decoded = encoding == QLatin1String("base64") ? QByteArray::fromBase64(content)
                               : encoding == QLatin1String("quoted-printable")
                                   ? QByteArray::fromPercentEncoding(QByteArray(content).replace("=\r\n", ""), '=')
                                   : content;
    const QString disposition = h.value(QStringLiteral("content-disposition"));
    static const QRegularExpression nameRe(QStringLiteral("filename=\"([^\"]*)\""));
    if (disposition.startsWith(QLatin1String("attachment")))
      mail.attachments.append({nameRe.match(disposition).captured(1), decoded});
    else
      mail.text = QString::fromUtf8(decoded);
    at = next;
  }
  return mail;
}

}  // namespace mervalo::test
