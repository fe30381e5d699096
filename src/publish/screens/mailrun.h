#pragma once

#include <QList>
#include <QObject>
#include <memory>

#include "net/mailer.h"

namespace mervalo {

// Sends a list of messages one after the other over one mailer on a worker thread, so the
// screen that started it keeps repainting. Stops at the first message that fails. Signals
// arrive queued on the thread that made the object; deleting it stops the run after the
// message being sent and drops what is still to come.
class MailRun : public QObject {
  Q_OBJECT
 public:
  MailRun(const MailerSettings& settings, QList<MailMessage> messages, QObject* parent = nullptr);
  ~MailRun() override;

  void start();
  bool running() const { return running_; }

 signals:
  void sending(int index);
  // failed: the index of the message that failed, -1 when every message was accepted.
  void finished(int failed, qint32 number, const QString& text);

 private:
  struct Shared;
  std::shared_ptr<Shared> shared_;
  MailerSettings settings_;
  QList<MailMessage> messages_;
  bool running_ = false;
};

}  // namespace mervalo
