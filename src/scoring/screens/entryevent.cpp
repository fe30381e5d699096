#include "entryevent.h"

#include <QDir>
#include <QRandomGenerator>
#include <QTableWidget>
#include <QTimer>

#include "app/fileops.h"
#include "app/screens/screen.h"
#include "event/eventfile.h"
#include "app/textfile.h"
#include "event/movement.h"

namespace mervalo {

std::optional<EntryEvent> openEntryEvent(Screen& screen, int entryMode) {
  ProgramValues& v = screen.values();
  const QString path = v.file(DataFolder::Events, v.eventFileName);
  const QString shownName = QDir::toNativeSeparators(path);
  if (fileState(path) != FileState::Filled) {
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

EventKeeper::EventKeeper(Screen& screen, std::function<void()> beforeSave)
    : screen_(screen), beforeSave_(std::move(beforeSave)) {}

void EventKeeper::attach(EventModel* model, const QString& path) {
  model_ = model;
  path_ = path;
}

bool EventKeeper::write() {
  pending_ = false;
  if (!model_) return true;
  if (beforeSave_) beforeSave_();
  if (!model_->save(path_)) return false;
  warned_ = false;
  return true;
}

void EventKeeper::tell() {
  screen_.inform(screen_.message(182).replace(QLatin1Char('~'), QDir::toNativeSeparators(path_)));
}

bool EventKeeper::saveNow() {
  if (write()) return true;
  tell();
  return false;
}

void EventKeeper::saveSoon() {
  if (pending_) return;
  pending_ = true;
  QTimer::singleShot(0, &screen_, [this] {
    if (!pending_) return;
    if (!write() && !warned_) {
      warned_ = true;
      tell();
    }
  });
}

bool EventKeeper::mayClose() {
  if (saveNow() || failedOnce_) return true;
  failedOnce_ = true;
  return false;
}

void reportUnusableLines(Screen& screen, const QString& path, const QStringList& lines) {
  if (lines.isEmpty()) return;
  screen.inform(screen.message(179)
                    .replace(QLatin1Char('~'), QDir::toNativeSeparators(path))
                    .replace(QLatin1Char('#'), lines.join(QLatin1Char('\n'))));
}

QStringList eventGroupLines(const ProgramValues& v) {
  const QString groupPath = v.file(DataFolder::Groups, v.groupFileName);
  return fileState(groupPath) == FileState::Filled ? readTextLines(groupPath).value_or(QStringList{}) : QStringList{};
}

QString randomTestScore() {
  // The whole part of ten times a random fraction picks one; 5 gives "80".
  static const char* const kPicks[10] = {"100", "110", "-90", "-120", "-100", "80", "200", "300", "-110", "120"};
  return QLatin1String(kPicks[static_cast<int>(10 * QRandomGenerator::global()->generateDouble())]);
}

void openResults(Screen& screen, QTableWidget* resultGrid) {
  resultGrid->scrollToItem(resultGrid->item(0, resultGrid->columnCount() - 1));
  screen.parkFocus();
  screen.openChild(ScreenId::Results);
}

void returnToEventStart(Screen* menu) {
  if (menu && menu->ctx().hasScreen(ScreenId::EventStart)) menu->openChild(ScreenId::EventStart);
}

}  // namespace mervalo
