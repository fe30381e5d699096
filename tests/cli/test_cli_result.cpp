// Runs the real mervalo-cli on small events whose results were worked out by hand.

#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include "app/textfile.h"
#include "qtprint.h"
#include "testfiles.h"

namespace {

using mervalo::writeTextLines;
using namespace mervalo::test;

// Seven pairs and the phantom pair 8 (the sit-out), three rounds of one board. Round k: every
// table plays board k.
const QStringList kGroup = {
    "1| Dhr. Jan Smit+2| Mevr. Anna de Vries", "3| Dhr. Piet Bakker+4| Mevr. Els Bakker",
    QStringLiteral("5| Mevr. H\u00e9l\u00e8ne Dubois+6| Dhr. Kees Jansen"), "7| Dhr. Ad Visser+8| Mevr. Ria Visser",
    "9| Mevr. Tineke de Boer+10| Dhr. Henk de Boer", "11|  Joop Mulder+12| Mevr. Greet Mulder",
    "13| Dhr. Bert Kok+14| Mevr. Truus Kok"};

const QStringList kSchema = {"Speelschema 8 paren 3 ronden",
                             "Ronde 1\t1-2 (1-4)\t3-4 (1-4)\t5-6 (1-4)\t7-8 (1-4)", QString(),
                             "Ronde 2\t1-4 (5-8)\t2-3 (5-8)\t5-8 (5-8)\t6-7 (5-8)",
                             "Ronde 3\t1-6 (9-12)\t2-5 (9-12)\t3-8 (9-12)\t4-7 (9-12)"};

QStringList header(const QString& group, int mode) {
  return {group + QStringLiteral(" Uitslag"), "8", "8", "3", "1", "08 Paren 03 Ronden Test", QString::number(mode)};
}

// Board 1: +420, +420, -50 (the sit-out table stored as "n" is ignored). Board 2: one table not
// played. Board 3: one adjusted table 60%/40%. The stored matchpoints are wrong on purpose: they
// must be recomputed.
QStringList perBoardEvent() {
  return header(QStringLiteral("05-12-2026 Groep A"), 0) +
         QStringList{QStringLiteral("01*1|2|||420|-420|9|9@3|4|||420|-420|9|9@5|6|||-50|50|9|9@7|8|||n|n|n|n"),
                     QStringLiteral("03*1|6|||60%|40%|2|2@2|5|||-100|100|0|2@4|7|||200|-200|2|0"),
                     QStringLiteral("02*1|4|||110|-110|0|2@2|3|||n|n|n|n@6|7|||140|-140|2|0")};
}

// The same first board; on board 2 the slip 1-4 was stored swapped; board 3 misses a slip.
QStringList perRoundEvent() {
  return header(QStringLiteral("05-12-2026 Groep B"), 1) +
         QStringList{QStringLiteral("1-2*|420|-420~3-4*|420|-420~5-6*|-50|50~7-8*"),
                     QStringLiteral("4-1*|-110|110~2-3*|n|n~5-8*~6-7*|140|-140"),
                     QStringLiteral("1-6*|60%|40%~2-5*|-100|100~3-8*~4-7*")};
}

class CliResult : public ::testing::Test {
 public:
  void SetUp() override {
    ASSERT_TRUE(dir.isValid());
    for (const char* sub : {"namen", "groepen", "schema/10", "schema/11", "invoer"})
      QDir(folder()).mkpath(QLatin1String(sub));
    put(QStringLiteral("taal.txt"), {QStringLiteral("10")});
    put(QStringLiteral("schema/10/08 Paren 03 Ronden Test.txt"), kSchema);
    for (const char* g : {"A", "B"})
      put(QStringLiteral("groepen/05-12-2026 Groep %1.txt").arg(QLatin1String(g)), kGroup);
    put(QStringLiteral("invoer/05-12-2026 Groep A Uitslag.txt"), perBoardEvent());
    put(QStringLiteral("invoer/05-12-2026 Groep B Uitslag.txt"), perRoundEvent());
  }
  QString folder() const { return dir.path(); }
  // Runs `cmd` (result or csv) on one event of the folder.
  CliRun run(const char* cmd, const QString& event) { return runCli({QLatin1String(cmd), folder(), event}); }
  void put(const QString& rel, const QStringList& lines) {
    ASSERT_TRUE(writeTextLines(folder() + QLatin1Char('/') + rel, lines));
  }
  // Every file under the folder with its bytes, to prove that nothing changed.
  QMap<QString, QByteArray> snapshot() const {
    QMap<QString, QByteArray> files;
    QDirIterator it(folder(), QDir::Files | QDir::Dirs | QDir::NoDotAndDotDot, QDirIterator::Subdirectories);
    while (it.hasNext()) {
      const QString path = it.next();
      files[path] = readBytes(path);  // "<missing>" for a folder
    }
    return files;
  }
  QTemporaryDir dir;
};

const char kPerBoardGrid[] =
    "Nr\tParen\t1\t2\t3\tMP\tPercentage\n"
    "1\tJoop Mulder - Mevr. Greet Mulder [3]\t4\t3.5\t1.6\t10\t83.33%\n"
    "2\tMevr. H\xc3\xa9l\xc3\xa8ne Dubois - Dhr. Kees Jansen [1]\t3\tn\t\t3\t75.00%\n"
    "3\tDhr. Ad Visser - Mevr. Ria Visser [3]\t1\t3.5\t3.5\t8\t66.67%\n"
    "(4)\tDhr. Jan Smit - Mevr. Anna de Vries [3]\t3\t0.5\t2.4\t6\t50.00%\n"
    "(4)\tMevr. Tineke de Boer - Dhr. Henk de Boer [2]\t0\t\t3.5\t4\t50.00%\n"
    "6\tDhr. Piet Bakker - Mevr. Els Bakker [2]\t1\tn\t0.5\t2\t25.00%\n"
    "7\tDhr. Bert Kok - Mevr. Truus Kok [2]\t\t0.5\t0.5\t0\t0.00%\n"
    "\t\t12\t8\t12\t\t\n";

const char kPerRoundGrid[] =
    "Nr\tParen\t1\t2\t3\tMP\tPercentage\n"
    "1\tJoop Mulder - Mevr. Greet Mulder [2]\t4\t3.5\t\t8\t100.00%\n"
    "(2)\tDhr. Jan Smit - Mevr. Anna de Vries [2]\t3\t3.5\t\t6\t75.00%\n"
    "(2)\tMevr. H\xc3\xa9l\xc3\xa8ne Dubois - Dhr. Kees Jansen [1]\t3\tn\t\t3\t75.00%\n"
    "(4)\tDhr. Piet Bakker - Mevr. Els Bakker [1]\t1\tn\t\t1\t25.00%\n"
    "(4)\tDhr. Ad Visser - Mevr. Ria Visser [2]\t1\t0.5\t\t2\t25.00%\n"
    "(6)\tMevr. Tineke de Boer - Dhr. Henk de Boer [1]\t0\t\t\t0\t0.00%\n"
    "(6)\tDhr. Bert Kok - Mevr. Truus Kok [1]\t\t0.5\t\t0\t0.00%\n"
    "\t\t12\t8\t0\t\t\n";

// --- whole events ---------------------------------------------------------------------------

TEST_F(CliResult, EnglishProgramFolderUsesEnglishNamesAndHeadings) {
  put(QStringLiteral("taal.txt"), {QStringLiteral("11")});
  put(QStringLiteral("schema/11/08 Paren 03 Ronden Test.txt"), kSchema);
  QStringList event = perBoardEvent();
  event[0] = QStringLiteral("2026-12-05 Group A Result");
  put(QStringLiteral("invoer/2026-12-05 Group A Result.txt"), event);
  put(QStringLiteral("groepen/2026-12-05 Group A.txt"), kGroup);
  const CliRun r = run("result", QStringLiteral("2026-12-05 Group A Result"));
  ASSERT_EQ(r.exitCode, 0) << r.err.toStdString();
  EXPECT_TRUE(r.out.startsWith("No\tPairs\t1\t2\t3\tMP\tPercentage\n"));
}

// A hand-edited group file: quotes and a comma for the spreadsheet.
TEST_F(CliResult, CsvIsQuotedForASpreadsheet) {
  QStringList group = kGroup;
  group[0] = QStringLiteral("1| Dhr. Jan \"Jantje\" Smit, jr.+2| Mevr. Anna de Vries");
  put(QStringLiteral("groepen/05-12-2026 Groep A.txt"), group);
  const CliRun r = run("csv", QStringLiteral("05-12-2026 Groep A Uitslag"));
  ASSERT_EQ(r.exitCode, 0) << r.err.toStdString();
  const QList<QByteArray> lines = r.out.split('\n');
  ASSERT_EQ(lines.size(), 10);  // nine rows, each ended by CR LF
  EXPECT_EQ(lines[4], "(4),\"Dhr. Jan \"\"Jantje\"\" Smit, jr. - Mevr. Anna de Vries [3]\",3,0.5,2.4,6,50.00%\r");
  EXPECT_EQ(lines[8], ",,12,8,12,,\r");
  EXPECT_FALSE(QFile::exists(folder() + QStringLiteral("/HTML")));
  const QString out = dir.filePath(QStringLiteral("result.csv"));
  ASSERT_EQ(runCli({QStringLiteral("csv"), folder(), QStringLiteral("05-12-2026 Groep A Uitslag"), out}).exitCode, 0);
  EXPECT_EQ(readBytes(out), QByteArray("\xEF\xBB\xBF") + r.out);
}

// --- the score box -------------------------------------------------------------------------

TEST(CliScore, PrintsBothBoxesAndTheVerdict) {
  const struct {
    const char* board;
    const char* typed;
    const char* want;
  } cases[] = {
      {"1", "4x2", "420\t-420\taccepted\n"},  // "x" is swallowed
      {"1", "620", "620\t-620\twrong-vulnerability\n"}, {"1", "435", "435\t-435\timpossible\n"},
      {"3", "62.5%", "62.5%\t\taccepted\n"},
  };
  for (const auto& c : cases) {
    const CliRun r = runCli({QStringLiteral("score"), QLatin1String(c.board), QLatin1String(c.typed)});
    EXPECT_EQ(r.exitCode, 0);
    EXPECT_EQ(r.out, QByteArray(c.want)) << "board " << c.board << " typed " << c.typed;
  }
}

// --- damaged input -------------------------------------------------------------------------

// Each damage must give one line on stderr naming the file, a failing exit status, no output and
// an untouched folder.
void expectRefused(CliResult& t, const QString& event, const QString& namedFile) {
  const auto before = t.snapshot();
  for (const char* cmd : {"result", "csv"}) {
    const CliRun r = t.run(cmd, event);
    EXPECT_NE(r.exitCode, 0) << cmd;
    EXPECT_TRUE(r.out.isEmpty()) << cmd;
    EXPECT_EQ(r.err.count('\n'), 1) << r.err.toStdString();
    EXPECT_TRUE(QString::fromUtf8(r.err).contains(namedFile))
        << r.err.toStdString() << " should name " << namedFile.toStdString();
  }
  EXPECT_EQ(t.snapshot(), before);
}

TEST_F(CliResult, MissingFilesAreReportedByName) {
  expectRefused(*this, QStringLiteral("05-12-2026 Groep C Uitslag"), QStringLiteral("Groep C Uitslag.txt"));
  QFile::remove(folder() + QStringLiteral("/groepen/05-12-2026 Groep A.txt"));
  expectRefused(*this, QStringLiteral("05-12-2026 Groep A Uitslag"), QStringLiteral("Groep A.txt"));
  QFile::remove(folder() + QStringLiteral("/schema/10/08 Paren 03 Ronden Test.txt"));
  expectRefused(*this, QStringLiteral("05-12-2026 Groep B Uitslag"), QStringLiteral("08 Paren 03 Ronden Test.txt"));
}

// The header's rules are the event model's test; here the score records the result reads.
TEST_F(CliResult, DamagedEventFilesAreRefused) {
  const QStringList perBoard = perBoardEvent(), perRound = perRoundEvent();
  // Line `index` of an event replaced (or added after its last line).
  const auto damaged = [](QStringList lines, int index, const char* text) {
    if (index < lines.size()) lines[index] = QLatin1String(text);
    else lines.append(QLatin1String(text));
    return lines;
  };
  const QList<QStringList> cases = {
      damaged(perBoard, 7, "garbage without a key"),        // not a record
      damaged(perBoard, 7, "01*1|2||420|-420|3|1"),         // seven fields
      damaged(perBoard, 7, "01*1|2|||vier|-420|3|1"),       // score not a number
      damaged(perBoard, 7, "01*1|9|||420|-420|3|1"),        // pair outside the field
      damaged(perBoard, 7, "01*x|2|||420|-420|3|1"),        // pair not a number
      damaged(perBoard, 7, "04*1|2|||420|-420|3|1"),        // board beyond the event
      damaged(perRound, 7, "1-2*|420~3-4*"),                // one score of two
      damaged(perRound, 7, "1-2|420|-420~3-4*"),            // no "*"
      damaged(perRound, 7, "1-12*|420|-420~3-4*"),          // pair outside the field
      damaged(perRound, 7, "1-2*|abc|-420~3-4*"),           // score not a number
      damaged(perRound, 7, "12*|420|-420~3-4*"),            // no EW pair
      damaged(perRound, 10, "1-2*|420|-420"),               // a fourth board in a three-board event
  };
  for (const QStringList& lines : cases) {
    const QString name = lines[0];
    put(QStringLiteral("invoer/") + name + QStringLiteral(".txt"), lines);
    SCOPED_TRACE(lines.join(QLatin1Char('/')).toStdString());
    expectRefused(*this, name, name + QStringLiteral(".txt"));
  }
}

// Both events against their hand-worked grids, and their pages and PBN exports byte for byte;
// nothing but the pages is written.
TEST_F(CliResult, EventsGiveTheHandWorkedResultsWithPagesAndExportsAsKept) {
  const auto before = snapshot();
  for (const char* group : {"A", "B"}) {
    SCOPED_TRACE(group);
    const QString event = QStringLiteral("05-12-2026 Groep %1 Uitslag").arg(QLatin1String(group));
    const CliRun r = run("result", event);
    ASSERT_EQ(r.exitCode, 0) << r.err.toStdString();
    EXPECT_EQ(r.out, QByteArray(*group == 'A' ? kPerBoardGrid : kPerRoundGrid));
    EXPECT_TRUE(r.err.isEmpty());
    // The details page's travellers and score cards were checked against the grid when it was kept.
    const QString details = QStringLiteral("/05-12-2026 Groep %1 Details.html").arg(QLatin1String(group));
    EXPECT_EQ(readBytes(folder() + "/HTML" + details).split('\n'),
              readBytes(MERVALO_CLI_GOLDEN + details).split('\n'));
    // The export in ISO 8859-1, its score tables checked against the grid when it was made.
    const CliRun pbn = run("pbn", event);
    ASSERT_EQ(pbn.exitCode, 0) << pbn.err.toStdString();
    const QString golden = QStringLiteral(MERVALO_CLI_GOLDEN "/05-12-2026 Groep %1.pbn").arg(QLatin1String(group));
    EXPECT_EQ(pbn.out.split('\n'), readBytes(golden).split('\n'));
  }
  EXPECT_EQ(readBytes(folder() + QStringLiteral("/HTML/05-12-2026 Groep A.html")).split('\n'),
            readBytes(QStringLiteral(MERVALO_TEST_DATA "/scoring/05-12-2026 Groep A.html")).split('\n'));
  // The event files, the group files and their mail companions are left as they were.
  auto after = snapshot();
  after.removeIf([this](auto it) { return it.key().startsWith(folder() + QStringLiteral("/HTML")); });
  EXPECT_EQ(after, before);
}

}  // namespace
