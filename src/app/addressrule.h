#pragma once

#include <QString>

namespace mervalo {

// True when text can stand as an e-mail address in a mail header and in an SMTP command: not
// empty, and without control characters, blanks, "<", ">" or ",", any of which could end the
// address early or add a second one.
bool isSafeMailAddress(const QString& address);

// True for a character that may never be part of an address, whatever the box it is typed in.
bool isForbiddenInAddress(QChar c);

}  // namespace mervalo
