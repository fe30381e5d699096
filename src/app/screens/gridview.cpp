#include "gridview.h"

#include <QApplication>
#include <QFontMetrics>
#include <QHeaderView>
#include <QTableWidget>

namespace mervalo {

namespace {
QColor toQColor(Colour c) { return QColor(c & 0xFF, (c >> 8) & 0xFF, (c >> 16) & 0xFF); }

Qt::Alignment toQt(int code) {
  Qt::Alignment h = Qt::AlignLeft;
  if (code >= 3 && code <= 5) h = Qt::AlignHCenter;
  if ((code >= 6 && code <= 8) || code == kAlignGeneral) h = Qt::AlignRight;
  return h | Qt::AlignVCenter;
}
}  // namespace

void showGrid(const Grid& grid, QTableWidget* table) {
  table->setUpdatesEnabled(false);
  table->horizontalHeader()->hide();
  table->verticalHeader()->hide();
  table->setRowCount(grid.rows());
  table->setColumnCount(grid.cols());
  const QColor fixed(0xC0, 0xC0, 0xC0);
  for (int r = 0; r < grid.rows(); ++r) {
    table->setRowHeight(r, std::max(1, grid.rowHeight(r) / 15));
    for (int c = 0; c < grid.cols(); ++c) {
      const GridCell& cell = grid.cell(r, c);
      QTableWidgetItem* item = table->item(r, c);
      if (!item) {
        item = new QTableWidgetItem;
        item->setFlags(Qt::ItemIsEnabled | Qt::ItemIsSelectable);
        table->setItem(r, c, item);
      }
      item->setText(cell.text);
      item->setTextAlignment(toQt(cell.alignment));
      const bool isFixed = r < grid.fixedRows() || c < grid.fixedCols();
      if (cell.backColour != 0)
        item->setBackground(toQColor(cell.backColour));
      else if (isFixed)
        item->setBackground(fixed);
      else
        item->setBackground(QBrush());
      item->setForeground(toQColor(cell.foreColour));
    }
  }
  for (int c = 0; c < grid.cols(); ++c) table->setColumnWidth(c, std::max(1, grid.columnWidth(c) / 15));
  table->setVisible(grid.visible());
  table->setUpdatesEnabled(true);
}

TextMeasure measureIn(const QFont& font) {
  return [metrics = QFontMetrics(font)](const QString& text) { return metrics.horizontalAdvance(text) * 15; };
}

TextMeasure menuFontMeasure() { return measureIn(QApplication::font()); }

}  // namespace mervalo
