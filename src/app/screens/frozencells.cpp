#include "frozencells.h"

#include <QEvent>
#include <QHeaderView>
#include <QScrollBar>
#include <QTableView>
#include <QTableWidget>

namespace mervalo {

FrozenCells* FrozenCells::of(QTableWidget* table) {
  if (auto* known = table->findChild<FrozenCells*>(QString(), Qt::FindDirectChildrenOnly)) return known;
  return new FrozenCells(table);
}

FrozenCells::FrozenCells(QTableWidget* table) : QObject(table), table_(table) {
  // Pixel scrolling on both sides, so one scroll bar value means the same offset everywhere.
  table_->setHorizontalScrollMode(QAbstractItemView::ScrollPerPixel);
  table_->setVerticalScrollMode(QAbstractItemView::ScrollPerPixel);
  cols_ = makePane("frozenColumns");
  rows_ = makePane("frozenRows");
  corner_ = makePane("frozenCorner");
  connect(table_->horizontalScrollBar(), &QScrollBar::valueChanged, rows_->horizontalScrollBar(), &QScrollBar::setValue);
  connect(table_->verticalScrollBar(), &QScrollBar::valueChanged, cols_->verticalScrollBar(), &QScrollBar::setValue);
  connect(table_->horizontalHeader(), &QHeaderView::sectionResized, this, [this](int c, int, int width) {
    rows_->setColumnWidth(c, width);
    cols_->setColumnWidth(c, width);
    corner_->setColumnWidth(c, width);
    place();
  });
  connect(table_->verticalHeader(), &QHeaderView::sectionResized, this, [this](int r, int, int height) {
    rows_->setRowHeight(r, height);
    cols_->setRowHeight(r, height);
    corner_->setRowHeight(r, height);
    place();
  });
  table_->installEventFilter(this);
  viewport_ = table_->viewport();
  viewport_->installEventFilter(this);
}

QTableView* FrozenCells::makePane(const char* name) {
  auto* pane = new QTableView(table_);
  pane->setObjectName(QString::fromLatin1(name));
  pane->setModel(table_->model());
  pane->setSelectionModel(table_->selectionModel());
  // The panes share the table's current cell; left to scroll to it, a click on a name would
  // move the heading pane down to that row and the number pane across to that column.
  pane->setAutoScroll(false);
  pane->setSelectionBehavior(table_->selectionBehavior());
  pane->setEditTriggers(QAbstractItemView::NoEditTriggers);
  pane->setFocusPolicy(Qt::NoFocus);
  pane->setFrameShape(QFrame::NoFrame);
  pane->horizontalHeader()->hide();
  pane->verticalHeader()->hide();
  pane->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
  pane->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
  pane->setHorizontalScrollMode(QAbstractItemView::ScrollPerPixel);
  pane->setVerticalScrollMode(QAbstractItemView::ScrollPerPixel);
  pane->setShowGrid(table_->showGrid());
  // The table itself is what a screen reader reads; the panes only repeat its cells.
  pane->setAccessibleName(QString());
  connect(pane, &QTableView::pressed, table_,
          [t = table_](const QModelIndex& i) { emit t->cellPressed(i.row(), i.column()); });
  connect(pane, &QTableView::clicked, table_,
          [t = table_](const QModelIndex& i) { emit t->cellClicked(i.row(), i.column()); });
  pane->hide();
  return pane;
}

void FrozenCells::update(int fixedRows, int fixedCols) {
  fixedRows_ = fixedRows;
  fixedCols_ = fixedCols;
  for (QTableView* pane : {rows_, cols_, corner_}) {
    for (int c = 0; c < table_->columnCount(); ++c)
      if (pane->columnWidth(c) != table_->columnWidth(c)) pane->setColumnWidth(c, table_->columnWidth(c));
    for (int r = 0; r < table_->rowCount(); ++r)
      if (pane->rowHeight(r) != table_->rowHeight(r)) pane->setRowHeight(r, table_->rowHeight(r));
  }
  rows_->horizontalScrollBar()->setValue(table_->horizontalScrollBar()->value());
  cols_->verticalScrollBar()->setValue(table_->verticalScrollBar()->value());
  place();
}

void FrozenCells::place() {
  const QRect view = table_->viewport()->geometry();
  int height = 0;
  for (int r = 0; r < fixedRows_ && r < table_->rowCount(); ++r) height += table_->rowHeight(r);
  int width = 0;
  for (int c = 0; c < fixedCols_ && c < table_->columnCount(); ++c) width += table_->columnWidth(c);
  height = std::min(height, view.height());
  width = std::min(width, view.width());
  rows_->setGeometry(view.x(), view.y(), view.width(), height);
  cols_->setGeometry(view.x(), view.y(), width, view.height());
  corner_->setGeometry(view.x(), view.y(), width, height);
  rows_->setVisible(height > 0);
  cols_->setVisible(width > 0);
  corner_->setVisible(height > 0 && width > 0);
  cols_->raise();
  rows_->raise();
  corner_->raise();
}

bool FrozenCells::eventFilter(QObject* watched, QEvent* event) {
  // Only plain pointers are compared here: the filter also sees the table's last events while
  // it is being destroyed, when none of its own functions may be called any more.
  const QEvent::Type type = event->type();
  if ((type == QEvent::Resize || type == QEvent::LayoutRequest || type == QEvent::Show) &&
      (watched == table_ || watched == viewport_))
    place();
  return QObject::eventFilter(watched, event);
}

}  // namespace mervalo
