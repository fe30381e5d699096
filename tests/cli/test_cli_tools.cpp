// Runs the real mervalo-cli's tools for the maker: mailtxt (read back with the program's own
// loader), schema-check on sound and damaged movements, and the usage errors of the tools.

#include <QTemporaryDir>
#include <gtest/gtest.h>

#include "publish/providerlist.h"
#include "qtprint.h"
#include "testfiles.h"

namespace {

using namespace mervalo::test;

const QByteArray kGood =
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

// The six-pair movement of the balance tests (same direction 0-3, mean 1.2, opposite 0-2).
const QByteArray kSixPairs =
    "06 Pairs 03 Rounds\r\n"
    "Round 1\t3-6 (5-8)\t4-2 (1-4)\t5-1 (9-12)\r\n"
    "Round 2\t6-4 (9-12)\t2-1 (5-8)\t3-5 (1-4)\r\n"
    "Round 3\t1-6 (1-4)\t3-2 (9-12)\t5-4 (5-8)\r\n";

class CliTools : public ::testing::Test {
 protected:
  QString write(const QString& name, const QByteArray& bytes) const { return writeBytes(dir.filePath(name), bytes); }
  CliRun mailtxt(const QByteArray& description) const {
    return runCli({QStringLiteral("mailtxt"), write(QStringLiteral("providers.txt"), description)});
  }
  static CliRun schemaCheck(const QStringList& args) {
    return runCli(QStringList{QStringLiteral("schema-check")} + args);
  }
  QTemporaryDir dir;
};

}  // namespace

TEST_F(CliTools, MailTxtWritesWhatTheLoaderReadsBack) {
  const CliRun r = mailtxt(kGood);
  ASSERT_EQ(r.exitCode, 0) << r.err.constData();
  const mervalo::ProviderListResult list = mervalo::parseProviderList(r.out);
  EXPECT_EQ(list.status, mervalo::ProviderListResult::Status::Ok);
  EXPECT_FALSE(list.lengthCheckFailed);
  // Slot entries in the order the mail sender reads them.
  const QStringList first{"club-pc", "smtp.club.nl", "587",         "True", "uitslag@club.nl",
                          "geheim=met=is", "True", "uitslag@club.nl", QStringLiteral("Bridgeclub Café")};
  EXPECT_EQ(list.providers[0], first);
  EXPECT_EQ(list.providers[1].value(1), QStringLiteral("mail.example.org"));
}

TEST_F(CliTools, MailTxtWritesNothingForBadInputAndSaysWhy) {
  const auto changed = [](const char* from, const char* to) { return QByteArray(kGood).replace(from, to); };
  const struct {
    QByteArray text;
    const char* why;
  } cases[] = {
      {changed("sender name = Bridgeclub Café\n", ""), "no field \"sender name\""},
      {changed("port = 587", "port = 5<>87"), "<>"},
      {changed("Bridgeclub Café", "Bridgeclub \xe2\x82\xac\xe2\x9c\x93"), "code page"},
      {changed("port = 587", "port = 58\r7"), "line break"},
      {changed("port = 587", "poort = 587"), "unknown field"},
      {changed("port = 587", "port 587"), "field = value"},
      {changed("port = 587", "port = 587\nport = 588"), "twice"},
      {kGood.left(kGood.indexOf("\n\n")), "two providers"},
      {kGood + "\n\nserver=a\n", "more than two"},
      {changed("TLS = True", "TLS = False"), "password in clear"},
      {changed("sender address = uitslag@club.nl", "sender address = a@b.nl, c@d.nl"), "sender address"},
  };
  for (const auto& c : cases) {
    const CliRun r = mailtxt(c.text);
    EXPECT_NE(r.exitCode, 0) << c.why;
    EXPECT_TRUE(r.out.isEmpty()) << c.why;
    EXPECT_TRUE(r.err.contains(c.why)) << c.why << ": " << r.err.constData();
  }
}

// A sound file gets its balance; every damaged one is told with the line at fault, and the run
// carries on with the next file. Which rule each line breaks is the checker's test; here the
// few the command adds or passes on.
TEST_F(CliTools, SchemaCheckGivesEveryFileItsBalanceOrItsFault) {
  const QString sound = write(QStringLiteral("06 Pairs 03 Rounds Howell.txt"), kSixPairs);
  EXPECT_EQ(schemaCheck({sound}).exitCode, 0);
  const struct {
    QString file;
    const char* said;  // after the path
  } cases[] = {
      {sound, ": ok, 6 pairs, 3 rounds, 0 warnings; same direction 0-3 board sets (mean 1.20), opposite 0-2, "
              "variation 0.624\n"},
      {write(QStringLiteral("06 Pairs 03 Rounds a.txt"), QByteArray(kSixPairs).replace("3-2 (9-12)", "3-2 (9-1")),
       ":4: error: \"3-2 (9-1\" is not a table"},
      {write(QStringLiteral("06 Pairs 03 Rounds g.txt"), QByteArray()), ": error: the file is empty"},
      {dir.filePath(QStringLiteral("06 Pairs 03 Rounds missing.txt")), ": error: the file cannot be read"},
      {write(QStringLiteral("movement.txt"), kSixPairs), ": error: the name does not start"},
  };
  QStringList files;
  for (const auto& c : cases) files << c.file;
  const CliRun r = schemaCheck(files);
  EXPECT_EQ(r.exitCode, 1);
  for (const auto& c : cases)
    EXPECT_TRUE(r.out.contains((c.file + QLatin1String(c.said)).toUtf8())) << r.out.constData();

  // For scripts one row a file; the reasons go to standard error.
  const CliRun tsv = schemaCheck(QStringList{QStringLiteral("--tsv")} + files);
  EXPECT_EQ(tsv.exitCode, 1);
  const QStringList rows = QString::fromUtf8(tsv.out).split(QLatin1Char('\n'), Qt::SkipEmptyParts);
  ASSERT_EQ(rows.size(), files.size() + 1);
  EXPECT_EQ(rows[1], sound + QStringLiteral("\t6\t3\t0\t0\t0\t3\t1.200\t0\t2\t0.6236"));
  EXPECT_EQ(rows[0].count(QLatin1Char('\t')), rows[1].count(QLatin1Char('\t')));
  EXPECT_TRUE(tsv.err.contains((cases[1].file + QLatin1String(cases[1].said)).toUtf8()));
}

// What a mirror holds is the mirror writer's test (net); here that the command makes one of the
// shipped movements.
TEST_F(CliTools, WrongArgumentsAreUsageErrorsAndAMissingFolderFails) {
  const QString none = dir.filePath(QStringLiteral("none"));
  const struct {
    QStringList args;
    int exitCode;
  } cases[] = {
      {{"schema-check", "--tsv"}, 2}, {{"mirror", dir.path(), none, "x"}, 2}, {{"mirror", dir.path(), none}, 1},
      {{"score", "193", "420"}, 2},   {{"mirror", dir.path()}, 0},
  };
  for (const auto& c : cases) EXPECT_EQ(runCli(c.args).exitCode, c.exitCode) << c.args.join(' ').toStdString();
}
