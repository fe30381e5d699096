#include "resultgrid.h"

#include <algorithm>
#include <vector>

#include "app/numeric.h"
#include "app/texts.h"
#include "numbers.h"

namespace mervalo {

void setHeadings(ResultsLayout& layout, int language) {
  const TextTable& texts = TextTable::builtin();
  layout.numberHeading = texts.lookup(16, language).remove(QLatin1Char('.'));
  layout.pairsHeading = texts.lookup(32, language);
  layout.pointsHeading = texts.lookup(80, language);
  layout.percentageHeading = texts.lookup(81, language);
}

QStringList pairNamesOfGroup(const QStringList& groupLines) {
  QStringList names;
  for (const QString& line : groupLines) {
    if (line.trimmed().isEmpty()) continue;
    if (line.contains(QLatin1String("**"))) {
      names.append(QString());
      continue;
    }
    // "3| Dhr. Jan Smit+7| Mevr. Anna de Vries": the descriptions follow each player's "|".
    QStringList players;
    for (const QString& player : line.split(QLatin1Char('+'))) {
      const qsizetype bar = player.indexOf(QLatin1Char('|'));
      const QString description = (bar >= 0 ? player.mid(bar + 1) : player).trimmed();
      if (!description.isEmpty()) players.append(description);
    }
    names.append(players.join(QStringLiteral(" - ")));
  }
  return names;
}

Grid newResultsGrid(const ResultsLayout& layout) {
  const int pairs = std::max(layout.pairs, 0);
  const int boards = std::max(layout.boards, 0);
  Grid grid(pairs + 2, boards + 4);
  grid.setFixedRows(1);
  grid.setFixedCols(2);
  const auto put = [&](int r, int c, const QString& text, int align) {
    grid.setText(r, c, text);
    grid.setAlignment(r, c, align);
  };
  put(0, 0, layout.numberHeading, kAlignCenterCenter);
  put(0, 1, layout.pairsHeading, kAlignLeftCenter);
  for (int b = 1; b <= boards; ++b) put(0, b + 1, QString::number(b), kAlignCenterCenter);
  put(0, pointsColumn(boards), layout.pointsHeading, kAlignCenterCenter);
  put(0, percentageColumn(boards), layout.percentageHeading, kAlignCenterCenter);
  for (int p = 1; p <= pairs; ++p) {
    put(p, 0, QString::number(p), kAlignCenterCenter);
    for (int c = 2; c < grid.cols(); ++c) grid.setAlignment(p, c, kAlignCenterCenter);
    if (p == layout.sitOut) {
      for (int c = 1; c < grid.cols(); ++c) grid.setBackColour(p, c, kSitOutRed);
      continue;
    }
    put(p, 1, p - 1 < layout.names.size() ? layout.names.at(p - 1) : QString(), kAlignLeftCenter);
  }
  return grid;
}

namespace {

// True when the text is the number written plainly.
bool holdsNumber(const QString& text, int number) {
  if (text.isEmpty() || text.size() > 10) return false;
  qint64 value = 0;
  for (QChar c : text) {
    if (c < QLatin1Char('0') || c > QLatin1Char('9')) return false;
    value = value * 10 + (c.unicode() - '0');
  }
  return value == number && (text.size() == 1 || text[0] != QLatin1Char('0'));
}

// The row of a pair: before the result the rows stand in pair order, so look there first.
int rowOfPair(const Grid& grid, int pair) {
  if (pair < 1) return -1;
  if (pair < grid.rows() - 1 && holdsNumber(grid.text(pair, 0), pair)) return pair;
  for (int r = 1; r < grid.rows() - 1; ++r)
    if (holdsNumber(grid.text(r, 0), pair)) return r;
  return -1;
}

void putPoints(Grid& grid, int pair, int col, const QString& points) {
  const int row = rowOfPair(grid, pair);
  if (row < 0) return;
  grid.setText(row, col, points);
  grid.setAlignment(row, col, kAlignCenterCenter);
}

bool isSitOutRow(const Grid& grid, int row) {
  const Colour c = grid.cell(row, 1).backColour;
  return c != 0 && c != kPlayedWhite;
}

bool isNotPlayedCell(const QString& text) { return text == QLatin1String("n"); }

}  // namespace

void setBoardPoints(Grid& grid, int board, const QVector<BoardTable>& tables, int sitOut) {
  const int col = board + 1;
  if (board < 1 || col >= grid.cols() - 2) return;
  for (const BoardTable& t : tables) {
    if (!tableCounts(t, sitOut)) continue;
    putPoints(grid, t.ns, col, nsPointsText(t));
    putPoints(grid, t.ew, col, ewPointsText(t));
  }
}

void clearBoardPoints(Grid& grid, int board) {
  const int col = board + 1;
  if (board < 1 || col >= grid.cols() - 2) return;
  for (int r = 1; r < grid.rows() - 1; ++r) grid.setText(r, col, QString());
}

void computeResult(Grid& grid, int boards, int top, const TextMeasure& measure) {
  if (grid.rows() < 2 || boards < 0 || grid.cols() != boards + 4) return;
  const int mpCol = pointsColumn(boards);
  const int pctCol = percentageColumn(boards);

  // Totals and percentages of every pair; the total is kept whole after every board.
  for (int r = 1; r <= grid.rows() - 2; ++r) {
    if (isSitOutRow(grid, r)) continue;
    int total = 0;
    int missing = 0;
    for (int c = 2; c < mpCol; ++c) {
      const QString& cell = grid.text(r, c);
      if (cell.isEmpty() || isNotPlayedCell(cell)) ++missing;
      else total = roundHalfEven(total + leadingNumber(cell));
    }
    const int played = boards - missing;
    grid.setText(r, mpCol, QString::number(total));
    grid.setAlignment(r, mpCol, kAlignCenterCenter);
    const double maximum = static_cast<double>(played) * top;
    grid.setText(r, pctCol, maximum > 0 ? percentageText(total / maximum * 100) : QStringLiteral("0.00%"));
    grid.setAlignment(r, pctCol, kAlignCenterCenter);
    QString names = grid.text(r, 1);
    const qsizetype bracket = names.indexOf(QLatin1Char('['));
    if (bracket >= 0) names.truncate(bracket);
    grid.setText(r, 1, names.trimmed() + QStringLiteral(" [") + QString::number(played) + QLatin1Char(']'));
  }

  if (measure) fitColumns(grid, measure, true);
  grid.setVisible(false);

  // Best percentage first; equal percentages keep their order.
  grid.removeRow(grid.rows() - 1);
  std::vector<double> keys(static_cast<size_t>(grid.rows()), 0.0);
  for (int r = 1; r < grid.rows(); ++r) keys[static_cast<size_t>(r)] = leadingNumber(grid.text(r, pctCol));
  std::vector<int> order;
  for (int r = 1; r < grid.rows(); ++r) order.push_back(r);
  std::stable_sort(order.begin(), order.end(),
                   [&](int a, int b) { return keys[static_cast<size_t>(a)] > keys[static_cast<size_t>(b)]; });
  {
    std::vector<GridCell> moved;
    moved.reserve(order.size() * static_cast<size_t>(grid.cols()));
    for (int r : order)
      for (int c = 0; c < grid.cols(); ++c) moved.push_back(grid.cell(r, c));
    size_t k = 0;
    for (int r = 1; r < grid.rows(); ++r)
      for (int c = 0; c < grid.cols(); ++c) grid.cell(r, c) = std::move(moved[k++]);
  }
  for (int r = 1; r < grid.rows(); ++r) grid.setText(r, 0, QString::number(r));

  // The sit-out pair has no result: its row goes.
  for (int r = grid.rows() - 1; r >= 1; --r) {
    if (isSitOutRow(grid, r)) {
      grid.removeRow(r);
      break;
    }
  }

  // Column totals under the boards, and the colour of every board cell.
  grid.insertRow(grid.rows());
  const int bottom = grid.rows() - 1;
  for (int c = 2; c < mpCol; ++c) {
    int total = 0;
    for (int r = 1; r < bottom; ++r) {
      const QString& cell = grid.text(r, c);
      if (cell.isEmpty()) {
        grid.setBackColour(r, c, kEmptyOrange);
      } else if (isNotPlayedCell(cell)) {
        grid.setBackColour(r, c, kNotPlayedRed);
      } else {
        grid.setBackColour(r, c, kPlayedWhite);
        total = roundHalfEven(total + leadingNumber(cell));
      }
    }
    grid.setText(bottom, c, QString::number(total));
    grid.setAlignment(bottom, c, kAlignCenterCenter);
  }
  grid.setVisible(true);

  rankRows(grid, 0, pctCol);
}

void rankRows(Grid& grid, int rankColumn, int keyColumn) {
  const int last = grid.rows() - 2;
  if (last < 1 || rankColumn < 0 || keyColumn < 0 || rankColumn >= grid.cols() || keyColumn >= grid.cols()) return;
  struct Entry {
    QString key;
    double value;
    QString rank;
  };
  std::vector<Entry> entries;
  for (int r = 1; r <= last; ++r) {
    const QString& key = grid.text(r, keyColumn);
    entries.push_back({key, leadingNumber(key), QString()});
  }
  std::stable_sort(entries.begin(), entries.end(), [](const Entry& a, const Entry& b) { return a.value < b.value; });
  // Walking up from the worst: a run of equal keys shares the best rank of the run.
  int remaining = static_cast<int>(entries.size());
  size_t i = 0;
  while (remaining >= 1 && i < entries.size()) {
    size_t c = 0;
    while (i + c + 1 < entries.size() && entries[i + c + 1].key == entries[i].key) ++c;
    const QString rank = c > 0 ? QStringLiteral("(%1)").arg(remaining - static_cast<int>(c)) : QString::number(remaining);
    for (size_t j = i; j <= i + c; ++j) entries[j].rank = rank;
    remaining -= static_cast<int>(c) + 1;
    i += c + 1;
  }
  for (size_t k = 0; k < entries.size(); ++k) {
    const int row = grid.rows() - 2 - static_cast<int>(k);
    grid.setText(row, rankColumn, entries[k].rank);
    grid.setAlignment(row, rankColumn, kAlignCenterCenter);
  }
}

}  // namespace mervalo
