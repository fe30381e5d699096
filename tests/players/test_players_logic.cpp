#include <gtest/gtest.h>

#include "qtprint.h"

#include "players/entryrules.h"
#include "players/gridsort.h"
#include "players/groupfile.h"
#include "players/namelist.h"

using namespace mervalo;

namespace {
QString S(const char* s) { return QString::fromUtf8(s); }
}  // namespace

// ---- name-list files ----

TEST(NameListFile, OnlyOneTrailingBarIsDroppedAndAnEmptyFileHasAFullHeading) {
  EXPECT_EQ(splitNameLine(S("1|||Smit||")), (QStringList{S("1"), QString(), QString(), S("Smit"), QString()}));
  bool cut = false;
  splitNameLine(S("1|a|b|c|d|"), &cut);
  EXPECT_FALSE(cut);
  splitNameLine(S("1|a|b|c|d|e"), &cut);
  EXPECT_TRUE(cut);
  EXPECT_EQ(parseNameList({}).heading.size(), kNameFields);
  EXPECT_TRUE(parseNameList({S("  "), S("")}).players.isEmpty());
}

// ---- what the boxes accept ----

TEST(EntryRules, Repairs) {
  // Whole pasted texts; typing one character at a time is shown by the name-list screen test.
  EXPECT_EQ(repairEntry(S("a....b")), S("a.b"));
  EXPECT_EQ(repairEntry(S("jan@club.nl@")), S("jan@club.nl"));
  EXPECT_EQ(repairEntry(S("a@b@c@d")), S("a@b"));
  EXPECT_EQ(cleanField(S("a|b\r\nc")), S("abc"));
}

TEST(EntryRules, ListNames) {
  EXPECT_EQ(nameBeforeTxt(S("Club.TXT")), S("Club"));
  EXPECT_EQ(nameBeforeTxt(S("Club.txt.txt")), S("Club"));
  EXPECT_EQ(groupName(S("03.12.2026"), S("Groep"), S("B")), S("03 Groep B")) << "a date with dots is cut like a file name";
  const auto parts = splitGroupName(S("03-12-2026 Groep B"), S("Groep"));
  EXPECT_TRUE(parts && parts->date == S("03-12-2026") && parts->letter == S("B"));
  EXPECT_FALSE(splitGroupName(S("03-12-2026 Group B"), S("Groep"))) << "another language's group";
}

// ---- group files ----

TEST(GroupFile, DamagedFilesKeepEveryLineTheyCan) {
  const Group g = Group::parse({S("3| Dhr. Jan Smit+7| Mevr. Anna de Vries [3]"), S(""), S("***** Stilzit *****"),
                                S("no plus here"), S("x| Dhr. A B+y| Dhr. C D"), S("** again **"),
                                S("1| Dhr. A+2| B+3| C")});
  ASSERT_EQ(g.entries.size(), 5);
  EXPECT_EQ(g.entries[0].players[1], S("7| Mevr. Anna de Vries [3]"));
  EXPECT_EQ(g.entries[1].kind, GroupEntry::Kind::SitOut);
  EXPECT_EQ(g.entries[2].kind, GroupEntry::Kind::Unreadable);
  EXPECT_EQ(g.entries[2].line, S("no plus here"));
  EXPECT_EQ(g.entries[3].players[0], S("x| Dhr. A B"));
  EXPECT_EQ(g.entries[4].players[1], S("2| B+3| C"));
  EXPECT_EQ(g.entries[4].number, 5) << "blank lines and the left-out sit-out do not count";
  EXPECT_FALSE(g.complete) << "the second sit-out was left out";
  // A name carried over from an earlier result loses its count; a player's description keeps it.
  EXPECT_EQ(g.pairNames(), (QStringList{S("Dhr. Jan Smit - Mevr. Anna de Vries"), QString(), S("no plus here"),
                                        S("Dhr. A B - Dhr. C D"), S("Dhr. A - B - C")}));
  EXPECT_EQ(g.playerDescriptions().mid(0, 3), (QStringList{S("Dhr. Jan Smit"), S("Mevr. Anna de Vries [3]"), S("no plus here")}));
  EXPECT_TRUE(Group::parse({S("***** Stilzit *****")}).complete);
}

// How many pairs an event of the group has and who sits out: the sit-out line wherever it
// stands, a phantom pair after the last when the count is odd (even with a sit-out line).
TEST(GroupFile, PairCountAndSitOut) {
  const QString pair = S("1| A+2| B");
  const QString sitOut = S("***** Stilzit *****");
  const struct {
    QStringList lines;
    int pairs;
    int sitOut;
  } cases[] = {
      {{}, 0, 0},
      {{pair, pair}, 2, 0},
      {{pair, pair, S("  "), pair}, 4, 4},
      {{pair, sitOut, pair, pair}, 4, 2},
      {{pair, S("** Sit out **")}, 2, 2},  // another language's word: the stars make it the sit-out
      {{pair, sitOut, pair}, 4, 4},
      {{pair, pair, pair, pair, pair, pair, pair}, 8, 8},
  };
  for (const auto& c : cases) {
    const Group g = Group::parse(c.lines);
    EXPECT_EQ(g.pairCount(), c.pairs) << c.lines.join('/').toStdString();
    EXPECT_EQ(g.sitOutPair(), c.sitOut) << c.lines.join('/').toStdString();
  }
}

TEST(GroupFile, MailLineOfADescription) {
  const QStringList mail{S("1|Dhr.|Jan|Smit|j@s.nl"), S("2|Mevr.|Anna|de Vries|")};
  EXPECT_EQ(findMailLine(mail, S(" Mevr. Anna de Vries")), 1);
  EXPECT_EQ(findMailLine(mail, S(" Dhr. Jan Smit")), 0);
  EXPECT_EQ(findMailLine(mail, S(" Dhr. Kees Smit")), -1);
  EXPECT_EQ(findMailLine(mail, S("   ")), -1);
}

// ---- sorting the lists ----

TEST(GridSort, SameOrderAsTheGridsOwnSort) {
  const QStringList keys{S("Smit"), S("bakker"), S("10"), S("9"), S("Bakker"), S(""), S(" 2 "), S("Élan"),
                         S("smit"), S("1e3"), S("Zon"), S("abc"), S("-4"), S("Bakker")};
  Grid a(static_cast<int>(keys.size()) + 2, 5), b;
  for (int r = 1; r <= keys.size(); ++r) {
    a.setText(r, 3, keys[r - 1]);
    a.setText(r, 0, QString::number(r));
  }
  b = a;
  a.sortRows(1, static_cast<int>(keys.size()), 3, true);
  sortRowsAscending(b, 1, static_cast<int>(keys.size()), 3);
  for (int r = 0; r < a.rows(); ++r) EXPECT_EQ(a.rowTexts(r), b.rowTexts(r)) << "row " << r;
  EXPECT_TRUE(b.text(b.rows() - 1, 3).isEmpty()) << "rows outside the range stay put";
}
