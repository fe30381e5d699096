#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include "app/textfile.h"
#include "app/texts.h"
#include "app/paths.h"
#include "event/movement.h"
#include "event/schemacheck.h"
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

QStringList keys(const QVector<Pairing>& ps) {
  QStringList out;
  for (const Pairing& p : ps) out.append(p.key());
  return out;
}

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

}  // namespace

TEST_F(SchemaFolder, ListsMatchingFilesWithoutCaseLeavingOutTheExcludedNameAndLoadsThem) {
  EXPECT_TRUE(listSchemas(dir.path(), kDutch, 14, 12).isEmpty());  // no folder yet
  // Which pairs and rounds match the event start screen's test shows; here the odd names.
  for (const char* name : {"08 Paren 03 Ronden Howell.txt", "08 paren 03 ronden Mitchell.txt" /* the excluded one */,
                           "08 paren 03 ronden Mitchell 2.txt", "08 PAREN 03 RONDEN.TXT",
                           "08 Paren 03 Ronden notes.doc"})
    touch(kDutch, name);
  QStringList dutch = listSchemas(dir.path(), kDutch, 8, 3);
  dutch.sort();
  EXPECT_EQ(dutch, (QStringList{"08 PAREN 03 RONDEN", "08 Paren 03 Ronden Howell", "08 paren 03 ronden Mitchell 2"}));

  // Loading drops the header and blank lines, whatever the line ends.
  test::writeBytes(schemaFolderPath(dir.path(), kDutch) + "/04 Paren 03 Ronden.txt",
                   "1-2\t(1-4)\r\n\r\nR1\t1-2 (1-4)\t3-4 (5-8)\n   \nR2\t1-3 (5-8)\t2-4 (1-4)\rR3\t1-4 (9-12)\t2-3 (1-4)");
  const auto lines = loadSchema(dir.path(), kDutch, " 04 Paren 03 Ronden ");
  ASSERT_TRUE(lines);
  ASSERT_EQ(lines->size(), 3);
  EXPECT_TRUE(lines->at(0).startsWith("R1\t"));
  EXPECT_FALSE(loadSchema(dir.path(), kDutch, "none"));

  touch(kDutch, "header only.txt");
  EXPECT_TRUE(loadSchema(dir.path(), kDutch, "header only")->isEmpty());
}

TEST(BoardRanges, MapFourBoardSetsOntoTheEventsBoardsPerRoundAndConvertEveryRangeInACellOnce) {
  const QStringList two = rangeMap(12, 2);
  EXPECT_EQ(two[1], "(5-8)|(3-4)");
  EXPECT_EQ(two[11], "(45-48)|(23-24)");
  EXPECT_EQ(rangeMap(3, 3)[1], "(5-8)|(4-6)");
  const struct {
    int board, perRound;
    const char* want;
  } ranges[] = {{3, 2, "(3-4)"}, {108, 9, "(100-108)"}, {1, 1, "(1-1)"}, {0, 4, ""}, {1, 0, ""}};
  for (const auto& r : ranges) EXPECT_EQ(boardRange(r.board, r.perRound), r.want) << r.board << "/" << r.perRound;

  // Every range in a cell is converted once: with B = 2 set 3 "(9-12)" becomes "(5-6)", which
  // must not be mistaken for set 2 afterwards.
  EXPECT_EQ(convertRanges("1-2 (9-12)", two), "1-2 (5-6)");
  // A range that names no set of the event stays as it was and so never matches a board.
  EXPECT_EQ(convertRanges("1-2 (2-5)", two), "1-2 (2-5)");
}

TEST(Pairings, FollowTheBoardsSetInAscendingNsOrder) {
  const QStringList rounds = {"Ronde 1\t7-2 (1-4)\t3-8 (5-8)\t1-6 (9-12)\t4-5 (1-4)",
                              "Ronde 2\t 3 - 8 (1-4)\t1-2 (5-8)",
                              "Ronde 3\t10-1 (1-4)\t-  - (5-8)"};
  // "3-8 (1-4)" with three boards a round: board 2 is in set 1 and seats 3-8; board 5 is in set 2.
  EXPECT_EQ(tableCells({"R1\t3-8 (1-4)"}, rangeMap(3, 3)), QStringList{"3-8 (1-3)"});
  EXPECT_EQ(keys(pairingsOfBoard(rounds, 3, 3, 2)), (QStringList{"003-8", "004-5", "007-2", "010-1"}));
  EXPECT_EQ(keys(pairingsOfBoard(rounds, 3, 3, 5)), (QStringList{"001-2", "003-8"}));
  EXPECT_TRUE(pairingsOfBoard(rounds, 3, 3, 10).isEmpty());  // beyond the event
}

TEST(Pairings, OneBoardARoundDoesNotConfuseBoardOneWithBoardEleven) {
  const QStringList rounds = {"R\t1-2 (1-4)\t3-4 (41-44)", "R\t5-6 (41-44)"};
  const QStringList cells = tableCells(rounds, rangeMap(12, 1));
  EXPECT_EQ(cells, (QStringList{"1-2 (1-1)", "3-4 (11-11)", "5-6 (11-11)"}));
  EXPECT_EQ(keys(pairingsOfBoard(cells, 1, 1)), QStringList{"001-2"});
  EXPECT_EQ(keys(pairingsOfBoard(cells, 11, 1)), (QStringList{"003-4", "005-6"}));
}

TEST(Pairings, EmptyTablesAndUnusableFieldsAreNeverSeated) {
  const QStringList rounds = {"R1\t-  - (1-4)\t1-2 (1-4)\t3 -  - 4 (1-4)",
                              "R2\t5 (1-4)\tx-y (1-4)\t6-7\t8-9 (1-5)\t11-12(1-4)",
                              "R3 without tabs 13-14 (1-4)", QString()};
  const QStringList cells = tableCells(rounds, rangeMap(3, 4));
  for (const QString& c : cells) EXPECT_FALSE(c.contains("-  -")) << c.toStdString();
  const auto ps = pairingsOfBoard(cells, 1, 4);
  // "5 (1-4)" seats pair 5 without an EW pair; "x-y" has no NS number; "6-7" and "(1-5)" name no set.
  EXPECT_EQ(keys(ps), (QStringList{"001-2", "005-", "011-12"}));
}

// ---- the checker ----

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
  // Numbers too long for any movement are refused before any sum is made with them.
  EXPECT_TRUE(hasError(withLine(1, "Ronde 1\t1-2 (2147483645-2147483647)\t3-4 (1-4)"), 2, "not a table"));
  EXPECT_TRUE(hasError(checkSchema(fourPairs().mid(0, 1), 4, 3), 0, "0 round lines"));  // a header only
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
  EXPECT_FALSE(parseSchemaFileName("8 Paren 3 Ronden.txt", &p, &r));

  const QByteArray crlf = fourPairs().join("\r\n").toLatin1();
  SchemaCheck c = checkSchemaBytes("04 Paren 03 Ronden.txt", crlf);
  EXPECT_TRUE(c.ok());
  EXPECT_EQ(c.issues.size(), 3);  // warnings: all tables of a round share a set
  QByteArray unix = fourPairs().join("\n").toLatin1();
  c = checkSchemaBytes("04 Pairs 03 Rounds.txt", unix);
  EXPECT_TRUE(c.ok()) << errorsOf(c).toStdString();
  EXPECT_EQ(c.issues.size(), 4);  // one more: the line ends
}

// The balance of every shipped movement is checked against the generator's own figures
// (ShippedMovements); here what an unusable table adds to it.
TEST(Balance, UnreadableTablesAndEmptyTablesCountForNobody) {
  // Round 2's second table cannot be read and round 3's is empty: pairs 2 and 4, then 2 and 3, sit out.
  const SchemaCheck c = checkSchema({"04 Paren 03 Ronden", "Ronde 1\t1-2 (1-4)\t3-4 (1-4)",
                                     "Ronde 2\t1-3 (5-8)\t4-x (5-8)", "Ronde 3\t4-1 (9-12)\t-  -"},
                                    4, 3);
  EXPECT_FALSE(c.ok());
  EXPECT_EQ(c.tables.size(), 4);
  const struct {
    int a, b, same, opposite;
  } counts[] = {{1, 3, 1, 0}, {2, 4, 1, 0}, {1, 4, 0, 1}, {2, 3, 0, 1}, {1, 2, 0, 0}, {3, 4, 0, 0}};
  for (const auto& e : counts) {
    SCOPED_TRACE(QStringLiteral("%1-%2").arg(e.a).arg(e.b).toStdString());
    EXPECT_EQ(std::pair(c.balance.sameOf(e.a, e.b), c.balance.oppositeOf(e.a, e.b)), std::pair(e.same, e.opposite));
  }
  EXPECT_EQ(balanceOf({}, 0).pairs, 0);  // no pairs: nothing to divide by
}
