#include "server.h"

#include <QDir>
#include <QUrl>

#include "app/settings.h"

namespace mervalo {

namespace {
const QString kSection = QStringLiteral("Standaard");
}  // namespace

DownloadServer DownloadServer::standard() {
  const QString host = QString::fromLatin1(kDefaultServerHost);
  return DownloadServer{QStringLiteral("https://") + host, QStringLiteral("https://") + host, {}};
}

DownloadServer DownloadServer::fromSettings(const QString& settingsFilePath, const QString& programFolder) {
  DownloadServer s = standard();
  const QString http = normaliseServerBase(readSetting(kSection, QStringLiteral("server http"), settingsFilePath), false);
  const QString https = normaliseServerBase(readSetting(kSection, QStringLiteral("server https"), settingsFilePath), true);
  if (!http.isEmpty()) s.httpBase = http;
  if (!https.isEmpty()) s.httpsBase = https;
  const QString ca = readSetting(kSection, QStringLiteral("ca-bundle"), settingsFilePath).trimmed();
  if (!ca.isEmpty()) s.caBundle = QDir::cleanPath(QDir(programFolder).absoluteFilePath(ca));
  return s;
}

QString DownloadServer::httpUrl(const QString& path) const { return httpBase + encodeServerPath(path); }

QString DownloadServer::httpsUrl(const QString& path) const { return httpsBase + encodeServerPath(path); }

QString DownloadServer::schemaUrl(const QString& schemaName) const {
  return httpUrl(QString::fromLatin1(kSchemaFolderPath) + QLatin1Char('/') + schemaName + QStringLiteral(".txt"));
}

DownloadOptions DownloadServer::options(qint64 maxBytes) const {
  DownloadOptions o;
  o.caBundle = caBundle;
  o.maxBytes = maxBytes;
  return o;
}

QString normaliseServerBase(const QString& text, bool httpsOnly) {
  const QUrl url(text.trimmed(), QUrl::StrictMode);
  if (!url.isValid() || url.host().isEmpty() || !url.userInfo().isEmpty() || url.hasQuery() || url.hasFragment())
    return {};
  const QString scheme = url.scheme().toLower();
  if (scheme != QLatin1String("https") && (httpsOnly || scheme != QLatin1String("http"))) return {};
  QString base = url.toString(QUrl::FullyEncoded);
  while (base.endsWith(QLatin1Char('/'))) base.chop(1);
  return base;
}

QString encodeServerPath(const QString& path) { return QString::fromLatin1(QUrl::toPercentEncoding(path, "/")); }

}  // namespace mervalo
