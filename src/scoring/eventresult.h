#pragma once

#include <QString>
#include <QStringList>
#include <optional>

#include "app/grid.h"
#include "event/eventmodel.h"
#include "scoring/boardscore.h"

namespace mervalo {

// The result of a whole event worked out again from its files, as the entry screen of its mode
// does when an event is reopened and "Uitslag" is pressed: entry per board completes every board
// that has a record again from its stored scores (the stored matchpoints are recomputed), entry
// per round matchpoints every board whose slips are all stored. A board that is not complete
// stays empty for every pair.

// What stopped the computation, naming the file at fault.
struct ResultError {
  QString file;  // as the program folder names it, e.g. "invoer/12-03-2024 Groep A Uitslag.txt"
  QString what;
  QString describe() const;  // "<file>: <what>"
};

// The files of one event, read but not yet checked.
struct EventSources {
  QString eventName;      // "12-03-2024 Groep A Uitslag"
  QString groupName;      // "12-03-2024 Groep A"
  QStringList eventLines;
  QStringList groupLines;
  QStringList schemaLines;  // the schema's round lines
  int language = 10;
};

struct EventResult {
  EventHeader header;
  QString groupFileName;  // "12-03-2024 Groep A.txt"
  int top = 0;
  Grid grid;              // the computed results grid
  QString pageTitle;      // "Uitslag (12-03-2024 Groep A)"
  QString pageFileName;   // "12-03-2024 Groep A.html"
};

// Reads the event file "invoer/<eventName>.txt", its group file and its schema from the program
// folder. Nothing is written.
std::optional<EventSources> readEventSources(const QString& programFolder, const QString& eventName, int language,
                                             ResultError* error = nullptr);

// Checks the event file (header, records or board lines, pair numbers, score texts) and computes
// the result. Damage is reported, never guessed around; nothing here can crash on bad input.
std::optional<EventResult> computeEventResult(const EventSources& sources, const TextMeasure& measure = {},
                                              ResultError* error = nullptr);

// The scored tables of a complete board: entry per board, a board with a record; entry per
// round, a board whose every slip (but the sit-out pair's) holds scores. nullopt otherwise.
std::optional<QVector<BoardTable>> completeBoardTables(const EventModel& model, int board);

// The results grid before the result: every complete board's matchpoints in place.
Grid scoredBoardsGrid(const EventModel& model, const QStringList& groupLines, int language);

// A text measure that needs no fonts: every character 7 pixels (105 twips) wide. The command
// line uses it so that the widths on a page it writes do not depend on the machine.
int fixedPitchWidth(const QString& text);

// Writes the results page of a computed event as the results screen makes it (its four-column
// copy, fitted with the measure) to "HTML/<page file name>" in the program folder, creating the
// folder. False when the page cannot be written.
bool writeResultsPage(const QString& programFolder, const EventResult& result, const TextMeasure& measure,
                      QString* writtenPath = nullptr);

}  // namespace mervalo
