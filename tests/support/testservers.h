#pragma once

#include <QProcess>
#include <QString>
#include <QStringList>
#include <memory>

namespace mervalo::test {

// A server on 127.0.0.1 run by tests/support/testserver.py under Debian's Python, stopped when
// the object goes. The port is the one the server picked itself, so tests never collide.
class LocalServer {
 public:
  ~LocalServer();

  // DIR as a static web site (see the script for the extra /hop and /drop paths); with a
  // certificate and key it speaks HTTPS. requestLog, when given, receives every path asked for.
  // dropping, when given, names a text: files whose path holds it are cut off mid-body.
  static std::unique_ptr<LocalServer> files(const QString& dir, const QString& requestLog = {},
                                            const QString& dropping = {});
  static std::unique_ptr<LocalServer> https(const QString& dir, const QString& certificate, const QString& key,
                                            const QString& requestLog = {});
  // Accepts connections and never answers.
  static std::unique_ptr<LocalServer> hanging();

  bool running() const { return port_ > 0; }
  int port() const { return port_; }
  // "http://127.0.0.1:PORT" (or https).
  QString base() const;
  QString error() const { return error_; }
  // How many connections the hanging server has accepted so far (read without blocking).
  int acceptedConnections();

 private:
  explicit LocalServer(bool tls) : tls_(tls) {}
  static std::unique_ptr<LocalServer> start(bool tls, const QStringList& arguments);

  QProcess process_;
  bool tls_ = false;
  int port_ = 0;
  int accepted_ = 0;
  QString error_;
};

// Starts tests/support/<script> under Debian's Python and gives the port it reports on its
// first line, or 0 with the reason in error. stopScript ends it.
int startScript(QProcess& process, const QString& script, const QStringList& arguments, QString* error);
void stopScript(QProcess& process);

// A self-signed certificate for 127.0.0.1 made with openssl, key and certificate as PEM files
// in dir. False (with the reason in error) when openssl failed.
bool makeCertificate(const QString& dir, const QString& name, QString* certificate, QString* key, QString* error);

// A certificate of makeCertificate's kind, made once for the whole test program under its name:
// suites that serve HTTPS or SMTP over TLS share it instead of each running openssl.
struct Certificate {
  bool made = false;
  QString certificate, key, error;
};
const Certificate& sharedCertificate(const QString& name = QStringLiteral("server"));

// The requests a server wrote to its log, one path a line (empty when the log is missing).
QStringList requestedPaths(const QString& requestLog);

}  // namespace mervalo::test
