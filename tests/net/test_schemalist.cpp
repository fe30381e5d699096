#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include "app/fileops.h"
#include "app/textfile.h"
#include "net/schemalist.h"
#include "qtprint.h"
#include "testfiles.h"

using namespace mervalo;

TEST(SchemaList, GroupsAreKeyedByTwoDigitsLargestFirst) {
  const SchemaList list = parseSchemaList({"====== 4 ======", "04 Paren 03 Ronden Howell", "======  8  ======",
                                           "08 Paren 04 Ronden Howell", "", "====== 6 ======",
                                           "06 Paren 03 Ronden Howell", "====== 08 ======", "08 Paren 07 Ronden Howell"});
  EXPECT_EQ(list.keys, QStringList({"08", "06", "04"}));
  ASSERT_EQ(list.groups.size(), 4);
  EXPECT_EQ(list.groups[1].tag, QStringLiteral("8"));
  // An empty line is a name too; two headers with one key are one group on the screen.
  EXPECT_EQ(list.namesOf(QStringLiteral("08")),
            QStringList({"08 Paren 04 Ronden Howell", "", "08 Paren 07 Ronden Howell"}));
  EXPECT_EQ(list.namesOf(QStringLiteral("04")), QStringList({"04 Paren 03 Ronden Howell"}));
  EXPECT_TRUE(list.namesOf(QStringLiteral("10")).isEmpty());
}

TEST(SchemaList, OddHeadersAndLinesBeforeTheFirstHeader) {
  // Outside the format, but they must not break the screen.
  const SchemaList list = parseSchemaList({"stray", "======", "x", "======== 12 paren", "12 Paren 05 Ronden Howell"});
  ASSERT_EQ(list.groups.size(), 2);
  EXPECT_EQ(list.groups[0].tag, QString());
  EXPECT_EQ(list.keys, QStringList({"12", "00"}));
  EXPECT_EQ(list.namesOf(QStringLiteral("00")), QStringList({"x"}));
  EXPECT_TRUE(parseSchemaList({}).keys.isEmpty());
}

TEST(SchemaList, NamesThatWouldLeaveTheSchemaFolderAreRefused) {
  for (const char* bad : {"", " ", "..", "../taal", "a/b", "a\\b", "08 Paren..03", "tab\there", "\x7f"})
    EXPECT_FALSE(isSafeSchemaName(QString::fromLatin1(bad))) << bad;
  EXPECT_FALSE(isSafeSchemaName(QStringLiteral("nul") + QChar(0)));
  for (const char* good : {"08 Paren 03 Ronden Howell", "08 paren 03 ronden Mitchell (nieuw)", ".verborgen"})
    EXPECT_TRUE(isSafeSchemaName(QString::fromLatin1(good))) << good;
}

TEST(SchemaList, WrittenListReadsBackGroupedByPairCount) {
  const QStringList names{"10 Paren 05 Ronden Howell", "04 Paren 03 Ronden Howell", "08 Paren 04 Ronden Howell",
                          "08 Paren 03 Ronden Howell"};
  const QStringList lines = writeSchemaList(names);
  EXPECT_EQ(lines, QStringList({"====== 4 ======", "04 Paren 03 Ronden Howell", "====== 8 ======",
                                "08 Paren 03 Ronden Howell", "08 Paren 04 Ronden Howell", "====== 10 ======",
                                "10 Paren 05 Ronden Howell"}));
  EXPECT_EQ(parseSchemaList(lines).keys, QStringList({"10", "08", "04"}));
}

TEST(SchemaMirror, HoldsTheListEveryReadableMovementAndTheNotice) {
  QTemporaryDir source, mirror;
  const QByteArray good = "08 Paren 01 Ronden\r\nRonde 1\t1-2 (1-4)\t3-4 (1-4)\t5-6 (1-4)\t7-8 (1-4)\r\n";
  for (const char* name : {"08 Paren 01 Ronden A.txt", "08 Paren 01 Ronden B.txt"})
    test::writeBytes(source.filePath(QString::fromLatin1(name)), good);
  test::writeBytes(source.filePath(QStringLiteral("08 Paren 01 Ronden kapot.txt")), "kop\r\nRonde 1\t1-2 (1-4)\r\n");

  const MirrorResult r = writeMirror(mirror.path(), source.path(), QDate(2026, 3, 5));
  ASSERT_TRUE(r.error.isEmpty()) << r.error.toStdString();
  EXPECT_EQ(r.schemas, QStringList({"08 Paren 01 Ronden A", "08 Paren 01 Ronden B"}));
  EXPECT_EQ(r.skipped, QStringList({"08 Paren 01 Ronden kapot"}));
  EXPECT_EQ(readTextLines(mirror.filePath(QStringLiteral("MERVALO/Lijst met speelschemas.txt"))).value(),
            QStringList({"====== 8 ======", "08 Paren 01 Ronden A", "08 Paren 01 Ronden B"}));
  EXPECT_EQ(test::readBytes(mirror.filePath(QStringLiteral("MERVALO/Schema/08 Paren 01 Ronden B.txt"))), good);
  EXPECT_EQ(test::readBytes(mirror.filePath(QStringLiteral("MERVALO/mervalo.txt"))), QByteArray("05-03-2026\r\n"));
  EXPECT_FALSE(QFile::exists(mirror.filePath(QStringLiteral("MERVALO/Schema/08 Paren 01 Ronden kapot.txt"))));

  EXPECT_FALSE(writeMirror(mirror.path(), source.filePath(QStringLiteral("none")), QDate(2026, 3, 5)).error.isEmpty());
}
