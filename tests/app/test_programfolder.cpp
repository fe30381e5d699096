// Where the program keeps its files: in place in a build or portable copy, in the user's data
// folder when installed, or where the command line says; and what the first start copies there.

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include "app/paths.h"
#include "app/programfolder.h"
#include "testfiles.h"

namespace {

using mervalo::test::readBytes;
using mervalo::test::writeBytes;

// The shipped data as a build leaves it beside the executable, with a user's own files too.
void writeShipped(const QString& folder) {
  writeBytes(folder + "/taal.txt", "10\r\n");
  writeBytes(folder + "/schema/10/04 Paren 03 Ronden.txt", "dutch\r\n");
  writeBytes(folder + "/schema/11/04 Pairs 03 Rounds.txt", "english\r\n");
}

struct Tree {
  QTemporaryDir root;
  QString bin() const { return root.path() + "/usr/bin"; }
  QString share() const { return root.path() + "/usr/share/mervalo"; }
  QString home() const { return root.path() + "/home/.local/share/Mervalo"; }
  // An installation: the executable's folder without data, the data under ../share/mervalo.
  void install() {
    QDir().mkpath(bin());
    writeShipped(share());
  }
};

}  // namespace

TEST(ProgramFolder, ABuildOrPortableCopyKeepsEverythingBesideTheExecutable) {
  Tree t;
  writeShipped(t.bin());
  writeBytes(t.bin() + "/standaard.ini", "[Standaard]\r\n");
  EXPECT_TRUE(mervalo::runsInPlace(t.bin()));
  const mervalo::ProgramFolder f = mervalo::chooseProgramFolder({t.bin(), t.home(), {}});
  EXPECT_EQ(f.folder, t.bin());
  EXPECT_TRUE(f.copied.isEmpty());
  EXPECT_FALSE(QFileInfo::exists(t.home()));
}

TEST(ProgramFolder, AnInstalledProgramMakesAndFillsTheUserDataFolderOnce) {
  Tree t;
  t.install();
  EXPECT_FALSE(mervalo::runsInPlace(t.bin()));
  EXPECT_EQ(mervalo::shippedDataFolder(t.bin()), t.share());

  const mervalo::ProgramFolder first = mervalo::chooseProgramFolder({t.bin(), t.home(), {}});
  EXPECT_EQ(first.folder, t.home());
  EXPECT_EQ(first.shippedFrom, t.share());
  // Both languages' movements, and the language file last: its presence means a whole copy.
  EXPECT_EQ(first.copied, (QStringList{"schema/10/04 Paren 03 Ronden.txt", "schema/11/04 Pairs 03 Rounds.txt", "taal.txt"}));
  EXPECT_TRUE(first.failed.isEmpty());
  EXPECT_EQ(readBytes(t.home() + "/taal.txt"), "10\r\n");
  EXPECT_EQ(readBytes(t.home() + "/schema/11/04 Pairs 03 Rounds.txt"), "english\r\n");
  EXPECT_TRUE(QFileInfo(t.home() + "/taal.txt").isWritable());

  // The user changes a movement and chooses English; a later start leaves both alone and
  // only brings back what he lacks.
  writeBytes(t.home() + "/schema/10/04 Paren 03 Ronden.txt", "mine\r\n");
  writeBytes(t.home() + "/taal.txt", "11\r\n");
  QFile::remove(t.home() + "/schema/11/04 Pairs 03 Rounds.txt");
  const mervalo::ProgramFolder second = mervalo::chooseProgramFolder({t.bin(), t.home(), {}});
  EXPECT_EQ(second.copied, QStringList{"schema/11/04 Pairs 03 Rounds.txt"});
  EXPECT_EQ(readBytes(t.home() + "/schema/10/04 Paren 03 Ronden.txt"), "mine\r\n");
  EXPECT_EQ(readBytes(t.home() + "/taal.txt"), "11\r\n");
  EXPECT_TRUE(QDir(t.home()).entryList({"*.seed~"}, QDir::Files).isEmpty());
}

TEST(ProgramFolder, AnExplicitFolderWinsAndGetsOnlyWhatTheProgramShips) {
  Tree t;
  writeShipped(t.bin());
  writeBytes(t.bin() + "/standaard.ini", "[Standaard]\r\n");
  writeBytes(t.bin() + "/invoer/event.txt", "scores\r\n");

  // A relative folder is taken from where the program was started.
  const QString previous = QDir::currentPath();
  ASSERT_TRUE(QDir::setCurrent(t.root.path()));
  const mervalo::ProgramFolder f = mervalo::chooseProgramFolder({t.bin(), t.home(), "club"});
  QDir::setCurrent(previous);

  EXPECT_EQ(f.folder, t.root.path() + "/club");
  EXPECT_EQ(readBytes(f.folder + "/schema/10/04 Paren 03 Ronden.txt"), "dutch\r\n");
  EXPECT_FALSE(QFileInfo::exists(f.folder + "/standaard.ini"));
  EXPECT_FALSE(QFileInfo::exists(f.folder + "/invoer"));
  EXPECT_FALSE(QFileInfo::exists(t.home()));
}

TEST(ProgramFolder, WhatCannotBeCopiedIsReportedAndTheRestIsStillCopied) {
  Tree t;
  t.install();
  // A file where the English movements' folder should be.
  writeBytes(t.home() + "/schema/11", "in the way");
  const mervalo::ProgramFolder f = mervalo::chooseProgramFolder({t.bin(), t.home(), {}});
  EXPECT_EQ(f.failed, QStringList{"schema/11/04 Pairs 03 Rounds.txt"});
  EXPECT_EQ(f.copied, (QStringList{"schema/10/04 Paren 03 Ronden.txt", "taal.txt"}));
}

TEST(ProgramFolder, WithoutShippedDataTheFolderIsStillMade) {
  Tree t;
  QDir().mkpath(t.bin());
  EXPECT_TRUE(mervalo::shippedDataFolder(t.bin()).isEmpty());
  const mervalo::ProgramFolder f = mervalo::chooseProgramFolder({t.bin(), t.home(), {}});
  EXPECT_EQ(f.folder, t.home());
  EXPECT_TRUE(QFileInfo(t.home()).isDir());
  EXPECT_TRUE(f.shippedFrom.isEmpty());
}

// Every file the program keeps has its place under the program folder; messages name it relative.
TEST(ProgramFolder, PathsOfTheDataFolders) {
  using mervalo::DataFolder;
  const struct {
    DataFolder folder;
    const char* file;
    const char* relative;
  } cases[] = {
      {DataFolder::Names, "Club.txt", "namen/Club.txt"},
      {DataFolder::Groups, "03-12-2026 Groep A.mail", "groepen/03-12-2026 Groep A.mail"},
      {DataFolder::Events, "03-12-2026 Groep A Uitslag.txt", "invoer/03-12-2026 Groep A Uitslag.txt"},
      {DataFolder::Pages, "x.html", "HTML/x.html"},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(mervalo::relativeFilePath(c.folder, c.file), c.relative);
    EXPECT_EQ(mervalo::filePath("/pf", c.folder, c.file), QStringLiteral("/pf/") + c.relative);
    EXPECT_EQ(mervalo::filePath("/pf", c.folder, c.file).section('/', 0, -2), mervalo::folderPath("/pf", c.folder));
  }
  EXPECT_EQ(mervalo::relativeSchemaFilePath(11, "04 Pairs 03 Rounds.txt"), "schema/11/04 Pairs 03 Rounds.txt");
  EXPECT_EQ(mervalo::dataFolderPaths("/pf"),
            (QStringList{"/pf/namen", "/pf/groepen", "/pf/schema/10", "/pf/schema/11", "/pf/invoer"}));
}
