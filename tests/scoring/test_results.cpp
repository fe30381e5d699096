// The results grid: totals, percentages, ordering, the sit-out row, column totals, colours and
// ranks.

#include <gtest/gtest.h>

#include "qtprint.h"
#include "scoring/resultgrid.h"

namespace {

using namespace mervalo;

ResultsLayout layout(int pairs, int sitOut, int boards) {
  ResultsLayout l;
  l.pairs = pairs;
  l.sitOut = sitOut;
  l.boards = boards;
  for (int p = 1; p <= pairs; ++p) l.names << QStringLiteral("Paar %1").arg(p);
  setHeadings(l, 10);
  return l;
}

// Fills pair p's board cells with the given texts, board 1 first.
void fill(Grid& g, int pair, const QStringList& cells) {
  for (int i = 0; i < cells.size(); ++i) g.setText(pair, i + 2, cells[i]);
}

QStringList column(const Grid& g, int c) {
  QStringList out;
  for (int r = 0; r < g.rows(); ++r) out << g.text(r, c);
  return out;
}

TEST(ResultsGrid, FreshGridHasHeadingsNamesAndTheSitOutRow) {
  ResultsLayout l = layout(4, 3, 2);
  l.names = QStringList{"A - B", "C - D", "***", "G - H"};
  const Grid g = newResultsGrid(l);
  ASSERT_EQ(g.rows(), 6);
  ASSERT_EQ(g.cols(), 6);
  EXPECT_EQ(g.rowTexts(0), (QStringList{"Nr", "Paren", "1", "2", "MP", "Percentage"}));
  EXPECT_EQ(column(g, 0), (QStringList{"Nr", "1", "2", "3", "4", ""}));
  EXPECT_EQ(column(g, 1), (QStringList{"Paren", "A - B", "C - D", "", "G - H", ""}));
  for (int c = 1; c < g.cols(); ++c) EXPECT_EQ(g.cell(3, c).backColour, kSitOutRed);
  EXPECT_EQ(g.cell(2, 1).backColour, 0u);
}

TEST(ResultsGrid, PairNamesComeFromTheGroupLines) {
  const QStringList names = pairNamesOfGroup({QStringLiteral("3| Dhr. Jan Smit+7| Mevr. Anna de Vries"), QString(),
                                              QStringLiteral("   "), QStringLiteral("***** Stilzit *****"),
                                              QStringLiteral("4|  Piet Kok+5| Mevr.  Els"),
                                              QStringLiteral("no bar at all")});
  EXPECT_EQ(names, (QStringList{"Dhr. Jan Smit - Mevr. Anna de Vries", "", "Piet Kok - Mevr.  Els", "no bar at all"}));
}

TEST(Result, FortyPointsOverTwelveBoards) {
  Grid g = newResultsGrid(layout(8, 0, 12));
  fill(g, 1, {"4", "4", "4", "4", "4", "4", "4", "4", "2", "2", "2", "2"});
  fill(g, 2, {"4", "4", "4", "4", "4", "4", "4", "4", "2", "2", "2", "n"});
  computeResult(g, 12, 6);
  // Pair 1: 40 / 72 → 55.56%; pair 2: 38 over 11 boards → 38 / 66 → 57.575…% → 57.58%.
  EXPECT_EQ(g.rowTexts(1).mid(14), (QStringList{"38", "57.58%"}));
  EXPECT_EQ(g.text(1, 1), QStringLiteral("Paar 2 [11]"));
  EXPECT_EQ(g.rowTexts(2).mid(14), (QStringList{"40", "55.56%"}));
  EXPECT_EQ(g.text(2, 1), QStringLiteral("Paar 1 [12]"));
  EXPECT_EQ(g.text(3, 1), QStringLiteral("Paar 3 [0]"));
  EXPECT_EQ(g.text(3, 15), QStringLiteral("0.00%"));  // nothing played: no division by zero
}

TEST(Result, ASecondComputationReplacesTheBracketAndKeepsTheNumbers) {
  Grid g = newResultsGrid(layout(4, 0, 2));
  fill(g, 1, {"2", "1"});
  fill(g, 2, {"0", "1"});
  fill(g, 3, {"2", "1"});
  fill(g, 4, {"0", "1"});
  computeResult(g, 2, 2);
  QStringList first;
  for (int r = 0; r < g.rows(); ++r) first << g.rowTexts(r).join(QLatin1Char('|'));
  computeResult(g, 2, 2);
  QStringList second;
  for (int r = 0; r < g.rows(); ++r) second << g.rowTexts(r).join(QLatin1Char('|'));
  EXPECT_EQ(second, first);
  EXPECT_EQ(g.text(1, 1), QStringLiteral("Paar 1 [2]"));
  EXPECT_EQ(g.rows(), 6);
}

TEST(Result, TotalsAreRoundedHalfToEvenAfterEveryBoard) {
  Grid g = newResultsGrid(layout(4, 0, 4));
  fill(g, 1, {"0.5", "0.5", "0.5", "0.5"});  // 0.5→0 every time
  fill(g, 2, {"1.5", "1.5", "0.33", ""});    // 1.5→2, 3.5→4, 4.33→4
  fill(g, 3, {"2.5", "n", "", "5.67"});      // 2.5→2, 7.67→8
  computeResult(g, 4, 6);
  EXPECT_EQ(column(g, 6), (QStringList{"MP", "8", "4", "0", "0", ""}));
  EXPECT_EQ(column(g, 1).mid(1, 4), (QStringList{"Paar 3 [2]", "Paar 2 [3]", "Paar 1 [4]", "Paar 4 [0]"}));
  // Column totals add the pair rows in their final order, rounding after each.
  EXPECT_EQ(g.rowTexts(g.rows() - 1), (QStringList{"", "", "4", "2", "0", "6", "", ""}));
}

TEST(Result, CellColoursAfterTheResult) {
  Grid g = newResultsGrid(layout(2, 0, 3));
  fill(g, 1, {"1", "n", ""});
  fill(g, 2, {"0", "n", ""});
  computeResult(g, 3, 2);
  EXPECT_EQ(g.cell(1, 2).backColour, kPlayedWhite);
  EXPECT_EQ(g.cell(1, 3).backColour, kNotPlayedRed);
  EXPECT_EQ(g.cell(1, 4).backColour, kEmptyOrange);
  EXPECT_EQ(g.cell(3, 2).alignment, kAlignCenterCenter);
  EXPECT_TRUE(g.visible());
}

TEST(Result, TheSitOutRowIsTakenOutPhantomOrNamed) {
  for (int sitOut : {6, 2}) {
    Grid g = newResultsGrid(layout(6, sitOut, 1));
    for (int p = 1; p <= 6; ++p)
      if (p != sitOut) fill(g, p, {QString::number(p % 3)});
    computeResult(g, 1, 2);
    ASSERT_EQ(g.rows(), 7) << sitOut;  // headings, five pairs, totals
    for (int r = 1; r < g.rows() - 1; ++r) EXPECT_NE(g.text(r, 1), QStringLiteral("Paar %1 [0]").arg(sitOut));
    for (int r = 1; r < g.rows(); ++r) EXPECT_NE(g.cell(r, 1).backColour, kSitOutRed);
  }
}

TEST(Result, EqualPercentagesKeepPairOrderAndShareTheirRank) {
  Grid g = newResultsGrid(layout(5, 0, 1));
  fill(g, 1, {"0"});
  fill(g, 2, {"2"});
  fill(g, 3, {"4"});
  fill(g, 4, {"2"});
  fill(g, 5, {"2"});
  computeResult(g, 1, 4);
  EXPECT_EQ(column(g, 1).mid(1, 5), (QStringList{"Paar 3 [1]", "Paar 2 [1]", "Paar 4 [1]", "Paar 5 [1]", "Paar 1 [1]"}));
  EXPECT_EQ(column(g, 0).mid(1, 5), (QStringList{"1", "(2)", "(2)", "(2)", "5"}));
}

TEST(Ranking, WorkedExamples) {
  const auto ranks = [](const QStringList& keys) {
    Grid g(static_cast<int>(keys.size()) + 2, 2);
    for (int i = 0; i < keys.size(); ++i) g.setText(i + 1, 1, keys[i]);
    rankRows(g, 0, 1);
    QStringList out;
    for (int r = 1; r <= keys.size(); ++r) out << g.text(r, 0);
    return out;
  };
  EXPECT_EQ(ranks({"60.00%", "55.00%", "55.00%", "40.00%"}), (QStringList{"1", "(2)", "(2)", "4"}));
  EXPECT_EQ(ranks({"54.17%", "54.17%", "50.00%"}), (QStringList{"(1)", "(1)", "3"}));
  EXPECT_EQ(ranks({"50.00%", "50.00%", "50.00%"}), (QStringList{"(1)", "(1)", "(1)"}));
  EXPECT_EQ(ranks({"70.00%", "60.00%", "10.00%", "10.00%"}), (QStringList{"1", "2", "(3)", "(3)"}));
  EXPECT_EQ(ranks({"42.00%"}), (QStringList{"1"}));
  Grid tiny(1, 2);
  rankRows(tiny, 0, 1);  // no pair rows: nothing to do
  rankRows(tiny, 5, 9);
}

}  // namespace
