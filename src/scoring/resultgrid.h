#pragma once

#include <QString>
#include <QStringList>
#include <QVector>

#include "app/grid.h"
#include "boardscore.h"

namespace mervalo {

// The results grid: row 0 the headings, rows 1 … P one pair each in pair order, and a last row
// that holds the column totals once the result is computed. Columns: 0 pair number (later the
// rank), 1 the pair's names (later with " [boards played]"), 2 … boards+1 the matchpoints of board
// b in column b+1, then the total ("MP") and the percentage.

inline constexpr Colour kSitOutRed = rgb(255, 192, 192);
inline constexpr Colour kPlayedWhite = rgb(255, 255, 255);
inline constexpr Colour kNotPlayedRed = rgb(255, 0, 0);
inline constexpr Colour kEmptyOrange = rgb(255, 224, 192);

struct ResultsLayout {
  int pairs = 0;
  int sitOut = 0;  // 0: none
  int boards = 0;  // rounds × boards per round
  QStringList names;  // names.at(p - 1) for pair p; missing entries are empty
  // Headings: "Nr", "Paren", "MP", "Percentage" in the current language.
  QString numberHeading, pairsHeading, pointsHeading, percentageHeading;
};

// The four headings from the text table (texts 16 without its ".", 32, 80, 81).
void setHeadings(ResultsLayout& layout, int language);

// "Dhr. Jan Smit - Mevr. Anna de Vries" for every pair line of a group file, in pair order (the
// non-blank lines count; the sit-out line and anything unreadable give an empty name).
QStringList pairNamesOfGroup(const QStringList& groupLines);

inline int pointsColumn(int boards) { return boards + 2; }
inline int percentageColumn(int boards) { return boards + 3; }

// A fresh grid before any board is scored: headings, pair numbers and names, the sit-out row
// emptied and light red from column 1 on.
Grid newResultsGrid(const ResultsLayout& layout);

// Writes a scored board's matchpoints, centred, into the rows of its pairs (found by the pair
// number in column 0) in the board's column. Only tables that count are written.
void setBoardPoints(Grid& grid, int board, const QVector<BoardTable>& tables, int sitOut);

// Clears a board's column for every pair (a board cleared on the entry screen).
void clearBoardPoints(Grid& grid, int board);

// Totals, percentages, ordering, the sit-out row taken out, the column totals and colours, and
// the ranks. The grid may be computed again: names keep one bracket, totals are made afresh.
// The measure (may be empty) fits the column widths while the grid is hidden.
void computeResult(Grid& grid, int boards, int top, const TextMeasure& measure = {});

// Ranks into rankColumn of the pair rows (1 … second-last), by the numeric value of keyColumn,
// highest first: "1", "2", … with a shared rank in parentheses ("(2)", "(2)", then "4").
void rankRows(Grid& grid, int rankColumn, int keyColumn);

}  // namespace mervalo
