#include "grid.h"

#include <algorithm>

namespace mervalo {

void Grid::resize(int rows, int cols) {
  rows = std::max(rows, 0);
  cols = std::max(cols, 0);
  std::vector<GridCell> cells(static_cast<size_t>(rows) * static_cast<size_t>(cols));
  for (int r = 0; r < std::min(rows, rows_); ++r)
    for (int c = 0; c < std::min(cols, cols_); ++c)
      cells[static_cast<size_t>(r) * static_cast<size_t>(cols) + static_cast<size_t>(c)] = std::move(cell(r, c));
  cells_ = std::move(cells);
  colWidths_.resize(static_cast<size_t>(cols), kDefaultColumnWidth);
  rowHeights_.resize(static_cast<size_t>(rows), kDefaultRowHeight);
  rows_ = rows;
  cols_ = cols;
}

void Grid::removeRow(int r) {
  if (r < 0 || r >= rows_) return;
  const auto first = cells_.begin() + static_cast<std::ptrdiff_t>(index(r, 0));
  cells_.erase(first, first + cols_);
  rowHeights_.erase(rowHeights_.begin() + r);
  --rows_;
}

void Grid::insertRow(int r) {
  r = std::clamp(r, 0, rows_);
  cells_.insert(cells_.begin() + static_cast<std::ptrdiff_t>(index(r, 0)), static_cast<size_t>(cols_), GridCell{});
  rowHeights_.insert(rowHeights_.begin() + r, kDefaultRowHeight);
  ++rows_;
}

QStringList Grid::rowTexts(int r) const {
  QStringList out;
  for (int c = 0; c < cols_; ++c) out << text(r, c);
  return out;
}

void Grid::sortRows(int first, int last, int col, bool ascending) {
  first = std::max(first, 0);
  last = std::min(last, rows_ - 1);
  if (first >= last || col < 0 || col >= cols_) return;
  std::vector<int> order;
  for (int r = first; r <= last; ++r) order.push_back(r);
  auto less = [&](int a, int b) {
    const QString& ta = text(a, col);
    const QString& tb = text(b, col);
    bool na = false, nb = false;
    const double da = ta.trimmed().toDouble(&na);
    const double db = tb.trimmed().toDouble(&nb);
    int cmp;
    if (na && nb)
      cmp = da < db ? -1 : (da > db ? 1 : 0);
    else
      cmp = ta.compare(tb, Qt::CaseInsensitive);
    return ascending ? cmp < 0 : cmp > 0;
  };
  std::stable_sort(order.begin(), order.end(), less);
  std::vector<GridCell> moved;
  std::vector<int> heights;
  for (int r : order) {
    for (int c = 0; c < cols_; ++c) moved.push_back(cell(r, c));
    heights.push_back(rowHeight(r));
  }
  size_t k = 0;
  for (int r = first; r <= last; ++r) {
    for (int c = 0; c < cols_; ++c) cell(r, c) = std::move(moved[k++]);
    setRowHeight(r, heights[static_cast<size_t>(r - first)]);
  }
}

void fitColumn(Grid& grid, int col, const TextMeasure& measure) {
  if (col < 0 || col >= grid.cols()) return;
  int widest = 0;
  for (int r = 0; r < grid.rows(); ++r) widest = std::max(widest, measure(grid.text(r, col) + QLatin1Char('W')));
  grid.setColumnWidth(col, widest);
}

void fitColumns(Grid& grid, const TextMeasure& measure, bool busy) {
  grid.setVisible(false);
  for (int c = 0; c < grid.cols(); ++c) fitColumn(grid, c, measure);
  grid.setVisible(!busy);
}

}  // namespace mervalo
