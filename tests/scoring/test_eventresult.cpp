// Recomputing a whole event from its lines: which boards count as complete, and damaged files
// refused with a reason instead of a crash.

#include <gtest/gtest.h>

#include <random>

#include "qtprint.h"
#include "scoring/eventresult.h"

namespace {

using namespace mervalo;

EventSources sources(int mode, const QStringList& scoreLines) {
  EventSources s;
  s.eventName = QStringLiteral("06-12-2026 Groep A Uitslag");
  s.groupName = QStringLiteral("06-12-2026 Groep A");
  s.language = 10;
  s.groupLines = {"1| A+2| B", "3| C+4| D", "5| E+6| F", "7| G+8| H"};
  s.eventLines = QStringList{s.eventName, "4", "Geen", "3", "1", "04 Paren 03 Ronden X", QString::number(mode)} + scoreLines;
  return s;
}

QStringList boardColumn(const Grid& g, int board) {
  QStringList out;
  for (int r = 1; r < g.rows() - 1; ++r) out << g.text(r, 1).left(1) + QLatin1Char('=') + g.text(r, board + 1);
  return out;
}

TEST(EventResult, PerRoundBoardsCountOnlyWhenEverySlipIsStored) {
  const auto r = computeEventResult(sources(1, {QStringLiteral("1-2*|420|-420~3-4*|400|-400"),
                                                QStringLiteral("1-3*|100|-100~2-4*"), QStringLiteral("2-3*|50|-50")}));
  ASSERT_TRUE(r);
  EXPECT_EQ(r->top, 2);
  // Board 2 lacks a slip, so nobody played it; board 3 was played at one table only, which
  // therefore beats nobody and is beaten by nobody: both sides get the whole top.
  // Result order: pairs 1 and 4 (2 points over 1 board), 2 and 3 (2 over 2).
  EXPECT_EQ(boardColumn(r->grid, 1), (QStringList{"A=2", "G=2", "C=0", "E=0"}));
  EXPECT_EQ(boardColumn(r->grid, 2), (QStringList{"A=", "G=", "C=", "E="}));
  EXPECT_EQ(boardColumn(r->grid, 3), (QStringList{"A=", "G=", "C=2", "E=2"}));
}

TEST(EventResult, PerBoardRecordsAreScoredAgainAndSwapsKept) {
  const auto r = computeEventResult(sources(0, {QStringLiteral("02*4|1|||-420|420|5|5@2|3|||-400|400|5|5")}));
  ASSERT_TRUE(r);
  // Board 2: pair 4 sat NS (swapped) and lost 420: EW pair 1 gets the top.
  const Grid& g = r->grid;
  EXPECT_EQ(g.text(1, 1), QStringLiteral("A - B [1]"));
  EXPECT_EQ(g.text(1, 3), QStringLiteral("2"));
  EXPECT_EQ(g.text(1, 6), QStringLiteral("100.00%"));
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
    const auto r = computeEventResult(s, fixedPitchWidth, &error);
    if (r) {
      ++computed;
      ASSERT_GE(r->grid.rows(), 2);
    } else {
      ASSERT_FALSE(error.describe().isEmpty());
    }
  }
  EXPECT_GT(computed, 0);
}

}  // namespace
