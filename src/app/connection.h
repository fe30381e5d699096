#pragma once

#include <QString>

namespace mervalo {

// Whether the computer has a network connection that could reach the internet: some interface
// other than the loopback is switched on and its link is up. The system's interface folder can
// be replaced for tests. Never fails: anything unreadable counts as not connected.
bool connectionTest(const QString& interfacesFolder = QStringLiteral("/sys/class/net"));

}  // namespace mervalo
