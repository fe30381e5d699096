#pragma once

#include <QString>

namespace mervalo {

// The address boxes of the two mail screens.

// Characters the settings screen's address box refuses (the blank among them).
QString settingsAddressRefused();
// Characters the download screen's address box refuses ("@" and "." are allowed there, a
// blank is not).
QString downloadAddressRefused();
// text without any of the refused characters and without anything no address may hold (a
// pasted line break, a Tab), for pasted and dropped text.
QString withoutCharacters(const QString& text, const QString& refused);

// What is wrong with an address as it is being typed: two "@" or a ".." cannot be right, an
// address may otherwise hold several dots ("jan.de.vries@club.nl").
enum class AddressProblem { None, TwoAts, DoubleDot };
AddressProblem addressProblem(const QString& address);

// Enough to be sent to: an "@" and a "." and nothing wrong, nothing that isSafeMailAddress
// refuses.
bool addressLooksComplete(const QString& address);

}  // namespace mervalo
