#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <climits>

#include "app/connection.h"
#include "app/fileops.h"
#include "app/grid.h"
#include "app/numeric.h"
#include "app/settings.h"
#include "app/textfile.h"
#include "app/texts.h"
#include "qtprint.h"
#include "savefaults.h"
#include "testfiles.h"

using namespace mervalo;
using test::readBytes;
using test::writeBytes;

TEST(NumericValue, ReadsTheLeadingNumberLikeTheOldRuntimeAndRoundsHalfToEven) {
  const struct {
    const char* text;
    double value;
  } rows[] = {{"  10.7 ", 10.7}, {"1 1", 11}, {"11abc", 11}, {"-50", -50}, {"1.5e1x", 15}, {"3e", 3},
              {"1.2.3", 1.2},    {".5", 0.5}, {"", 0},       {"-", 0},     {"x11", 0},
              {"1e999999", 0}};  // overflow is no number, not infinity
  for (const auto& row : rows) EXPECT_EQ(numericValue(QString::fromUtf8(row.text)), row.value) << row.text;
  const std::pair<double, int> rounded[] = {{10.5, 10}, {11.5, 12}, {10.7, 11}, {-2.5, -2}, {1e300, INT_MAX}};
  for (const auto& [value, want] : rounded) EXPECT_EQ(roundHalfEven(value), want) << value;
}

// What a save stopped between writing and renaming leaves behind goes at the next start, once
// it is old enough not to be another save's; the user's own files stay.
TEST(FileOps, StaleSaveFilesAreRemovedOnlyWhenOldAndOnlyTheirs) {
  QTemporaryDir dir;
  const QDateTime now = QDateTime::currentDateTime();
  const QStringList oldLeftovers = {"Club.txt.Ab12Cd", "Club.mail.xY9zQ1", "standaard.ini.000000", "05-12 Groep A.html.QqQqQq"};
  QStringList kept = {"Dinsdag Uitslag.txt.k3J9aa" /* under an hour */, "Club.txt", "notes.doc.abcdef", "Club.txt.abc",
                      "Club.txt.ab-cd_"};
  for (const QString& name : oldLeftovers + kept) {
    writeBytes(dir.filePath(name), "x");
    QFile f(dir.filePath(name));
    ASSERT_TRUE(f.open(QIODevice::ReadWrite));
    const int age = name.startsWith("Dinsdag") ? 0 : 2 * 3600;
    ASSERT_TRUE(f.setFileTime(now.addSecs(-age), QFileDevice::FileModificationTime));
  }
  EXPECT_EQ(removeStaleSaveFiles(dir.path(), now), oldLeftovers.size());
  kept.sort();
  EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files, QDir::Name), kept);
}

TEST(Settings, SurvivesDamagedFiles) {
  QTemporaryDir dir;
  const QString ini = dir.filePath("standaard.ini");
  const auto read = [&](const char* section, const char* key) { return readSetting(section, key, ini); };
  const auto write = [&](const char* section, const char* key, const QString& value) {
    return writeSetting(section, key, value, ini);
  };
  EXPECT_EQ(read("Standaard", "provider"), QString());
  // A missing file is made with the section and the key; a key of another case is the same key.
  ASSERT_TRUE(write("Standaard", "provider", "0"));
  EXPECT_EQ(readBytes(ini), "[Standaard]\r\nprovider=0\r\n");
  ASSERT_TRUE(write("STANDAARD", "PROVIDER", "1"));
  EXPECT_EQ(readBytes(ini).toLower().count("provider"), 1);
  // Two sections, junk, a duplicate key (the first one counts), binary bytes, no final line end.
  writeBytes(ini, QByteArray("\x00\x01garbage\r\n", 11) + "[andere]\r\nprovider=7\r\n" +
                 "[ Standaard ]\r\nprovider = 1 \r\nprovider=0\r\n=x\r\n[\r\n" + QByteArray("\xff\xfe\x00junk\r\n", 9) +
                 "Naam voor e-mail=Klaas");
  EXPECT_EQ(read("standaard", "PROVIDER"), "1");
  EXPECT_EQ(read("Standaard", "Naam voor e-mail"), "Klaas");
  EXPECT_TRUE(write("Standaard", "Naam voor e-mail", "Piet"));
  EXPECT_EQ(read("STANDAARD", "naam voor e-mail"), "Piet");
  // A value with line breaks stays on its own line and cannot plant a section of its own.
  EXPECT_TRUE(write("Standaard", "Naam voor e-mail", "Piet\r\n[Standaard]\nprovider=9"));
  EXPECT_EQ(read("Standaard", "provider"), "1");
  EXPECT_EQ(read("Standaard", "Naam voor e-mail"), "Piet [Standaard] provider=9");
}

TEST(Connection, CountsOnlyInterfacesThatAreUpAndNotLoopback) {
  QTemporaryDir dir;
  const auto iface = [&](const QString& name, const char* flags, const char* state) {
    writeBytes(dir.filePath(name + "/flags"), flags);
    writeBytes(dir.filePath(name + "/operstate"), state);
  };
  EXPECT_FALSE(connectionTest(dir.filePath("missing")));
  iface("lo", "0x9\n", "unknown\n");
  iface("eth0", "0x1002\n", "down\n");   // switched off
  iface("wlan0", "0x1003\n", "down\n");  // switched on, no link
  iface("bad", "zz\n", "up\n");
  EXPECT_FALSE(connectionTest(dir.path()));
  iface("tun0", "0x1091\n", "unknown\n");
  EXPECT_TRUE(connectionTest(dir.path()));
}

TEST(TextFile, RoundTripsWindows1252WithCrLfAndReadsAnyLineEnd) {
  QTemporaryDir dir;
  const QString p = dir.filePath("a.txt");
  const QString euro = "€ café";
  ASSERT_TRUE(writeTextLines(p, {euro, QString()}));
  EXPECT_EQ(readBytes(p), "\x80 caf\xE9\r\n\r\n");
  EXPECT_EQ(readTextLines(p).value(), (QStringList{euro, QString()}));
  writeBytes(p, "one\ntwo\r\nthree\rfour");
  EXPECT_EQ(readTextLines(p).value(), (QStringList{"one", "two", "three", "four"}));
  EXPECT_FALSE(readTextLines(dir.filePath("missing.txt")));
}

// A full disk, or a share that reports it only when the file is synced, or a refused rename: the
// save says it failed and the file keeps its previous contents, whole.
class SaveUnderFault : public ::testing::TestWithParam<const char*> {};

TEST_P(SaveUnderFault, KeepsThePreviousFileWholeAndReportsTheFailure) {
  if (!test::saveFaultsLoaded()) GTEST_SKIP() << "runs with the fault library preloaded (test_app_savefaults)";
  QTemporaryDir dir;
  const QString p = dir.filePath("Dinsdag Uitslag.txt");
  ASSERT_TRUE(writeTextLines(p, QStringList(7, "old line")));
  const QByteArray before = readBytes(p);
  // Small enough to stay in the write buffer until the end, and far too large for it.
  const QStringList small{"new"};
  const QStringList large(5000, "1-2@110@-110@3@1~3-4@-50@50@1@3");
  {
    test::SaveFault fault(GetParam(), p);
    EXPECT_FALSE(writeTextLines(p, small));
    EXPECT_FALSE(writeTextLines(p, large));
  }
  EXPECT_EQ(readBytes(p), before);
  // A file saved for the first time has nothing to rename over.
  if (QByteArray(GetParam()) != "MERVALO_FAIL_RENAME") {
    const QString fresh = dir.filePath("Club.txt");
    test::SaveFault fault(GetParam(), fresh);
    EXPECT_FALSE(writeTextLines(fresh, small));
    EXPECT_FALSE(QFile::exists(fresh));
  }
  EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden), QStringList{"Dinsdag Uitslag.txt"});
  EXPECT_TRUE(writeTextLines(p, small));  // room again
  EXPECT_EQ(readBytes(p), "new\r\n");
}

INSTANTIATE_TEST_SUITE_P(Steps, SaveUnderFault,
                         ::testing::Values("MERVALO_FAIL_WRITE", "MERVALO_FAIL_SYNC", "MERVALO_FAIL_RENAME"));
