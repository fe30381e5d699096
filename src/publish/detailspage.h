#pragma once

#include <QByteArray>
#include <QChar>
#include <QString>
#include <QVector>
#include <array>
#include <map>
#include <optional>

#include "scoring/eventresult.h"

namespace mervalo {

// What the players read after the evening beside the ranking page: every board's traveller,
// every pair's score card and, where the event has a hand record, the hands.

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

struct DetailsOptions {
  int language = 10;
  QString title;            // the ranking page's title, "Uitslag (12-03-2024 Groep A)"
  bool withHands = true;    // false leaves the hands, the double-dummy table and par out
};

// "HTML/<group> Details.html" beside the ranking page "<group>.html".
QString detailsFileName(const QString& groupFileName);

// The details page: one self-contained UTF-8 file (inline style sheet, no scripts, nothing
// fetched) that is also well-formed XML, so any strict parser reads it.
QByteArray detailsPage(const EventResult& result, const EventExtras& extras, const DetailsOptions& options);

// A board's tables in the order the traveller shows them: played scores best for North-South
// first (equal scores in entry order), then adjusted, then not-played tables.
QVector<const ScoredTable*> travellerOrder(const BoardResult& board);

// A table's North-South share of the top as a whole percentage, as the traveller shows it.
int percentOfTop(double points, int top);

}  // namespace mervalo
