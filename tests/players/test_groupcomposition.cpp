#include <gtest/gtest.h>

#include "players/groupcomposition.h"

namespace mervalo {
namespace {

const QString kSitOut = QStringLiteral("***** Stilzit *****");

QList<QStringList> players() {
  // Two players share a name; the list's own numbers are stale and must be replaced.
  return {
      {QStringLiteral("9"), QStringLiteral("Dhr."), QStringLiteral("Jan"), QStringLiteral("Smit"), QStringLiteral("jan@club.nl")},
      {QStringLiteral("9"), QStringLiteral("Mevr."), QStringLiteral("Anna"), QStringLiteral("de Vries"), QString()},
      {QStringLiteral("9"), QStringLiteral("Dhr."), QStringLiteral("Jan"), QStringLiteral("Smit"), QStringLiteral("ander@club.nl")},
      {QStringLiteral("9"), QString(), QStringLiteral("Piet"), QStringLiteral("Bos"), QString()},
      {QStringLiteral("9"), QString(), QString(), QString(), QString()},
  };
}

GroupComposition composed() {
  GroupComposition g;
  g.load(players());
  return g;
}

TEST(GroupComposition, PicksTakePlayersAndAPairWritesItsLines) {
  GroupComposition g = composed();
  EXPECT_FALSE(g.pick(5)) << "a row without a name";
  EXPECT_FALSE(g.pick(0));
  EXPECT_FALSE(g.pick(6));
  ASSERT_TRUE(g.pick(3));
  EXPECT_FALSE(g.pick(3)) << "taken";
  EXPECT_EQ(g.shownFields(3), (QStringList{"3", "", "", "", ""}));
  EXPECT_FALSE(g.addPair()) << "one pick is no pair";
  ASSERT_TRUE(g.pick(4)) << "a player without a title can be picked";
  EXPECT_FALSE(g.pick(1)) << "both slots full";
  EXPECT_EQ(g.picked(1).description, QStringLiteral("  Piet Bos"));
  ASSERT_TRUE(g.addPair());
  EXPECT_FALSE(g.picked(0).filled());
  EXPECT_EQ(g.groupLines(), QStringList{QStringLiteral("3| Dhr. Jan Smit+4|  Piet Bos")});
  EXPECT_EQ(g.displays(), QStringList{QStringLiteral(" Dhr. Jan Smit -   Piet Bos")});
  EXPECT_EQ(g.mailLines(), (QStringList{"3|Dhr.|Jan|Smit|ander@club.nl", "4||Piet|Bos|"}));
}

TEST(GroupComposition, GivingBackRestoresThePlayerItWasTakenFrom) {
  GroupComposition g = composed();
  g.pick(1);
  g.pick(2);
  g.addPair();
  g.pick(3);
  g.pick(4);
  g.addPair();
  // Removing the first pair must give back player 1, not his namesake 3.
  ASSERT_TRUE(g.removeEntry(0));
  EXPECT_TRUE(g.isFree(1));
  EXPECT_TRUE(g.isFree(2));
  EXPECT_FALSE(g.isFree(3));
  EXPECT_EQ(g.shownFields(1), (QStringList{"1", "Dhr.", "Jan", "Smit", "jan@club.nl"}));
  EXPECT_EQ(g.mailLines(), (QStringList{"3|Dhr.|Jan|Smit|ander@club.nl", "4||Piet|Bos|"}));
  EXPECT_EQ(g.entryCount(), 1);
  EXPECT_FALSE(g.removeEntry(1));

  ASSERT_TRUE(g.pick(2));
  ASSERT_TRUE(g.unpick(0));
  EXPECT_TRUE(g.isFree(2));
  EXPECT_FALSE(g.unpick(0)) << "empty slot";
  g.clear();
  for (int n = 1; n <= 4; ++n) EXPECT_TRUE(g.isFree(n)) << n;
}

TEST(GroupComposition, OpeningASavedGroupTakesOnlyPlayersOfThisList) {
  GroupComposition g = composed();
  const Group file = Group::parse({QStringLiteral("2| Mevr. Anna de Vries+12| Dhr. Onbekend Iemand"), kSitOut,
                                         QStringLiteral("1| dhr. jan smit+4|  Piet Bos")});
  g.open(file);
  EXPECT_EQ(g.entryCount(), 3);
  EXPECT_EQ(g.groupLines(), (QStringList{file.entries[0].line, kSitOut, file.entries[2].line}));
  EXPECT_FALSE(g.isFree(2));
  EXPECT_FALSE(g.isFree(1)) << "found case-insensitively";
  EXPECT_TRUE(g.isFree(3));
  // "1*" must not find player 12 or 13 of a longer list; the stranger has no mail line.
  EXPECT_EQ(g.mailLines(), (QStringList{"2|Mevr.|Anna|de Vries|", "1|Dhr.|Jan|Smit|jan@club.nl", "4||Piet|Bos|"}));
  // Removing the entry with the stranger frees Anna and leaves the others taken.
  ASSERT_TRUE(g.removeEntry(0));
  EXPECT_TRUE(g.isFree(2));
  EXPECT_EQ(g.mailLines().size(), 2);
}

TEST(GroupComposition, AnOpenedPairTakesItsOwnNumberNotANamesakeWhoseNumberItBeginsWith) {
  QList<QStringList> list = players();
  for (int n = 6; n <= 12; ++n) list.append({QStringLiteral("9"), QStringLiteral("Dhr."), QStringLiteral("X"), QString::number(n), QString()});
  list.append({QStringLiteral("9"), QStringLiteral("Dhr."), QStringLiteral("Jan"), QStringLiteral("Smit"), QStringLiteral("b@x.nl")});
  GroupComposition g;
  g.load(list);
  g.open(Group::parse({QStringLiteral("13| Dhr. Jan Smit+2| Mevr. Anna de Vries")}));
  EXPECT_FALSE(g.isFree(13));
  EXPECT_TRUE(g.isFree(1) && g.isFree(3)) << "the namesakes, one of whose numbers begins 13";
  EXPECT_EQ(g.mailLines(), (QStringList{"13|Dhr.|Jan|Smit|b@x.nl", "2|Mevr.|Anna|de Vries|"}));
}

}  // namespace
}  // namespace mervalo
