#pragma once

#include <QChar>
#include <QString>
#include <QVector>
#include <array>
#include <map>
#include <optional>

namespace mervalo {

// What an event's pages can show beside its result: the hand record and the contracts reported
// from the tables. Kept apart from the result's types on purpose: the hand record's own types
// share names with the result's and must not meet them in one file.

// The hands of one board as the details page and the PBN export show them. Seats are North,
// East, South, West (0 … 3); suits spades, hearts, diamonds, clubs (0 … 3); strains no trump,
// spades, hearts, diamonds, clubs (0 … 4).
struct BoardHands {
  int board = 0;
  int dealer = 0;
  int vulnerability = 0;  // a Vulnerability code (scoring/scoretable.h)
  // The ranks held, high to low, ten as "T": cards[seat][suit] ("AKT2", "" for a void).
  std::array<std::array<QString, 4>, 4> cards;
  // Tricks each seat takes as declarer, double dummy: tricks[seat][strain].
  std::optional<std::array<std::array<int, 5>, 4>> tricks;
  std::optional<int> parScore;  // North-South's view
  QString parContracts;         // "NS 4S", "EW 3NTX" …

  // "N:AKQ.JT9.876.5432 …", North first, as PBN writes a deal.
  QString pbnDeal() const;
};

// A contract reported from a table. The contract as the table server keeps it: "4S", "3NTX",
// "2HXX", "pass".
struct TableContract {
  int ns = 0;
  int ew = 0;
  QString contract;
  QChar declarer;  // 'N', 'E', 'S', 'W'
  int tricks = 0;
};

// Everything the details page shows besides the result; all of it may be missing.
struct EventExtras {
  std::map<int, BoardHands> hands;                     // by board number
  std::map<int, QVector<TableContract>> contracts;     // by board number, the last report a table wins
  const TableContract* contract(int board, int ns, int ew) const;
};

// The event "invoer/<eventName>.txt"'s hand record, as far as there is one that can be read
// (the contracts are not read yet: the table server's file has no reader of its own). With wait,
// a double-dummy analysis still running is waited for; without, the deals come alone and
// *analysisPending says so.
EventExtras readEventExtras(const QString& programFolder, const QString& eventName, bool wait,
                            bool* analysisPending = nullptr);

}  // namespace mervalo
