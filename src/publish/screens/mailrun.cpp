#include "mailrun.h"

#include <QMetaObject>
#include <QPointer>
#include <mutex>
#include <thread>

namespace mervalo {

// What the worker and the object share: the object, as long as it lives.
struct MailRun::Shared {
  std::mutex lock;
  MailRun* run = nullptr;
};

MailRun::MailRun(const MailerSettings& settings, QList<MailMessage> messages, QObject* parent)
    : QObject(parent), shared_(std::make_shared<Shared>()), settings_(settings), messages_(std::move(messages)) {
  shared_->run = this;
}

MailRun::~MailRun() {
  std::lock_guard<std::mutex> hold(shared_->lock);
  shared_->run = nullptr;
}

void MailRun::start() {
  if (running_) return;
  running_ = true;
  // Posts to the object while it still exists; the lock keeps it from going meanwhile.
  auto post = [shared = shared_](auto call) {
    std::lock_guard<std::mutex> hold(shared->lock);
    if (!shared->run) return false;
    QMetaObject::invokeMethod(shared->run, [run = shared->run, call] { call(run); }, Qt::QueuedConnection);
    return true;
  };
  std::thread([settings = settings_, messages = messages_, post] {
    Mailer mailer(settings);
    for (int i = 0; i < messages.size(); ++i) {
      if (!post([i](MailRun* run) { emit run->sending(i); })) return;
      const MailOutcome out = mailer.send(messages[i], true);
      if (out.number != kMailSent) {
        post([i, out](MailRun* run) {
          run->running_ = false;
          emit run->finished(i, out.number, out.text);
        });
        return;
      }
    }
    post([](MailRun* run) {
      run->running_ = false;
      emit run->finished(-1, kMailSent, QString());
    });
  }).detach();
}

}  // namespace mervalo
