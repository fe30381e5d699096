#pragma once

#include <QFont>

#include "app/grid.h"

class QTableWidget;

namespace mervalo {

// Shows a grid model in a table widget: texts, alignments, colours, column widths and the
// grid's visibility. Fixed rows and columns are drawn grey like headings.
void showGrid(const Grid& grid, QTableWidget* table);

// Text widths in twips in the given font, for fitColumns.
TextMeasure measureIn(const QFont& font);

// The font of the main menu (the application font), as the column fitting uses it.
TextMeasure menuFontMeasure();

}  // namespace mervalo
