// Board matchpoints (the worked examples, irregular tables, Neuberg, properties over random
// boards) and a whole event scored: which boards count, ranks with ties, the sit-out pair. (A
// completed board's record is the entry screens' test; damaged event files the fuzz target's.)

#include <gtest/gtest.h>

#include <random>

#include "qtprint.h"
#include "scoring/boardscore.h"
#include "scoring/eventsources.h"
#include "scoring/numbers.h"
#include "scoring/resultgrid.h"

namespace {

using namespace mervalo;

BoardTable table(int ns, int ew, const QString& nsScore, const QString& ewScore, bool enabled = true) {
  return BoardTable::fromTexts(ns, ew, nsScore, ewScore, enabled);
}

// The matchpoints of one side at every table, as the screens write them.
QStringList points(const QVector<BoardTable>& tables, bool ew) {
  QStringList out;
  for (const BoardTable& t : tables) out << (ew ? ewPointsText(t) : nsPointsText(t));
  return out;
}

TEST(BoardMatchpoints, TopAndWorkedBoards) {
  // Two points for every other table in play; the phantom or a named sit-out pair plays none.
  for (const auto& [pairs, sitOut, top] : {std::tuple(8, 0, 6), std::tuple(8, 5, 4), std::tuple(2, 2, 0)})
    EXPECT_EQ(eventTop(pairs, sitOut), top) << pairs << " " << sitOut;

  const struct {
    const char* name;
    QVector<BoardTable> tables;
    int top, sitOut;
    QStringList ns, ew;
  } cases[] = {
      {"three tables with a tie",
       {table(1, 2, "420", "-420"), table(3, 4, "420", "-420"), table(5, 6, "-50", "50")}, 4, 0,
       {"3", "3", "0"}, {"1", "1", "4"}},
      {"one of four not played: scaled up",
       {table(1, 2, "420", "-420"), table(3, 4, "n", "n"), table(5, 6, "170", "-170"), table(7, 8, "-50", "50")}, 6, 0,
       {"5.67", "n", "3", "0.33"}, {"0.33", "n", "3", "5.67"}},
      {"any text with an n is not played: (2+1)·3/2−1 and (0+1)·3/2−1",
       {table(1, 2, "N", "n"), table(3, 4, "100", "-100"), table(5, 6, "90", "-90")}, 4, 0,
       {"n", "3.5", "0.5"}, {"n", "0.5", "3.5"}},
      // 0.6 × 6 is 3.5999… in binary; EW get their own percentage, not 100 − NS; the two
      // regular tables of four are scaled up from 2 and 0 to 5 and 1.
      {"adjusted scores are percentages of the event top",
       {table(1, 2, "60%", "40%"), table(3, 4, "420", "-420"), table(5, 6, "400", "-400"), table(7, 8, "10%", "50%")},
       6, 0, {"3.6", "5", "1", "0.6"}, {"2.4", "1", "5", "3"}},
      {"the sit-out table and a disabled row take no part; no Neuberg for the sit-out table",
       {table(1, 2, "420", "-420"), table(3, 8, "n", "n"), table(5, 6, "-50", "50"), table(4, 7, "100", "-100"),
        table(0, 0, "n", "n", false)},
       4, 8, {"4", "", "0", "2", ""}, {"0", "", "4", "2", ""}},
      {"EW scores typed apart from NS's are ranked on their own",
       {table(1, 2, "420", "-400"), table(3, 4, "400", "-420"), table(5, 6, "50", "-50")}, 4, 0,
       {"4", "2", "0"}, {"2", "0", "4"}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    QVector<BoardTable> b = c.tables;
    scoreBoard(b, c.top, c.sitOut);
    EXPECT_EQ(points(b, false), c.ns);
    EXPECT_EQ(points(b, true), c.ew);
  }
}

TEST(NumberTexts, MatchpointsPercentagesAndShortestDecimals) {
  const struct {
    QString (*text)(double);
    double value;
    const char* expected;
  } cases[] = {
      {twoDecimalPoints, 0.999, "1"},  {twoDecimalPoints, 0.295, "0.3"},  // 0.3 in binary is 0.29999…
      {percentageText, 7.1, "7.10%"},  {percentageText, 65.625, "65.63%"},  {shortestDecimal, -0.0, "0"},
      {shortestDecimal, 1e-20, "0"},   {shortestDecimal, -0.0012, "-0.0012"},
      {shortestDecimal, 2.0 / 3 * 1000, "666.666666666667"},
  };
  for (const auto& c : cases) EXPECT_EQ(c.text(c.value), QLatin1String(c.expected)) << c.value;
  EXPECT_FALSE(shortestDecimal(1e300 / 7.5).contains(QLatin1Char('e')));
}

// Random boards, full (odd seeds) or with tables not played: every played table gets the textbook
// count (two for every table beaten, one for every tie) scaled up from the k tables that played to
// all N, (mp + 1) N / k - 1, and its two sides share the top.
TEST(BoardMatchpoints, RandomBoardsKeepTheTextbookCountAndShareTheTop) {
  const int pool[] = {-1430, -100, -50, 0, 90, 420, 990};
  for (unsigned seed = 1; seed <= 200; ++seed) {
    SCOPED_TRACE(seed);
    std::mt19937 rng(seed);
    const int n = 2 + static_cast<int>(rng() % 12), top = 2 * (n - 1);
    QVector<BoardTable> b;
    for (int i = 0; i < n; ++i) {
      const int v = pool[rng() % std::size(pool)];
      const bool played = seed % 2 || rng() % 3;
      b.append(table(2 * i + 1, 2 * i + 2, played ? QString::number(v) : "n", played ? QString::number(-v) : "n"));
    }
    scoreBoard(b, top, 0);
    const auto played =
        std::count_if(b.begin(), b.end(), [](const BoardTable& t) { return t.kind == ScoreKind::Played; });
    for (const BoardTable& t : b) {
      if (t.kind == ScoreKind::NotPlayed) continue;
      int count = 0;  // the textbook count plus one for the tie with itself
      for (const BoardTable& other : b)
        if (other.kind == ScoreKind::Played) count += other.nsScore < t.nsScore ? 2 : other.nsScore == t.nsScore;
      EXPECT_NEAR(t.nsPoints, static_cast<double>(count) * n / played - 1, 1e-9);
      EXPECT_NEAR(t.nsPoints + t.ewPoints, top, 1e-9);
    }
  }
}

// --- a whole event ----------------------------------------------------------------------------

// Four pairs (top 2) over three boards, or six with pair 6 sitting out (top 2 as well).
EventSources sources(int mode, const QStringList& scoreLines, int pairs = 4, int sitOut = 0) {
  EventSources s;
  s.eventName = QStringLiteral("06-12-2026 Groep A Uitslag");
  s.groupName = QStringLiteral("06-12-2026 Groep A");
  s.language = 10;
  s.group = Group::parse({"1| A+2| B", "3| C+4| D", "5| E+6| F", "7| G+8| H", "9| I+10| J", "***** Stilzit *****"});
  s.eventLines = QStringList{s.eventName, QString::number(pairs), sitOut ? QString::number(sitOut) : "Geen", "3", "1",
                             "04 Paren 03 Ronden X", QString::number(mode)} +
                 scoreLines;
  return s;
}

TEST(EventResult, ResultGrids) {
  const struct {
    const char* name;
    int mode;
    QStringList lines;
    int pairs, sitOut;
    QStringList expected;  // "rank names board… MP %" per row of the result grid, the totals last
  } cases[] = {
      // Board 2 lacks a slip, so nobody has it; board 3 was played at one table only, which
      // beats nobody and is beaten by nobody: both sides get the whole top.
      {"per round, boards count only when every slip is stored", 1,
       {"1-2*|420|-420~3-4*|400|-400", "1-3*|100|-100~2-4*", "2-3*|50|-50"}, 4, 0,
       {"(1)|A - B [1]|2|||2|100.00%", "(1)|G - H [1]|2|||2|100.00%", "(3)|C - D [2]|0||2|2|50.00%",
        "(3)|E - F [2]|0||2|2|50.00%", "||4|0|4||"}},
      // A board not played, an adjusted board and totals kept whole after every board (a half to
      // even) are in the command line's hand-worked events; a swap kept, in the entry screen's.
      // The sit-out pair has no row; its opponents' tables do not count.
      {"sit-out pair left out", 0, {"01*1|2|||420|-420|0|0@3|4|||420|-420|0|0@5|6|||420|-420|0|0"}, 6, 6,
       {"(1)|A - B [1]|1|||1|50.00%", "(1)|C - D [1]|1|||1|50.00%", "(1)|E - F [1]|1|||1|50.00%",
        "(1)|G - H [1]|1|||1|50.00%", "5|I - J [0]||||0|0.00%", "||4|0|0||"}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    ResultError error;
    const auto result = computeEventResult(sources(c.mode, c.lines, c.pairs, c.sitOut), &error);
    ASSERT_TRUE(result) << error.describe().toStdString();
    const Grid g = resultsGrid(*result, ResultsHeadings::of(10));
    QStringList rows;
    for (int row = 1; row < g.rows(); ++row) rows << g.rowTexts(row).join(QLatin1Char('|'));
    EXPECT_EQ(rows, c.expected);
  }
}

}  // namespace
