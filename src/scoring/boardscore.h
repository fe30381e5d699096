#pragma once

#include <QString>
#include <QStringView>
#include <QVector>
#include <cstdint>

#include "event/eventfile.h"

namespace mervalo {

// The most matchpoints one board can give: two for every other table that plays it. P counts the
// phantom pair; a sit-out pair (named or phantom) takes one table out of play. 8 pairs: 6; 8 pairs
// with one sitting out: 4.
int eventTop(int pairs, int sitOut);

// What the NS score of a table says: "n" anywhere is not played, else "%" is an adjusted score,
// else the board was played and scored.
enum class ScoreKind : std::uint8_t { Played, NotPlayed, Adjusted };

// How a table's matchpoints are written once the board is scored.
enum class PointsForm : std::uint8_t {
  None,       // the table takes no part (a row without a pairing, the sit-out table)
  NotPlayed,  // "n"
  Plain,      // the shortest decimal: "4", "3.6"
  Corrected,  // after the Neuberg correction: at most two decimals, "5.67"
};

// One table of a board, its scores parsed once: the two pairs, the kind of score and the two
// values (NS's and EW's own, a percentage for an adjusted score), and after scoreBoard the two
// matchpoint values and how they are written.
struct BoardTable {
  int ns = 0;
  int ew = 0;
  ScoreKind kind = ScoreKind::Played;
  double nsScore = 0;
  double ewScore = 0;
  bool enabled = true;  // a screen row without a pairing is disabled and takes no part
  double nsPoints = 0;
  double ewPoints = 0;
  PointsForm form = PointsForm::None;

  // A table from the score texts as entered. A text that is not a number counts as its leading
  // number, or 0.
  static BoardTable fromTexts(int ns, int ew, QStringView nsText, QStringView ewText, bool enabled = true);
};

// The kind of an NS score text.
ScoreKind scoreKind(QStringView nsText);

// True when a table takes part in the board's matchpoints: enabled, and neither pair is the
// sit-out pair (a sit-out table is never played, whatever was typed in it).
bool tableCounts(const BoardTable& table, int sitOut);

// Matchpoints of one board, two per pair beaten and one per tie, into every counting table:
// - a not-played table gets "n" on both sides;
// - an adjusted table gets each side's own percentage of the event top;
// - the other tables are ranked by score (each direction on its own score), ties share;
// - with any not-played or adjusted table the ranked ones are scaled up (Neuberg) to the full
//   board and written with at most two decimals.
// Works on numbers only and allocates nothing for boards of up to 64 tables.
void scoreBoard(BoardTable* tables, int count, int top, int sitOut);
inline void scoreBoard(QVector<BoardTable>& tables, int top, int sitOut) {
  scoreBoard(tables.data(), static_cast<int>(tables.size()), top, sitOut);
}

// A matchpoint value as the grid, the rows and the records write it ("" for PointsForm::None).
QString pointsText(double points, PointsForm form);
inline QString nsPointsText(const BoardTable& t) { return pointsText(t.nsPoints, t.form); }
inline QString ewPointsText(const BoardTable& t) { return pointsText(t.ewPoints, t.form); }

// The tables a stored record describes, in its order, ready for scoreBoard.
QVector<BoardTable> tablesOfRecord(const ScoreRecord& record);

}  // namespace mervalo
