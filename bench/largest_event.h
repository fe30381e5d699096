#pragma once

// The largest event the program allows, written into a program folder: 98 pairs at 49 tables,
// 12 rounds of 9 boards, a per-board event (group A) and a per-round one (group B).

#include <QDir>
#include <QString>
#include <QStringList>
#include <random>

#include "app/textfile.h"

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

}  // namespace largest
