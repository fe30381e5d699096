#pragma once

#include <QString>
#include <QtGlobal>

namespace mervalo {

// What the table server takes from section Standaard of the settings file: "tafel poort" (the
// port; 8080 without it, 0 for any free one) and "tafel traveller" (0: no traveller after a
// stored score).
struct TableSettings {
  quint16 port = 8080;
  bool showTraveller = true;
  bool portValid = true;  // false when "tafel poort" is no number from 0 to 65535
};

TableSettings readTableSettings(const QString& settingsFile);

// A port as typed (on the command line or in the settings file); false in *ok when it is no
// number from 0 to 65535.
quint16 parsePort(const QString& text, bool* ok);

}  // namespace mervalo
