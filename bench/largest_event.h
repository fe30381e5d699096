#pragma once

// The largest event the program allows, written into a program folder: 98 pairs at 49 tables,
// 12 rounds of 9 boards, a per-board event (group A) and a per-round one (group B).

#include <QDir>
#include <QString>
#include <QStringList>
#include <algorithm>
#include <array>
#include <random>
#include <vector>

#include "app/textfile.h"
#include "publish/detailspage.h"

namespace largest {

constexpr int kPairs = 98;
constexpr int kTables = 49;
constexpr int kRounds = 12;
constexpr int kBoardsPerRound = 9;
inline const QString kSchema = QStringLiteral("98 Paren 12 Ronden Bench");

// A barometer movement: in round r every table plays board set r; NS pair t stays at table t,
// the EW pairs move up one table a round. Every board is played at all 49 tables.
inline int ewPair(int t, int r) { return kTables + ((t - 1 + r - 1) % kTables) + 1; }
inline int boardSet(int, int r) { return r; }

inline QStringList schemaLines() {
  QStringList lines{QStringLiteral("Speelschema 98 paren 12 ronden")};
  for (int r = 1; r <= kRounds; ++r) {
    QStringList fields{QStringLiteral("Ronde %1").arg(r)};
    for (int t = 1; t <= kTables; ++t)
      fields << QStringLiteral("%1-%2 (%3-%4)").arg(t).arg(ewPair(t, r)).arg(4 * boardSet(t, r) - 3).arg(4 * boardSet(t, r));
    lines << fields.join(QLatin1Char('\t'));
  }
  return lines;
}

inline QString randomScore(std::mt19937& rng) {
  static const char* const pool[] = {"420", "-50", "450", "140", "-100", "110", "-420", "620", "0", "-200", "170", "-620"};
  const unsigned pick = rng() % 100;
  if (pick == 0) return QStringLiteral("n");
  return QLatin1String(pool[pick % std::size(pool)]);
}

inline QString mirror(const QString& s) {
  if (s == QLatin1String("n") || s == QLatin1String("0")) return s;
  return s.startsWith(QLatin1Char('-')) ? s.mid(1) : QLatin1Char('-') + s;
}

inline QStringList eventLines(int mode) {
  QStringList lines{QStringLiteral("06-12-2026 Groep A Uitslag"), QString::number(kPairs), QStringLiteral("Geen"),
                    QString::number(kRounds), QString::number(kBoardsPerRound), kSchema, QString::number(mode)};
  std::mt19937 rng(2026);
  for (int b = 1; b <= kRounds * kBoardsPerRound; ++b) {
    const int set = (b - 1) / kBoardsPerRound + 1;
    QStringList tables;
    for (int r = 1; r <= kRounds; ++r) {
      for (int t = 1; t <= kTables; ++t) {
        if (boardSet(t, r) != set) continue;
        const QString ns = randomScore(rng);
        if (mode == 0)
          tables << QStringLiteral("%1|%2|||%3|%4|0|0").arg(t).arg(ewPair(t, r)).arg(ns, mirror(ns));
        else
          tables << QStringLiteral("%1-%2*|%3|%4").arg(t).arg(ewPair(t, r)).arg(ns, mirror(ns));
      }
    }
    lines << (mode == 0 ? QStringLiteral("%1*").arg(b, 2, 10, QLatin1Char('0')) + tables.join(QLatin1Char('@'))
                        : tables.join(QLatin1Char('~')));
  }
  return lines;
}

inline void makeFolder(const QString& folder) {
  for (const char* sub : {"groepen", "schema/10", "invoer", "namen"}) QDir(folder).mkpath(QLatin1String(sub));
  mervalo::writeTextLines(folder + QStringLiteral("/taal.txt"), {QStringLiteral("10")});
  mervalo::writeTextLines(folder + QStringLiteral("/schema/10/") + kSchema + QStringLiteral(".txt"), schemaLines());
  QStringList group;
  for (int p = 1; p <= kPairs; ++p)
    group << QStringLiteral("%1| Dhr. Speler %1+%2| Mevr. Partner van %1").arg(2 * p - 1).arg(2 * p);
  for (const char* letter : {"A", "B"}) {
    mervalo::writeTextLines(folder + QStringLiteral("/groepen/06-12-2026 Groep %1.txt").arg(QLatin1String(letter)), group);
  }
  QStringList perBoard = eventLines(0), perRound = eventLines(1);
  perRound[0] = QStringLiteral("06-12-2026 Groep B Uitslag");
  mervalo::writeTextLines(folder + QStringLiteral("/invoer/06-12-2026 Groep A Uitslag.txt"), perBoard);
  mervalo::writeTextLines(folder + QStringLiteral("/invoer/06-12-2026 Groep B Uitslag.txt"), perRound);
}

// A hand record for every board (a fixed shuffle per board, with a made-up double-dummy table and
// par) and a contract from every table: the most a details page can show.
inline mervalo::EventExtras extras(const mervalo::EventResult& result) {
  static const char kRanks[] = "AKQJT98765432";
  static const char* const kContracts[] = {"4S", "3NTX", "2HXX", "pass", "5D", "1C"};
  mervalo::EventExtras x;
  for (const mervalo::BoardResult& b : result.boards) {
    std::mt19937 rng(static_cast<unsigned>(b.board));
    std::vector<int> cards(52);
    for (int c = 0; c < 52; ++c) cards[static_cast<size_t>(c)] = c;
    std::shuffle(cards.begin(), cards.end(), rng);
    mervalo::BoardHands h;
    h.board = b.board;
    h.dealer = (b.board - 1) % 4;
    h.vulnerability = (b.board - 1) % 4;
    for (int seat = 0; seat < 4; ++seat) {
      std::vector<int> hand(cards.begin() + seat * 13, cards.begin() + seat * 13 + 13);
      std::sort(hand.begin(), hand.end());
      for (int c : hand) h.cards[static_cast<size_t>(seat)][static_cast<size_t>(c / 13)] += QLatin1Char(kRanks[c % 13]);
    }
    std::array<std::array<int, 5>, 4> tricks{};
    for (int seat = 0; seat < 4; ++seat)
      for (int strain = 0; strain < 5; ++strain) tricks[static_cast<size_t>(seat)][static_cast<size_t>(strain)] = (seat * 3 + strain + b.board) % 14;
    h.tricks = tricks;
    h.parScore = 420;
    h.parContracts = QStringLiteral("NS 4S");
    x.hands[b.board] = h;
    for (qsizetype t = 0; t < b.tables.size(); ++t)
      x.contracts[b.board].append({b.board, b.tables[t].ns, b.tables[t].ew, *mervalo::parseContract(QString::fromLatin1(kContracts[t % 6])),
                                   static_cast<mervalo::Declarer>(t % 4), static_cast<int>(7 + t % 7), QString()});
  }
  return x;
}

}  // namespace largest
