#pragma once

#include <QList>
#include <QString>

#include "publish/mailsend.h"

namespace mervalo {

class MailRun;
class Screen;
struct ProgramValues;

// While the provider list is unusable nothing can be sent: says so (with the maker's support
// address) and returns true.
bool refuseWhenMailUnavailable(Screen& screen);

// Before anything is sent: an own address that is no address (text 205) or a provider that
// would send its password in clear (text 206, naming the provider's server) is refused, said,
// and true returned.
bool refuseUnsafeMail(Screen& screen);

// A run of the given sends with the provider chosen in the settings file, not started yet;
// parent owns it.
MailRun* makeMailRun(const ProgramValues& values, const QList<MailRequest>& requests, QObject* parent);

// After a send: a failure is shown with its number and the recipient, and the outcome is kept
// as the last mail error.
void keepMailOutcome(Screen& screen, qint32 number, const QString& recipient);

}  // namespace mervalo
