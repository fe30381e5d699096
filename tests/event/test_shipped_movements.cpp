// The movement library as shipped: every file against the rules, and against the generator's
// record of why a file shares board sets.
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

const QString kSchema = QStringLiteral(MERVALO_SOURCE_DIR "/resources/schema/");
const QString kRecord = QStringLiteral(MERVALO_SOURCE_DIR "/tools/movements-record.txt");

struct Shipped {
  int language = 0;
  QString name;
  SchemaCheck check;
};

// One file's entry of the record: its "key: value" lines, a key possibly repeated.
struct Entry {
  QString dutch;
  QString english;
  QVector<std::pair<QString, QString>> lines;

  QStringList all(const QString& key) const {
    QStringList out;
    for (const auto& [k, v] : lines)
      if (k == key) out << v;
    return out;
  }
  QString one(const QString& key) const { return all(key).value(0); }
};

class ShippedMovements : public ::testing::Test {
 protected:
  static void SetUpTestSuite() {
    files = new QVector<Shipped>;
    for (int language : {kDutch, kEnglish}) {
      const QDir dir(kSchema + QString::number(language));
      for (const QString& name : dir.entryList({QStringLiteral("*.txt")}, QDir::Files, QDir::Name))
        files->append(Shipped{language, name, checkSchemaFile(dir.filePath(name))});
    }
    record = new std::map<QString, Entry>;
    QFile f(kRecord);
    if (!f.open(QIODevice::ReadOnly)) return;
    static const QRegularExpression head(QStringLiteral("^\\d\\d pairs \\d\\d rounds: (.+\\.txt) \\| (.+\\.txt)$"));
    static const QRegularExpression field(QStringLiteral("^  ([a-z ]+): (.*)$"));
    Entry* current = nullptr;
    for (const QByteArray& raw : f.readAll().split('\n')) {
      const QString line = QString::fromLatin1(raw).remove(QLatin1Char('\r'));
      if (const auto m = head.match(line); m.hasMatch()) {
        Entry e{m.captured(1), m.captured(2), {}};
        (*record)[e.dutch] = e;
        current = &(*record)[e.dutch];
      } else if (const auto m = field.match(line); m.hasMatch() && current) {
        current->lines.append({m.captured(1), m.captured(2)});
        (*record)[current->english] = *current;
        (*record)[current->dutch] = *current;
      } else if (line.isEmpty()) {
        current = nullptr;
      }
    }
  }
  static void TearDownTestSuite() {
    delete files;
    delete record;
  }

  static const Entry* entryOf(const Shipped& s) {
    const auto it = record->find(s.name);
    return it == record->end() ? nullptr : &it->second;
  }

  static QVector<Shipped>* files;
  static std::map<QString, Entry>* record;
};

QVector<Shipped>* ShippedMovements::files = nullptr;
std::map<QString, Entry>* ShippedMovements::record = nullptr;

}  // namespace

TEST_F(ShippedMovements, EveryNumberOfPairsAndRoundsHasOneFileInEachLanguage) {
  for (int language : {kDutch, kEnglish}) {
    std::set<std::pair<int, int>> seen;
    for (const Shipped& s : *files) {
      if (s.language != language) continue;
      EXPECT_TRUE(seen.insert({s.check.pairs, s.check.rounds}).second) << s.name.toStdString();
      EXPECT_TRUE(s.name.startsWith(schemaNamePrefix(s.check.pairs, s.check.rounds, language))) << s.name.toStdString();
    }
    std::set<std::pair<int, int>> wanted;
    for (int p = 4; p <= 20; p += 2)
      for (int r = 3; r <= std::min(12, p - 1); ++r) wanted.insert({p, r});
    EXPECT_EQ(seen, wanted) << language;
  }
  EXPECT_EQ(files->size(), 130);
}

TEST_F(ShippedMovements, BothLanguagesSeatTheSameMovement) {
  std::map<std::pair<int, int>, QVector<const Shipped*>> byField;
  for (const Shipped& s : *files) byField[{s.check.pairs, s.check.rounds}].append(&s);
  for (const auto& [field, two] : byField) {
    ASSERT_EQ(two.size(), 2) << field.first << " pairs " << field.second << " rounds";
    const QVector<SeatedTable>& a = two[0]->check.tables;
    const QVector<SeatedTable>& b = two[1]->check.tables;
    ASSERT_EQ(a.size(), b.size()) << two[0]->name.toStdString();
    for (qsizetype i = 0; i < a.size(); ++i)
      EXPECT_TRUE(a[i].round == b[i].round && a[i].ns == b[i].ns && a[i].ew == b[i].ew && a[i].set == b[i].set)
          << two[0]->name.toStdString() << " table " << i;
  }
}

// Where a file shares a set, and what its record says about it, the generator asserts as it
// writes both; the regeneration test (label "slow") runs it and compares the result byte for byte.

TEST_F(ShippedMovements, NoPairsMeetTwiceAndTheRecordGivesTheBalanceTheCheckerComputes) {
  for (const Shipped& s : *files) {
    const Entry* e = entryOf(s);
    ASSERT_NE(e, nullptr) << s.name.toStdString();
    // The hard rules are the checker's (the test shipped_movements runs it on all); of its
    // warnings a shipped file may only share sets, never seat two pairs against each other twice.
    for (const SchemaIssue& i : s.check.issues) EXPECT_FALSE(i.what.contains(QLatin1String("meet again"))) << s.name.toStdString();
    const MovementBalance& b = s.check.balance;
    EXPECT_EQ(e->one(QStringLiteral("balance")), QStringLiteral("same direction %1-%2 (mean %3), opposite %4-%5, variation %6")
                                                      .arg(b.sameMin)
                                                      .arg(b.sameMax)
                                                      .arg(b.sameMean, 0, 'f', 2)
                                                      .arg(b.oppositeMin)
                                                      .arg(b.oppositeMax)
                                                      .arg(b.variation, 0, 'f', 4))
        << s.name.toStdString();
  }
  EXPECT_EQ(record->size(), 130u);  // and no entry for a file that is not shipped
}
