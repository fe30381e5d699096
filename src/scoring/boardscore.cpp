#include "boardscore.h"

#include <algorithm>
#include <vector>

#include "numbers.h"

namespace mervalo {

int eventTop(int pairs, int sitOut) {
  int top = pairs - 2;
  if (top % 2 != 0) top -= 1;
  else if (sitOut > 0) top -= 2;
  return std::max(top, 0);
}

bool tableCounts(const BoardTable& table, int sitOut) {
  if (!table.enabled) return false;
  return sitOut <= 0 || (table.ns != sitOut && table.ew != sitOut);
}

namespace {

struct Ranked {
  double score;
  int table;
  double points = 0;
};

// Ranks best first; equal scores share the average of the points their places would give.
void rank(std::vector<Ranked>& list, int boardTop) {
  std::stable_sort(list.begin(), list.end(), [](const Ranked& a, const Ranked& b) { return a.score > b.score; });
  size_t i = 0;
  while (i < list.size()) {
    size_t j = i;
    while (j + 1 < list.size() && list[j + 1].score == list[i].score) ++j;
    // Places i..j give boardTop - 2i down to boardTop - 2j; their mean is a whole number.
    const double shared = boardTop - static_cast<double>(i + j);
    for (size_t k = i; k <= j; ++k) list[k].points = shared;
    i = j + 1;
  }
}

QString neuberg(double points, int regular, int irregular, int top) {
  const int all = regular + irregular;
  double value = (points + 1) * all / regular - 1;
  if (value > top) {
    while (value >= top) value -= 1;
  }
  return twoDecimalPoints(value);
}

enum class Kind { Regular, NotPlayed, Adjusted };

// "n" anywhere makes a table not played, before "%" makes it adjusted.
Kind kindOf(const QString& nsScore) {
  bool percent = false;
  for (QChar c : nsScore) {
    if (c == QLatin1Char('n') || c == QLatin1Char('N')) return Kind::NotPlayed;
    percent = percent || c == QLatin1Char('%');
  }
  return percent ? Kind::Adjusted : Kind::Regular;
}

}  // namespace

void scoreBoard(QVector<BoardTable>& tables, int top, int sitOut) {
  std::vector<Ranked> nsList, ewList;
  int irregular = 0;
  for (int i = 0; i < tables.size(); ++i) {
    BoardTable& t = tables[i];
    t.nsPoints.clear();
    t.ewPoints.clear();
    if (!tableCounts(t, sitOut)) continue;
    const Kind kind = kindOf(t.nsScore);
    if (kind == Kind::NotPlayed) {
      ++irregular;
      t.nsPoints = t.ewPoints = QStringLiteral("n");
    } else if (kind == Kind::Adjusted) {
      ++irregular;
      t.nsPoints = shortestDecimal(leadingNumber(t.nsScore) / 100 * top);
      t.ewPoints = shortestDecimal(leadingNumber(t.ewScore) / 100 * top);
    } else {
      nsList.push_back({leadingNumber(t.nsScore), i});
      ewList.push_back({leadingNumber(t.ewScore), i});
    }
  }
  const int boardTop = top - 2 * irregular;
  rank(nsList, boardTop);
  rank(ewList, boardTop);
  const int regular = static_cast<int>(nsList.size());
  const auto text = [&](double points) {
    return irregular > 0 ? neuberg(points, regular, irregular, top) : shortestDecimal(points);
  };
  for (const Ranked& r : nsList) tables[r.table].nsPoints = text(r.points);
  for (const Ranked& r : ewList) tables[r.table].ewPoints = text(r.points);
}

ScoreRecord boardRecord(int board, const QVector<BoardTable>& tables, int sitOut) {
  ScoreRecord record;
  record.board = board;
  for (const BoardTable& t : tables) {
    if (!tableCounts(t, sitOut)) continue;
    record.tables.append(TableResult{QString::number(t.ns), QString::number(t.ew), t.nsScore, t.ewScore,
                                     t.nsPoints, t.ewPoints});
  }
  return record;
}

ScoreRecord completeBoard(int board, QVector<BoardTable>& tables, int top, int sitOut) {
  scoreBoard(tables, top, sitOut);
  return boardRecord(board, tables, sitOut);
}

QVector<BoardTable> tablesOfRecord(const ScoreRecord& record) {
  QVector<BoardTable> tables;
  tables.reserve(record.tables.size());
  for (const TableResult& r : record.tables) {
    BoardTable t;
    t.ns = r.ns.trimmed().toInt();
    t.ew = r.ew.trimmed().toInt();
    t.nsScore = r.nsScore;
    t.ewScore = r.ewScore;
    t.nsPoints = r.nsPoints;
    t.ewPoints = r.ewPoints;
    tables.append(t);
  }
  return tables;
}

}  // namespace mervalo
