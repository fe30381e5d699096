// Runs the real mervalo-cli's tools for the maker: mailtxt (read back with the program's own
// loader), schema-check on sound and damaged movements, and mirror's argument checks.

#include <QDir>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include "publish/providerlist.h"
#include "qtprint.h"
#include "testfiles.h"

namespace {

using namespace mervalo::test;

CliRun mailtxt(const QStringList& args) { return runCli(QStringList{QStringLiteral("mailtxt")} + args); }

const char* kGood =
    "# the club's own server first\r\n"
    "server = smtp.club.nl\n"
    "port = 587\n"
    "TLS = True\n"
    "user = uitslag@club.nl\n"
    "password = geheim=met=is\n"
    "login = True\n"
    "client name = club-pc\n"
    "sender address = uitslag@club.nl\n"
    "sender name = Bridgeclub Café\n"
    "\n\n"
    "server=mail.example.org\nport=25\ntls=False\nuser=\npassword=\nlogin=False\nclient name=x\n"
    "sender address=a@example.org\nsender name=Voorbeeld\n";

QString write(const QTemporaryDir& dir, const QString& name, const QByteArray& bytes) { return writeBytes(dir.filePath(name), bytes); }
QString write(const QTemporaryDir& dir, const QByteArray& text) { return write(dir, QStringLiteral("providers.txt"), text); }

struct Check {
  int exitCode;
  QString out, err;
};

Check schemaCheck(const QStringList& args) {
  const CliRun r = runCli(QStringList{QStringLiteral("schema-check")} + args);
  return {r.exitCode, QString::fromLocal8Bit(r.out), QString::fromLocal8Bit(r.err)};
}

// The six-pair movement of the balance tests (same direction 0-3, mean 1.2, opposite 0-2).
const QByteArray kSixPairs =
    "06 Pairs 03 Rounds\r\n"
    "Round 1\t3-6 (5-8)\t4-2 (1-4)\t5-1 (9-12)\r\n"
    "Round 2\t6-4 (9-12)\t2-1 (5-8)\t3-5 (1-4)\r\n"
    "Round 3\t1-6 (1-4)\t3-2 (9-12)\t5-4 (5-8)\r\n";

}  // namespace

TEST(CliMailTxt, TheLoaderReadsBackWhatWasDescribed) {
  QTemporaryDir dir;
  const CliRun r = mailtxt({write(dir, kGood)});
  ASSERT_EQ(r.exitCode, 0) << r.err.constData();
  const mervalo::ProviderListResult list = mervalo::parseProviderList(r.out);
  EXPECT_EQ(list.status, mervalo::ProviderListResult::Status::Ok);
  EXPECT_FALSE(list.lengthCheckFailed);
  // Slot entries in the order the mail sender reads them.
  EXPECT_EQ(list.providers[0], (QStringList{"club-pc", "smtp.club.nl", "587", "True", "uitslag@club.nl", "geheim=met=is",
                                            "True", "uitslag@club.nl", QStringLiteral("Bridgeclub Café")}));
  EXPECT_EQ(list.providers[1].value(1), QStringLiteral("mail.example.org"));
  EXPECT_EQ(list.providers[1].value(4), QString());
  EXPECT_TRUE(r.out.endsWith("\r\n"));
}

TEST(CliMailTxt, BadInputWritesNothingAndSaysWhy) {
  QTemporaryDir dir;
  const QByteArray good(kGood);
  struct Case {
    QByteArray text;
    const char* why;
  };
  const Case cases[] = {
      {QByteArray(kGood).replace("sender name = Bridgeclub Café\n", ""), "no field \"sender name\""},
      {QByteArray(kGood).replace("port = 587", "port = 5<>87"), "<>"},
      {QByteArray(kGood).replace("Bridgeclub Café", "Bridgeclub \xe2\x82\xac\xe2\x9c\x93"), "code page"},
      {QByteArray(kGood).replace("port = 587", "port = 58\r7"), "line break"},
      {QByteArray(kGood).replace("port = 587", "poort = 587"), "unknown field"},
      {QByteArray(kGood).replace("port = 587", "port 587"), "field = value"},
      {QByteArray(kGood).replace("port = 587", "port = 587\nport = 588"), "twice"},
      {good.left(good.indexOf("\n\n")), "two providers"},
      {good + "\n\nserver=a\n", "more than two"},
      {QByteArray(kGood).replace("TLS = True", "TLS = False"), "password in clear"},
      {QByteArray(kGood).replace("sender address = uitslag@club.nl", "sender address = a@b.nl, c@d.nl"), "sender address"},
  };
  for (const Case& c : cases) {
    const CliRun r = mailtxt({write(dir, c.text)});
    EXPECT_NE(r.exitCode, 0) << c.why;
    EXPECT_TRUE(r.out.isEmpty()) << c.why;
    EXPECT_TRUE(r.err.contains(c.why)) << c.why << ": " << r.err.constData();
  }
  const CliRun missing = mailtxt({dir.filePath(QStringLiteral("weg.txt"))});
  EXPECT_NE(missing.exitCode, 0);
  EXPECT_TRUE(missing.out.isEmpty());
}

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

// What a mirror holds is the mirror writer's test (net); that the command makes one of every shipped
// movement, the schema download screen's test shows by downloading them all from it.
TEST(CliMirror, WrongArgumentsAndAMissingFolderFail) {
  QTemporaryDir dir;
  const QString none = dir.filePath(QStringLiteral("none"));
  EXPECT_EQ(runCli({QStringLiteral("mirror")}).exitCode, 2);
  EXPECT_EQ(runCli({QStringLiteral("mirror"), dir.path(), none, QStringLiteral("x")}).exitCode, 2);
  EXPECT_EQ(runCli({QStringLiteral("mirror"), dir.path(), none}).exitCode, 1);
}
