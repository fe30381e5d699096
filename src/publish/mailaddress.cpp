#include "publish/mailaddress.h"

#include "app/addressrule.h"

namespace mervalo {

QString settingsAddressRefused() { return QStringLiteral("!#$%^&*()+=:;'}|{'><?/\\,[] "); }

QString downloadAddressRefused() {
  QString refused = QStringLiteral("\"<>#%$*&:;\\/?.,'[]=+`~@^(){}");
  refused.remove(QLatin1Char('@')).remove(QLatin1Char('.'));
  return refused + QLatin1Char(' ');
}

QString withoutCharacters(const QString& text, const QString& refused) {
  QString out;
  for (QChar c : text)
    if (!refused.contains(c) && !isForbiddenInAddress(c)) out += c;
  return out;
}

AddressProblem addressProblem(const QString& address) {
  if (address.count(QLatin1Char('@')) >= 2) return AddressProblem::TwoAts;
  if (address.contains(QLatin1String(".."))) return AddressProblem::DoubleDot;
  return AddressProblem::None;
}

bool addressLooksComplete(const QString& address) {
  return addressProblem(address) == AddressProblem::None && address.contains(QLatin1Char('@')) &&
         address.contains(QLatin1Char('.')) && isSafeMailAddress(address);
}

}  // namespace mervalo
