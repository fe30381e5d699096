// mervalo-cli deal and dd, run as the real program.

#include <QDir>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include "app/textfile.h"
#include "testfiles.h"

namespace {

using namespace mervalo::test;

TEST(CliHands, DealWritesEveryBoardKeepsAnExistingFileAndRepeatsASeedAndDdSolvesEveryBoard) {
  QTemporaryDir dir;
  const QString pbn = dir.filePath(QStringLiteral("invoer/E Uitslag.pbn"));
  // Three rounds of two boards: six boards.
  writeBytes(dir.filePath(QStringLiteral("invoer/E Uitslag.txt")),
             "E Uitslag\r\n8\r\n8\r\n3\r\n2\r\n08 Paren 03 Ronden Test\r\n0\r\n");
  const QString folder = dir.path();
  ASSERT_EQ(runCli({"deal", folder, "E Uitslag", "--seed", "42"}).exitCode, 0);
  const QByteArray first = readBytes(pbn);
  EXPECT_EQ(first.count("[Deal \"N:"), 6);
  EXPECT_TRUE(first.contains("[Board \"6\"]\r\n[Dealer \"E\"]\r\n[Vulnerable \"EW\"]\r\n"));
  const CliRun kept = runCli({"deal", folder, "E Uitslag"});
  EXPECT_EQ(kept.exitCode, 1);
  EXPECT_TRUE(kept.err.contains("--force")) << kept.err.constData();
  EXPECT_EQ(readBytes(pbn), first);
  ASSERT_EQ(runCli({"deal", folder, "E Uitslag", "--force"}).exitCode, 0);
  EXPECT_NE(readBytes(pbn), first);  // the system's randomness
  ASSERT_EQ(runCli({"deal", folder, "E Uitslag", "--force", "--seed", "42"}).exitCode, 0);
  EXPECT_EQ(readBytes(pbn), first);
  const CliRun all = runCli({"dd", pbn});
  ASSERT_EQ(all.exitCode, 0) << all.err.constData();
  EXPECT_EQ(all.out.count('\n'), 6);

  ASSERT_TRUE(mervalo::writeFileAtomic(
      pbn, "[Board \"3\"]\n[Vulnerable \"EW\"]\n"
           "[Deal \"N:AKQJT98765432... .AKQJ9.AKQ2.J432 .T8765.J9876.KQT .432.T543.A98765\"]\n"));
  const CliRun r = runCli({"dd", pbn});
  ASSERT_EQ(r.exitCode, 0) << r.err.constData();
  const QList<QByteArray> fields = r.out.trimmed().split('\t');
  ASSERT_EQ(fields.size(), 23) << r.out.constData();
  EXPECT_EQ(fields[0], "3");
  EXPECT_EQ(fields[2], "13");  // North in spades
  EXPECT_EQ(fields[7], "0");   // East in spades

  ASSERT_TRUE(mervalo::writeFileAtomic(pbn, "[Board \"2\"]\n[Deal \"N:AKQ\"]\n"));
  const CliRun damaged = runCli({"dd", pbn});
  EXPECT_EQ(damaged.exitCode, 1);
  EXPECT_TRUE(damaged.err.contains("board 2")) << damaged.err.constData();
}

}  // namespace
