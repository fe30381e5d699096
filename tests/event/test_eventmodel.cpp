#include <QTemporaryDir>
#include <gtest/gtest.h>

#include "app/textfile.h"
#include "app/texts.h"
#include "event/eventmodel.h"
#include "qtprint.h"

using namespace mervalo;

namespace {

// The header of an event of 8 pairs, 3 rounds of 4 boards, with its line `line` (counted from 1)
// replaced when one is given.
QStringList header(int line = 0, const QString& text = {}) {
  QStringList h{"12-03-2024 Groep A Uitslag", "8", "Geen", "3", "4", "08 Paren 03 Ronden Howell", "0"};
  if (line > 0) h[line - 1] = text;
  return h;
}

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
  const EventModel back = model(m.lines());
  EXPECT_TRUE(back.problems().isEmpty());
  ASSERT_EQ(back.recordedBoards().size(), 108);
  EXPECT_EQ(*back.record(101), boardRecord(101));
}

// A board stored again or cleared the board entry screen's test shows; a file that holds a board
// twice (put together by hand) reads as its later record, in the place of the first, and is
// written back with one.
TEST(EventModelRecords, TheLastRecordOfABoardWinsAndTheFileKeepsOnePerBoard) {
  const QString later = formatRecord(boardRecord(3, "-100"));
  const EventModel twice = model(header() << formatRecord(boardRecord(3)) << formatRecord(boardRecord(5)) << later);
  EXPECT_EQ(twice.record(3)->tables[0].nsScore, "-100");
  EXPECT_EQ(records(twice), (QStringList{later, formatRecord(boardRecord(5))}));
}

TEST(EventModelRecords, UnusableLinesAreReportedKeptAsTheyStoodAndGiveWayToNewScores) {
  const QString good = "01*1|2|||420|-420|2|0";
  // The board entry screen's test shows lines that are no record and pairs the event lacks.
  const QStringList bad = {
      "02*1|2|420",             // too few fields
      "13*1|2|||420|-420|2|0",  // board 13 of 12
      "04*1|9|||420|-420|2|0",  // pair 9 of 8
      "05*1|2|||4x0|-420|2|0",  // no score
  };
  const EventModel m = model(header() << good << QString() << bad);
  ASSERT_EQ(m.problems().size(), bad.size());
  EXPECT_EQ(m.problems()[2].line, 12);  // the blank line 9 counts, and is not reported
  EXPECT_EQ(records(m), QStringList{good} + bad);

  EventModel typed = m;
  typed.storeRecord(boardRecord(4));  // the damaged line of board 4 gives way, where it stood
  typed.storeRecord(boardRecord(7));
  EXPECT_EQ(records(typed),
            (QStringList{good, bad[0], bad[1], formatRecord(boardRecord(4)), bad[3], formatRecord(boardRecord(7))}));

  // A board completed again takes its damaged lines along: one line is left for it.
  typed = model(header() << "01*1|2|420" << good << "01*x" << "02*y");
  ASSERT_EQ(typed.problems().size(), 3);
  typed.storeRecord(boardRecord(1, "450"));
  EXPECT_EQ(records(typed), (QStringList{formatRecord(boardRecord(1, "450")), "02*y"}));
}

TEST(EventModelRead, HeaderValuesAndTheLinesWrittenBack) {
  QStringList english = header(3, " 7 ");
  english[5] = " 08 Pairs 03 Rounds ";
  const EventModel g = model(english);
  EXPECT_EQ(g.header().sitOut, 7);
  EXPECT_EQ(g.header().schemaName, "08 Pairs 03 Rounds");
}

TEST(EventModelRead, AnUnreadableHeaderRefusesTheFileNamingTheLine) {
  const struct {
    const char* what;
    QStringList lines;
    int line;
  } cases[] = {
      {"empty file", {}, 1},           {"header cut short", header().mid(0, 5), 6},
      {"pairs", header(2, "acht"), 2}, {"sit-out beyond the pairs", header(3, "9"), 3},
      {"rounds 0", header(4, "0"), 4},   {"rounds 40", header(4, "40"), 4},
      {"rounds 2.5", header(4, "2.5"), 4}, {"boards 0", header(5, "0"), 5},
      {"blank movement", header(6, "  "), 6},
      // The movement name becomes a path: it may not lead out of the schema folder.
      {"movement up two folders", header(6, "../../x"), 6},
      {"movement with a backslash", header(6, "..\\x"), 6},
      {"movement with a control character", header(6, "08 Pairs\t03"), 6},
      {"mode 2", header(7, "2"), 7},
  };
  for (const auto& c : cases) {
    EventFileError e;
    EXPECT_FALSE(EventModel::fromLines(c.lines, "x.txt", &e)) << c.what;
    EXPECT_EQ(e.line, c.line) << c.what;
  }
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
}

TEST(EventModelDisk, LoadRewritesTheTitleAndSaveRoundTrips) {
  QTemporaryDir dir;
  const QString p = dir.filePath("2024-03-12 Group A Result.txt");
  ASSERT_TRUE(writeTextLines(p, header(1, "2024-03-12 Group A Result") << "05*1|2|||420|-420|2|0"));
  EventFileError e;
  auto f = EventModel::load(p, kEnglish, &e);
  ASSERT_TRUE(f) << e.describe().toStdString();
  f->setTitle("12-03-2024 Groep A Uitslag");
  ASSERT_TRUE(f->save(p));
  f = EventModel::load(p, kEnglish, &e);
  EXPECT_EQ(f->header().title, "12-03-2024 Groep A Uitslag");  // English looks for "Result"

  EXPECT_FALSE(EventModel::load(dir.filePath("missing.txt"), kDutch, &e));
  EXPECT_EQ(e.file, "missing.txt");
}
