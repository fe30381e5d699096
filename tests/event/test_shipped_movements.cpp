// The movement library as shipped: every file against the rules, and against the balance the
// generator's record gives for it.
#include <QDir>
#include <QFile>
#include <QRegularExpression>
#include <gtest/gtest.h>

#include <map>
#include <set>
#include <utility>

#include "app/texts.h"
#include "event/movement.h"
#include "event/schemacheck.h"
#include "qtprint.h"

using namespace mervalo;

namespace {

struct Shipped {
  int language = 0;
  QString name;
  SchemaCheck check;
};

QVector<Shipped> shippedFiles() {
  QVector<Shipped> files;
  for (int language : {kDutch, kEnglish}) {
    const QDir dir(QStringLiteral(MERVALO_SOURCE_DIR "/resources/schema/") + QString::number(language));
    for (const QString& name : dir.entryList({"*.txt"}, QDir::Files, QDir::Name))
      files.append(Shipped{language, name, checkSchemaFile(dir.filePath(name))});
  }
  return files;
}

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

TEST(ShippedMovements, EveryFieldHasOneFileInEachLanguageAndBothSeatTheSameMovement) {
  const QVector<Shipped> files = shippedFiles();
  EXPECT_EQ(files.size(), 130);
  std::set<std::pair<int, int>> wanted;
  for (int p = 4; p <= 20; p += 2)
    for (int r = 3; r <= std::min(12, p - 1); ++r) wanted.insert({p, r});
  std::map<std::pair<int, int>, QVector<const Shipped*>> byField;
  for (const Shipped& s : files) {
    const std::pair field{s.check.pairs, s.check.rounds};
    EXPECT_TRUE(s.name.startsWith(schemaNamePrefix(field.first, field.second, s.language))) << s.name.toStdString();
    for (const Shipped* other : byField[field]) EXPECT_NE(other->language, s.language) << s.name.toStdString();
    byField[field].append(&s);
  }
  for (const auto& [field, two] : byField) {
    EXPECT_TRUE(wanted.erase(field)) << field.first << " pairs " << field.second << " rounds";
    ASSERT_EQ(two.size(), 2) << two[0]->name.toStdString();
    const QVector<SeatedTable>& a = two[0]->check.tables;
    const QVector<SeatedTable>& b = two[1]->check.tables;
    ASSERT_EQ(a.size(), b.size()) << two[0]->name.toStdString();
    for (qsizetype i = 0; i < a.size(); ++i)
      EXPECT_TRUE(a[i].round == b[i].round && a[i].ns == b[i].ns && a[i].ew == b[i].ew && a[i].set == b[i].set)
          << two[0]->name.toStdString() << " table " << i;
  }
  EXPECT_TRUE(wanted.empty()) << wanted.size() << " fields without a movement";
}

// The hard rules are the checker's (the test shipped_movements runs it on all); of its warnings a
// shipped file may only share sets, never seat two pairs against each other twice. Where a file
// shares a set the generator asserts as it writes; the regeneration test (label "slow") runs it.
TEST(ShippedMovements, NoPairsMeetTwiceAndTheRecordGivesTheBalanceTheCheckerComputes) {
  const std::map<QString, QString> record = recordedBalance();
  EXPECT_EQ(record.size(), 130u);  // and no entry for a file that is not shipped
  for (const Shipped& s : shippedFiles()) {
    SCOPED_TRACE(s.name.toStdString());
    for (const SchemaIssue& i : s.check.issues) EXPECT_FALSE(i.what.contains("meet again"));
    const MovementBalance& b = s.check.balance;
    const auto recorded = record.find(s.name);
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
