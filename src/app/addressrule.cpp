#include "app/addressrule.h"

namespace mervalo {

bool isForbiddenInAddress(QChar c) {
  // isSpace takes in every blank and line break, the Unicode ones too.
  return c.category() == QChar::Other_Control || c.isSpace() || c == QLatin1Char('<') || c == QLatin1Char('>') ||
         c == QLatin1Char(',');
}

bool isSafeMailAddress(const QString& address) {
  if (address.isEmpty()) return false;
  for (QChar c : address)
    if (isForbiddenInAddress(c)) return false;
  return true;
}

}  // namespace mervalo
