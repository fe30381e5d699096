#pragma once

#include <QString>
#include <QStringList>
#include <functional>
#include <vector>

namespace mervalo {

// Colours are 24-bit values with red in the low byte; 0 means "not set".
using Colour = quint32;
constexpr Colour rgb(int r, int g, int b) {
  return static_cast<Colour>(r) | (static_cast<Colour>(g) << 8) | (static_cast<Colour>(b) << 16);
}

// Cell alignment codes: 0-2 left, 3-5 centre, 6-8 right (top/centre/bottom), 9 general.
enum Align : int {
  kAlignLeftTop = 0, kAlignLeftCenter = 1, kAlignLeftBottom = 2,
  kAlignCenterTop = 3, kAlignCenterCenter = 4, kAlignCenterBottom = 5,
  kAlignRightTop = 6, kAlignRightCenter = 7, kAlignRightBottom = 8,
  kAlignGeneral = 9
};

struct GridCell {
  QString text;
  int alignment = kAlignGeneral;
  Colour backColour = 0;
  Colour foreColour = 0;
};

// The grid of the screens, the printer and the HTML writer: texts, alignments, colours and
// sizes in twips. Screens show it in a table widget; nothing here knows about widgets.
class Grid {
 public:
  Grid() = default;
  Grid(int rows, int cols) { resize(rows, cols); }

  int rows() const { return rows_; }
  int cols() const { return cols_; }
  void setRows(int rows) { resize(rows, cols_); }
  void setCols(int cols) { resize(rows_, cols); }
  void resize(int rows, int cols);
  void clear() { resize(0, 0); }

  int fixedRows() const { return fixedRows_; }
  int fixedCols() const { return fixedCols_; }
  void setFixedRows(int n) { fixedRows_ = n; }
  void setFixedCols(int n) { fixedCols_ = n; }

  GridCell& cell(int r, int c) { return cells_[index(r, c)]; }
  const GridCell& cell(int r, int c) const { return cells_[index(r, c)]; }
  const QString& text(int r, int c) const { return cell(r, c).text; }
  void setText(int r, int c, const QString& t) { cell(r, c).text = t; }
  void setAlignment(int r, int c, int a) { cell(r, c).alignment = a; }
  void setBackColour(int r, int c, Colour col) { cell(r, c).backColour = col; }
  void setForeColour(int r, int c, Colour col) { cell(r, c).foreColour = col; }

  // Rows and columns sizes in twips (1/1440 inch; 15 twips make one pixel).
  int columnWidth(int c) const { return colWidths_[static_cast<size_t>(c)]; }
  void setColumnWidth(int c, int twips) { colWidths_[static_cast<size_t>(c)] = twips; }
  int rowHeight(int r) const { return rowHeights_[static_cast<size_t>(r)]; }
  void setRowHeight(int r, int twips) { rowHeights_[static_cast<size_t>(r)] = twips; }

  QString fontName() const { return fontName_; }
  void setFontName(const QString& n) { fontName_ = n; }
  double fontSize() const { return fontSize_; }
  void setFontSize(double points) { fontSize_ = points; }

  bool visible() const { return visible_; }
  void setVisible(bool v) { visible_ = v; }

  void removeRow(int r);
  void insertRow(int r);  // an empty row before r (r == rows() appends)
  QStringList rowTexts(int r) const;

  // Sorts rows [first, last] by column col. Two cells compare as numbers when both are
  // numbers, otherwise as text without regard to case; equal keys keep their order.
  void sortRows(int first, int last, int col, bool ascending);

  static constexpr int kDefaultColumnWidth = 960;
  static constexpr int kDefaultRowHeight = 240;

 private:
  size_t index(int r, int c) const { return static_cast<size_t>(r) * static_cast<size_t>(cols_) + static_cast<size_t>(c); }

  int rows_ = 0;
  int cols_ = 0;
  int fixedRows_ = 1;
  int fixedCols_ = 1;
  std::vector<GridCell> cells_;
  std::vector<int> colWidths_;
  std::vector<int> rowHeights_;
  QString fontName_ = QStringLiteral("MS Sans Serif");
  double fontSize_ = 8.25;
  bool visible_ = true;
};

// Text width in twips as drawn in the main menu's font.
using TextMeasure = std::function<int(const QString&)>;

// Every column as wide as its widest cell text followed by one "W". The grid is hidden while
// this runs and shown afterwards, unless busy is set: then it stays hidden.
void fitColumns(Grid& grid, const TextMeasure& measure, bool busy);

// One column as wide as its widest cell text followed by one "W"; nothing else changes.
void fitColumn(Grid& grid, int col, const TextMeasure& measure);

}  // namespace mervalo
