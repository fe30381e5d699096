#pragma once

#include <QByteArray>
#include <QDateTime>
#include <QString>
#include <QStringList>

namespace mervalo {

// The program's mail component: a mailer that holds the connection settings and sends, a
// message, an address and an attachment, over SMTP through libcurl.

struct MailAddress {
  QString address;
  QString displayName;
};

struct MailAttachment {
  QString filePath;
};

struct MailMessage {
  QString subject;
  QString body;
  MailAddress sender;     // the From header and the envelope sender
  MailAddress recipient;  // the To header and the one envelope recipient
  MailAddress own;        // the user's own address: where replies go (Reply-To)
  QList<MailAttachment> attachments;
};

// The seven mailer settings, in their order.
struct MailerSettings {
  QString clientName;  // 1: the name the client announces to the server (EHLO)
  QString host;        // 2
  qint32 port = 25;    // 3
  bool tls = false;    // 4: implicit TLS on port 465, STARTTLS required on any other port
  QString user;        // 5
  QString password;    // 6: never written to a log, a message or a file
  bool login = false;  // 7: log in with 5 and 6
  // Not one of the seven: a certificate file trusted besides the system's ("ca-bundle").
  QString caBundle;
  int connectTimeoutMs = 15'000;
  int messageTimeoutMs = 60'000;
};

// Error numbers besides libcurl's own (1 to 999) and the server's reply codes (400 to 599).
enum MailError : qint32 {
  kMailSent = 0,
  kMailAttachmentUnreadable = 1001,
  kMailNoRecipient = 1002,
  kMailNoServer = 1003,
  kMailBadAddress = 1004,       // an address that could end a header or an SMTP command early
  kMailPasswordInClear = 1005,  // log-in asked for without TLS
};

struct MailOutcome {
  qint32 number = kMailSent;
  QString text;
};

// The message as it goes on the wire: MIME with the body as UTF-8 quoted-printable text and each
// attachment in base64 under its file name; non-ASCII header words as encoded words of at most
// 75 characters, header lines folded before 77; control characters in a subject or a name
// become blanks; CR LF line ends. Fails (with the reason) only when an attachment cannot be read.
QByteArray composeMail(const MailMessage& message, const QDateTime& date, const QString& messageId,
                       QString* error = nullptr);

// A mailer keeps one connection open for all the messages it sends, so a whole sending loop
// logs in once. Not for use from two threads at once.
class Mailer {
 public:
  explicit Mailer(const MailerSettings& settings);
  ~Mailer();
  Mailer(const Mailer&) = delete;
  Mailer& operator=(const Mailer&) = delete;

  // Sends one message; nothing goes over the wire when an address is not safe
  // (isSafeMailAddress) or the settings would send the password in clear. With wait true the call returns when the server has answered: 0 when
  // it accepted the message, otherwise the server's reply code or libcurl's error with a
  // text. With wait false the message is sent on a thread of its own over a connection of
  // its own, and the call returns 0 at once (the outcome is not known).
  MailOutcome send(const MailMessage& message, bool wait);

  const MailerSettings& settings() const { return settings_; }

 private:
  MailOutcome sendNow(const MailMessage& message);

  MailerSettings settings_;
  void* curl_ = nullptr;
};

}  // namespace mervalo
