#include <QFile>
#include <QSet>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include "app/textfile.h"
#include "app/texts.h"
#include "event/eventmodel.h"
#include "event/eventstart.h"
#include "qtprint.h"
#include "testfiles.h"

using namespace mervalo;

namespace {

QStringList header(const QString& mode = QStringLiteral("0"), const QString& rounds = QStringLiteral("3"),
                   const QString& boards = QStringLiteral("4")) {
  return {QStringLiteral("12-03-2024 Groep A Uitslag"), QStringLiteral("8"), QStringLiteral("Geen"), rounds, boards,
          QStringLiteral("08 Paren 03 Ronden Howell"), mode};
}

// The default header with its line `line` (counted from 1) replaced.
QStringList headerWith(int line, const QString& text) {
  QStringList h = header();
  h[line - 1] = text;
  return h;
}

ScoreRecord boardRecord(int board, const QString& nsScore = QStringLiteral("420")) {
  return ScoreRecord{board, {TableResult{1, 2, nsScore, "-" + nsScore, "2", "0"}, TableResult{3, 4, "400", "-400", "0", "2"}}};
}

EventModel model(const QStringList& lines) {
  auto m = EventModel::fromLines(lines, QStringLiteral("x.txt"));
  EXPECT_TRUE(m);
  return m.value_or(EventModel{});
}

}  // namespace

TEST(EventModelRecords, KeysAreUniqueForEveryBoardOfTheLargestEvent) {
  EXPECT_EQ(recordKey(7), QStringLiteral("07*"));
  EXPECT_EQ(recordKey(108), QStringLiteral("108*"));
  QSet<QString> seen;
  EventModel m(*parseHeader(header(QStringLiteral("0"), QStringLiteral("12"), QStringLiteral("9")), QString()));
  for (int b = 1; b <= 108; ++b) {
    seen.insert(recordKey(b));
    m.storeRecord(boardRecord(b));
  }
  EXPECT_EQ(seen.size(), 108);
  const EventModel back = model(m.lines());
  EXPECT_TRUE(back.problems().isEmpty());
  ASSERT_EQ(back.recordedBoards().size(), 108);
  EXPECT_EQ(*back.record(101), boardRecord(101));
}

TEST(EventModelRecords, TheLastRecordOfABoardWinsAndTheFileKeepsOnePerBoard) {
  EventModel m(*parseHeader(header(), QString()));
  m.storeRecord(boardRecord(12));
  m.storeRecord(boardRecord(1));
  m.storeRecord(boardRecord(12, QStringLiteral("50")));
  EXPECT_EQ(m.lines().mid(kHeaderLines), (QStringList{"12*1|2|||50|-50|2|0@3|4|||400|-400|0|2",
                                                       "01*1|2|||420|-420|2|0@3|4|||400|-400|0|2"}));
  EXPECT_TRUE(m.clearBoard(12));
  EXPECT_FALSE(m.clearBoard(12));
  EXPECT_EQ(m.recordedBoards(), QVector<int>{1});

  // A file that holds a board twice (put together by hand) reads as its later record, in the
  // place of the first, and is written back with one.
  const EventModel twice = model(header() << formatRecord(boardRecord(3)) << formatRecord(boardRecord(5))
                                          << formatRecord(boardRecord(3, QStringLiteral("-100"))));
  EXPECT_TRUE(twice.problems().isEmpty());
  EXPECT_EQ(twice.record(3)->tables[0].nsScore, QStringLiteral("-100"));
  EXPECT_EQ(twice.lines().mid(kHeaderLines),
            (QStringList{formatRecord(boardRecord(3, QStringLiteral("-100"))), formatRecord(boardRecord(5))}));
}

TEST(EventModelRecords, UnusableLinesAreReportedKeptAsTheyStoodAndGiveWayToNewScores) {
  const QString good = QStringLiteral("01*1|2|||420|-420|2|0");
  const QStringList bad = {
      QStringLiteral("garbage"),
      QStringLiteral("02*1|2|420"),             // too few fields
      QStringLiteral("13*1|2|||420|-420|2|0"),  // board 13 of 12
      QStringLiteral("04*1|9|||420|-420|2|0"),  // pair 9 of 8
      QStringLiteral("05*1|2|||4x0|-420|2|0"),  // no score
  };
  const EventModel m = model(header() << good << QString() << bad);
  ASSERT_EQ(m.problems().size(), bad.size());
  EXPECT_EQ(m.problems()[0].line, 10);  // the blank line 9 counts, and is not reported
  EXPECT_EQ(m.problems()[3].line, 13);
  EXPECT_TRUE(m.problems()[3].what.contains(QStringLiteral("1-9"))) << m.problems()[3].what.toStdString();
  EXPECT_EQ(m.recordedBoards(), QVector<int>{1});
  EXPECT_EQ(m.lines().mid(kHeaderLines), QStringList{good} + bad);

  EventModel typed = m;
  typed.storeRecord(boardRecord(4));  // the damaged line of board 4 gives way, where it stood
  typed.storeRecord(boardRecord(7));
  EXPECT_EQ(typed.lines().mid(kHeaderLines),
            (QStringList{good, bad[0], bad[1], bad[2], formatRecord(boardRecord(4)), bad[4], formatRecord(boardRecord(7))}));
}

TEST(EventModelRecords, ABoardCompletedAgainTakesItsDamagedLinesAlong) {
  // Board 1 has a good record and two damaged lines; completing it again leaves one line for it.
  const QString good = QStringLiteral("01*1|2|||420|-420|2|0");
  const EventModel m = model(header() << QStringLiteral("01*1|2|420") << good << QStringLiteral("01*x") << QStringLiteral("02*y"));
  ASSERT_EQ(m.problems().size(), 3);
  EventModel typed = m;
  typed.storeRecord(boardRecord(1, QStringLiteral("450")));
  EXPECT_EQ(typed.lines().mid(kHeaderLines), (QStringList{formatRecord(boardRecord(1, QStringLiteral("450"))), QStringLiteral("02*y")}));
  EXPECT_EQ(typed.record(1)->tables[0].nsScore, QStringLiteral("450"));
  const EventModel again = model(typed.lines());
  EXPECT_EQ(again.problems().size(), 1) << "only board 2's line is left to report";
}

TEST(EventModelRead, HeaderValuesAndTheLinesWrittenBack) {
  EXPECT_EQ(model(header()).lines(), header());

  QStringList english = headerWith(3, QStringLiteral(" 7 "));
  english[5] = QStringLiteral(" 08 Pairs 03 Rounds ");
  const EventModel g = model(english);
  EXPECT_EQ(g.header().sitOut, 7);
  EXPECT_EQ(g.header().schemaName, QStringLiteral("08 Pairs 03 Rounds"));
  english[2] = QStringLiteral("None");
  EXPECT_EQ(model(english).lines()[2], QStringLiteral("None"));
}

TEST(EventModelRead, AnUnreadableHeaderRefusesTheFileNamingTheLine) {
  const struct {
    const char* what;
    QStringList lines;
    int line;
  } cases[] = {
      {"empty file", {}, 1},
      {"header cut short", header().mid(0, 5), 6},
      {"pairs not a number", headerWith(2, "acht"), 2},
      {"sit-out beyond the pairs", headerWith(3, "9"), 3},
      {"rounds 0", headerWith(4, "0"), 4},
      {"rounds 40", headerWith(4, "40"), 4},
      {"rounds -3", headerWith(4, "-3"), 4},
      {"rounds 2.5", headerWith(4, "2.5"), 4},
      {"rounds empty", headerWith(4, ""), 4},
      {"boards 0", headerWith(5, "0"), 5},
      {"blank movement", headerWith(6, "  "), 6},
      // The movement name becomes a path: it may not lead out of the schema folder.
      {"movement up two folders", headerWith(6, "../../x"), 6},
      {"movement in a folder", headerWith(6, "sub/08 Pairs"), 6},
      {"movement with a backslash", headerWith(6, "..\\x"), 6},
      {"movement with a control character", headerWith(6, "08 Pairs\t03"), 6},
      {"mode 2", headerWith(7, "2"), 7},
  };
  for (const auto& c : cases) {
    EventFileError e;
    EXPECT_FALSE(EventModel::fromLines(c.lines, QStringLiteral("x.txt"), &e)) << c.what;
    EXPECT_EQ(e.line, c.line) << c.what;
  }
  EventFileError e;
  EventModel::fromLines(headerWith(2, "acht"), QStringLiteral("x.txt"), &e);
  EXPECT_EQ(e.file, QStringLiteral("x.txt"));
  EXPECT_TRUE(e.describe().contains(QStringLiteral("acht"))) << e.describe().toStdString();
}

TEST(EventModelRounds, BoardLinesArePositionalAndNothingReadIsLost) {
  QStringList lines = header(QStringLiteral("1"));
  lines << QStringLiteral("3-8*|420|-420~1-6*") << QString() << QStringLiteral("2-5*|n|n~x~3-9*~4-7*|4y|1");
  for (int b = 4; b <= 12; ++b) lines << QStringLiteral("1-2*");
  lines << QStringLiteral("extra line");
  const EventModel m = model(lines);
  EXPECT_EQ(m.boardLine(1).entries, (QVector<SlipEntry>{SlipEntry{QStringLiteral("3-8"), true, QStringLiteral("420"), QStringLiteral("-420")},
                                                        SlipEntry{QStringLiteral("1-6"), false, {}, {}}}));
  EXPECT_FALSE(m.boardLine(2).present);
  EXPECT_EQ(m.boardLine(3).entries.size(), 1);
  EXPECT_EQ(m.boardLine(3).kept, (QStringList{"x", "3-9*", "4-7*|4y|1"}));  // not a table, pair 9 of 8, no score
  ASSERT_EQ(m.problems().size(), 4);
  EXPECT_EQ(m.problems()[0].line, 10);
  EXPECT_EQ(m.problems()[3].line, 20);  // the line beyond the twelve boards

  EventModel typed = m;
  typed.setBoardEntries(3, {SlipEntry{QStringLiteral("2-5"), true, QStringLiteral("50"), QStringLiteral("-50")}});
  const QStringList out = typed.lines();
  ASSERT_EQ(out.size(), kHeaderLines + 12 + 1);
  EXPECT_EQ(out[7], QStringLiteral("3-8*|420|-420~1-6*"));
  EXPECT_EQ(out[8], QString());
  EXPECT_EQ(out[9], QStringLiteral("2-5*|50|-50~x~3-9*~4-7*|4y|1"));
  EXPECT_EQ(out[19], QStringLiteral("extra line"));

  // Fewer board lines than boards are reported; a new event per round is the header alone.
  EXPECT_EQ(model(header(QStringLiteral("1")) << QStringLiteral("1-2*")).problems().size(), 1);
  EXPECT_EQ(model(header(QStringLiteral("1"))).lines().size(), kHeaderLines);

  for (const char* slip : {"3-8*|420|-420", "3-8*"}) EXPECT_EQ(SlipEntry::parse(QLatin1String(slip))->text(), QLatin1String(slip));
  for (const char* bad : {"*|1|2", "3-8*420", "3-8*|1|2|3"}) EXPECT_FALSE(SlipEntry::parse(QLatin1String(bad))) << bad;
  // An emptied NS box stores the slip without scores.
  EXPECT_FALSE(model(header(QStringLiteral("1")) << QStringLiteral("3-8*||")).boardLine(1).entries[0].stored);
}

TEST(EventDates, LeadingDatesFollowTheLanguage) {
  const struct {
    const char* title;
    int language;
    const char* want;
  } cases[] = {
      {"12-03-2024 Groep A Uitslag", kEnglish, "2024-03-12 Groep A Uitslag"},
      {"2024-03-12 Group A Result", kDutch, "12-03-2024 Group A Result"},
      {"12-03-2024 x", kDutch, "12-03-2024 x"},
      {"31-02-2024 x", kEnglish, "31-02-2024 x"},  // no such date
      {"short", kEnglish, "short"},
  };
  for (const auto& c : cases) EXPECT_EQ(rewriteLeadingDate(QLatin1String(c.title), c.language), QLatin1String(c.want)) << c.title;
  const QStringList lines = {QStringLiteral("12-03-2024 Groep A Uitslag"), QStringLiteral("12-03-2024 no word")};
  EXPECT_EQ(rewriteEventDates(lines, QStringLiteral("Uitslag"), kEnglish),
            (QStringList{QStringLiteral("2024-03-12 Groep A Uitslag"), QStringLiteral("12-03-2024 no word")}));
}

TEST(EventModelDisk, LoadRewritesTheTitleAndSaveRoundTrips) {
  QTemporaryDir dir;
  const QString p = dir.filePath(QStringLiteral("2024-03-12 Group A Result.txt"));
  QStringList lines = headerWith(1, QStringLiteral("2024-03-12 Group A Result"));
  lines << QStringLiteral("05*1|2|||420|-420|2|0");
  ASSERT_TRUE(writeTextLines(p, lines));
  EventFileError e;
  auto f = EventModel::load(p, kEnglish, &e);
  ASSERT_TRUE(f) << e.describe().toStdString();
  EXPECT_EQ(f->header().title, QStringLiteral("2024-03-12 Group A Result"));
  f = EventModel::load(p, kDutch, &e);  // Dutch looks for "Uitslag", which this title lacks
  EXPECT_EQ(f->header().title, QStringLiteral("2024-03-12 Group A Result"));
  f->setTitle(QStringLiteral("12-03-2024 Groep A Uitslag"));
  ASSERT_TRUE(f->save(p));
  EXPECT_TRUE(test::readBytes(p).startsWith("12-03-2024 Groep A Uitslag\r\n8\r\nGeen\r\n3\r\n4\r\n"));
  f = EventModel::load(p, kEnglish, &e);
  EXPECT_EQ(f->header().title, QStringLiteral("12-03-2024 Groep A Uitslag"));  // English looks for "Result"

  EXPECT_FALSE(EventModel::load(dir.filePath(QStringLiteral("missing.txt")), kDutch, &e));
  EXPECT_EQ(e.file, QStringLiteral("missing.txt"));
}

TEST(EventStartFiles, ADatedGroupIsRenamedWithItsCompanionAndNothingIsOverwritten) {
  QTemporaryDir dir;
  const auto touch = [&](const QString& name, const QByteArray& content) { test::writeBytes(dir.filePath(name), content); };
  touch(QStringLiteral("03-12-2026 Group A.txt"), "pairs");
  touch(QStringLiteral("03-12-2026 Group A.mail"), "addresses");
  touch(QStringLiteral("2026-12-03 Group A.mail"), "left over");  // a companion without its group
  touch(QStringLiteral("03-12-2026 Group B.txt"), "B, old name");
  touch(QStringLiteral("2026-12-03 Group B.txt"), "B, new name");
  QStringList failed;
  EXPECT_EQ(renameDatedFiles(dir.path(), QStringLiteral("Group"), kEnglish, &failed), 1);
  EXPECT_TRUE(failed.isEmpty());
  const auto read = [&](const QString& name) { return test::readBytes(dir.filePath(name)); };
  EXPECT_EQ(read(QStringLiteral("2026-12-03 Group A.txt")), QByteArray("pairs"));
  EXPECT_EQ(read(QStringLiteral("2026-12-03 Group A.mail")), QByteArray("addresses")) << "the companion travels along";
  EXPECT_EQ(read(QStringLiteral("03-12-2026 Group A.mail")), QByteArray("<missing>"));
  EXPECT_EQ(read(QStringLiteral("2026-12-03 Group B.txt")), QByteArray("B, new name")) << "never overwritten";
  EXPECT_EQ(read(QStringLiteral("03-12-2026 Group B.txt")), QByteArray("B, old name"));
}
