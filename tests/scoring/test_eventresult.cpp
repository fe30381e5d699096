// Scoring a whole event: which boards count, totals and percentages, ranks with ties, the
// sit-out pair, and the result grid made from it; damaged files refused with a reason.

#include <gtest/gtest.h>

#include <random>

#include "qtprint.h"
#include "scoring/eventsources.h"
#include "scoring/resultgrid.h"

namespace {

using namespace mervalo;

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

EventResult scored(const EventSources& s) {
  ResultError error;
  const auto r = computeEventResult(s, &error);
  EXPECT_TRUE(r) << error.describe().toStdString();
  return r.value_or(EventResult{});
}

// "rank names board… MP %" per row of the result grid, the totals row last.
QStringList rows(const EventResult& r) {
  const Grid g = resultsGrid(r, ResultsHeadings::of(10));
  QStringList out;
  for (int row = 1; row < g.rows(); ++row) out << g.rowTexts(row).join(QLatin1Char('|'));
  return out;
}

struct Case {
  const char* name;
  int mode;
  QStringList lines;
  int pairs;
  int sitOut;
  QStringList expected;
};

class ScoreEvent : public testing::TestWithParam<Case> {};

TEST_P(ScoreEvent, ResultGrid) {
  const Case& c = GetParam();
  EXPECT_EQ(rows(scored(sources(c.mode, c.lines, c.pairs, c.sitOut))), c.expected);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, ScoreEvent,
    testing::Values(
        // Board 2 lacks a slip, so nobody has it; board 3 was played at one table only, which
        // beats nobody and is beaten by nobody: both sides get the whole top.
        Case{"PerRoundBoardsCountOnlyWhenEverySlipIsStored", 1,
             {"1-2*|420|-420~3-4*|400|-400", "1-3*|100|-100~2-4*", "2-3*|50|-50"}, 4, 0,
             {"(1)|A - B [1]|2|||2|100.00%", "(1)|G - H [1]|2|||2|100.00%", "(3)|C - D [2]|0||2|2|50.00%",
              "(3)|E - F [2]|0||2|2|50.00%", "||4|0|4||"}},
        // Board 2: pair 4 sat NS (swapped) and lost 420: EW pair 1 gets the top.
        Case{"PerBoardSwapsKept", 0, {"02*4|1|||-420|420|5|5@2|3|||-400|400|5|5"}, 4, 0,
             {"(1)|A - B [1]||2||2|100.00%", "(1)|C - D [1]||2||2|100.00%", "(3)|E - F [1]||0||0|0.00%",
              "(3)|G - H [1]||0||0|0.00%", "||0|4|0||"}},
        // Not played: "n" for both sides, not counted in the boards played; an adjusted table
        // gets each side's own percentage of the top and the other table is scaled up. Totals
        // are kept whole after every board, a half to even (1.5 + 1.5 gives 4, 0.5 + 0.5 gives
        // 0), and so are the board totals, added in the result's order.
        Case{"NotPlayedAndAdjusted", 0,
             {"01*1|2|||n|n|0|0@3|4|||420|-420|0|0", "02*1|2|||25%|75%|0|0@3|4|||420|-420|0|0",
              "03*1|2|||25%|75%|0|0@3|4|||-420|420|0|0"},
             4, 0,
             {"1|C - D [2]|n|1.5|1.5|4|100.00%", "(2)|E - F [3]|1|1|1|3|50.00%", "(2)|G - H [3]|1|1|1|3|50.00%",
              "4|A - B [2]|n|0.5|0.5|0|0.00%", "||2|4|4||"}},
        // The sit-out pair has no row; its opponents' tables do not count.
        Case{"SitOutPairLeftOut", 0, {"01*1|2|||420|-420|0|0@3|4|||420|-420|0|0@5|6|||420|-420|0|0"}, 6, 6,
             {"(1)|A - B [1]|1|||1|50.00%", "(1)|C - D [1]|1|||1|50.00%", "(1)|E - F [1]|1|||1|50.00%",
              "(1)|G - H [1]|1|||1|50.00%", "5|I - J [0]||||0|0.00%", "||4|0|0||"}}),
    [](const testing::TestParamInfo<Case>& info) { return std::string(info.param.name); });

TEST(ScoreEventValues, KindsPointsSeatsAndRanks) {
  const EventResult r = scored(sources(0, {"01*1|2|||n|n|0|0@3|4|||420|-420|0|0", "02*1|2|||25%|75%|0|0@3|4|||420|-420|0|0"}));
  ASSERT_EQ(r.pairs.size(), 4);
  EXPECT_EQ(r.ranking, (QVector<int>{2, 3, 4, 1}));
  EXPECT_EQ(r.pair(3).rank, 2);
  EXPECT_TRUE(r.pair(3).tied);
  EXPECT_EQ(r.pair(1).rank, 4);
  EXPECT_FALSE(r.pair(1).tied);
  EXPECT_EQ(r.pair(1).boardsPlayed, 1);
  EXPECT_FALSE(r.board(3).scored);
  EXPECT_FALSE(r.seat(1, 3).table);
  EXPECT_EQ(r.seat(1, 1).table->kind, ScoreKind::NotPlayed);
  const PairSeat s = r.seat(2, 2);
  ASSERT_TRUE(s.table);
  EXPECT_FALSE(s.northSouth);
  EXPECT_EQ(s.table->kind, ScoreKind::Adjusted);
  EXPECT_EQ(s.table->nsScore, QStringLiteral("25%"));
  EXPECT_DOUBLE_EQ(s.points(), 1.5);
  EXPECT_EQ(r.seat(3, 2).table->kind, ScoreKind::Played);
}

// Random damage to a sound file: every outcome is a result or a reason, never a crash.
TEST(EventResult, MutatedFilesNeverCrash) {
  const EventSources good = sources(0, {QStringLiteral("01*1|2|||420|-420|2|0@3|4|||400|-400|0|2"),
                                        QStringLiteral("02*1|3|||n|n|n|n@2|4|||60%|40%|1|1")});
  const QString alphabet = QStringLiteral("0123456789|@*-%nN~ x\t.");
  int computed = 0;
  for (unsigned seed = 1; seed <= 2000; ++seed) {
    std::mt19937 rng(seed);
    EventSources s = good;
    if (rng() % 2) s.eventLines[6] = QStringLiteral("1");
    for (int k = 0, n = 1 + static_cast<int>(rng() % 4); k < n; ++k) {
      QString& line = s.eventLines[static_cast<int>(rng() % s.eventLines.size())];
      const int at = line.isEmpty() ? 0 : static_cast<int>(rng() % line.size());
      switch (rng() % 3) {
        case 0: line.insert(at, alphabet[static_cast<int>(rng() % alphabet.size())]); break;
        case 1: line.remove(at, 1); break;
        default: if (!line.isEmpty()) line[at] = alphabet[static_cast<int>(rng() % alphabet.size())];
      }
    }
    ResultError error;
    const auto r = computeEventResult(s, &error);
    if (r) {
      ++computed;
      ASSERT_GE(resultsGrid(*r, ResultsHeadings::of(10), fixedPitchWidth).rows(), 2);
    } else {
      ASSERT_FALSE(error.describe().isEmpty());
    }
  }
  EXPECT_GT(computed, 0);
}

}  // namespace
