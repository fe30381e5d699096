#include "testservers.h"

#include <QFile>
#include <QMap>
#include <QTemporaryDir>

namespace mervalo::test {

namespace {
constexpr int kStartMs = 20'000;
const QString kPython = QStringLiteral("/usr/bin/python3");
}  // namespace

int startScript(QProcess& process, const QString& script, const QStringList& arguments, QString* error) {
  process.setProcessChannelMode(QProcess::SeparateChannels);
  process.start(kPython, QStringList{QStringLiteral(MERVALO_TEST_SUPPORT "/") + script} + arguments);
  if (!process.waitForStarted(kStartMs)) {
    *error = process.errorString();
    return 0;
  }
  while (!process.canReadLine()) {
    if (!process.waitForReadyRead(kStartMs)) {
      *error = QStringLiteral("no port from ") + script + QStringLiteral(": ") +
               QString::fromLocal8Bit(process.readAllStandardError());
      return 0;
    }
  }
  return process.readLine().trimmed().toInt();
}

void stopScript(QProcess& process) {
  if (process.state() == QProcess::NotRunning) return;
  process.kill();
  process.waitForFinished(kStartMs);
}

LocalServer::~LocalServer() { stopScript(process_); }

std::unique_ptr<LocalServer> LocalServer::start(bool tls, const QStringList& arguments) {
  std::unique_ptr<LocalServer> s(new LocalServer(tls));
  s->port_ = startScript(s->process_, QStringLiteral("testserver.py"), arguments, &s->error_);
  return s;
}

std::unique_ptr<LocalServer> LocalServer::files(const QString& dir, const QString& requestLog,
                                                const QString& dropping) {
  QStringList args{QStringLiteral("files"), dir, QStringLiteral("--log"), requestLog};
  if (!dropping.isEmpty()) args << QStringLiteral("--drop") << dropping;
  return start(false, args);
}

std::unique_ptr<LocalServer> LocalServer::https(const QString& dir, const QString& certificate, const QString& key,
                                                const QString& requestLog) {
  return start(true, {QStringLiteral("files"), dir, QStringLiteral("--tls"), certificate, key, QStringLiteral("--log"),
                      requestLog});
}

std::unique_ptr<LocalServer> LocalServer::hanging() { return start(false, {QStringLiteral("hang")}); }

int LocalServer::acceptedConnections() {
  while (process_.canReadLine())
    if (process_.readLine().trimmed() == "accepted") ++accepted_;
  return accepted_;
}

QString LocalServer::base() const {
  return (tls_ ? QStringLiteral("https://127.0.0.1:") : QStringLiteral("http://127.0.0.1:")) + QString::number(port_);
}

bool makeCertificate(const QString& dir, const QString& name, QString* certificate, QString* key, QString* error) {
  *certificate = dir + QLatin1Char('/') + name + QStringLiteral(".crt");
  *key = dir + QLatin1Char('/') + name + QStringLiteral(".key");
  QProcess openssl;
  openssl.setProcessChannelMode(QProcess::MergedChannels);
  const QString request = QStringLiteral("req -x509 -newkey ec -pkeyopt ec_paramgen_curve:prime256v1 -nodes -days 2 "
                                         "-subj /CN=127.0.0.1 -addext subjectAltName=IP:127.0.0.1 -keyout");
  openssl.start(QStringLiteral("openssl"),
                request.split(QLatin1Char(' ')) << *key << QStringLiteral("-out") << *certificate);
  if (!openssl.waitForFinished(kStartMs) || openssl.exitStatus() != QProcess::NormalExit || openssl.exitCode() != 0) {
    *error = QString::fromLocal8Bit(openssl.readAll());
    return false;
  }
  return true;
}

const Certificate& sharedCertificate(const QString& name) {
  static QTemporaryDir dir;
  static QMap<QString, Certificate> made;
  if (!made.contains(name)) {
    Certificate& c = made[name];
    c.made = makeCertificate(dir.path(), name, &c.certificate, &c.key, &c.error);
  }
  return made[name];
}

QStringList requestedPaths(const QString& requestLog) {
  QFile f(requestLog);
  if (!f.open(QIODevice::ReadOnly)) return {};
  return QString::fromUtf8(f.readAll()).split(QLatin1Char('\n'), Qt::SkipEmptyParts);
}

}  // namespace mervalo::test
