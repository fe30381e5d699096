// The overview of the round screen: which pairs and scores stand in which cell, with the
// headings, made from the slips alone (its alignment is seen at a glance).

#include <gtest/gtest.h>

#include <tuple>

#include "qtprint.h"
#include "scoring/roundslips.h"

namespace {

using namespace mervalo;

// 8 pairs, 3 rounds of 4 boards: every board is played at four tables.
const QStringList kEightPairs = {
    QStringLiteral("Ronde 1\t1-2 (1-4)\t3-8 (1-4)\t5-6 (5-8)\t7-4 (9-12)"),
    QStringLiteral("Ronde 2\t5-7 (1-4)\t1-8 (5-8)\t3-2 (5-8)\t4-6 (9-12)"),
    QStringLiteral("Ronde 3\t6-8 (1-4)\t4-3 (5-8)\t1-7 (9-12)\t2-5 (9-12)"),
};

using Cell = std::tuple<int, int, const char*>;

struct OverviewCase {
  const char* what;
  int pairs;
  QStringList roundLines;
  void (*change)(RoundSlips&);  // what the organiser did before the overview is made
  int rows;
  int cols;
  std::vector<Cell> cells;
};

const OverviewCase kCases[] = {
    {"nothing stored: the pairs of every table, spaced", 8, kEightPairs, [](RoundSlips&) {}, 5, 13,
     {{0, 0, ""}, {0, 1, "Spel 1"}, {0, 12, "Spel 12"}, {1, 0, "1"}, {4, 0, "4"},
      {1, 1, "1 - 2"}, {2, 1, "3 - 8"}, {3, 1, "5 - 7"}, {4, 1, "6 - 8"}, {4, 12, "2 - 5"}}},
    {"a stored slip: both scores in brackets; a board stored empty shows its pairs only", 8, kEightPairs,
     [](RoundSlips& s) { s.store(1, 1, {{"420", "-420"}, {"", ""}, {"n", "n"}, {"60%", "40%"}}); }, 5, 13,
     {{2, 1, "3 - 8[420]  [-420] "}, {2, 2, "3 - 8"}, {2, 3, "3 - 8[n]  [n] "}, {2, 4, "3 - 8[60%]  [40%] "},
      {1, 1, "1 - 2"}}},
    {"boards played at fewer tables: rows as many as the busiest board, the rest empty", 4,
     {QStringLiteral("Ronde 1\t1-2 (1-4)\t3-4 (5-8)"), QStringLiteral("Ronde 2\t1-3 (1-4)")},
     [](RoundSlips&) {}, 3, 9, {{2, 0, "2"}, {1, 1, "1 - 2"}, {2, 1, "1 - 3"}, {1, 5, "3 - 4"}, {2, 5, ""}}},
};

TEST(SlipsOverview, CellsAndHeadings) {
  for (const OverviewCase& c : kCases) {
    SCOPED_TRACE(c.what);
    EventHeader header;
    header.pairs = c.pairs;
    header.rounds = static_cast<int>(c.roundLines.size());
    header.boardsPerRound = 4;
    header.entryMode = kEntryPerRound;
    EventModel model(header);
    RoundSlips slips = RoundSlips::build(c.roundLines, model);
    c.change(slips);

    const Grid grid = slipsOverview(slips, QStringLiteral("Spel"));
    ASSERT_EQ(grid.rows(), c.rows);
    ASSERT_EQ(grid.cols(), c.cols);
    for (const auto& [row, col, text] : c.cells)
      EXPECT_EQ(grid.text(row, col), QString::fromUtf8(text)) << row << "," << col;
  }
}

}  // namespace
