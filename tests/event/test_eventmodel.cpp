#include <QTemporaryDir>
#include <gtest/gtest.h>

#include "app/textfile.h"
#include "app/texts.h"
#include "event/eventmodel.h"
#include "qtprint.h"
#include "testfiles.h"

using namespace mervalo;

namespace {

// The header of an event of 8 pairs, 3 rounds of 4 boards, with its line `line` (counted from 1)
// replaced when one is given.
QStringList header(const QString& mode = "0", int line = 0, const QString& text = {}) {
  QStringList h{"12-03-2024 Groep A Uitslag", "8", "Geen", "3", "4", "08 Paren 03 Ronden Howell", mode};
  if (line > 0) h[line - 1] = text;
  return h;
}
QStringList headerWith(int line, const QString& text) { return header("0", line, text); }

ScoreRecord boardRecord(int board, const QString& nsScore = "420") {
  return ScoreRecord{board, {TableResult{1, 2, nsScore, "-" + nsScore, "2", "0"}, TableResult{3, 4, "400", "-400", "0", "2"}}};
}

EventModel model(const QStringList& lines) {
  auto m = EventModel::fromLines(lines, "x.txt");
  EXPECT_TRUE(m);
  return m.value_or(EventModel{});
}

QStringList records(const EventModel& m) { return m.lines().mid(kHeaderLines); }

}  // namespace

TEST(EventModelRecords, EveryBoardOfTheLargestEventReadsBack) {
  QStringList largest = header();
  largest[3] = "12";
  largest[4] = "9";
  EventModel m(*parseHeader(largest, QString()));
  for (int b = 1; b <= 108; ++b) m.storeRecord(boardRecord(b));
  EXPECT_EQ(recordKey(108), "108*");
  const EventModel back = model(m.lines());
  EXPECT_TRUE(back.problems().isEmpty());
  ASSERT_EQ(back.recordedBoards().size(), 108);
  EXPECT_EQ(*back.record(101), boardRecord(101));
}

TEST(EventModelRecords, TheLastRecordOfABoardWinsAndTheFileKeepsOnePerBoard) {
  EventModel m(*parseHeader(header(), QString()));
  m.storeRecord(boardRecord(12));
  m.storeRecord(boardRecord(1));
  m.storeRecord(boardRecord(12, "50"));
  EXPECT_EQ(records(m),
            (QStringList{"12*1|2|||50|-50|2|0@3|4|||400|-400|0|2", "01*1|2|||420|-420|2|0@3|4|||400|-400|0|2"}));
  EXPECT_TRUE(m.clearBoard(12));
  EXPECT_FALSE(m.clearBoard(12));
  EXPECT_EQ(m.recordedBoards(), QVector<int>{1});

  // A file that holds a board twice (put together by hand) reads as its later record, in the
  // place of the first, and is written back with one.
  const QString later = formatRecord(boardRecord(3, "-100"));
  const EventModel twice = model(header() << formatRecord(boardRecord(3)) << formatRecord(boardRecord(5)) << later);
  EXPECT_TRUE(twice.problems().isEmpty());
  EXPECT_EQ(twice.record(3)->tables[0].nsScore, "-100");
  EXPECT_EQ(records(twice), (QStringList{later, formatRecord(boardRecord(5))}));
}

TEST(EventModelRecords, UnusableLinesAreReportedKeptAsTheyStoodAndGiveWayToNewScores) {
  const QString good = "01*1|2|||420|-420|2|0";
  const QStringList bad = {
      "garbage",
      "02*1|2|420",             // too few fields
      "13*1|2|||420|-420|2|0",  // board 13 of 12
      "04*1|9|||420|-420|2|0",  // pair 9 of 8
      "05*1|2|||4x0|-420|2|0",  // no score
  };
  const EventModel m = model(header() << good << QString() << bad);
  ASSERT_EQ(m.problems().size(), bad.size());
  EXPECT_EQ(m.problems()[0].line, 10);  // the blank line 9 counts, and is not reported
  EXPECT_EQ(m.problems()[3].line, 13);
  EXPECT_TRUE(m.problems()[3].what.contains("1-9")) << m.problems()[3].what.toStdString();
  EXPECT_EQ(m.recordedBoards(), QVector<int>{1});
  EXPECT_EQ(records(m), QStringList{good} + bad);

  EventModel typed = m;
  typed.storeRecord(boardRecord(4));  // the damaged line of board 4 gives way, where it stood
  typed.storeRecord(boardRecord(7));
  EXPECT_EQ(records(typed),
            (QStringList{good, bad[0], bad[1], bad[2], formatRecord(boardRecord(4)), bad[4], formatRecord(boardRecord(7))}));

  // A board completed again takes its damaged lines along: one line is left for it.
  typed = model(header() << "01*1|2|420" << good << "01*x" << "02*y");
  ASSERT_EQ(typed.problems().size(), 3);
  typed.storeRecord(boardRecord(1, "450"));
  EXPECT_EQ(records(typed), (QStringList{formatRecord(boardRecord(1, "450")), "02*y"}));
  EXPECT_EQ(typed.record(1)->tables[0].nsScore, "450");
  EXPECT_EQ(model(typed.lines()).problems().size(), 1) << "only board 2's line is left to report";
}

TEST(EventModelRead, HeaderValuesAndTheLinesWrittenBack) {
  EXPECT_EQ(model(header()).lines(), header());
  QStringList english = headerWith(3, " 7 ");
  english[5] = " 08 Pairs 03 Rounds ";
  const EventModel g = model(english);
  EXPECT_EQ(g.header().sitOut, 7);
  EXPECT_EQ(g.header().schemaName, "08 Pairs 03 Rounds");
  english[2] = "None";
  EXPECT_EQ(model(english).lines()[2], "None");
}

TEST(EventModelRead, AnUnreadableHeaderRefusesTheFileNamingTheLine) {
  const struct {
    const char* what;
    QStringList lines;
    int line;
  } cases[] = {
      {"empty file", {}, 1},           {"header cut short", header().mid(0, 5), 6},
      {"pairs", headerWith(2, "acht"), 2}, {"sit-out beyond the pairs", headerWith(3, "9"), 3},
      {"rounds 0", headerWith(4, "0"), 4},   {"rounds 40", headerWith(4, "40"), 4},
      {"rounds 2.5", headerWith(4, "2.5"), 4}, {"boards 0", headerWith(5, "0"), 5},
      {"blank movement", headerWith(6, "  "), 6},
      // The movement name becomes a path: it may not lead out of the schema folder.
      {"movement up two folders", headerWith(6, "../../x"), 6},
      {"movement with a backslash", headerWith(6, "..\\x"), 6},
      {"movement with a control character", headerWith(6, "08 Pairs\t03"), 6},
      {"mode 2", headerWith(7, "2"), 7},
  };
  for (const auto& c : cases) {
    EventFileError e;
    EXPECT_FALSE(EventModel::fromLines(c.lines, "x.txt", &e)) << c.what;
    EXPECT_EQ(e.line, c.line) << c.what;
  }
  EventFileError e;
  EventModel::fromLines(headerWith(2, "acht"), "x.txt", &e);
  EXPECT_EQ(e.file, "x.txt");
  EXPECT_TRUE(e.describe().contains("acht")) << e.describe().toStdString();
}

TEST(EventModelRounds, BoardLinesArePositionalAndNothingReadIsLost) {
  QStringList lines = header("1");
  lines << "3-8*|420|-420~1-6*" << QString() << "2-5*|n|n~x~3-9*~4-7*|4y|1";
  for (int b = 4; b <= 12; ++b) lines << "1-2*";
  lines << "extra line";
  const EventModel m = model(lines);
  EXPECT_EQ(m.boardLine(1).entries,
            (QVector<SlipEntry>{SlipEntry{"3-8", true, "420", "-420"}, SlipEntry{"1-6", false, {}, {}}}));
  EXPECT_FALSE(m.boardLine(2).present);
  EXPECT_EQ(m.boardLine(3).entries.size(), 1);
  EXPECT_EQ(m.boardLine(3).kept, (QStringList{"x", "3-9*", "4-7*|4y|1"}));  // not a table, pair 9 of 8, no score
  ASSERT_EQ(m.problems().size(), 4);
  EXPECT_EQ(m.problems()[0].line, 10);
  EXPECT_EQ(m.problems()[3].line, 20);  // the line beyond the twelve boards

  EventModel typed = m;
  typed.setBoardEntries(3, {SlipEntry{"2-5", true, "50", "-50"}});
  const QStringList out = typed.lines();
  ASSERT_EQ(out.size(), kHeaderLines + 12 + 1);
  EXPECT_EQ(out.mid(7, 3), (QStringList{"3-8*|420|-420~1-6*", "", "2-5*|50|-50~x~3-9*~4-7*|4y|1"}));
  EXPECT_EQ(out[19], "extra line");

  // Fewer board lines than boards are reported; a new event per round is the header alone.
  EXPECT_EQ(model(header("1") << "1-2*").problems().size(), 1);
  EXPECT_EQ(model(header("1")).lines().size(), kHeaderLines);

  // An emptied NS box stores the slip without scores.
  EXPECT_FALSE(model(header("1") << "3-8*||").boardLine(1).entries[0].stored);
}

TEST(EventDates, LeadingDatesFollowTheLanguage) {
  const struct {
    const char* title;
    int language;
    const char* want;
  } cases[] = {
      {"12-03-2024 Groep A Uitslag", kEnglish, "2024-03-12 Groep A Uitslag"},
      {"2024-03-12 Group A Result", kDutch, "12-03-2024 Group A Result"},
      {"31-02-2024 x", kEnglish, "31-02-2024 x"},  // no such date
  };
  for (const auto& c : cases) EXPECT_EQ(rewriteLeadingDate(c.title, c.language), c.want) << c.title;
  EXPECT_EQ(rewriteEventDates({"12-03-2024 Groep A Uitslag", "12-03-2024 no word"}, "Uitslag", kEnglish),
            (QStringList{"2024-03-12 Groep A Uitslag", "12-03-2024 no word"}));
}

TEST(EventModelDisk, LoadRewritesTheTitleAndSaveRoundTrips) {
  QTemporaryDir dir;
  const QString p = dir.filePath("2024-03-12 Group A Result.txt");
  ASSERT_TRUE(writeTextLines(p, headerWith(1, "2024-03-12 Group A Result") << "05*1|2|||420|-420|2|0"));
  EventFileError e;
  auto f = EventModel::load(p, kEnglish, &e);
  ASSERT_TRUE(f) << e.describe().toStdString();
  EXPECT_EQ(f->header().title, "2024-03-12 Group A Result");
  f = EventModel::load(p, kDutch, &e);  // Dutch looks for "Uitslag", which this title lacks
  EXPECT_EQ(f->header().title, "2024-03-12 Group A Result");
  f->setTitle("12-03-2024 Groep A Uitslag");
  ASSERT_TRUE(f->save(p));
  EXPECT_TRUE(test::readBytes(p).startsWith("12-03-2024 Groep A Uitslag\r\n8\r\nGeen\r\n3\r\n4\r\n"));
  f = EventModel::load(p, kEnglish, &e);
  EXPECT_EQ(f->header().title, "12-03-2024 Groep A Uitslag");  // English looks for "Result"

  EXPECT_FALSE(EventModel::load(dir.filePath("missing.txt"), kDutch, &e));
  EXPECT_EQ(e.file, "missing.txt");
}
