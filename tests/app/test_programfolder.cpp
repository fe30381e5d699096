// Where the program keeps its files: in place in a build or portable copy, in the user's data
// folder when installed, or where the command line says. The package test starts the installed
// program; here what it cannot see: what is copied in which order, and what goes wrong.

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include "app/programfolder.h"
#include "testfiles.h"

using namespace mervalo;
using test::readBytes;
using test::writeBytes;

namespace {

class ProgramFolderTest : public ::testing::Test {
 protected:
  // The data a build leaves beside the executable, or an installation under ../share/mervalo.
  static void ship(const QString& folder) {
    writeBytes(folder + "/taal.txt", "10\r\n");
    writeBytes(folder + "/schema/10/04 Paren 03 Ronden.txt", "dutch\r\n");
    writeBytes(folder + "/schema/11/04 Pairs 03 Rounds.txt", "english\r\n");
  }
  ProgramFolder choose(const QString& explicitFolder = {}) { return chooseProgramFolder({bin, home, explicitFolder}); }

  QTemporaryDir root;
  const QString bin = root.path() + "/usr/bin";
  const QString share = root.path() + "/usr/share/mervalo";
  const QString home = root.path() + "/home/.local/share/Mervalo";
  // Both languages' movements, and the language file last: its presence means a whole copy.
  const QStringList all{"schema/10/04 Paren 03 Ronden.txt", "schema/11/04 Pairs 03 Rounds.txt", "taal.txt"};
};

}  // namespace

TEST_F(ProgramFolderTest, ABuildKeepsEverythingBesideTheExecutableAndAnExplicitFolderGetsOnlyTheShippedData) {
  ship(bin);
  writeBytes(bin + "/standaard.ini", "[Standaard]\r\n");
  EXPECT_TRUE(runsInPlace(bin));
  EXPECT_EQ(choose().folder, bin);

  // A relative folder is taken from where the program was started.
  const QString previous = QDir::currentPath();
  ASSERT_TRUE(QDir::setCurrent(root.path()));
  const ProgramFolder f = choose("club");
  QDir::setCurrent(previous);
  EXPECT_EQ(f.folder, root.path() + "/club");
  EXPECT_EQ(f.copied, all);
  EXPECT_FALSE(QFileInfo::exists(f.folder + "/standaard.ini"));
}

TEST_F(ProgramFolderTest, AnInstalledProgramFillsTheUserDataFolderAndLaterBringsBackOnlyWhatIsMissing) {
  QDir().mkpath(bin);
  ship(share);
  EXPECT_FALSE(runsInPlace(bin));
  const ProgramFolder first = choose();
  EXPECT_EQ(first.folder, home);
  EXPECT_EQ(first.copied, all);

  // The user chooses English and loses a movement: a later start leaves his choice alone.
  writeBytes(home + "/taal.txt", "11\r\n");
  QFile::remove(home + "/schema/11/04 Pairs 03 Rounds.txt");
  EXPECT_EQ(choose().copied, QStringList{"schema/11/04 Pairs 03 Rounds.txt"});
  EXPECT_EQ(readBytes(home + "/taal.txt"), "11\r\n");
  EXPECT_TRUE(QDir(home).entryList({"*.seed~"}, QDir::Files).isEmpty());
}

TEST_F(ProgramFolderTest, WhatCannotBeCopiedIsReportedAndTheRestIsStillCopied) {
  ship(share);
  QDir().mkpath(bin);
  writeBytes(home + "/schema/11", "in the way");  // a file where the English movements' folder belongs
  const ProgramFolder f = choose();
  EXPECT_EQ(f.failed, QStringList{"schema/11/04 Pairs 03 Rounds.txt"});
  EXPECT_EQ(f.copied, (QStringList{"schema/10/04 Paren 03 Ronden.txt", "taal.txt"}));
}
