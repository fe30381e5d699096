#pragma once

#include <QString>
#include <QVector>

#include "app/grid.h"
#include "event/eventfile.h"

namespace mervalo {

// The most matchpoints one board can give: two for every other table that plays it. P counts the
// phantom pair; a sit-out pair (named or phantom) takes one table out of play. 8 pairs: 6; 8 pairs
// with one sitting out: 4.
int eventTop(int pairs, int sitOut);

// One table of a board as the entry screens hold it: the two pairs, the two score texts as
// entered, and (after scoreBoard) the two matchpoint texts.
struct BoardTable {
  int ns = 0;
  int ew = 0;
  QString nsScore;
  QString ewScore;
  bool enabled = true;  // a screen row without a pairing is disabled and takes no part
  QString nsPoints;
  QString ewPoints;
};

// True when a table takes part in the board's matchpoints: enabled, and neither pair is the
// sit-out pair (a sit-out table is never played, whatever was typed in it).
bool tableCounts(const BoardTable& table, int sitOut);

// Matchpoints of one board, two per pair beaten and one per tie, written into every counting
// table's nsPoints/ewPoints (other tables get empty texts):
// - a score containing "n"/"N" is not played: both sides "n";
// - a score containing "%" is adjusted: each side gets its own percentage of the event top;
// - the other tables are ranked by score (each direction on its own score text), ties share;
// - with any not-played or adjusted table the ranked ones are scaled up (Neuberg) to the full
//   board and written with at most two decimals.
// Never fails: a score that is not a number counts as its leading number, or 0.
void scoreBoard(QVector<BoardTable>& tables, int top, int sitOut);

// The score record of a scored board: one table result per counting table, in table order.
ScoreRecord boardRecord(int board, const QVector<BoardTable>& tables, int sitOut);

// Completing a board on the entry screen: matchpoints into the tables and the record to store.
ScoreRecord completeBoard(int board, QVector<BoardTable>& tables, int top, int sitOut);

// The tables a stored record describes, in its order, ready for scoreBoard. Pair numbers that
// are not numbers become 0 (no pair).
QVector<BoardTable> tablesOfRecord(const ScoreRecord& record);

}  // namespace mervalo
