#pragma once

#include <QString>
#include <QVector>

#include "event/eventfile.h"
#include "event/movement.h"
#include "scoring/boardscore.h"

namespace mervalo {

// One table row of the entry screen for one board: the pairing as the movement seats it, the
// pairs as entered (swapped when EW sat NS), and what the row shows.
struct EntryRow {
  int schemaNs = 0;  // 0 when the row has no pairing
  int schemaEw = 0;
  int ns = 0;
  int ew = 0;
  bool enabled = false;  // seated, and not the sit-out pair's table
  QString nsScore;
  QString ewScore;
  QString nsPoints;
  QString ewPoints;

  bool seated() const { return ns != 0 || ew != 0; }
  bool operator==(const EntryRow&) const = default;
};

// The rows of a board: the movement's tables in its order, and, when the board has a stored
// record, that record's tables placed in the rows of the tables they belong to (either way
// round: a swapped table keeps its own pair numbers). A table of the record the movement does
// not seat gets a row after them, so that its scores are not lost. A table of the movement the
// record lacks stays empty.
QVector<EntryRow> entryRows(const QVector<Pairing>& pairings, const ScoreRecord* record, int sitOut);

// The information line of both entry screens from its template (text 73, "! paren. Stilzit:
// paar #. @ ronden en $ spellen. Speelschema: %"): without a sit-out pair, "paar #" gives way to
// what line 3 of the event file says ("Geen").
QString eventInformation(QString textTemplate, const EventHeader& header);

// True when every enabled row holds both scores, and there is at least one.
bool entryRowsComplete(const QVector<EntryRow>& rows);

// The seated rows as tables for scoring, in row order, their scores parsed.
QVector<BoardTable> entryTables(const QVector<EntryRow>& rows);

// A board completed on an entry screen: its scored tables (seated rows, in row order) and the
// record to store.
struct CompletedBoard {
  QVector<BoardTable> tables;
  ScoreRecord record;
};

// Scores the board from its rows, writes the matchpoint texts into the seated rows and builds
// the record of the counting tables (the sit-out table and empty rows are not stored).
CompletedBoard completeBoard(int board, QVector<EntryRow>& rows, int top, int sitOut);

}  // namespace mervalo
