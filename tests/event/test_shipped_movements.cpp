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

struct Sharing {
  int extra = 0;  // tables beyond the first at one set in one round, over all rounds
  int most = 0;   // the most tables at one set in one round
  int fewestSetsInARound = 0;
};

Sharing sharingOf(const SchemaCheck& c) {
  std::map<int, std::map<int, int>> tablesAt;  // round -> set -> tables
  for (const SeatedTable& t : c.tables) ++tablesAt[t.round][t.set];
  Sharing s;
  s.fewestSetsInARound = c.rounds;
  for (const auto& [round, sets] : tablesAt) {
    s.fewestSetsInARound = std::min(s.fewestSetsInARound, static_cast<int>(sets.size()));
    for (const auto& [set, n] : sets) {
      s.extra += n - 1;
      s.most = std::max(s.most, n);
    }
  }
  return s;
}

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

// The hard rules of every file are the checker's: the test shipped_movements runs it on all.
TEST_F(ShippedMovements, NoTwoPairsMeetTwice) {
  for (const Shipped& s : *files) {
    std::set<std::pair<int, int>> met;
    for (const SeatedTable& t : s.check.tables)
      EXPECT_TRUE(met.insert(std::minmax(t.ns, t.ew)).second)
          << s.name.toStdString() << ": pairs " << t.ns << " and " << t.ew << " meet again in round " << t.round;
  }
}

// With at least as many sets as tables a file shares a set only where its record proves that
// every movement in which nobody meets twice must; with fewer sets than tables it shares no
// more than the numbers force. The name tells a director which kind he picks.
TEST_F(ShippedMovements, SetsAreSharedOnlyWhereTheRecordShowsTheyMust) {
  int proved = 0;
  for (const Shipped& s : *files) {
    SCOPED_TRACE(s.name.toStdString());
    const Entry* e = entryOf(s);
    ASSERT_NE(e, nullptr) << "the record has no entry";
    const int tables = s.check.pairs / 2;
    const int rounds = s.check.rounds;
    const Sharing share = sharingOf(s.check);
    const QString sharedKind = s.language == kDutch ? QStringLiteral(" Howell gedeelde spellen.txt") : QStringLiteral(" Howell shared boards.txt");
    EXPECT_EQ(s.name.endsWith(sharedKind), share.extra > 0);
    if (rounds < tables) {
      EXPECT_LE(share.most, (tables + rounds - 1) / rounds);
      EXPECT_EQ(share.fewestSetsInARound, rounds);  // every set in play, so each round shares as little as it can
      EXPECT_TRUE(e->one(QStringLiteral("shared sets")).startsWith(QLatin1String("forced by the numbers")));
    } else if (share.extra == 0) {
      EXPECT_EQ(e->one(QStringLiteral("shared sets")), QStringLiteral("none"));
    } else {
      EXPECT_TRUE(e->one(QStringLiteral("shared sets")).startsWith(QLatin1String("forced: ")));
      const QStringList proofs = e->all(QStringLiteral("proof"));
      EXPECT_TRUE(proofs.filter(QStringLiteral("no movement without a shared set in which nobody meets twice")).size() == 1)
          << proofs.join(QLatin1Char('\n')).toStdString();
      ++proved;
    }
  }
  // Room squares of side 3 and 5 and a Howell design for 8 pairs over 5 rounds do not exist.
  EXPECT_EQ(proved, 6);
}

TEST_F(ShippedMovements, TheRecordGivesTheBalanceTheCheckerComputes) {
  for (const Shipped& s : *files) {
    const Entry* e = entryOf(s);
    ASSERT_NE(e, nullptr) << s.name.toStdString();
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
