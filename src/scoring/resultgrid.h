#pragma once

#include <QString>

#include "app/grid.h"
#include "scoring/eventresult.h"

namespace mervalo {

// The grids the entry screens show and the results screen, the page and mervalo-cli start from,
// made from an EventResult and nothing else.
//
// Columns: 0 pair number (in the result the rank), 1 the pair's names (in the result with
// " [boards played]"), 2 … boards+1 the matchpoints of board b in column b+1, then the total
// ("MP") and the percentage.

inline constexpr Colour kSitOutRed = rgb(255, 192, 192);
inline constexpr Colour kPlayedWhite = rgb(255, 255, 255);
inline constexpr Colour kNotPlayedRed = rgb(255, 0, 0);
inline constexpr Colour kEmptyOrange = rgb(255, 224, 192);

// "Nr", "Paren", "MP", "Percentage" in a language (texts 16 without its ".", 32, 80, 81).
struct ResultsHeadings {
  QString number, pairs, points, percentage;
  static ResultsHeadings of(int language);
};

inline int pointsColumn(int boards) { return boards + 2; }
inline int percentageColumn(int boards) { return boards + 3; }

// The grid while boards are being entered: headings, one row per pair in pair order (the
// sit-out pair's row empty and light red from column 1 on), the matchpoints of every scored
// board, and an empty last row.
Grid boardsGrid(const EventResult& result, const ResultsHeadings& headings);

// Puts one board's matchpoints into a boards grid, emptying its column first (a board cleared
// or entered again).
void showBoard(Grid& grid, const BoardResult& board);

// The result: pairs best first with rank ("1", "2", a shared place "(2)"), names with the
// boards played, the boards, total and percentage; the sit-out pair left out; a last row with
// each board's total, and every board cell coloured (white scored, red not played, orange
// empty). A measure fits the column widths to the texts (the rank column to the pair numbers).
Grid resultsGrid(const EventResult& result, const ResultsHeadings& headings, const TextMeasure& measure = {});

// The result's grid without the boards' columns (rank, pairs, total, percentage and an empty last
// row), not fitted: the columns the results window and the page take, without making the rest.
Grid standingsGrid(const EventResult& result, const ResultsHeadings& headings);

}  // namespace mervalo
