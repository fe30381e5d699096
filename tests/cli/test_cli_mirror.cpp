// Runs the real mervalo-cli mirror on the shipped Dutch movements.

#include <QTemporaryDir>
#include <gtest/gtest.h>

#include "qtprint.h"
#include "testfiles.h"

namespace {
using namespace mervalo::test;
int runMirror(const QStringList& args) { return runCli(QStringList{QStringLiteral("mirror")} + args).exitCode; }
}  // namespace

// What a mirror holds is the mirror writer's test (net); that the command makes one of every shipped
// movement, the schema download screen's test shows by downloading them all from it.
TEST(CliMirror, WrongArgumentsAndAMissingFolderFail) {
  QTemporaryDir dir;
  EXPECT_EQ(runMirror({}), 2);
  EXPECT_EQ(runMirror({dir.path(), dir.filePath(QStringLiteral("none")), QStringLiteral("x")}), 2);
  EXPECT_EQ(runMirror({dir.path(), dir.filePath(QStringLiteral("none"))}), 1);
}
