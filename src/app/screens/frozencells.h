#pragma once

#include <QObject>

class QTableView;
class QTableWidget;

namespace mervalo {

// Keeps a table's heading rows and first columns in view while it scrolls: three panes laid
// over the table (rows, columns and their corner) show the same cells and stay put. A press
// or click on a pane reaches the table's own cellPressed and cellClicked with the cell's row
// and column, so a heading press sorts and a row click picks as before.
class FrozenCells : public QObject {
  Q_OBJECT
 public:
  // The table's frozen cells, made on first use.
  static FrozenCells* of(QTableWidget* table);

  // Takes the number of fixed rows and columns and the table's present row heights and
  // column widths.
  void update(int fixedRows, int fixedCols);

  QTableView* rowPane() const { return rows_; }
  QTableView* columnPane() const { return cols_; }
  QTableView* cornerPane() const { return corner_; }

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  explicit FrozenCells(QTableWidget* table);
  QTableView* makePane(const char* name);
  void place();

  QTableWidget* table_;
  QObject* viewport_ = nullptr;
  QTableView* rows_;
  QTableView* cols_;
  QTableView* corner_;
  int fixedRows_ = 0;
  int fixedCols_ = 0;
};

}  // namespace mervalo
