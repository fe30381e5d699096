// Board matchpoints: the worked examples, irregular tables, Neuberg, properties over random
// boards, and how a stored board is laid out again in the entry rows.

#include <gtest/gtest.h>

#include <random>

#include "qtprint.h"
#include "scoring/boardscore.h"
#include "scoring/entryrows.h"
#include "app/numeric.h"
#include "scoring/numbers.h"

namespace {

using namespace mervalo;

BoardTable table(int ns, int ew, const QString& nsScore, const QString& ewScore) {
  return BoardTable::fromTexts(ns, ew, nsScore, ewScore);
}
BoardTable table(int ns, int ew, const char* nsScore, const char* ewScore) {
  return table(ns, ew, QLatin1String(nsScore), QLatin1String(ewScore));
}

// A seated, enabled entry row with its two scores.
EntryRow row(int ns, int ew, const char* nsScore, const char* ewScore) {
  EntryRow r;
  r.ns = r.schemaNs = ns;
  r.ew = r.schemaEw = ew;
  r.enabled = true;
  r.nsScore = QLatin1String(nsScore);
  r.ewScore = QLatin1String(ewScore);
  return r;
}

QStringList nsPoints(const QVector<BoardTable>& tables) {
  QStringList out;
  for (const BoardTable& t : tables) out << nsPointsText(t);
  return out;
}
QStringList ewPoints(const QVector<BoardTable>& tables) {
  QStringList out;
  for (const BoardTable& t : tables) out << ewPointsText(t);
  return out;
}

TEST(Top, TwoPointsForEveryOtherTableInPlay) {
  EXPECT_EQ(eventTop(8, 0), 6);
  EXPECT_EQ(eventTop(8, 8), 4);  // phantom pair
  EXPECT_EQ(eventTop(8, 5), 4);  // named sit-out
  EXPECT_EQ(eventTop(98, 0), 96);
  EXPECT_EQ(eventTop(4, 0), 2);
  EXPECT_EQ(eventTop(2, 0), 0);
  EXPECT_EQ(eventTop(2, 2), 0);
}

TEST(BoardMatchpoints, WorkedBoards) {
  struct Case {
    const char* name;
    QVector<BoardTable> tables;
    int top;
    QStringList ns, ew;
  };
  const Case cases[] = {
      {"three tables with a tie",
       {table(1, 2, "420", "-420"), table(3, 4, "420", "-420"), table(5, 6, "-50", "50")}, 4,
       {"3", "3", "0"}, {"1", "1", "4"}},
      {"one of four not played: scaled up",
       {table(1, 2, "420", "-420"), table(3, 4, "n", "n"), table(5, 6, "170", "-170"), table(7, 8, "-50", "50")}, 6,
       {"5.67", "n", "3", "0.33"}, {"0.33", "n", "3", "5.67"}},
      {"any text with an n is not played: (2+1)·3/2−1 and (0+1)·3/2−1",
       {table(1, 2, "N", "n"), table(3, 4, "100", "-100"), table(5, 6, "90", "-90")}, 4,
       {"n", "3.5", "0.5"}, {"n", "0.5", "3.5"}},
  };
  for (const Case& c : cases) {
    QVector<BoardTable> b = c.tables;
    scoreBoard(b, c.top, 0);
    EXPECT_EQ(nsPoints(b), c.ns) << c.name;
    EXPECT_EQ(ewPoints(b), c.ew) << c.name;
  }
}

TEST(BoardMatchpoints, AdjustedScoresArePercentagesOfTheEventTop) {
  QVector<BoardTable> b = {table(1, 2, "60%", "40%"), table(3, 4, "420", "-420"), table(5, 6, "400", "-400"),
                           table(7, 8, "10%", "50%")};
  scoreBoard(b, 6, 0);
  EXPECT_EQ(nsPointsText(b[0]), QStringLiteral("3.6"));  // 0.6 × 6 is 3.5999… in binary
  EXPECT_EQ(ewPointsText(b[0]), QStringLiteral("2.4"));  // EW's own percentage, not 100 − NS
  EXPECT_EQ(nsPointsText(b[3]), QStringLiteral("0.6"));
  EXPECT_EQ(ewPointsText(b[3]), QStringLiteral("3"));
  // Two regular tables on a board of four: 2 and 0 become 5 and 1.
  EXPECT_EQ(nsPointsText(b[1]), QStringLiteral("5"));
  EXPECT_EQ(nsPointsText(b[2]), QStringLiteral("1"));
  // 35% of 4: not "1.4000000000000001".
  QVector<BoardTable> c = {table(1, 2, "35%", "65%"), table(3, 4, "10", "-10")};
  scoreBoard(c, 4, 0);
  EXPECT_EQ(nsPointsText(c[0]), QStringLiteral("1.4"));
  EXPECT_EQ(ewPointsText(c[0]), QStringLiteral("2.6"));
}

TEST(BoardMatchpoints, SitOutAndDisabledTablesTakeNoPartAndCompletingGivesTheRecordOfTheFile) {
  QVector<BoardTable> b = {table(1, 2, "420", "-420"), table(3, 8, "n", "n"), table(5, 6, "-50", "50"),
                           table(4, 7, "100", "-100"), table(0, 0, "n", "n")};
  b[4].enabled = false;
  scoreBoard(b, 4, 8);
  EXPECT_EQ(nsPoints(b), (QStringList{"4", "", "0", "2", ""}));  // no Neuberg for the sit-out table

  QVector<EntryRow> rows = {row(1, 2, "420", "-420"), row(3, 8, "", ""), row(5, 6, "-50", "50"), row(4, 7, " 100", "-100"),
                            EntryRow{}};
  rows[1].enabled = false;
  const CompletedBoard done = completeBoard(12, rows, 4, 8);
  EXPECT_EQ(formatRecord(done.record), QStringLiteral("12*1|2|||420|-420|4|0@5|6|||-50|50|0|4@4|7|||100|-100|2|2"));
  EXPECT_EQ(rows[0].ewPoints, QStringLiteral("0"));
  EXPECT_EQ(done.tables.size(), 4);  // the seated rows
  // And back: the stored matchpoints are only kept until the board is scored again.
  QVector<BoardTable> again = tablesOfRecord(*parseRecord(QStringLiteral("01*1|2|||420|-420|0|0@3|4|||400|-400|0|0")));
  scoreBoard(again, 2, 0);
  EXPECT_EQ(nsPoints(again), (QStringList{"2", "0"}));
  // EW scores typed apart from NS's are ranked on their own.
  QVector<BoardTable> own = {table(1, 2, "420", "-400"), table(3, 4, "400", "-420"), table(5, 6, "50", "-50")};
  scoreBoard(own, 4, 0);
  EXPECT_EQ(nsPoints(own), (QStringList{"4", "2", "0"}));
  EXPECT_EQ(ewPoints(own), (QStringList{"2", "0", "4"}));
}

TEST(NumberTexts, MatchpointsPercentagesAndShortestDecimals) {
  EXPECT_EQ(twoDecimalPoints(17.0 / 3), QStringLiteral("5.67"));
  EXPECT_EQ(twoDecimalPoints(1.0 / 3), QStringLiteral("0.33"));
  EXPECT_EQ(twoDecimalPoints(3.0), QStringLiteral("3"));
  EXPECT_EQ(twoDecimalPoints(3.5), QStringLiteral("3.5"));
  EXPECT_EQ(twoDecimalPoints(0.999), QStringLiteral("1"));
  EXPECT_EQ(percentageText(40.0 / 72 * 100), QStringLiteral("55.56%"));
  EXPECT_EQ(percentageText(50), QStringLiteral("50.00%"));
  EXPECT_EQ(percentageText(0), QStringLiteral("0.00%"));
  EXPECT_EQ(percentageText(65.625), QStringLiteral("65.63%"));
  EXPECT_EQ(percentageText(100), QStringLiteral("100.00%"));
  EXPECT_EQ(percentageText(7.1), QStringLiteral("7.10%"));
  EXPECT_EQ(shortestDecimal(0.6 * 6), QStringLiteral("3.6"));
  EXPECT_EQ(shortestDecimal(-0.0), QStringLiteral("0"));
  EXPECT_EQ(shortestDecimal(1e-20), QStringLiteral("0"));
  EXPECT_EQ(shortestDecimal(123456.25), QStringLiteral("123456.25"));
  EXPECT_EQ(shortestDecimal(-0.0012), QStringLiteral("-0.0012"));
  EXPECT_EQ(shortestDecimal(1.0 / 3), QStringLiteral("0.333333333333333"));
  EXPECT_EQ(shortestDecimal(2.0 / 3 * 1000), QStringLiteral("666.666666666667"));
  EXPECT_FALSE(shortestDecimal(1e300 / 7.5).contains(QLatin1Char('e')));
  EXPECT_FALSE(twoDecimalPoints(1e300 / 7.5).contains(QLatin1Char('e')));
  EXPECT_EQ(twoDecimalPoints(0.295), QStringLiteral("0.3"));  // 0.3 in binary is 0.29999…
}

// --- properties over random boards ----------------------------------------------------------

// The textbook count: two for every table beaten, one for every tie.
int plainMatchpoints(const std::vector<int>& scores, size_t me) {
  int points = 0;
  for (size_t other = 0; other < scores.size(); ++other) {
    if (other == me) continue;
    if (scores[me] > scores[other]) points += 2;
    else if (scores[me] == scores[other]) points += 1;
  }
  return points;
}

TEST(BoardProperties, FullBoardsGiveTheTextbookCountAndMirror) {
  const int pool[] = {-1430, -620, -100, -50, 0, 50, 90, 110, 140, 420, 450, 480, 990};
  for (unsigned seed = 1; seed <= 300; ++seed) {
    std::mt19937 rng(seed);
    const int n = 1 + static_cast<int>(rng() % 14);
    QVector<BoardTable> b;
    std::vector<int> scores;
    for (int i = 0; i < n; ++i) {
      const int s = pool[rng() % std::size(pool)];
      scores.push_back(s);
      b.append(table(2 * i + 1, 2 * i + 2, QString::number(s), QString::number(-s)));
    }
    const int top = 2 * (n - 1);
    scoreBoard(b, top, 0);
    int sum = 0;
    for (int i = 0; i < n; ++i) {
      const int ns = nsPointsText(b[i]).toInt();
      EXPECT_EQ(ns, plainMatchpoints(scores, static_cast<size_t>(i))) << "seed " << seed;
      EXPECT_EQ(ns + ewPointsText(b[i]).toInt(), top) << "seed " << seed;
      sum += ns;
    }
    EXPECT_EQ(sum, n * (n - 1)) << "seed " << seed;
  }
}

TEST(BoardProperties, ScaledBoardsStillShareTheTopAndStayBelowIt) {
  const int pool[] = {-620, -100, 0, 110, 140, 420, 450};
  for (unsigned seed = 1; seed <= 300; ++seed) {
    std::mt19937 rng(seed);
    const int n = 2 + static_cast<int>(rng() % 13);
    const int top = 2 * (n - 1);
    QVector<BoardTable> b;
    int regular = 0;
    for (int i = 0; i < n; ++i) {
      const unsigned kind = rng() % 5;
      if (kind == 0) {
        b.append(table(2 * i + 1, 2 * i + 2, "n", "n"));
      } else if (kind == 1) {
        const int pct = static_cast<int>(rng() % 101);
        b.append(table(2 * i + 1, 2 * i + 2, QString::number(pct) + QLatin1Char('%'), QString::number(100 - pct) + QLatin1Char('%')));
      } else {
        const int s = pool[rng() % std::size(pool)];
        b.append(table(2 * i + 1, 2 * i + 2, QString::number(s), QString::number(-s)));
        ++regular;
      }
    }
    scoreBoard(b, top, 0);
    double sum = 0;
    for (const BoardTable& t : b) {
      if (t.kind == ScoreKind::NotPlayed) {
        EXPECT_EQ(nsPointsText(t), QStringLiteral("n"));
        continue;
      }
      const double ns = numericValue(nsPointsText(t)), ew = numericValue(ewPointsText(t));
      EXPECT_LE(ns, top) << "seed " << seed;
      EXPECT_GE(ns, 0) << "seed " << seed;
      EXPECT_NEAR(ns + ew, top, 0.02) << "seed " << seed;  // each side cut to two decimals
      if (t.kind == ScoreKind::Played) sum += ns;
    }
    // Scaled up, the regular tables share what k of N tables would share on a full board.
    if (regular > 0) {
      EXPECT_NEAR(sum, regular * (n - 1), 0.01 * regular) << "seed " << seed;
    }
  }
}

}  // namespace

namespace {

QVector<mervalo::Pairing> seats(std::initializer_list<std::pair<int, int>> pairs) {
  QVector<mervalo::Pairing> out;
  for (const auto& [ns, ew] : pairs) {
    mervalo::Pairing p;
    p.ns = ns;
    p.ew = ew;
    out.append(p);
  }
  return out;
}

mervalo::TableResult result(int ns, int ew, const char* nsScore, const char* ewScore) {
  return {ns, ew, QLatin1String(nsScore), QLatin1String(ewScore), QStringLiteral("0"),
          QStringLiteral("0")};
}

}  // namespace

TEST(EntryRows, StoredTablesFindTheirMovementRowEitherWayRound) {
  const auto pairings = seats({{1, 2}, {3, 4}, {5, 6}, {7, 8}});
  ScoreRecord record;
  record.board = 1;
  // Table 3-4 swapped, a table the movement does not seat, and 7-8 missing.
  record.tables = {result(4, 3, "420", "-420"), result(1, 2, "400", "-400"), result(5, 9, "50", "-50"),
                   result(5, 6, "-50", "50")};
  const QVector<EntryRow> rows = entryRows(pairings, &record, 0);
  ASSERT_EQ(rows.size(), 5);
  EXPECT_EQ(rows[0].nsScore, QStringLiteral("400"));
  EXPECT_EQ(std::make_pair(rows[1].ns, rows[1].ew), std::make_pair(4, 3));
  EXPECT_EQ(std::make_pair(rows[1].schemaNs, rows[1].schemaEw), std::make_pair(3, 4));
  EXPECT_EQ(rows[2].nsScore, QStringLiteral("-50"));
  EXPECT_TRUE(rows[3].enabled);
  EXPECT_TRUE(rows[3].nsScore.isEmpty());  // 7-8 still to be typed
  EXPECT_EQ(rows[4].ns, 5);
  EXPECT_EQ(rows[4].ew, 9);
  EXPECT_FALSE(entryRowsComplete(rows));
  EXPECT_EQ(entryTables(rows).size(), 5);
}
