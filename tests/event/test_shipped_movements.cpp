// The movement library as shipped: every file against the rules, and against the balance the
// generator's record gives for it.
#include <QDir>
#include <QFile>
#include <QRegularExpression>
#include <gtest/gtest.h>

#include <map>

#include "event/schemacheck.h"
#include "qtprint.h"

using namespace mervalo;

namespace {

// The record's balance line of each file, under both of its names ("NN pairs NN rounds: dutch |
// english", then indented "key: value" lines).
std::map<QString, QString> recordedBalance() {
  std::map<QString, QString> balance;
  QFile f(QStringLiteral(MERVALO_SOURCE_DIR "/tools/movements-record.txt"));
  if (!f.open(QIODevice::ReadOnly)) return balance;
  static const QRegularExpression head("^\\d\\d pairs \\d\\d rounds: (.+\\.txt) \\| (.+\\.txt)$");
  QStringList names;
  for (const QByteArray& raw : f.readAll().split('\n')) {
    const QString line = QString::fromLatin1(raw).remove(QLatin1Char('\r'));
    if (const auto m = head.match(line); m.hasMatch())
      names = {m.captured(1), m.captured(2)};
    else if (line.startsWith("  balance: "))
      for (const QString& name : names) balance[name] = line.mid(11);
  }
  return balance;
}

}  // namespace

// The hard rules are the checker's (the test shipped_movements runs it on all); of its warnings a
// shipped file may only share sets, never seat two pairs against each other twice. Where a file
// shares a set the generator asserts as it writes; the regeneration test (label "slow") runs it.
TEST(ShippedMovements, NoPairsMeetTwiceAndTheRecordGivesTheBalanceTheCheckerComputes) {
  const std::map<QString, QString> record = recordedBalance();
  EXPECT_EQ(record.size(), 130u);
  int files = 0;
  for (const QString language : {"10", "11"}) {
    const QDir dir(QStringLiteral(MERVALO_SOURCE_DIR "/resources/schema/") + language);
    for (const QString& name : dir.entryList({"*.txt"}, QDir::Files, QDir::Name)) {
      SCOPED_TRACE(name.toStdString());
      ++files;
      const SchemaCheck check = checkSchemaFile(dir.filePath(name));
      for (const SchemaIssue& i : check.issues) EXPECT_FALSE(i.what.contains("meet again"));
      const MovementBalance& b = check.balance;
      const auto recorded = record.find(name);
      ASSERT_NE(recorded, record.end());
      EXPECT_EQ(recorded->second, QStringLiteral("same direction %1-%2 (mean %3), opposite %4-%5, variation %6")
                                      .arg(b.sameMin)
                                      .arg(b.sameMax)
                                      .arg(b.sameMean, 0, 'f', 2)
                                      .arg(b.oppositeMin)
                                      .arg(b.oppositeMax)
                                      .arg(b.variation, 0, 'f', 4));
    }
  }
  EXPECT_EQ(files, 130) << "one file shipped for each file the generator records, and no other";
}
