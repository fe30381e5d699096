#pragma once

#include <QString>
#include <QStringList>
#include <array>

#include "net/mailer.h"
#include "publish/providerlist.h"

namespace mervalo {

using ProviderSlots = std::array<QStringList, kProviderSlots>;

// What one send asks for, as the results screen and the test mail give it.
struct MailRequest {
  QString ownAddress;
  QString subject;
  QString recipient;
  QString attachmentList;  // full paths, each followed by ";"
  QString body;
};

// The provider slot of the "provider" setting: its numeric value, 0 for anything that names
// no slot.
int providerSlotOf(const QString& setting);

// A provider entry read as yes/no: "True" or "False" in any letter case, or a number where
// anything but zero is yes.
bool providerFlag(const QString& entry);

// The attachment paths of a list: every part that a ";" ends ("a.htm;" gives a.htm, "a.htm"
// gives nothing).
QStringList attachmentPaths(const QString& list);

// Setting 1 always from slot 0, settings 2 to 7 from the chosen slot.
MailerSettings mailerSettingsFor(const ProviderSlots& providers, int slot, const QString& caBundle);

// The message: subject and body trimmed, the slot's sender address and name, the recipient
// trimmed, the own address as it stands, the attachments of the list.
MailMessage mailMessageFor(const ProviderSlots& providers, int slot, const MailRequest& request);

// The subject of the result mail: the results screen's caption trimmed, without "(" and ")".
QString resultMailSubject(const QString& caption);

// The body of the result mail from its text: "*" the version, "$" the subject, "%" the sender's
// name, "|" a line feed and "#" the player's names, in that order.
QString resultMailBody(const QString& text, const QString& version, const QString& subject,
                       const QString& nameForEmail, const QString& names);

// "Foutnummer: <n>" + line feed + "Bij het versturen naar: <recipient>".
QString mailErrorMessage(qint32 number, const QString& recipient);

}  // namespace mervalo
