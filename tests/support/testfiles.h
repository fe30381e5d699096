#pragma once

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <gtest/gtest.h>

namespace mervalo::test {

// Writes the bytes to path, making its folder first; gives the path back.
inline QString writeBytes(const QString& path, const QByteArray& bytes) {
  QDir().mkpath(QFileInfo(path).absolutePath());
  QFile f(path);
  EXPECT_TRUE(f.open(QIODevice::WriteOnly)) << path.toStdString();
  f.write(bytes);
  return path;
}

// The bytes of a file, or "<missing>" when it cannot be read (so two missing files never
// compare equal to an empty one).
inline QByteArray readBytes(const QString& path) {
  QFile f(path);
  return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray("<missing>");
}

// One run of the real mervalo-cli.
struct CliRun {
  int exitCode = -1;  // -1: did not finish, -2: crashed
  QByteArray out;
  QByteArray err;
};

inline CliRun runCli(const QStringList& args) {
  QProcess p;
  p.start(QStringLiteral(MERVALO_BIN_DIR "/mervalo-cli"), args);
  CliRun r;
  if (!p.waitForFinished(60'000)) return r;
  r.exitCode = p.exitStatus() == QProcess::NormalExit ? p.exitCode() : -2;
  r.out = p.readAllStandardOutput();
  r.err = p.readAllStandardError();
  return r;
}

}  // namespace mervalo::test
