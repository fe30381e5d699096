#pragma once

#include <QString>
#include <QStringList>
#include <QVector>

#include "event/eventfile.h"

namespace mervalo {

// Who sits where in every round, table by table, as the movement seats them: table t of round
// r is field t of the movement's round line r, so a table keeps its number all evening.
struct TableRound {
  int round = 0;
  int table = 0;
  int ns = 0;
  int ew = 0;
  QVector<int> boards;  // ascending
  bool sitOut = false;  // one of the pairs is the sit-out pair: nothing is played here
  bool plays(int board) const { return !sitOut && boards.contains(board); }
};

class TablePlan {
 public:
  TablePlan() = default;
  // From the movement's round lines and the event's header.
  TablePlan(const QStringList& roundLines, const EventHeader& header);

  int tables() const { return tables_; }
  int rounds() const { return rounds_; }
  // Table t in round r; nullptr where the movement seats nobody.
  const TableRound* at(int table, int round) const;
  // Where the pairs of a table result sat for the board (either way round); nullptr for none.
  const TableRound* seatingOf(int board, int ns, int ew) const;

 private:
  QVector<TableRound> seats_;  // round-major
  int tables_ = 0;
  int rounds_ = 0;
};

}  // namespace mervalo
