#pragma once

// The system's tools the table tests read their output with (tools/dev.sh installs them).

#include <QProcess>
#include <QString>
#include <QStringList>
#include <gtest/gtest.h>

// Runs a tool and gives what it printed; a tool that is missing or fails fails the test.
inline QString runTool(const QString& program, const QStringList& arguments) {
  QProcess p;
  p.start(program, arguments);
  if (!p.waitForFinished(60000) || p.exitStatus() != QProcess::NormalExit || p.exitCode() != 0) {
    ADD_FAILURE() << program.toStdString() << " failed: " << p.readAllStandardError().toStdString();
    return {};
  }
  return QString::fromUtf8(p.readAllStandardOutput());
}

// What a QR decoder reads in an image file.
inline QString decodeQr(const QString& imageFile) { return runTool(QStringLiteral("zbarimg"), {"--raw", "-q", imageFile}).trimmed(); }
