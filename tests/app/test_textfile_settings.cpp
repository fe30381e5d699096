#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include "app/settings.h"
#include "qtprint.h"
#include "app/textfile.h"

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
