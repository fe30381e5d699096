#pragma once

#include <QByteArray>
#include <QJsonObject>
#include <QList>
#include <QProcess>
#include <QString>
#include <QStringList>
#include <memory>

namespace mervalo::test {

// An SMTP server on 127.0.0.1 (tests/support/mailserver.py), stopped when the object goes.
class LocalMailServer {
 public:
  struct Options {
    QString certificate;  // with key: STARTTLS required
    QString key;
    QString user;         // with password: login required
    QString password;
    QStringList reject;   // recipients refused with 550
  };
  struct Received {
    QByteArray message;
    QJsonObject envelope;  // from, to, port, ehlo
  };

  static std::unique_ptr<LocalMailServer> start(const QString& outDir, const Options& options);
  ~LocalMailServer();

  bool running() const { return port_ > 0; }
  int port() const { return port_; }
  QString error() const { return error_; }
  // The messages accepted so far, in order.
  QList<Received> received() const;

 private:
  LocalMailServer() = default;
  QProcess process_;
  QString out_;
  int port_ = 0;
  QString error_;
};

// The decoded parts of a received message: headers (the first of each name, unfolded) and
// the MIME parts' decoded bodies with their file names ("" for the text part).
struct ParsedMail {
  QMap<QString, QString> headers;
  QString text;
  QList<QPair<QString, QByteArray>> attachments;
};
ParsedMail parseMail(const QByteArray& message);

}  // namespace mervalo::test
