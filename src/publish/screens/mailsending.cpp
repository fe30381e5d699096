#include "mailsending.h"

#include "app/addressrule.h"
#include "app/programvalues.h"
#include "app/screens/screen.h"
#include "app/settings.h"
#include "mailrun.h"
#include "net/server.h"

namespace mervalo {

bool refuseWhenMailUnavailable(Screen& screen) {
  if (!screen.values().mailUnavailable) return false;
  const QString text = QStringLiteral("Kan geen mail versturen.\nEr is iets mis met het bestand MAIL.TXT\n\nStuur een mail naar ") +
                       ProgramValues::supportAddress();
  if (screen.ctx().prompter) screen.ctx().prompter->inform(text, QStringLiteral("Mail"), PromptIcon::Information, &screen);
  return true;
}

namespace {
int chosenSlot(const ProgramValues& v) {
  return providerSlotOf(readSetting(QStringLiteral("Standaard"), QStringLiteral("provider"), v.settingsFilePath));
}
}  // namespace

bool refuseUnsafeMail(Screen& screen) {
  const ProgramValues& v = screen.values();
  const QString own = v.ownEmailAddress.trimmed();
  if (!own.isEmpty() && !isSafeMailAddress(own)) {
    screen.inform(screen.message(205).replace(QLatin1Char('~'), own));
    return true;
  }
  const MailerSettings settings = mailerSettingsFor(v.providers, chosenSlot(v), QString());
  if (settings.login && !settings.tls) {
    screen.inform(screen.message(206).replace(QLatin1Char('~'), settings.host));
    return true;
  }
  return false;
}

MailRun* makeMailRun(const ProgramValues& v, const QList<MailRequest>& requests, QObject* parent) {
  const int slot = chosenSlot(v);
  const QString caBundle = DownloadServer::fromSettings(v.settingsFilePath, v.programFolder).caBundle;
  QList<MailMessage> messages;
  for (const MailRequest& r : requests) messages << mailMessageFor(v.providers, slot, r);
  return new MailRun(mailerSettingsFor(v.providers, slot, caBundle), messages, parent);
}

void keepMailOutcome(Screen& screen, qint32 number, const QString& recipient) {
  if (number != kMailSent && screen.ctx().prompter)
    screen.ctx().prompter->inform(mailErrorMessage(number, recipient), QStringLiteral("Mervalo"), PromptIcon::None, &screen);
  screen.values().lastMailErrorNumber = number;
}

}  // namespace mervalo
