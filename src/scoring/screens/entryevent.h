#pragma once

#include <QString>
#include <QStringList>
#include <optional>

#include "event/eventmodel.h"

namespace mervalo {

class Screen;

// The event an entry screen opens: the model of its file and the movement it is played with.
struct EntryEvent {
  QString path;
  EventModel model;
  QStringList schema;
};

// Opens the current event file for entry in the given mode (per board or per round). Anything
// that keeps it from being entered (no file, an unreadable header, the other entry mode, a
// missing movement) is told to the user on the screen, and nothing is returned.
std::optional<EntryEvent> openEntryEvent(Screen& screen, int entryMode);

}  // namespace mervalo
