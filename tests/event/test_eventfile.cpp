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

EventFileError errorOf(const QStringList& lines) {
  EventFileError e;
  EXPECT_FALSE(EventFile::fromLines(lines, QStringLiteral("x.txt"), &e)) << lines.join(QLatin1Char('/')).toStdString();
  return e;
}

ScoreRecord boardRecord(int board, const QString& nsScore = QStringLiteral("420")) {
  return ScoreRecord{board,
                     {TableResult{QStringLiteral("1"), QStringLiteral("2"), nsScore, QStringLiteral("-") + nsScore,
                                  QStringLiteral("2"), QStringLiteral("0")},
                      TableResult{QStringLiteral("3"), QStringLiteral("4"), QStringLiteral("400"),
                                  QStringLiteral("-400"), QStringLiteral("0"), QStringLiteral("2")}}};
}

}  // namespace

TEST(ScoreRecords, KeysAreUniqueForEveryBoardOfTheLargestEvent) {
  EXPECT_EQ(recordKey(7), QStringLiteral("07*"));
  EXPECT_EQ(recordKey(12), QStringLiteral("12*"));
  EXPECT_EQ(recordKey(100), QStringLiteral("100*"));
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
  EXPECT_EQ(back->record(1)->board, 1);
}

TEST(ScoreRecords, FormatAndParseTheExampleLine) {
  const QString line = QStringLiteral("01*1|2|||420|-420|2|0@3|4|||400|-400|0|2");
  const auto r = parseRecord(line);
  ASSERT_TRUE(r);
  EXPECT_EQ(*r, boardRecord(1));
  EXPECT_EQ(formatRecord(*r), line);
  EXPECT_EQ(formatRecord(ScoreRecord{9, {TableResult{QStringLiteral("5"), QStringLiteral("6"), QStringLiteral("60%"),
                                                     QStringLiteral("40%"), QStringLiteral("1.33"), QStringLiteral("n")}}}),
            QStringLiteral("09*5|6|||60%|40%|1.33|n"));
  EXPECT_FALSE(parseRecord(QStringLiteral("01*1|2|420")));        // too few fields
  EXPECT_FALSE(parseRecord(QStringLiteral("xx*1|2|||1|1|1|1")));  // key not a number
  EXPECT_FALSE(parseRecord(QStringLiteral("no key at all")));
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
  EXPECT_TRUE(f.removeRecord(12));
  EXPECT_FALSE(f.removeRecord(12));
  EXPECT_EQ(f.lines().size(), 8);
}

TEST(EventFileRead, HeaderValuesAndTheLinesWrittenBack) {
  const auto f = EventFile::fromLines(header(), QString());
  ASSERT_TRUE(f);
  EXPECT_EQ(f->header.pairs, 8);
  EXPECT_EQ(f->header.sitOut, 0);
  EXPECT_EQ(f->header.rounds, 3);
  EXPECT_EQ(f->header.boardsPerRound, 4);
  EXPECT_EQ(f->header.boards(), 12);
  EXPECT_EQ(f->header.schemaName, QStringLiteral("08 Paren 03 Ronden Howell"));
  EXPECT_EQ(f->lines(), header());

  QStringList english = header();
  english[2] = QStringLiteral(" 7 ");
  english[5] = QStringLiteral(" 08 Pairs 03 Rounds ");
  const auto g = EventFile::fromLines(english, QString());
  EXPECT_EQ(g->header.sitOut, 7);
  EXPECT_EQ(g->header.schemaName, QStringLiteral("08 Pairs 03 Rounds"));
  english[2] = QStringLiteral("None");
  EXPECT_EQ(EventFile::fromLines(english, QString())->lines()[2], QStringLiteral("None"));
}

TEST(EventFileRead, DamagedHeadersNameTheLineAndWhatIsWrong) {
  EXPECT_EQ(errorOf({}).line, 1);
  EXPECT_EQ(errorOf(header().mid(0, 5)).line, 6);
  QStringList h = header();
  h[1] = QStringLiteral("acht");
  EventFileError e = errorOf(h);
  EXPECT_EQ(e.line, 2);
  EXPECT_EQ(e.file, QStringLiteral("x.txt"));
  EXPECT_TRUE(e.describe().contains(QStringLiteral("acht"))) << e.describe().toStdString();
  for (const char* bad : {"0", "40", "-3", "2.5", ""}) {
    h = header(QStringLiteral("0"), QString::fromLatin1(bad));
    EXPECT_EQ(errorOf(h).line, 4) << bad;
  }
  h = header(QStringLiteral("0"), QStringLiteral("3"), QStringLiteral("0"));
  EXPECT_EQ(errorOf(h).line, 5);
  h = header(QStringLiteral("2"));
  EXPECT_EQ(errorOf(h).line, 7);
  h = header();
  h[2] = QStringLiteral("9");  // a sit-out pair beyond the pairs
  EXPECT_EQ(errorOf(h).line, 3);
  h = header();
  h[5] = QStringLiteral("  ");
  EXPECT_EQ(errorOf(h).line, 6);
}

TEST(EventFileRead, DamagedScoreLinesAreRefusedNotDropped) {
  QStringList lines = header();
  lines << QStringLiteral("01*1|2|||420|-420|2|0") << QString() << QStringLiteral("garbage");
  EXPECT_EQ(errorOf(lines).line, 10);
  lines = header();
  lines << QStringLiteral("13*1|2|||420|-420|2|0");  // 3 rounds of 4 boards: no board 13
  EXPECT_EQ(errorOf(lines).line, 8);
  lines = header() << QStringLiteral("00*1|2|||420|-420|2|0");
  EXPECT_EQ(errorOf(lines).line, 8);
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

  lines = header(QStringLiteral("1"));
  for (int b = 1; b <= 13; ++b) lines << QStringLiteral("1-2*");
  EXPECT_EQ(errorOf(lines).line, 20);
  lines = header(QStringLiteral("1")) << QStringLiteral("1-2*|420");
  EXPECT_EQ(errorOf(lines).line, 8);
  lines = header(QStringLiteral("1")) << QStringLiteral("no star");
  EXPECT_EQ(errorOf(lines).line, 8);
}

TEST(EventDates, LeadingDatesFollowTheLanguage) {
  EXPECT_EQ(rewriteLeadingDate(QStringLiteral("12-03-2024 Groep A Uitslag"), kEnglish),
            QStringLiteral("2024-03-12 Groep A Uitslag"));
  EXPECT_EQ(rewriteLeadingDate(QStringLiteral("2024-03-12 Group A Result"), kDutch),
            QStringLiteral("12-03-2024 Group A Result"));
  EXPECT_EQ(rewriteLeadingDate(QStringLiteral("12-03-2024 x"), kDutch), QStringLiteral("12-03-2024 x"));
  EXPECT_EQ(rewriteLeadingDate(QStringLiteral("31-02-2024 x"), kEnglish), QStringLiteral("31-02-2024 x"));
  EXPECT_EQ(rewriteLeadingDate(QStringLiteral("short"), kEnglish), QStringLiteral("short"));
  const QStringList lines = {QStringLiteral("12-03-2024 Groep A Uitslag"), QStringLiteral("12-03-2024 no word")};
  EXPECT_EQ(rewriteEventDates(lines, QStringLiteral("Uitslag"), kEnglish),
            (QStringList{QStringLiteral("2024-03-12 Groep A Uitslag"), QStringLiteral("12-03-2024 no word")}));
}

TEST(EventFileDisk, LoadRewritesTheTitleAndSaveRoundTrips) {
  QTemporaryDir dir;
  const QString p = dir.filePath(QStringLiteral("2024-03-12 Group A Result.txt"));
  QStringList lines = header();
  lines[0] = QStringLiteral("2024-03-12 Group A Result");
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
  EXPECT_EQ(eventFileNameForGroup(QStringLiteral("12-03-2024 Groep A"), QStringLiteral("Uitslag")),
            QStringLiteral("12-03-2024 Groep A Uitslag.txt"));
}

TEST(SlipEntries, ParseAndFormat) {
  EXPECT_EQ(SlipEntry::parse(QStringLiteral("3-8*|420|-420"))->text(), QStringLiteral("3-8*|420|-420"));
  EXPECT_EQ(SlipEntry::parse(QStringLiteral("3-8*"))->text(), QStringLiteral("3-8*"));
  EXPECT_FALSE(SlipEntry::parse(QStringLiteral("*|1|2")));
  EXPECT_FALSE(SlipEntry::parse(QStringLiteral("3-8*420")));
  EXPECT_FALSE(SlipEntry::parse(QStringLiteral("3-8*|1|2|3")));
  EXPECT_EQ(SlipEntry::parse(QStringLiteral("3-8*||"))->stored, true);  // stored with empty boxes
}
