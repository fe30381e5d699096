// Runs the real mervalo-cli mirror on the shipped Dutch movements.

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include "app/textfile.h"
#include "qtprint.h"
#include "testfiles.h"

namespace {
using namespace mervalo::test;
int runMirror(const QStringList& args) { return runCli(QStringList{QStringLiteral("mirror")} + args).exitCode; }
}  // namespace

TEST(CliMirror, CopiesEveryShippedMovementAndListsItUnderItsPairCount) {
  QTemporaryDir dir;
  ASSERT_EQ(runMirror({dir.path()}), 0);
  const QDir shipped(QStringLiteral(MERVALO_BIN_DIR "/schema/10"));
  const QStringList files = shipped.entryList({QStringLiteral("*.txt")}, QDir::Files, QDir::Name);
  ASSERT_FALSE(files.isEmpty());
  for (const QString& f : files)
    EXPECT_EQ(readBytes(dir.filePath(QStringLiteral("MERVALO/Schema/") + f)), readBytes(shipped.filePath(f))) << f.toStdString();

  const QStringList list = mervalo::readTextLines(dir.filePath(QStringLiteral("MERVALO/Lijst met speelschemas.txt"))).value();
  QString header;
  QStringList listed;
  for (const QString& line : list) {
    if (line.startsWith(QLatin1String("======"))) {
      header = line.section(QLatin1Char(' '), 1, 1);
      continue;
    }
    EXPECT_EQ(line.left(2).toInt(), header.toInt()) << line.toStdString();
    listed.append(line + QStringLiteral(".txt"));
  }
  EXPECT_EQ(listed, files);
  EXPECT_EQ(readBytes(dir.filePath(QStringLiteral("MERVALO/mervalo.txt"))).trimmed().size(), 10);
}

TEST(CliMirror, WrongArgumentsAndAMissingFolderFail) {
  QTemporaryDir dir;
  EXPECT_EQ(runMirror({}), 2);
  EXPECT_EQ(runMirror({dir.path(), dir.filePath(QStringLiteral("none")), QStringLiteral("x")}), 2);
  EXPECT_EQ(runMirror({dir.path(), dir.filePath(QStringLiteral("none"))}), 1);
}
