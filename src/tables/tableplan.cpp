#include "tableplan.h"

#include "event/movement.h"

namespace mervalo {

TablePlan::TablePlan(const QStringList& roundLines, const EventHeader& header) : rounds_(header.rounds) {
  const QStringList map = rangeMap(header.rounds, header.boardsPerRound);
  for (int r = 1; r <= header.rounds && r <= roundLines.size(); ++r) {
    const QStringList fields = roundLines[r - 1].split(QLatin1Char('\t'));
    for (int t = 1; t < fields.size(); ++t) {
      if (isEmptyTable(fields[t])) continue;
      const QString cell = convertRanges(fields[t], map);
      TableRound seat;
      seat.round = r;
      seat.table = t;
      const QStringList pairs = cellPairText(cell).split(QLatin1Char('-'));
      if (pairs.size() != 2) continue;
      bool nsOk = false, ewOk = false;
      seat.ns = pairs[0].trimmed().toInt(&nsOk);
      seat.ew = pairs[1].trimmed().toInt(&ewOk);
      if (!nsOk || !ewOk) continue;
      for (int b = 1; b <= header.boards(); ++b)
        if (cell.contains(boardRange(b, header.boardsPerRound))) seat.boards.append(b);
      seat.sitOut = header.sitOut != 0 && (seat.ns == header.sitOut || seat.ew == header.sitOut);
      tables_ = std::max(tables_, t);
      seats_.append(seat);
    }
  }
}

const TableRound* TablePlan::at(int table, int round) const {
  for (const TableRound& s : seats_)
    if (s.table == table && s.round == round) return &s;
  return nullptr;
}

const TableRound* TablePlan::seatingOf(int board, int ns, int ew) const {
  for (const TableRound& s : seats_)
    if (s.boards.contains(board) && ((s.ns == ns && s.ew == ew) || (s.ns == ew && s.ew == ns))) return &s;
  return nullptr;
}

}  // namespace mervalo
