#include <gtest/gtest.h>

#include <cmath>

#include "event/schemacheck.h"
#include "qtprint.h"

using namespace mervalo;

namespace {

// A sound movement for 4 pairs over 3 rounds: every pair plays every set once; all tables of a
// round play the same set, as four pairs over three rounds cannot avoid.
QStringList fourPairs() {
  return {"04 Paren 03 Ronden", "Ronde 1\t1-2 (1-4)\t3-4 (1-4)",
          "Ronde 2\t1-3 (5-8)\t4-2 (5-8)", "Ronde 3\t4-1 (9-12)\t2-3 (9-12)"};
}

QString errorsOf(const SchemaCheck& c) {
  QStringList out;
  for (const SchemaIssue& i : c.issues)
    if (i.error) out << QStringLiteral("%1: %2").arg(i.line).arg(i.what);
  return out.join(QLatin1Char('\n'));
}

::testing::AssertionResult hasError(const SchemaCheck& c, int line, const char* words) {
  for (const SchemaIssue& i : c.issues)
    if (i.error && i.line == line && i.what.contains(QLatin1String(words))) return ::testing::AssertionSuccess();
  return ::testing::AssertionFailure() << "no error " << line << ": " << words << " among\n" << errorsOf(c).toStdString();
}

struct Expected {
  int a, b, same, opposite;
};

void expectCounts(const MovementBalance& m, const std::vector<Expected>& rows) {
  for (const Expected& e : rows) {
    EXPECT_EQ(m.sameOf(e.a, e.b), e.same) << e.a << "-" << e.b;
    EXPECT_EQ(m.sameOf(e.b, e.a), e.same) << e.b << "-" << e.a;
    EXPECT_EQ(m.oppositeOf(e.a, e.b), e.opposite) << e.a << "-" << e.b;
    EXPECT_EQ(m.oppositeOf(e.b, e.a), e.opposite) << e.b << "-" << e.a;
  }
}

}  // namespace

TEST(SchemaCheck, ASoundMovementPassesWithItsSharedSetsAsWarnings) {
  const SchemaCheck c = checkSchema(fourPairs(), 4, 3);
  EXPECT_TRUE(c.ok()) << errorsOf(c).toStdString();
  EXPECT_EQ(c.issues.size(), 3);  // one shared set per round
  for (const SchemaIssue& i : c.issues) EXPECT_FALSE(i.error);
}

TEST(SchemaCheck, HardRulesAreErrors) {
  const auto withLine = [](int index, const char* line) {
    QStringList m = fourPairs();
    m[index] = QLatin1String(line);
    return checkSchema(m, 4, 3);
  };
  SchemaCheck c = withLine(2, "Ronde 2\t1-3 (1-4)\t4-2 (5-8)");  // pair 1 plays set 1 again, set 2 short
  EXPECT_TRUE(hasError(c, 3, "pair 1 plays board set 1"));
  EXPECT_TRUE(hasError(c, 0, "board set 2 (5-8) is played 1 times, not 2"));
  c = withLine(3, "Ronde 3\t4-1 (9-12)\t2-5 (9-12)");  // no pair 5; pair 3 left out
  EXPECT_TRUE(hasError(c, 4, "pair 5"));
  EXPECT_TRUE(hasError(c, 4, "pair 3 does not play in round 3"));
  EXPECT_TRUE(hasError(withLine(1, "Ronde 1 1-2 (1-4) 3-4 (1-4)"), 2, "no Tab"));  // blanks where Tabs belong
  c = withLine(1, "Ronde 1\t1-2 (13-16)\tx-4 (1-4)\t1-1 (2-5)");
  EXPECT_TRUE(hasError(c, 2, "(13-16) names no board set"));
  EXPECT_TRUE(hasError(c, 2, "not a table"));
  EXPECT_TRUE(hasError(c, 2, "(2-5) names no board set"));
  // Numbers too long for any movement are refused before any sum is made with them.
  EXPECT_TRUE(hasError(withLine(1, "Ronde 1\t1-2 (2147483645-2147483647)\t3-4 (1-4)"), 2, "not a table"));
  EXPECT_TRUE(hasError(withLine(1, "Ronde 1\t99999-2 (1-4)\t3-4 (1-4)"), 2, "not a table"));
  EXPECT_TRUE(hasError(checkSchema(fourPairs().mid(0, 1), 4, 3), 0, "0 round lines"));  // a header only
  EXPECT_FALSE(checkSchema({}, 4, 3).ok());
  EXPECT_TRUE(hasError(checkSchema(fourPairs() << "Ronde 4\t1-2 (1-4)", 4, 3), 5, "round line 4"));
}

TEST(SchemaCheck, MeetingTwiceIsAWarning) {
  QStringList m = fourPairs();
  m[3] = "Ronde 3\t2-1 (9-12)\t4-3 (9-12)";  // 1-2 and 3-4 again
  const SchemaCheck c = checkSchema(m, 4, 3);
  EXPECT_TRUE(c.ok()) << errorsOf(c).toStdString();
  int meetings = 0;
  for (const SchemaIssue& i : c.issues) meetings += i.what.contains("meet again") ? 1 : 0;
  EXPECT_EQ(meetings, 2);
}

TEST(SchemaCheck, NamesAndLineEnds) {
  int p = 0, r = 0;
  EXPECT_TRUE(parseSchemaFileName("/x/08 paren 03 ronden Mitchell.txt", &p, &r));
  EXPECT_EQ(std::pair(p, r), std::pair(8, 3));
  EXPECT_TRUE(parseSchemaFileName("14 Pairs 12 Rounds.TXT", &p, &r));
  EXPECT_EQ(std::pair(p, r), std::pair(14, 12));
  EXPECT_FALSE(parseSchemaFileName("8 Paren 3 Ronden.txt", &p, &r));
  EXPECT_FALSE(parseSchemaFileName("08 Paren 03 Ronden.doc", &p, &r));
  EXPECT_FALSE(checkSchemaBytes("movement.txt", "x").ok());

  const QByteArray crlf = fourPairs().join("\r\n").toLatin1();
  SchemaCheck c = checkSchemaBytes("04 Paren 03 Ronden.txt", crlf);
  EXPECT_TRUE(c.ok());
  EXPECT_EQ(c.issues.size(), 3);
  QByteArray unix = fourPairs().join("\n").toLatin1();
  c = checkSchemaBytes("04 Pairs 03 Rounds.txt", unix);
  EXPECT_TRUE(c.ok()) << errorsOf(c).toStdString();
  EXPECT_EQ(c.issues.size(), 4);  // one more: the line ends
}

// ---- the balance figure, worked out by hand ----

// A movement whose tables share a set in a round (four pairs) is checked against the generator's
// own figures for every shipped file (ShippedMovements).

// Six pairs over three rounds, no set shared and nobody meeting twice:
//   round 1: 3-6 set 2, 4-2 set 1, 5-1 set 3
//   round 2: 6-4 set 3, 2-1 set 2, 3-5 set 1
//   round 3: 1-6 set 1, 3-2 set 3, 5-4 set 2
// Set 1 has 4, 3, 1 NS and 2, 5, 6 EW; set 2 has 3, 2, 5 NS and 6, 1, 4 EW; set 3 has 5, 6, 3 NS
// and 1, 4, 2 EW. Pairs 1 and 4 sit in the same direction on all three sets; 1-5 and 4-5 never.
TEST(Balance, SixPairsThreeRounds) {
  const SchemaCheck c = checkSchema({"06 Pairs 03 Rounds", "Round 1\t3-6 (5-8)\t4-2 (1-4)\t5-1 (9-12)",
                                     "Round 2\t6-4 (9-12)\t2-1 (5-8)\t3-5 (1-4)",
                                     "Round 3\t1-6 (1-4)\t3-2 (9-12)\t5-4 (5-8)"},
                                    6, 3);
  ASSERT_TRUE(c.ok());
  ASSERT_TRUE(c.issues.isEmpty());
  const MovementBalance& m = c.balance;
  expectCounts(m, {{1, 2, 1, 1}, {1, 3, 1, 2}, {1, 4, 3, 0}, {1, 5, 0, 2}, {1, 6, 1, 1}, {2, 3, 1, 1}, {2, 4, 1, 1}, {2, 5, 2, 1},
                   {2, 6, 1, 2}, {3, 4, 1, 2}, {3, 5, 2, 0}, {3, 6, 1, 1}, {4, 5, 0, 2}, {4, 6, 1, 1}, {5, 6, 2, 1}});
  EXPECT_EQ(m.sameMin, 0);
  EXPECT_EQ(m.sameMax, 3);
  EXPECT_EQ(m.oppositeMin, 0);
  EXPECT_EQ(m.oppositeMax, 2);
  // 18 counts over 15 pairs of pairs: mean 1.2; squared deviations 9 x 0.04 + 3 x 0.64 + 3.24 + 2 x 1.44 = 8.4.
  EXPECT_DOUBLE_EQ(m.sameMean, 1.2);
  EXPECT_NEAR(m.variation, std::sqrt(8.4 / 15) / 1.2, 1e-12);
}

TEST(Balance, UnreadableTablesAndEmptyTablesCountForNobody) {
  // Round 2's second table cannot be read and round 3's is empty: pairs 2 and 4, then 2 and 3, sit out.
  const SchemaCheck c = checkSchema({"04 Paren 03 Ronden", "Ronde 1\t1-2 (1-4)\t3-4 (1-4)",
                                     "Ronde 2\t1-3 (5-8)\t4-x (5-8)", "Ronde 3\t4-1 (9-12)\t-  -"},
                                    4, 3);
  EXPECT_FALSE(c.ok());
  EXPECT_EQ(c.tables.size(), 4);
  expectCounts(c.balance, {{1, 3, 1, 0}, {2, 4, 1, 0}, {1, 4, 0, 1}, {2, 3, 0, 1}, {1, 2, 0, 0}, {3, 4, 0, 0}});
  EXPECT_EQ(balanceOf({}, 0).pairs, 0);  // no pairs: nothing to divide by
  const MovementBalance none = balanceOf({}, 4);
  EXPECT_EQ(none.sameMax, 0);
  EXPECT_EQ(none.variation, 0);
}
