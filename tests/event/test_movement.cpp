#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include "app/textfile.h"
#include "app/texts.h"
#include "app/paths.h"
#include "event/movement.h"
#include "qtprint.h"
#include "testfiles.h"

using namespace mervalo;

namespace {

class SchemaFolder : public ::testing::Test {
 protected:
  void touch(int language, const QString& name, const QStringList& lines = {"header"}) {
    const QString folder = schemaFolderPath(dir.path(), language);
    QDir().mkpath(folder);
    ASSERT_TRUE(writeTextLines(folder + QLatin1Char('/') + name, lines));
  }
  QTemporaryDir dir;
};

QStringList cellsFor(const QStringList& roundLines, int rounds, int b) {
  return tableCells(roundLines, rangeMap(rounds, b));
}

QStringList keys(const QVector<Pairing>& ps) {
  QStringList out;
  for (const Pairing& p : ps) out.append(p.key());
  return out;
}

}  // namespace

TEST_F(SchemaFolder, ListsMatchingFilesWithoutCaseLeavingOutTheExcludedNameAndLoadsThem) {
  EXPECT_TRUE(listSchemas(dir.path(), kDutch, 14, 12).isEmpty());  // no folder yet
  for (const char* name : {"08 Paren 03 Ronden Howell.txt", "08 paren 03 ronden Mitchell.txt" /* the excluded one */,
                           "08 paren 03 ronden Mitchell 2.txt", "08 PAREN 03 RONDEN.TXT", "08 Paren 04 Ronden Howell.txt",
                           "10 Paren 03 Ronden Howell.txt", "08 Paren 03 Ronden notes.doc", "14 Paren 12 Ronden.txt",
                           "14 Paren 11 Ronden.txt"})
    touch(kDutch, name);
  touch(kEnglish, "08 Pairs 03 Rounds Howell.txt");

  QStringList dutch = listSchemas(dir.path(), kDutch, 8, 3);
  dutch.sort();
  EXPECT_EQ(dutch, (QStringList{"08 PAREN 03 RONDEN", "08 Paren 03 Ronden Howell", "08 paren 03 ronden Mitchell 2"}));
  EXPECT_EQ(listSchemas(dir.path(), kDutch, 14, 12), QStringList{"14 Paren 12 Ronden"});
  EXPECT_EQ(listSchemas(dir.path(), kEnglish, 8, 3), QStringList{"08 Pairs 03 Rounds Howell"});

  // Loading drops the header and blank lines, whatever the line ends.
  test::writeBytes(schemaFolderPath(dir.path(), kDutch) + "/04 Paren 03 Ronden.txt",
                   "1-2\t(1-4)\r\n\r\nR1\t1-2 (1-4)\t3-4 (5-8)\n   \nR2\t1-3 (5-8)\t2-4 (1-4)\rR3\t1-4 (9-12)\t2-3 (1-4)");
  const auto lines = loadSchema(dir.path(), kDutch, " 04 Paren 03 Ronden ");
  ASSERT_TRUE(lines);
  ASSERT_EQ(lines->size(), 3);
  EXPECT_TRUE(lines->at(0).startsWith("R1\t"));
  EXPECT_TRUE(lines->at(2).startsWith("R3\t"));
  EXPECT_FALSE(loadSchema(dir.path(), kDutch, "none"));

  touch(kDutch, "header only.txt");
  EXPECT_TRUE(loadSchema(dir.path(), kDutch, "header only")->isEmpty());
}

TEST(BoardRanges, MapFourBoardSetsOntoTheEventsBoardsPerRoundAndConvertEveryRangeInACellOnce) {
  EXPECT_EQ(rangeMap(3, 4), (QStringList{"(1-4)|(1-4)", "(5-8)|(5-8)", "(9-12)|(9-12)"}));
  const QStringList two = rangeMap(12, 2);
  EXPECT_EQ(two[1], "(5-8)|(3-4)");
  EXPECT_EQ(two[11], "(45-48)|(23-24)");
  EXPECT_EQ(rangeMap(3, 3)[1], "(5-8)|(4-6)");
  const struct {
    int board, perRound;
    const char* want;
  } ranges[] = {{3, 2, "(3-4)"}, {4, 2, "(3-4)"}, {108, 9, "(100-108)"}, {1, 1, "(1-1)"}, {0, 4, ""}, {1, 0, ""}};
  for (const auto& r : ranges) EXPECT_EQ(boardRange(r.board, r.perRound), r.want) << r.board << "/" << r.perRound;

  // Every range in a cell is converted once: with B = 2 set 3 "(9-12)" becomes "(5-6)", which
  // must not be mistaken for set 2 afterwards.
  EXPECT_EQ(convertRanges("1-2 (9-12)", two), "1-2 (5-6)");
  EXPECT_EQ(convertRanges("1-2 (45-48)", two), "1-2 (23-24)");
  // A range that names no set of the event stays as it was and so never matches a board.
  EXPECT_EQ(convertRanges("1-2 (2-5)", two), "1-2 (2-5)");
  EXPECT_EQ(convertRanges("1-2 (13-16)", rangeMap(3, 2)), "1-2 (13-16)");
}

TEST(Pairings, FollowTheBoardsSetInAscendingNsOrder) {
  const QStringList rounds = {"Ronde 1\t7-2 (1-4)\t3-8 (5-8)\t1-6 (9-12)\t4-5 (1-4)",
                              "Ronde 2\t 3 - 8 (1-4)\t1-2 (5-8)",
                              "Ronde 3\t10-1 (1-4)\t-  - (5-8)"};
  EXPECT_EQ(keys(pairingsOfBoard(rounds, 3, 4, 1)), (QStringList{"003-8", "004-5", "007-2", "010-1"}));
  // "3-8 (1-4)" with three boards a round: board 2 is in set 1 and seats 3-8; board 5 is in set 2.
  EXPECT_EQ(tableCells({"R1\t3-8 (1-4)"}, rangeMap(3, 3)), QStringList{"3-8 (1-3)"});
  EXPECT_EQ(keys(pairingsOfBoard(rounds, 3, 3, 2)), (QStringList{"003-8", "004-5", "007-2", "010-1"}));
  EXPECT_EQ(keys(pairingsOfBoard(rounds, 3, 3, 5)), (QStringList{"001-2", "003-8"}));
  EXPECT_TRUE(pairingsOfBoard(rounds, 3, 3, 10).isEmpty());  // beyond the event
}

TEST(Pairings, OneBoardARoundDoesNotConfuseBoardOneWithBoardEleven) {
  const QStringList rounds = {"R\t1-2 (1-4)\t3-4 (41-44)", "R\t5-6 (41-44)"};
  const QStringList cells = cellsFor(rounds, 12, 1);
  EXPECT_EQ(cells, (QStringList{"1-2 (1-1)", "3-4 (11-11)", "5-6 (11-11)"}));
  EXPECT_EQ(keys(pairingsOfBoard(cells, 1, 1)), QStringList{"001-2"});
  EXPECT_EQ(keys(pairingsOfBoard(cells, 11, 1)), (QStringList{"003-4", "005-6"}));
}

TEST(Pairings, EmptyTablesAndUnusableFieldsAreNeverSeated) {
  const QStringList rounds = {"R1\t-  - (1-4)\t1-2 (1-4)\t3 -  - 4 (1-4)",
                              "R2\t5 (1-4)\tx-y (1-4)\t6-7\t8-9 (1-5)\t11-12(1-4)",
                              "R3 without tabs 13-14 (1-4)", QString()};
  const QStringList cells = cellsFor(rounds, 3, 4);
  for (const QString& c : cells) EXPECT_FALSE(c.contains("-  -")) << c.toStdString();
  const auto ps = pairingsOfBoard(cells, 1, 4);
  // "5 (1-4)" seats pair 5 without an EW pair; "x-y" has no NS number; "6-7" and "(1-5)" name no set.
  EXPECT_EQ(keys(ps), (QStringList{"001-2", "005-", "011-12"}));
  EXPECT_EQ(ps[1].ew, 0);
}
