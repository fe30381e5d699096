#pragma once

#include <QString>
#include <QVector>
#include <array>
#include <map>
#include <optional>

#include "scoring/contractline.h"

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

// Everything the details page shows besides the result; all of it may be missing.
struct EventExtras {
  std::map<int, BoardHands> hands;                     // by board number
  std::map<int, QVector<ContractLine>> contracts;  // by board number, the last report a table wins
  const ContractLine* contract(int board, int ns, int ew) const { return lastContractLine(contracts, board, ns, ew); }
};

// The event "invoer/<eventName>.txt"'s hand record and the contracts its tables reported, as far
// as there are any that can be read. With wait,
// a double-dummy analysis still running is waited for; without, the deals come alone and
// *analysisPending says so.
EventExtras readEventExtras(const QString& programFolder, const QString& eventName, bool wait,
                            bool* analysisPending = nullptr);

}  // namespace mervalo
