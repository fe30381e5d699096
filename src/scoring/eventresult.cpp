#include "eventresult.h"

#include <algorithm>

#include "app/numeric.h"
#include "event/eventfile.h"
#include "numbers.h"

namespace mervalo {

QString PairSeat::pointsText() const {
  if (!table) return QString();
  return mervalo::pointsText(points(), table->form);
}

PairSeat EventResult::seat(int pair, int board) const {
  const int count = header.boards();
  if (pair < 1 || pair > pairs.size() || board < 1 || board > count) return {};
  const int at = seats[static_cast<size_t>((pair - 1) * count + board - 1)];
  if (at < 0) return {};
  return PairSeat{&boards[board - 1].tables[at / 2], (at & 1) != 0};
}

BoardTables completeBoardTables(const EventModel& model, int board) {
  const EventHeader& h = model.header();
  BoardTables out;
  if (h.entryMode == kEntryPerBoard) {
    const ScoreRecord* record = model.record(board);
    if (!record) return out;
    out.tables.reserve(record->tables.size());
    for (const TableResult& r : record->tables) {
      out.tables.append(BoardTable::fromTexts(r.ns, r.ew, r.nsScore, r.ewScore));
      out.nsTexts.append(r.nsScore);
      out.ewTexts.append(r.ewScore);
    }
    out.complete = true;
    return out;
  }
  const BoardLine& line = model.boardLine(board);
  if (line.entries.isEmpty()) return out;
  out.tables.reserve(line.entries.size());
  for (const SlipEntry& e : line.entries) {
    const auto pairs = slipPairs(e.pairText, h.pairs);
    if (!pairs) return {};
    const BoardTable t = e.stored ? BoardTable::fromTexts(pairs->first, pairs->second, e.nsScore, e.ewScore)
                                  : BoardTable::fromTexts(pairs->first, pairs->second, {}, {});
    // A slip still to be typed keeps the board open, unless the sit-out pair sits there.
    if (!e.stored && tableCounts(t, h.sitOut)) return {};
    out.tables.append(t);
    out.nsTexts.append(e.stored ? e.nsScore : QString());
    out.ewTexts.append(e.stored ? e.ewScore : QString());
  }
  out.complete = true;
  return out;
}

namespace {

// The matchpoints as the result counts them: the value of the text they are written as.
double asWritten(double points, PointsForm form) {
  switch (form) {
    case PointsForm::None:
    case PointsForm::NotPlayed: return 0;
    case PointsForm::Plain:
    case PointsForm::Corrected: return numericValue(pointsText(points, form));
  }
  return 0;
}

BoardResult scoreBoardTables(int board, BoardTables&& in, int top, int sitOut) {
  BoardResult out;
  out.board = board;
  out.top = top;
  if (!in.complete) return out;
  scoreBoard(in.tables, top, sitOut);
  out.scored = true;
  out.tables.reserve(in.tables.size());
  for (qsizetype i = 0; i < in.tables.size(); ++i) {
    const BoardTable& t = in.tables[i];
    if (!tableCounts(t, sitOut)) continue;
    ScoredTable s;
    s.ns = t.ns;
    s.ew = t.ew;
    s.kind = t.kind;
    s.nsScore = in.nsTexts[i];
    s.ewScore = in.ewTexts[i];
    s.nsValue = t.nsScore;
    s.ewValue = t.ewScore;
    s.form = t.form;
    s.nsPoints = asWritten(t.nsPoints, t.form);
    s.ewPoints = asWritten(t.ewPoints, t.form);
    out.tables.append(std::move(s));
  }
  return out;
}

// The key the ranking compares: the percentage in hundredths, as the result writes it.
qint64 shownHundredths(double percentage) {
  return static_cast<qint64>(std::llround(numericValue(percentageText(percentage)) * 100));
}

}  // namespace

BoardResult scoreBoardOfEvent(const EventModel& model, int board) {
  const EventHeader& h = model.header();
  return scoreBoardTables(board, completeBoardTables(model, board), eventTop(h.pairs, h.sitOut), h.sitOut);
}

EventResult scoreEvent(const EventModel& model, const QStringList& pairNames) {
  EventResult r;
  r.header = model.header();
  const EventHeader& h = r.header;
  const int boards = std::max(h.boards(), 0);
  const int pairs = std::max(h.pairs, 0);
  r.top = eventTop(h.pairs, h.sitOut);

  r.boards.reserve(boards);
  for (int b = 1; b <= boards; ++b)
    r.boards.append(scoreBoardTables(b, completeBoardTables(model, b), r.top, h.sitOut));

  // Where every pair sat on every board; a pair written twice on a board counts where it was
  // written last, as the results grid always showed it.
  r.seats.assign(static_cast<size_t>(pairs) * static_cast<size_t>(boards), -1);
  for (int b = 1; b <= boards; ++b) {
    const QVector<ScoredTable>& tables = r.boards[b - 1].tables;
    for (int i = 0; i < tables.size(); ++i) {
      const auto place = [&](int pair, int side) {
        if (pair >= 1 && pair <= pairs) r.seats[static_cast<size_t>((pair - 1) * boards + b - 1)] = 2 * i + side;
      };
      place(tables[i].ns, 1);
      place(tables[i].ew, 0);
    }
  }

  r.pairs.resize(pairs);
  std::vector<qint64> keys(static_cast<size_t>(pairs), 0);
  for (int p = 1; p <= pairs; ++p) {
    PairResult& pr = r.pairs[p - 1];
    pr.pair = p;
    pr.sitOut = p == h.sitOut;
    if (pr.sitOut) continue;
    pr.names = p - 1 < pairNames.size() ? pairNames.at(p - 1).trimmed() : QString();
    int total = 0;
    int played = 0;
    for (int b = 1; b <= boards; ++b) {
      const PairSeat s = r.seat(p, b);
      if (!s.table || s.table->form == PointsForm::NotPlayed || s.table->form == PointsForm::None) continue;
      ++played;
      total = roundHalfEven(total + s.points());
    }
    pr.total = total;
    pr.boardsPlayed = played;
    const double maximum = static_cast<double>(played) * r.top;
    pr.percentage = maximum > 0 ? total / maximum * 100 : 0;
    keys[static_cast<size_t>(p - 1)] = shownHundredths(pr.percentage);
  }

  for (int p = 1; p <= pairs; ++p)
    if (!r.pairs[p - 1].sitOut) r.ranking.append(p);
  std::stable_sort(r.ranking.begin(), r.ranking.end(),
                   [&](int a, int b) { return keys[static_cast<size_t>(a - 1)] > keys[static_cast<size_t>(b - 1)]; });
  for (qsizetype i = 0; i < r.ranking.size();) {
    qsizetype j = i;
    const qint64 key = keys[static_cast<size_t>(r.ranking[i] - 1)];
    while (j + 1 < r.ranking.size() && keys[static_cast<size_t>(r.ranking[j + 1] - 1)] == key) ++j;
    for (qsizetype k = i; k <= j; ++k) {
      PairResult& pr = r.pairs[r.ranking[k] - 1];
      pr.rank = static_cast<int>(i) + 1;
      pr.tied = j > i;
    }
    i = j + 1;
  }
  return r;
}

}  // namespace mervalo
