// Runs the real mervalo-cli schema-check on sound and damaged movement files.

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include "qtprint.h"
#include "testfiles.h"

namespace {

using namespace mervalo::test;

struct Check {
  int exitCode;
  QString out, err;
};

Check schemaCheck(const QStringList& args) {
  const CliRun r = runCli(QStringList{QStringLiteral("schema-check")} + args);
  return {r.exitCode, QString::fromLocal8Bit(r.out), QString::fromLocal8Bit(r.err)};
}

QString write(const QTemporaryDir& dir, const QString& name, const QByteArray& bytes) { return writeBytes(dir.filePath(name), bytes); }

// The six-pair movement of the balance tests (same direction 0-3, mean 1.2, opposite 0-2).
const QByteArray kSixPairs =
    "06 Pairs 03 Rounds\r\n"
    "Round 1\t3-6 (5-8)\t4-2 (1-4)\t5-1 (9-12)\r\n"
    "Round 2\t6-4 (9-12)\t2-1 (5-8)\t3-5 (1-4)\r\n"
    "Round 3\t1-6 (1-4)\t3-2 (9-12)\t5-4 (5-8)\r\n";

}  // namespace

TEST(CliSchemaCheck, ASoundFileGetsItsBalance) {
  QTemporaryDir dir;
  const QString file = write(dir, QStringLiteral("06 Pairs 03 Rounds Howell.txt"), kSixPairs);
  Check r = schemaCheck({file});
  EXPECT_EQ(r.exitCode, 0) << r.err.toStdString();
  EXPECT_EQ(r.out, file + QStringLiteral(": ok, 6 pairs, 3 rounds, 0 warnings; same direction 0-3 board sets (mean 1.20), "
                                         "opposite 0-2, variation 0.624\n"));

  r = schemaCheck({QStringLiteral("--tsv"), file});
  EXPECT_EQ(r.exitCode, 0);
  const QStringList lines = r.out.split(QLatin1Char('\n'), Qt::SkipEmptyParts);
  ASSERT_EQ(lines.size(), 2);
  EXPECT_TRUE(lines[0].startsWith(QLatin1String("file\tpairs\trounds\terrors\twarnings\tsame_min")));
  EXPECT_EQ(lines[1], file + QStringLiteral("\t6\t3\t0\t0\t0\t3\t1.200\t0\t2\t0.6236"));
  EXPECT_EQ(lines[0].count(QLatin1Char('\t')), lines[1].count(QLatin1Char('\t')));
  EXPECT_TRUE(r.err.isEmpty());
}

// Every damaged file is told with the line at fault, and the run carries on with the next file. Which
// rule each line breaks is the checker's test; here the few the command adds or passes through.
TEST(CliSchemaCheck, DamagedFilesAreReportedWithTheirLine) {
  QTemporaryDir dir;
  struct Case {
    const char* name;
    QByteArray bytes;
    const char* expected;  // after the path
  };
  const std::vector<Case> cases = {
      {"06 Pairs 03 Rounds a.txt", QByteArray(kSixPairs).replace("3-2 (9-12)", "3-2 (9-1"), ":4: error: \"3-2 (9-1\" is not a table"},
      {"06 Pairs 03 Rounds b.txt", QByteArray(kSixPairs).replace("2-1 (5-8)", "2-1 (2147483645-2147483647)"),
       ":3: error: \"2-1 (2147483645-2147483647)\" is not a table"},
      {"06 Pairs 03 Rounds d.txt", QByteArray(kSixPairs).replace("Round 2\t6-4", QByteArray("Round 2\t\0\x01\xff", 12)),
       ":3: error:"},
      {"06 Pairs 03 Rounds g.txt", QByteArray(), ": error: the file is empty"},
  };
  QStringList files;
  for (const Case& c : cases) files << write(dir, QLatin1String(c.name), c.bytes);
  ASSERT_TRUE(QDir(dir.path()).mkdir(QStringLiteral("06 Pairs 03 Rounds folder.txt")));
  files << dir.filePath(QStringLiteral("06 Pairs 03 Rounds missing.txt")) << dir.filePath(QStringLiteral("06 Pairs 03 Rounds folder.txt"))
        << write(dir, QStringLiteral("movement.txt"), kSixPairs);
  const Check r = schemaCheck(files);
  EXPECT_EQ(r.exitCode, 1);
  for (size_t i = 0; i < cases.size(); ++i)
    EXPECT_TRUE(r.out.contains(files[static_cast<qsizetype>(i)] + QLatin1String(cases[i].expected)))
        << cases[i].name << "\n" << r.out.toStdString();
  EXPECT_TRUE(r.out.contains(files[files.size() - 3] + QStringLiteral(": error: the file cannot be read")));
  EXPECT_TRUE(r.out.contains(files[files.size() - 2] + QStringLiteral(": error: the file cannot be read")));
  EXPECT_TRUE(r.out.contains(files.last() + QStringLiteral(": error: the name does not start")));
  EXPECT_FALSE(r.out.contains(QLatin1String(": ok,")));

  // For scripts the rows still come, one a file; the reasons go to standard error.
  const Check tsv = schemaCheck(QStringList{QStringLiteral("--tsv")} + files);
  EXPECT_EQ(tsv.exitCode, 1);
  EXPECT_EQ(tsv.out.count(QLatin1Char('\n')), files.size() + 1);
  EXPECT_TRUE(tsv.err.contains(files[0] + QLatin1String(cases[0].expected)));
}

TEST(CliSchemaCheck, NoFilesIsAUsageError) {
  EXPECT_EQ(schemaCheck({}).exitCode, 2);
  EXPECT_EQ(schemaCheck({QStringLiteral("--tsv")}).exitCode, 2);
}
