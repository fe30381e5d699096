#include <QFile>
#include <QSet>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include "app/textfile.h"
#include "app/texts.h"
#include "event/eventfile.h"
#include "qtprint.h"

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
  return ScoreRecord{board, {TableResult{"1", "2", nsScore, "-" + nsScore, "2", "0"}, TableResult{"3", "4", "400", "-400", "0", "2"}}};
}

}  // namespace

TEST(ScoreRecords, KeysAreUniqueForEveryBoardOfTheLargestEvent) {
  EXPECT_EQ(recordKey(7), QStringLiteral("07*"));
  EXPECT_EQ(recordKey(108), QStringLiteral("108*"));
  QSet<QString> seen;
  EventFile f;
  f.header = *parseHeader(header(QStringLiteral("0"), QStringLiteral("12"), QStringLiteral("9")), QString());
  for (int b = 1; b <= 108; ++b) {
    seen.insert(recordKey(b));
    f.setRecord(boardRecord(b));
  }
  EXPECT_EQ(seen.size(), 108);
  const auto back = EventFile::fromLines(f.lines(), QString());
  ASSERT_TRUE(back);
  ASSERT_EQ(back->records.size(), 108);
  EXPECT_EQ(back->record(101)->board, 101);
}

TEST(ScoreRecords, ASecondCompletionReplacesTheBoardAndKeepsTheOrder) {
  EventFile f;
  f.header = *parseHeader(header(), QString());
  f.setRecord(boardRecord(12));
  f.setRecord(boardRecord(1));
  f.setRecord(boardRecord(12, QStringLiteral("50")));
  ASSERT_EQ(f.records.size(), 2);
  EXPECT_EQ(f.lines()[7], QStringLiteral("12*1|2|||50|-50|2|0@3|4|||400|-400|0|2"));
  EXPECT_EQ(f.lines()[8].left(3), QStringLiteral("01*"));
  // Keyed by board alone: a record whose first table has other pairs still replaces it.
  ScoreRecord swapped = boardRecord(1);
  std::swap(swapped.tables[0].ns, swapped.tables[0].ew);
  f.setRecord(swapped);
  EXPECT_EQ(f.records.size(), 2);
  EXPECT_EQ(f.record(1)->tables[0].ns, QStringLiteral("2"));
}

// The header's values are shown by the event-start screen's reopening test and used by every
// result of the command-line tests; here the blanks around them and the lines written back.
TEST(EventFileRead, HeaderValuesAndTheLinesWrittenBack) {
  EXPECT_EQ(EventFile::fromLines(header(), QString())->lines(), header());

  QStringList english = headerWith(3, QStringLiteral(" 7 "));
  english[5] = QStringLiteral(" 08 Pairs 03 Rounds ");
  const auto g = EventFile::fromLines(english, QString());
  EXPECT_EQ(g->header.sitOut, 7);
  EXPECT_EQ(g->header.schemaName, QStringLiteral("08 Pairs 03 Rounds"));
  english[2] = QStringLiteral("None");
  EXPECT_EQ(EventFile::fromLines(english, QString())->lines()[2], QStringLiteral("None"));
}

TEST(EventFileRead, DamagedFilesAreRefusedNamingTheLine) {
  QStringList thirteenBoardLines = header(QStringLiteral("1"));
  for (int b = 1; b <= 13; ++b) thirteenBoardLines << QStringLiteral("1-2*");
  const QString record = QStringLiteral("01*1|2|||420|-420|2|0");
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
      {"mode 2", headerWith(7, "2"), 7},
      {"garbage after a blank line", header() << record << QString() << QStringLiteral("garbage"), 10},
      {"record with too few fields", header() << QStringLiteral("01*1|2|420"), 8},
      {"record key not a number", header() << QStringLiteral("xx*1|2|||1|1|1|1"), 8},
      {"board 13 of 12", header() << QStringLiteral("13*1|2|||420|-420|2|0"), 8},
      {"board 0", header() << QStringLiteral("00*1|2|||420|-420|2|0"), 8},
      {"thirteen board lines for 12 boards", thirteenBoardLines, 20},
      {"board line with one score", header(QStringLiteral("1")) << QStringLiteral("1-2*|420"), 8},
      {"board line without key", header(QStringLiteral("1")) << QStringLiteral("no star"), 8},
  };
  for (const auto& c : cases) {
    EventFileError e;
    EXPECT_FALSE(EventFile::fromLines(c.lines, QStringLiteral("x.txt"), &e)) << c.what;
    EXPECT_EQ(e.line, c.line) << c.what;
  }
  EventFileError e;
  EventFile::fromLines(headerWith(2, "acht"), QStringLiteral("x.txt"), &e);
  EXPECT_EQ(e.file, QStringLiteral("x.txt"));
  EXPECT_TRUE(e.describe().contains(QStringLiteral("acht"))) << e.describe().toStdString();
}

TEST(EventFileRead, RoundEntryLinesArePositional) {
  QStringList lines = header(QStringLiteral("1"));
  lines << QStringLiteral("3-8*|420|-420~1-6*") << QString() << QStringLiteral("2-5*|n|n");
  const auto f = EventFile::fromLines(lines, QString());
  ASSERT_TRUE(f);
  ASSERT_EQ(f->boards.size(), 12);
  EXPECT_EQ(f->boards[0], (QVector<SlipEntry>{SlipEntry{QStringLiteral("3-8"), true, QStringLiteral("420"), QStringLiteral("-420")},
                                             SlipEntry{QStringLiteral("1-6"), false, {}, {}}}));
  EXPECT_TRUE(f->boards[1].isEmpty());
  EXPECT_EQ(f->boards[2].size(), 1);
  const QStringList out = f->lines();
  ASSERT_EQ(out.size(), 7 + 12);  // every board gets its line back
  EXPECT_EQ(out[7], QStringLiteral("3-8*|420|-420~1-6*"));
  EXPECT_EQ(out[9], QStringLiteral("2-5*|n|n"));
  EXPECT_EQ(out[18], QString());
  // A new event per round is the header alone, and stays so.
  EXPECT_EQ(EventFile::fromLines(header(QStringLiteral("1")), QString())->lines().size(), 7);

  for (const char* slip : {"3-8*|420|-420", "3-8*"}) EXPECT_EQ(SlipEntry::parse(QLatin1String(slip))->text(), QLatin1String(slip));
  for (const char* bad : {"*|1|2", "3-8*420", "3-8*|1|2|3"}) EXPECT_FALSE(SlipEntry::parse(QLatin1String(bad))) << bad;
  EXPECT_TRUE(SlipEntry::parse(QStringLiteral("3-8*||"))->stored);  // stored with empty boxes
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

TEST(EventFileDisk, LoadRewritesTheTitleAndSaveRoundTrips) {
  QTemporaryDir dir;
  const QString p = dir.filePath(QStringLiteral("2024-03-12 Group A Result.txt"));
  QStringList lines = headerWith(1, QStringLiteral("2024-03-12 Group A Result"));
  lines << QStringLiteral("05*1|2|||420|-420|2|0");
  ASSERT_TRUE(writeTextLines(p, lines));
  EventFileError e;
  auto f = loadEventFile(p, kEnglish, &e);
  ASSERT_TRUE(f) << e.describe().toStdString();
  EXPECT_EQ(f->header.title, QStringLiteral("2024-03-12 Group A Result"));
  f = loadEventFile(p, kDutch, &e);  // Dutch looks for "Uitslag", which this title lacks
  EXPECT_EQ(f->header.title, QStringLiteral("2024-03-12 Group A Result"));
  f->header.title = QStringLiteral("12-03-2024 Groep A Uitslag");
  ASSERT_TRUE(saveEventFile(p, *f));
  QFile raw(p);
  ASSERT_TRUE(raw.open(QIODevice::ReadOnly));
  EXPECT_TRUE(raw.readAll().startsWith("12-03-2024 Groep A Uitslag\r\n8\r\nGeen\r\n3\r\n4\r\n"));
  f = loadEventFile(p, kEnglish, &e);
  EXPECT_EQ(f->header.title, QStringLiteral("12-03-2024 Groep A Uitslag"));  // English looks for "Result"

  EXPECT_FALSE(loadEventFile(dir.filePath(QStringLiteral("missing.txt")), kDutch, &e));
  EXPECT_EQ(e.file, QStringLiteral("missing.txt"));
}
