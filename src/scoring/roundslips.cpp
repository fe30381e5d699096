#include "scoring/roundslips.h"

#include <QRegularExpression>
#include <algorithm>

#include "event/movement.h"

namespace mervalo {

namespace {

QString swappedText(const QString& pairText) {
  const qsizetype dash = pairText.indexOf(QLatin1Char('-'));
  if (dash < 0) return pairText;
  return pairText.mid(dash + 1) + QLatin1Char('-') + pairText.left(dash);
}

}  // namespace

QString Slip::caption() const {
  return pairText + QStringLiteral(" (") + QString::number(firstBoard) + QLatin1Char('-') + QString::number(lastBoard) +
         QLatin1Char(')');
}

RoundSlips RoundSlips::build(const QStringList& roundLines, EventModel& model, QStringList* unusable) {
  const EventHeader& h = model.header();
  RoundSlips s;
  s.sitOut_ = h.sitOut;
  s.entries_.resize(std::max(h.boards(), 0));
  s.rounds_.resize(std::max(h.rounds, 0));
  const QStringList map = rangeMap(h.rounds, h.boardsPerRound);
  static const QRegularExpression range(QStringLiteral("\\((\\d+)-(\\d+)\\)"));
  for (int r = 1; r <= h.rounds && r <= roundLines.size(); ++r) {
    for (const QString& cell : roundCells(roundLines[r - 1], map)) {
      const auto m = range.match(cell);
      const auto pairs = slipPairs(cellPairText(cell), h.pairs);
      if (!m.hasMatch() || !pairs) continue;
      Slip slip;
      slip.round = r;
      slip.pairText = cellPairText(cell).remove(QLatin1Char(' '));
      slip.ns = pairs->first;
      slip.ew = pairs->second;
      slip.firstBoard = std::max(1, m.captured(1).toInt());
      slip.lastBoard = std::min(h.boards(), m.captured(2).toInt());
      if (slip.lastBoard < slip.firstBoard) continue;
      slip.sitOut = h.sitOut > 0 && (slip.ns == h.sitOut || slip.ew == h.sitOut);
      for (int b = slip.firstBoard; b <= slip.lastBoard; ++b) s.entries_[b - 1].append(SlipEntry{slip.pairText, false, {}, {}});
      s.rounds_[r - 1].append(slip);
    }
  }

  // The stored lines, by position: each entry takes the place of its table, either way round.
  for (int b = 1; b <= s.boards(); ++b) {
    for (const SlipEntry& stored : model.boardLine(b).entries) {
      SlipEntry* placed = s.findEntry(b, stored.pairText);
      bool swapped = false;
      if (!placed) {
        placed = s.findEntry(b, swappedText(stored.pairText));
        swapped = placed != nullptr;
      }
      if (!placed) {
        model.keepPart(b, stored.text());
        if (unusable) unusable->append(QStringLiteral("board %1: %2").arg(b).arg(stored.pairText));
        continue;
      }
      if (swapped) {
        for (QVector<Slip>& round : s.rounds_)
          for (Slip& slip : round)
            if (slip.pairText == placed->pairText && b >= slip.firstBoard && b <= slip.lastBoard) s.rename(slip, stored.pairText);
        placed = s.findEntry(b, stored.pairText);
      }
      *placed = stored;
    }
  }
  return s;
}

SlipEntry* RoundSlips::findEntry(int board, const QString& pairText) {
  if (board < 1 || board > boards()) return nullptr;
  for (SlipEntry& e : entries_[board - 1])
    if (e.pairText == pairText) return &e;
  return nullptr;
}

const SlipEntry* RoundSlips::entry(const Slip& slip, int board) const {
  return const_cast<RoundSlips*>(this)->findEntry(board, slip.pairText);
}

void RoundSlips::rename(Slip& slip, const QString& newText) {
  for (int b = slip.firstBoard; b <= slip.lastBoard; ++b)
    if (SlipEntry* e = findEntry(b, slip.pairText)) e->pairText = newText;
  slip.pairText = newText;
  std::swap(slip.ns, slip.ew);
  slip.swapped = !slip.swapped;
}

void RoundSlips::store(int round, int index, const QVector<std::pair<QString, QString>>& scores) {
  const Slip& slip = rounds_[round - 1][index];
  for (int i = 0; i < scores.size() && slip.firstBoard + i <= slip.lastBoard; ++i) {
    SlipEntry* e = findEntry(slip.firstBoard + i, slip.pairText);
    if (!e) continue;
    const QString ns = scores[i].first.trimmed();
    e->stored = !ns.isEmpty();
    e->nsScore = e->stored ? ns : QString();
    e->ewScore = e->stored ? scores[i].second.trimmed() : QString();
  }
}

bool RoundSlips::stored(int round, int index) const {
  const Slip& slip = rounds_[round - 1][index];
  const SlipEntry* last = entry(slip, slip.lastBoard);
  return last && last->stored;
}

bool RoundSlips::swap(int round, int index) {
  Slip& slip = rounds_[round - 1][index];
  for (int b = slip.firstBoard; b <= slip.lastBoard; ++b) {
    const SlipEntry* e = entry(slip, b);
    if (e && e->stored) return false;
  }
  rename(slip, swappedText(slip.pairText));
  return true;
}

QStringList RoundSlips::missing(const QString& roundWord, const QString& boardWord) const {
  QStringList out;
  for (const QVector<Slip>& round : rounds_) {
    QVector<int> boards;
    for (const Slip& slip : round) {
      if (slip.sitOut) continue;
      for (int b = slip.firstBoard; b <= slip.lastBoard; ++b) {
        const SlipEntry* e = entry(slip, b);
        if (e && !e->stored && !boards.contains(b)) boards.append(b);
      }
    }
    std::sort(boards.begin(), boards.end());
    for (int b : boards)
      out.append(roundWord + QLatin1Char(' ') + QString::number(round.isEmpty() ? 0 : round.first().round) +
                 QStringLiteral(" - ") + boardWord + QLatin1Char(' ') + QString::number(b));
  }
  return out;
}

void RoundSlips::writeTo(EventModel& model) const {
  for (int b = 1; b <= boards(); ++b) model.setBoardEntries(b, entries_[b - 1]);
}

Grid slipsOverview(const RoundSlips& slips, const QString& boardWord) {
  const int boards = slips.boards();
  int tables = 0;
  for (int b = 1; b <= boards; ++b) tables = std::max(tables, static_cast<int>(slips.boardEntries(b).size()));
  Grid grid(tables + 1, boards + 1);
  for (int t = 1; t <= tables; ++t) grid.setText(t, 0, QString::number(t));
  for (int b = 1; b <= boards; ++b) {
    grid.setText(0, b, boardWord + QLatin1Char(' ') + QString::number(b));
    const QVector<SlipEntry>& entries = slips.boardEntries(b);
    for (int t = 0; t < tables; ++t) {
      QString cell;
      if (t < entries.size()) {
        const SlipEntry& e = entries[t];
        cell = QString(e.pairText).replace(QLatin1Char('-'), QStringLiteral(" - "));
        if (e.stored) cell += QStringLiteral(" [") + e.nsScore + QStringLiteral("]  [") + e.ewScore + QLatin1Char(']');
      }
      grid.setText(t + 1, b, cell);
      grid.setAlignment(t + 1, b, kAlignCenterCenter);
    }
  }
  return grid;
}

}  // namespace mervalo
