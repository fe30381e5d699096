#include "contract.h"

#include "scoretable.h"

namespace mervalo {

namespace {

constexpr char kDenominationLetters[] = {'C', 'D', 'H', 'S'};
constexpr char kDeclarerLetters[] = {'N', 'E', 'S', 'W'};

int trickValue(Denomination denomination) { return denomination == Denomination::Clubs || denomination == Denomination::Diamonds ? 20 : 30; }

int penalty(int down, Doubling doubling, bool vulnerable) {
  if (doubling == Doubling::None) return down * (vulnerable ? 100 : 50);
  // Doubled: the first undertrick, the second and third, then every further one.
  int points = 0;
  for (int i = 1; i <= down; ++i) {
    if (i == 1) points += vulnerable ? 200 : 100;
    else if (i <= 3) points += vulnerable ? 300 : 200;
    else points += 300;
  }
  return doubling == Doubling::Redoubled ? 2 * points : points;
}

}  // namespace

std::optional<Contract> parseContract(QStringView text) {
  const QString t = text.trimmed().toString().toUpper();
  if (t == QLatin1String("PASS")) return Contract{};
  if (t.size() < 2 || t[0] < QLatin1Char('1') || t[0] > QLatin1Char('7')) return std::nullopt;
  Contract c;
  c.level = t[0].unicode() - '0';
  QStringView rest = QStringView(t).mid(1);
  if (rest.startsWith(QLatin1String("NT"))) {
    c.denomination = Denomination::NoTrump;
    rest = rest.mid(2);
  } else {
    int s = 0;
    while (s < 4 && rest[0] != QLatin1Char(kDenominationLetters[s])) ++s;
    if (s == 4) return std::nullopt;
    c.denomination = static_cast<Denomination>(s);
    rest = rest.mid(1);
  }
  if (rest.isEmpty()) c.doubling = Doubling::None;
  else if (rest == QLatin1String("X")) c.doubling = Doubling::Doubled;
  else if (rest == QLatin1String("XX")) c.doubling = Doubling::Redoubled;
  else return std::nullopt;
  return c;
}

QString contractText(const Contract& contract) {
  if (contract.passedOut()) return QStringLiteral("pass");
  QString t = QString::number(contract.level);
  t += contract.denomination == Denomination::NoTrump ? QStringLiteral("NT")
                                          : QString(QLatin1Char(kDenominationLetters[static_cast<int>(contract.denomination)]));
  if (contract.doubling == Doubling::Doubled) t += QLatin1Char('X');
  if (contract.doubling == Doubling::Redoubled) t += QStringLiteral("XX");
  return t;
}

std::optional<Declarer> parseDeclarer(QStringView text) {
  const QString t = text.trimmed().toString().toUpper();
  for (int i = 0; i < 4; ++i)
    if (t == QLatin1Char(kDeclarerLetters[i])) return static_cast<Declarer>(i);
  return std::nullopt;
}

QChar declarerLetter(Declarer declarer) { return QLatin1Char(kDeclarerLetters[static_cast<int>(declarer)]); }

int declarerScore(const Contract& contract, int tricks, bool vulnerable) {
  if (contract.passedOut()) return 0;
  const int needed = contract.level + 6;
  if (tricks < needed) return -penalty(needed - tricks, contract.doubling, vulnerable);

  const int factor = contract.doubling == Doubling::Redoubled ? 4 : contract.doubling == Doubling::Doubled ? 2 : 1;
  int contractPoints = contract.level * trickValue(contract.denomination);
  if (contract.denomination == Denomination::NoTrump) contractPoints += 10;
  contractPoints *= factor;

  int score = contractPoints;
  score += contractPoints >= 100 ? (vulnerable ? 500 : 300) : 50;
  if (contract.level == 6) score += vulnerable ? 750 : 500;
  if (contract.level == 7) score += vulnerable ? 1500 : 1000;
  if (factor > 1) score += factor == 2 ? 50 : 100;

  const int over = tricks - needed;
  if (factor == 1) score += over * trickValue(contract.denomination);
  else score += over * (vulnerable ? 200 : 100) * factor / 2;
  return score;
}

std::optional<int> nsContractScore(const Contract& contract, Declarer declarer, int tricks, int board) {
  const int code = vulnerabilityOf(board);
  if (code < 0 || tricks < 0 || tricks > 13 || contract.level < 0 || contract.level > 7) return std::nullopt;
  if (contract.passedOut()) return 0;
  const bool ns = isNorthSouth(declarer);
  const bool vulnerable = code == kBoth || (ns ? code == kNorthSouth : code == kEastWest);
  const int score = declarerScore(contract, tricks, vulnerable);
  return ns ? score : -score;
}

}  // namespace mervalo
