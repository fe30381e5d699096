#include <gtest/gtest.h>

#include "players/entryrules.h"
#include "players/gridsort.h"
#include "players/groupcomposition.h"
#include "players/groupfile.h"
#include "players/namelist.h"
#include "qtprint.h"

using namespace mervalo;

// ---- name lists and what the boxes accept ----

TEST(NameListFile, OnlyOneTrailingBarIsDroppedAndAnEmptyFileHasAFullHeading) {
  // Blank lines, extra fields and a lone trailing bar are the name list screen's test.
  EXPECT_EQ(splitNameLine("1|||Smit||"), (QStringList{"1", "", "", "Smit", ""}));
}

// Whole pasted texts; typing one character at a time is shown by the name-list screen test.
TEST(EntryRules, RepairsAndListNames) {
  EXPECT_EQ(repairEntry("jan@club.nl@"), "jan@club.nl");
  EXPECT_EQ(repairEntry("a@b@c@d"), "a@b");
  EXPECT_EQ(nameBeforeTxt("Club.txt.txt"), "Club");
  EXPECT_EQ(groupName("03.12.2026", "Groep", "B"), "03 Groep B") << "a date with dots is cut like a file name";
  const auto parts = splitGroupName("03-12-2026 Groep B", "Groep");
  EXPECT_TRUE(parts && parts->date == "03-12-2026" && parts->letter == "B");
}

TEST(GridSort, SameOrderAsTheGridsOwnSort) {
  const QStringList keys{"Smit", "bakker", "10",  "9",   "Bakker", "",   " 2 ",
                         "Élan", "smit",   "1e3", "Zon", "abc",    "-4", "Bakker"};
  const int n = static_cast<int>(keys.size());
  Grid a(n + 2, 5);
  for (int r = 1; r <= n; ++r) {
    a.setText(r, 3, keys[r - 1]);
    a.setText(r, 0, QString::number(r));
  }
  Grid b = a;
  a.sortRows(1, n, 3, true);
  sortRowsAscending(b, 1, n, 3);
  for (int r = 0; r < a.rows(); ++r) EXPECT_EQ(a.rowTexts(r), b.rowTexts(r)) << "row " << r;
  EXPECT_TRUE(b.text(b.rows() - 1, 3).isEmpty()) << "rows outside the range stay put";
}

// ---- group files ----

TEST(GroupFile, DamagedFilesKeepEveryLineTheyCan) {
  const Group g = Group::parse({"3| Dhr. Jan Smit+7| Mevr. Anna de Vries [3]", "", "***** Stilzit *****",
                                "no plus here", "x| Dhr. A B+y| Dhr. C D", "** again **", "1| Dhr. A+2| B+3| C"});
  ASSERT_EQ(g.entries.size(), 5);
  EXPECT_EQ(g.entries[4].players[1], "2| B+3| C");
  EXPECT_EQ(g.entries[4].number, 5) << "blank lines and the left-out sit-out do not count";
  EXPECT_FALSE(g.complete) << "the second sit-out was left out";
  EXPECT_TRUE(Group::parse({"***** Stilzit *****"}).complete);
  // A name carried over from an earlier result loses its count; a player's description keeps it.
  EXPECT_EQ(g.pairNames(), (QStringList{"Dhr. Jan Smit - Mevr. Anna de Vries", QString(), "no plus here",
                                        "Dhr. A B - Dhr. C D", "Dhr. A - B - C"}));
  const QStringList mail{"1|Dhr.|Jan|Smit|j@s.nl", "2|Mevr.|Anna|de Vries|"};
  EXPECT_EQ(findMailLine(mail, " Mevr. Anna de Vries"), 1);
  EXPECT_EQ(findMailLine(mail, " Dhr. Kees Smit"), -1);
}

// How many pairs an event of the group has and who sits out; the event start screen's test shows
// the common cases, here the odd ones: a phantom pair even with a sit-out line, another language.
TEST(GroupFile, PairCountAndSitOut) {
  const QString pair = "1| A+2| B";
  const QString sitOut = "***** Stilzit *****";
  const struct {
    QStringList lines;
    int pairs;
    int sitOut;
  } cases[] = {
      {{}, 0, 0},
      {{pair, "** Sit out **"}, 2, 2},  // another language's word: the stars make it the sit-out
      {{pair, sitOut, pair}, 4, 4},
  };
  for (const auto& c : cases) {
    const Group g = Group::parse(c.lines);
    EXPECT_EQ(g.pairCount(), c.pairs) << c.lines.join('/').toStdString();
    EXPECT_EQ(g.sitOutPair(), c.sitOut) << c.lines.join('/').toStdString();
  }
}

// ---- composing a group (the group screen's test shows picking, giving back and saving) ----

namespace {
// Two players share a name; the list's own numbers are stale and must be replaced.
GroupComposition composed(bool longer = false) {
  QList<QStringList> list{{"9", "Dhr.", "Jan", "Smit", "jan@club.nl"},
                          {"9", "Mevr.", "Anna", "de Vries", ""},
                          {"9", "Dhr.", "Jan", "Smit", "ander@club.nl"},
                          {"9", "", "Piet", "Bos", ""},
                          {"9", "", "", "", ""}};
  if (longer) {
    for (int n = 6; n <= 12; ++n) list.append({"9", "Dhr.", "X", QString::number(n), ""});
    list.append({"9", "Dhr.", "Jan", "Smit", "b@x.nl"});
  }
  GroupComposition g;
  g.load(list);
  return g;
}
}  // namespace

TEST(GroupComposition, PicksAndGivingBackRestoreThePlayerItWasTakenFrom) {
  GroupComposition g = composed();
  EXPECT_FALSE(g.pick(5)) << "a row without a name";
  ASSERT_TRUE(g.pick(3));
  EXPECT_FALSE(g.pick(3)) << "taken";
  ASSERT_TRUE(g.pick(4));
  EXPECT_FALSE(g.pick(1)) << "both slots full";
  ASSERT_TRUE(g.addPair());
  g.pick(1);
  g.pick(2);
  g.addPair();
  // Removing the second pair must give back player 1, not his namesake 3.
  ASSERT_TRUE(g.removeEntry(1));
  EXPECT_TRUE(g.isFree(1) && g.isFree(2));
  EXPECT_FALSE(g.isFree(3));
  EXPECT_EQ(g.mailLines(), (QStringList{"3|Dhr.|Jan|Smit|ander@club.nl", "4||Piet|Bos|"}));
}

TEST(GroupComposition, OpeningASavedGroupTakesOnlyPlayersOfThisListByTheirOwnNumbers) {
  GroupComposition g = composed();
  const Group file = Group::parse({"2| Mevr. Anna de Vries+12| Dhr. Onbekend Iemand", "***** Stilzit *****",
                                   "1| dhr. jan smit+4|  Piet Bos"});
  g.open(file);
  EXPECT_EQ(g.groupLines(), (QStringList{file.entries[0].line, "***** Stilzit *****", file.entries[2].line}));
  EXPECT_FALSE(g.isFree(1)) << "found case-insensitively";
  EXPECT_TRUE(g.isFree(3));
  // "1*" must not find player 12 or 13 of a longer list; the stranger has no mail line.
  EXPECT_EQ(g.mailLines(), (QStringList{"2|Mevr.|Anna|de Vries|", "1|Dhr.|Jan|Smit|jan@club.nl", "4||Piet|Bos|"}));

  // Pair 13 of a longer list takes its own number, not a namesake's whose number it begins with.
  GroupComposition longer = composed(true);
  longer.open(Group::parse({"13| Dhr. Jan Smit+2| Mevr. Anna de Vries"}));
  EXPECT_FALSE(longer.isFree(13));
  EXPECT_EQ(longer.mailLines(), (QStringList{"13|Dhr.|Jan|Smit|b@x.nl", "2|Mevr.|Anna|de Vries|"}));
}
