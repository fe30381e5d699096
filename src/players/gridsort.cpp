#include "gridsort.h"

#include <algorithm>
#include <vector>

namespace mervalo {

void sortRowsAscending(Grid& grid, int first, int last, int col) {
  first = std::max(first, 0);
  last = std::min(last, grid.rows() - 1);
  if (first >= last || col < 0 || col >= grid.cols()) return;
  struct Key {
    int row;
    bool isNumber;
    double number;
    QString folded;
  };
  std::vector<Key> keys;
  keys.reserve(static_cast<size_t>(last - first + 1));
  for (int r = first; r <= last; ++r) {
    Key k{r, false, 0.0, {}};
    const QString& t = grid.text(r, col);
    k.number = t.trimmed().toDouble(&k.isNumber);
    k.folded = t.toCaseFolded();
    keys.push_back(std::move(k));
  }
  std::stable_sort(keys.begin(), keys.end(), [](const Key& a, const Key& b) {
    if (a.isNumber && b.isNumber) return a.number < b.number;
    return a.folded.compare(b.folded) < 0;
  });
  std::vector<QStringList> texts;
  std::vector<GridCell> cells;
  cells.reserve(keys.size() * static_cast<size_t>(grid.cols()));
  std::vector<int> heights;
  for (const Key& k : keys) {
    for (int c = 0; c < grid.cols(); ++c) cells.push_back(grid.cell(k.row, c));
    heights.push_back(grid.rowHeight(k.row));
  }
  size_t i = 0;
  for (int r = first; r <= last; ++r) {
    for (int c = 0; c < grid.cols(); ++c) grid.cell(r, c) = std::move(cells[i++]);
    grid.setRowHeight(r, heights[static_cast<size_t>(r - first)]);
  }
}

}  // namespace mervalo
