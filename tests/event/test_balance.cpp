// The balance figure on movements worked out by hand.
#include <gtest/gtest.h>

#include <cmath>

#include "event/schemacheck.h"

using namespace mervalo;

namespace {

struct Expected {
  int a;
  int b;
  int same;
  int opposite;
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
