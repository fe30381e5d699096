#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include "app/settings.h"
#include "qtprint.h"
#include "app/textfile.h"
#include "savefaults.h"

using namespace mervalo;

namespace {
QByteArray readAll(const QString& p) {
  QFile f(p);
  return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}
}  // namespace

TEST(TextFile, RoundTripsWindows1252WithCrLf) {
  QTemporaryDir dir;
  const QString p = dir.filePath(QStringLiteral("a.txt"));
  const QString euro = QString(QChar(0x20AC)) + QStringLiteral(" caf") + QChar(0xE9);
  ASSERT_TRUE(writeTextLines(p, {euro, QString()}));
  EXPECT_EQ(readAll(p), QByteArray("\x80 caf\xE9\r\n\r\n"));
  const auto lines = readTextLines(p);
  ASSERT_TRUE(lines);
  EXPECT_EQ(*lines, (QStringList{euro, QString()}));
}

TEST(TextFile, ReadsAnyLineEndAndMissingFinalEnd) {
  QTemporaryDir dir;
  const QString p = dir.filePath(QStringLiteral("b.txt"));
  QFile f(p);
  ASSERT_TRUE(f.open(QIODevice::WriteOnly));
  f.write("one\ntwo\r\nthree\rfour");
  f.close();
  EXPECT_EQ(*readTextLines(p), (QStringList{QStringLiteral("one"), QStringLiteral("two"), QStringLiteral("three"), QStringLiteral("four")}));
  EXPECT_FALSE(readTextLines(dir.filePath(QStringLiteral("missing.txt"))));
}

// A full disk, or a share that reports it only when the file is synced, or a refused rename: the
// save says it failed and the file keeps its previous contents, whole.
class SaveUnderFault : public ::testing::TestWithParam<const char*> {};

TEST_P(SaveUnderFault, KeepsThePreviousFileWholeAndReportsTheFailure) {
  if (!test::saveFaultsLoaded()) GTEST_SKIP() << "runs with the fault library preloaded (test_app_savefaults)";
  QTemporaryDir dir;
  const QString p = dir.filePath(QStringLiteral("Dinsdag Uitslag.txt"));
  const QStringList old(7, QStringLiteral("old line"));
  ASSERT_TRUE(writeTextLines(p, old));
  const QByteArray before = readAll(p);
  // Small enough to stay in the write buffer until the end, and far too large for it.
  const QStringList small{QStringLiteral("new")};
  const QStringList large(5000, QStringLiteral("1-2@110@-110@3@1~3-4@-50@50@1@3"));
  const bool renameOnly = QByteArray(GetParam()) == "MERVALO_FAIL_RENAME";
  {
    test::SaveFault fault(GetParam(), p);
    EXPECT_FALSE(writeTextLines(p, small));
    EXPECT_FALSE(writeTextLines(p, large));
  }
  EXPECT_EQ(readAll(p), before);
  // A file saved for the first time has nothing to rename over.
  if (!renameOnly) {
    const QString fresh = dir.filePath(QStringLiteral("Club.txt"));
    test::SaveFault fault(GetParam(), fresh);
    EXPECT_FALSE(writeTextLines(fresh, small));
    EXPECT_FALSE(QFile::exists(fresh));
  }
  EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden), QStringList{QStringLiteral("Dinsdag Uitslag.txt")});
  EXPECT_TRUE(writeTextLines(p, small));  // room again
  EXPECT_EQ(readAll(p), QByteArray("new\r\n"));
}

INSTANTIATE_TEST_SUITE_P(Steps, SaveUnderFault,
                         ::testing::Values("MERVALO_FAIL_WRITE", "MERVALO_FAIL_SYNC", "MERVALO_FAIL_RENAME"));

TEST(Settings, WriteCreatesAndKeepsOtherLines) {
  QTemporaryDir dir;
  const QString ini = dir.filePath(QStringLiteral("standaard.ini"));
  ASSERT_TRUE(writeSetting(QStringLiteral("Standaard"), QStringLiteral("provider"), QStringLiteral("0"), ini));
  EXPECT_EQ(readAll(ini), QByteArray("[Standaard]\r\nprovider=0\r\n"));
  ASSERT_TRUE(writeSetting(QStringLiteral("standaard"), QStringLiteral("eigen e-mail adres"), QString(300, QLatin1Char('a')), ini));
  ASSERT_TRUE(writeSetting(QStringLiteral("STANDAARD"), QStringLiteral("PROVIDER"), QStringLiteral("1"), ini));
  EXPECT_EQ(readSetting(QStringLiteral("Standaard"), QStringLiteral("provider"), ini), QStringLiteral("1"));
  EXPECT_EQ(readSetting(QStringLiteral("Standaard"), QStringLiteral("eigen e-mail adres"), ini).size(), 254);
  EXPECT_EQ(readAll(ini).count("provider") + readAll(ini).count("PROVIDER"), 1);
}
