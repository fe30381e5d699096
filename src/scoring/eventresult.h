#pragma once

#include <QString>
#include <QStringList>
#include <QVector>
#include <vector>

#include "event/eventmodel.h"
#include "scoring/boardscore.h"

namespace mervalo {

// The scored event as plain values: what every board gave at every table and where every pair
// ended. It is the one answer to "what is the result": the entry screens, the results screen,
// the page, the printout and mervalo-cli all make their texts and grids from it (see
// scoring/resultgrid.h), and anything built later on the result (score cards, travellers, a
// table server) should read it rather than a grid.
//
// Nothing in it is text made for a screen: matchpoints and percentages are numbers, the kind of
// a score is an enum. Numbers are kept as the result counts them, so that a reader who writes
// them with the usual formatting (pointsText, percentageText) shows exactly what the page shows.
//
// Pairs are numbered 1 … P as the event file counts them (P includes a phantom pair). Boards
// are numbered 1 … R·B.

// One table of a scored board: who sat where, what was entered and what it gave.
struct ScoredTable {
  int ns = 0;  // the pair that sat North-South (as entered: a swapped table keeps its own pairs)
  int ew = 0;
  ScoreKind kind = ScoreKind::Played;  // played, adjusted ("60%") or not played ("n")
  QString nsScore;    // the NS score as entered: "420", "-50", "n", "60%"
  QString ewScore;    // the EW score as entered (its own percentage when adjusted)
  double nsValue = 0;  // the NS score's value: points, or NS's percentage when adjusted
  double ewValue = 0;
  // The matchpoints of each side as they count: two per pair beaten and one per tie; scaled
  // (Neuberg) and kept to two decimals when the board has an adjusted or not-played table; for
  // an adjusted table the side's own percentage of the top; 0 when not played.
  double nsPoints = 0;
  double ewPoints = 0;
  PointsForm form = PointsForm::None;  // how the points are written (pointsText)

  bool played() const { return kind != ScoreKind::NotPlayed; }
};

// One board of the event. A board is scored once it is complete: entry per board, when it has
// a stored record; entry per round, when every slip that plays it (but the sit-out pair's) is
// stored. A board that is not scored has no tables and gives nobody anything.
struct BoardResult {
  int board = 0;
  bool scored = false;
  int top = 0;  // the most matchpoints a side can get on it (the event's top)
  // The tables that count, in the order the event file holds them: the sit-out pair's table
  // and tables outside the pairs of the event are left out.
  QVector<ScoredTable> tables;
};

// One pair's standing.
struct PairResult {
  int pair = 0;
  // "Dhr. Jan Smit - Mevr. Anna de Vries" as the group names the pair (Group::pairNames),
  // trimmed; empty when the group has no name for the pair.
  QString names;
  bool sitOut = false;  // the event's sit-out pair: it has no result and no rank
  // The matchpoints as the result shows them: kept whole (a half to even) after every board.
  int total = 0;
  int boardsPlayed = 0;   // scored boards with a played or adjusted score at the pair's table
  double percentage = 0;  // total over boardsPlayed · top, times 100; 0 when nothing was played
  // The place: 1 + the pairs with a better percentage, percentages compared as the result
  // shows them (two decimals). Pairs that share a place are tied. 0 for the sit-out pair.
  int rank = 0;
  bool tied = false;
};

// Where a pair sat on a board: the table, and whether it sat North-South there.
struct PairSeat {
  const ScoredTable* table = nullptr;  // nullptr: the board is not scored or the pair did not play it
  bool northSouth = false;

  double points() const { return northSouth ? table->nsPoints : table->ewPoints; }
  // Empty for no table, "n" for not played, else the matchpoints as the result writes them.
  QString pointsText() const;
};

struct EventResult {
  EventHeader header;
  int top = 0;                  // the most matchpoints a side can get on a board
  QVector<BoardResult> boards;  // boards[b - 1] is board b
  QVector<PairResult> pairs;    // pairs[p - 1] is pair p, the sit-out pair included
  QVector<int> ranking;         // the pair numbers best first, equal percentages in pair order,
                                // without the sit-out pair

  const BoardResult& board(int b) const { return boards[b - 1]; }
  const PairResult& pair(int p) const { return pairs[p - 1]; }
  // Where pair p sat on board b (a pair written at two tables of a board: the later one).
  PairSeat seat(int pair, int board) const;

  // Filled by scoreEvent: for pair p and board b, index (p - 1) · boards + b - 1, the table's
  // index in its board times two plus one for North-South; -1 for none.
  std::vector<int> seats;
};

// Scores every complete board of the event and totals, ranks and names every pair. pairNames
// holds the names of pairs 1, 2, … in order (as the group file gives them); missing ones are
// empty. Cheap enough to run after every change: the largest event takes a few milliseconds.
EventResult scoreEvent(const EventModel& model, const QStringList& pairNames);

// One board scored on its own, as scoreEvent scores it (for screens that show boards as they
// are completed).
BoardResult scoreBoardOfEvent(const EventModel& model, int board);

// The tables of a complete board, not yet scored: entry per board, a board with a record; entry
// per round, a board whose every slip (but the sit-out pair's) holds scores. Empty otherwise.
// Each table comes with its score texts as entered (nsTexts/ewTexts in the same order).
struct BoardTables {
  QVector<BoardTable> tables;
  QStringList nsTexts;
  QStringList ewTexts;
  bool complete = false;
};
BoardTables completeBoardTables(const EventModel& model, int board);

}  // namespace mervalo
