#pragma once

#include <QString>
#include <QStringList>
#include <functional>
#include <optional>

#include "event/eventmodel.h"

class QTableWidget;

namespace mervalo {

class Screen;
struct ProgramValues;

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

// Keeps an entry screen's event file on disk, so that a crash or a power cut loses nothing that
// was typed, and tells the organiser when the disk refuses.
class EventKeeper {
 public:
  // beforeSave brings the model up to date first (the round screen writes its slips into it).
  explicit EventKeeper(Screen& screen, std::function<void()> beforeSave = {});
  // From a successful load on; until then nothing is ever written.
  void attach(EventModel* model, const QString& path);
  const QString& path() const { return path_; }

  // Writes now; a failure is told every time.
  bool saveNow();
  // Writes as soon as the screen is idle; a failing disk is told once until a save succeeds.
  void saveSoon();
  // Writes before closing. A failure keeps the screen open once; a second close goes, so the
  // organiser is never locked in.
  bool mayClose();

 private:
  bool write();
  void tell();

  Screen& screen_;
  std::function<void()> beforeSave_;
  EventModel* model_ = nullptr;
  QString path_;
  bool pending_ = false;
  bool warned_ = false;
  bool failedOnce_ = false;
};

// Tells the lines of the event file that could not be used, each "line: why"; nothing when
// there are none.
void reportUnusableLines(Screen& screen, const QString& path, const QStringList& lines);

// The lines of the event's group file; none when it is missing or empty.
QStringList eventGroupLines(const ProgramValues& values);

// The score the test fill puts in an NS box: one of ten, chosen by chance.
QString randomTestScore();

// The result shown with its last column in view, then the results screen opened over it.
void openResults(Screen& screen, QTableWidget* resultGrid);

// After an entry screen closed: back to the event start, as the organiser came.
void returnToEventStart(Screen* menu);

}  // namespace mervalo
