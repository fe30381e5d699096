#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include "app/connection.h"
#include "app/fileops.h"
#include "app/grid.h"
#include "app/language.h"
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

TEST(NumericValue, ReadsTheLeadingNumberLikeTheOldRuntime) {
  const struct {
    const char* text;
    double value;
  } rows[] = {{"11", 11},   {"  10.7 ", 10.7}, {"1 1", 11}, {"11abc", 11}, {"-50", -50}, {"1.5e1x", 15},
              {"3e", 3},    {"1.2.3", 1.2},    {"5.", 5},   {".5", 0.5},   {"", 0},     {"abc", 0},
              {"-", 0},     {".", 0},          {"x11", 0},  {"\xe2\x82\xac", 0},
              {"1e999999", 0}};  // overflow is no number, not infinity
  for (const auto& row : rows) EXPECT_EQ(numericValue(QString::fromUtf8(row.text)), row.value) << row.text;
}

TEST(NumericValue, RoundsHalfToEven) {
  EXPECT_EQ(roundHalfEven(10.5), 10);
  EXPECT_EQ(roundHalfEven(11.5), 12);
  EXPECT_EQ(roundHalfEven(10.7), 11);
  EXPECT_EQ(roundHalfEven(-2.5), -2);
  EXPECT_EQ(roundHalfEven(1e300), std::numeric_limits<int>::max());
}

// The values and lines of the language file are shown through the main menu; here the damage.
TEST(Language, FileSurvivesDamage) {
  QTemporaryDir dir;
  const QString p = dir.filePath(QStringLiteral("taal.txt"));
  writeBytes(p, QByteArray("\x00\xff\xfe", 3) + QByteArray(100000, 'x'));
  EXPECT_EQ(readLanguageFile(p), kDutch);
  QDir().mkpath(dir.filePath(QStringLiteral("folder.txt")));  // a folder of that name
  EXPECT_EQ(readLanguageFile(dir.filePath(QStringLiteral("folder.txt"))), kDutch);
}

TEST(FileOps, StateFolderMakerAndListSearch) {
  QTemporaryDir dir;
  EXPECT_EQ(fileState(dir.filePath(QStringLiteral("none"))), FileState::Missing);
  writeBytes(dir.filePath(QStringLiteral("empty")), "");
  EXPECT_EQ(fileState(dir.filePath(QStringLiteral("empty"))), FileState::Empty);
  writeBytes(dir.filePath(QStringLiteral("one")), "x");
  EXPECT_EQ(fileState(dir.filePath(QStringLiteral("one"))), FileState::Filled);
  EXPECT_EQ(fileState(dir.path()), FileState::Missing);  // a folder is no file

  makeFolder(dir.filePath(QStringLiteral("a/b")));
  EXPECT_TRUE(QFileInfo(dir.filePath(QStringLiteral("a/b"))).isDir());
  makeFolder(dir.filePath(QStringLiteral("a/b/")));  // existing: nothing changes
  EXPECT_TRUE(QFileInfo(dir.filePath(QStringLiteral("a/b"))).isDir());
  // A file in the way of one level: that level is skipped, nothing is thrown.
  makeFolder(dir.filePath(QStringLiteral("one/c")));
  EXPECT_EQ(fileState(dir.filePath(QStringLiteral("one"))), FileState::Filled);

  const QStringList list{QStringLiteral("Pietersen"), QStringLiteral("Jansen"), QStringLiteral("jan")};
  EXPECT_EQ(listSearch(list, QStringLiteral("jan"), false), 1);
  EXPECT_EQ(listSearch(list, QStringLiteral("jan"), true), 2);
  EXPECT_EQ(listSearch(list, QStringLiteral("JANSEN"), true), 1);
  EXPECT_EQ(listSearch(list, QStringLiteral("Klaas"), false), -1);
  EXPECT_EQ(listSearch({}, QStringLiteral("x"), false), -1);
}

// What a save stopped between writing and renaming leaves behind goes at the next start, once
// it is old enough not to be another save's; the user's own files stay.
TEST(FileOps, StaleSaveFilesAreRemovedOnlyWhenOldAndOnlyTheirs) {
  QTemporaryDir dir;
  const QDateTime now = QDateTime::currentDateTime();
  const QStringList oldLeftovers = {"Club.txt.Ab12Cd", "Club.mail.xY9zQ1", "standaard.ini.000000", "05-12 Groep A.html.QqQqQq"};
  const QStringList kept = {"Dinsdag Uitslag.txt.k3J9aa" /* under an hour */, "Club.txt", "notes.doc.abcdef", "Club.txt.abc", "Club.txt.ab-cd_"};
  for (const QString& name : oldLeftovers + kept) {
    writeBytes(dir.filePath(name), "x");
    if (!name.startsWith(QLatin1String("Dinsdag"))) {
      QFile f(dir.filePath(name));
      ASSERT_TRUE(f.open(QIODevice::ReadWrite));
      ASSERT_TRUE(f.setFileTime(now.addSecs(-2 * 3600), QFileDevice::FileModificationTime));
    }
  }
  EXPECT_EQ(removeStaleSaveFiles(dir.path(), now), oldLeftovers.size());
  QStringList left = QDir(dir.path()).entryList(QDir::Files);
  QStringList want = kept;
  left.sort();
  want.sort();
  EXPECT_EQ(left, want);
}

TEST(Settings, SurvivesDamagedFiles) {
  QTemporaryDir dir;
  const QString ini = dir.filePath(QStringLiteral("standaard.ini"));
  EXPECT_EQ(readSetting(QStringLiteral("Standaard"), QStringLiteral("provider"), ini), QString());
  // A missing file is made with the section and the key; a key of another case is the same key.
  ASSERT_TRUE(writeSetting(QStringLiteral("Standaard"), QStringLiteral("provider"), QStringLiteral("0"), ini));
  EXPECT_EQ(readBytes(ini), QByteArray("[Standaard]\r\nprovider=0\r\n"));
  ASSERT_TRUE(writeSetting(QStringLiteral("STANDAARD"), QStringLiteral("PROVIDER"), QStringLiteral("1"), ini));
  EXPECT_EQ(readBytes(ini).toLower().count("provider"), 1);
  // Two sections, junk, a duplicate key (the first one counts), binary bytes, no final line end.
  writeBytes(ini, QByteArray("\x00\x01garbage\r\n", 11) + "[andere]\r\nprovider=7\r\n" +
                 "[ Standaard ]\r\nprovider = 1 \r\nprovider=0\r\n=x\r\n[\r\n" + QByteArray("\xff\xfe\x00junk\r\n", 9) +
                 "Naam voor e-mail=Klaas");
  EXPECT_EQ(readSetting(QStringLiteral("standaard"), QStringLiteral("PROVIDER"), ini), QStringLiteral("1"));
  EXPECT_EQ(readSetting(QStringLiteral("none"), QStringLiteral("provider"), ini), QString());
  EXPECT_EQ(readSetting(QStringLiteral("Andere"), QStringLiteral("provider"), ini), QStringLiteral("7"));
  EXPECT_EQ(readSetting(QStringLiteral("Standaard"), QStringLiteral("Naam voor e-mail"), ini), QStringLiteral("Klaas"));
  EXPECT_TRUE(writeSetting(QStringLiteral("Standaard"), QStringLiteral("Naam voor e-mail"), QStringLiteral("Piet"), ini));
  EXPECT_EQ(readSetting(QStringLiteral("STANDAARD"), QStringLiteral("naam voor e-mail"), ini), QStringLiteral("Piet"));
  EXPECT_EQ(readSetting(QStringLiteral("Standaard"), QStringLiteral("provider"), ini), QStringLiteral("1"));
  // A value with line breaks stays on its own line and cannot plant a section of its own.
  EXPECT_TRUE(writeSetting(QStringLiteral("Standaard"), QStringLiteral("Naam voor e-mail"),
                           QStringLiteral("Piet\r\n[Standaard]\nprovider=9"), ini));
  EXPECT_EQ(readSetting(QStringLiteral("Standaard"), QStringLiteral("provider"), ini), QStringLiteral("1"));
  EXPECT_EQ(readSetting(QStringLiteral("Standaard"), QStringLiteral("Naam voor e-mail"), ini),
            QStringLiteral("Piet [Standaard] provider=9"));
  // An empty value leaves the key with nothing after the equals sign.
  EXPECT_TRUE(writeSetting(QStringLiteral("Standaard"), QStringLiteral("provider"), QString(), ini));
  EXPECT_EQ(readSetting(QStringLiteral("Standaard"), QStringLiteral("provider"), ini), QString());
}

TEST(Settings, LongValueIsCutTo254AndUnwritableFolderFailsQuietly) {
  QTemporaryDir dir;
  const QString ini = dir.filePath(QStringLiteral("standaard.ini"));
  writeBytes(ini, "[standaard]\r\neigen e-mail adres=" + QByteArray(300, 'a') + "\r\n");
  EXPECT_EQ(readSetting(QStringLiteral("Standaard"), QStringLiteral("eigen e-mail adres"), ini), QString(254, QLatin1Char('a')));
  const QString locked = dir.filePath(QStringLiteral("locked"));
  QDir().mkpath(locked);
  QFile::setPermissions(locked, QFileDevice::ReadOwner | QFileDevice::ExeOwner);
  const bool canStillWrite = QFile(locked + QStringLiteral("/probe")).open(QIODevice::WriteOnly);  // root ignores it
  if (!canStillWrite) {
    EXPECT_FALSE(writeSetting(QStringLiteral("Standaard"), QStringLiteral("provider"), QStringLiteral("1"),
                              locked + QStringLiteral("/standaard.ini")));
  }
  QFile::setPermissions(locked, QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
}

TEST(Connection, CountsOnlyInterfacesThatAreUpAndNotLoopback) {
  QTemporaryDir dir;
  auto iface = [&](const char* name, const char* flags, const char* state) {
    writeBytes(dir.filePath(QString::fromLatin1(name) + QStringLiteral("/flags")), flags);
    writeBytes(dir.filePath(QString::fromLatin1(name) + QStringLiteral("/operstate")), state);
  };
  EXPECT_FALSE(connectionTest(dir.filePath(QStringLiteral("missing"))));
  iface("lo", "0x9\n", "unknown\n");
  iface("eth0", "0x1002\n", "down\n");  // switched off
  iface("wlan0", "0x1003\n", "down\n");  // switched on, no link
  iface("bad", "zz\n", "up\n");
  EXPECT_FALSE(connectionTest(dir.path()));
  iface("tun0", "0x1091\n", "unknown\n");
  EXPECT_TRUE(connectionTest(dir.path()));
}

TEST(FitColumns, WidthIsTheWidestTextPlusWAndBusyKeepsTheGridHidden) {
  Grid grid(3, 3);
  grid.setText(0, 2, QStringLiteral("Naam"));
  grid.setText(1, 2, QStringLiteral("Jansen"));
  grid.setText(2, 2, QStringLiteral("Jan"));
  // A measure where W is much wider than other letters shows the "W" really is added.
  const TextMeasure measure = [](const QString& s) {
    int w = 0;
    for (QChar c : s) w += c == QLatin1Char('W') ? 300 : 100;
    return w;
  };
  fitColumns(grid, measure, false);
  EXPECT_EQ(grid.columnWidth(2), measure(QStringLiteral("JansenW")));
  EXPECT_EQ(grid.columnWidth(0), measure(QStringLiteral("W")));
  EXPECT_TRUE(grid.visible());
  fitColumns(grid, measure, true);
  EXPECT_FALSE(grid.visible());
}

TEST(TextFile, RoundTripsWindows1252WithCrLfAndReadsAnyLineEnd) {
  QTemporaryDir dir;
  const QString p = dir.filePath(QStringLiteral("a.txt"));
  const QString euro = QString(QChar(0x20AC)) + QStringLiteral(" caf") + QChar(0xE9);
  ASSERT_TRUE(writeTextLines(p, {euro, QString()}));
  EXPECT_EQ(readBytes(p), QByteArray("\x80 caf\xE9\r\n\r\n"));
  EXPECT_EQ(readTextLines(p).value(), (QStringList{euro, QString()}));
  writeBytes(p, "one\ntwo\r\nthree\rfour");
  EXPECT_EQ(readTextLines(p).value(), (QStringList{"one", "two", "three", "four"}));
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
  const QByteArray before = readBytes(p);
  // Small enough to stay in the write buffer until the end, and far too large for it.
  const QStringList small{QStringLiteral("new")};
  const QStringList large(5000, QStringLiteral("1-2@110@-110@3@1~3-4@-50@50@1@3"));
  const bool renameOnly = QByteArray(GetParam()) == "MERVALO_FAIL_RENAME";
  {
    test::SaveFault fault(GetParam(), p);
    EXPECT_FALSE(writeTextLines(p, small));
    EXPECT_FALSE(writeTextLines(p, large));
  }
  EXPECT_EQ(readBytes(p), before);
  // A file saved for the first time has nothing to rename over.
  if (!renameOnly) {
    const QString fresh = dir.filePath(QStringLiteral("Club.txt"));
    test::SaveFault fault(GetParam(), fresh);
    EXPECT_FALSE(writeTextLines(fresh, small));
    EXPECT_FALSE(QFile::exists(fresh));
  }
  EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden), QStringList{QStringLiteral("Dinsdag Uitslag.txt")});
  EXPECT_TRUE(writeTextLines(p, small));  // room again
  EXPECT_EQ(readBytes(p), QByteArray("new\r\n"));
}

INSTANTIATE_TEST_SUITE_P(Steps, SaveUnderFault,
                         ::testing::Values("MERVALO_FAIL_WRITE", "MERVALO_FAIL_SYNC", "MERVALO_FAIL_RENAME"));
