#include "gridview.h"

#include "frozencells.h"

#include <QApplication>
#include <QFontMetrics>
#include <QHash>
#include <memory>
#include <QHeaderView>
#include <QRegularExpression>
#include <QTableWidget>

namespace mervalo {

namespace {
QColor toQColor(Colour c) { return QColor(c & 0xFF, (c >> 8) & 0xFF, (c >> 16) & 0xFF); }

// "General" alignment, as a flex grid has it: numbers to the right, text to the left.
bool isNumberText(const QString& text) {
  // Digits as a number is written, not whatever a number parser accepts ("Nan", "Inf").
  static const QRegularExpression number(QStringLiteral(R"(^[+-]?(\d+([.,]\d*)?|[.,]\d+)([eE][+-]?\d+)?$)"));
  return number.match(text.trimmed()).hasMatch();
}

Qt::Alignment toQt(int code, const QString& text) {
  Qt::Alignment h = Qt::AlignLeft;
  if (code >= 3 && code <= 5) h = Qt::AlignHCenter;
  if ((code >= 6 && code <= 8) || (code == kAlignGeneral && isNumberText(text))) h = Qt::AlignRight;
  return h | Qt::AlignVCenter;
}
}  // namespace

void showGrid(const Grid& grid, QTableWidget* table) {
  // Only what differs from what the table shows is set: the entry screens show the grid again
  // after every board, and a board changes one column of it.
  table->setUpdatesEnabled(false);
  table->horizontalHeader()->hide();
  table->verticalHeader()->hide();
  if (table->rowCount() != grid.rows()) table->setRowCount(grid.rows());
  if (table->columnCount() != grid.cols()) table->setColumnCount(grid.cols());
  const QColor fixed(0xC0, 0xC0, 0xC0);
  for (int r = 0; r < grid.rows(); ++r) {
    const int height = std::max(1, grid.rowHeight(r) / 15);
    if (table->rowHeight(r) != height) table->setRowHeight(r, height);
    for (int c = 0; c < grid.cols(); ++c) {
      const GridCell& cell = grid.cell(r, c);
      QTableWidgetItem* item = table->item(r, c);
      if (!item) {
        item = new QTableWidgetItem;
        item->setFlags(Qt::ItemIsEnabled | Qt::ItemIsSelectable);
        table->setItem(r, c, item);
      }
      if (item->text() != cell.text) item->setText(cell.text);
      const int alignment = static_cast<int>(toQt(cell.alignment, cell.text));
      if (item->data(Qt::TextAlignmentRole).toInt() != alignment) item->setTextAlignment(alignment);
      const bool isFixed = r < grid.fixedRows() || c < grid.fixedCols();
      const QBrush back = cell.backColour != 0 ? QBrush(toQColor(cell.backColour)) : isFixed ? QBrush(fixed) : QBrush();
      if (item->background() != back) item->setBackground(back);
      const QBrush fore(toQColor(cell.foreColour));
      if (item->foreground() != fore) item->setForeground(fore);
    }
  }
  for (int c = 0; c < grid.cols(); ++c) {
    const int width = std::max(1, grid.columnWidth(c) / 15);
    if (table->columnWidth(c) != width) table->setColumnWidth(c, width);
  }
  FrozenCells::of(table)->update(grid.fixedRows(), grid.fixedCols());
  table->setVisible(grid.visible());
  table->setUpdatesEnabled(true);
}

TextMeasure measureIn(const QFont& font) {
  // A results grid repeats the same few texts (matchpoints, pair numbers) thousands of times:
  // each is laid out once per measure.
  auto known = std::make_shared<QHash<QString, int>>();
  return [metrics = QFontMetrics(font), known](const QString& text) {
    auto it = known->constFind(text);
    if (it != known->constEnd()) return *it;
    const int twips = metrics.horizontalAdvance(text) * 15;
    if (known->size() < 100000) known->insert(text, twips);
    return twips;
  };
}

TextMeasure menuFontMeasure() { return measureIn(QApplication::font()); }

}  // namespace mervalo
