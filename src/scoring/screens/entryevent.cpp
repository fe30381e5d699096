#include "entryevent.h"

#include <QDir>

#include "app/fileops.h"
#include "app/screens/screen.h"
#include "event/eventfile.h"
#include "event/movement.h"

namespace mervalo {

std::optional<EntryEvent> openEntryEvent(Screen& screen, int entryMode) {
  ProgramValues& v = screen.values();
  const QString path = v.path(QStringLiteral("/invoer/")) + v.eventFileName;
  const QString shownName = QDir::toNativeSeparators(path);
  if (fileState(path) != 1) {
    screen.inform(screen.message(141).replace(QLatin1Char('~'), shownName));
    return std::nullopt;
  }
  // A file without a readable header, or one entered the other way, is not touched at all.
  EventFileError error;
  auto event = EventModel::load(path, v.language, &error);
  if (event && event->header().entryMode != entryMode) {
    error = EventFileError{v.eventFileName, kHeaderLines,
                           entryMode == kEntryPerBoard ? QStringLiteral("the event is entered per round")
                                                       : QStringLiteral("the event is entered per board")};
    event.reset();
  }
  if (!event) {
    screen.inform(screen.message(179).replace(QLatin1Char('~'), shownName).replace(QLatin1Char('#'), error.describe()));
    return std::nullopt;
  }
  const QString schemaName = event->header().schemaName;
  auto schema = loadSchema(v.programFolder, v.language, schemaName);
  if (!schema) {
    // Without the movement no score can be placed at its table.
    screen.inform(screen.message(181).replace(QLatin1Char('~'), schemaName));
    return std::nullopt;
  }
  return EntryEvent{path, std::move(*event), std::move(*schema)};
}

}  // namespace mervalo
