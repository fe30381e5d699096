#pragma once

#include <QString>
#include <functional>
#include <vector>

#include "app/grid.h"

namespace mervalo {

// Everything here is in twips (1440 to the inch), measured from the top-left corner of the
// printable area of a page.

// The printable area of one page.
struct PaperSize {
  int width = 0;
  int height = 0;
};

// Text sizes in the grid's font at a given point size, in twips.
struct PrintMeasure {
  std::function<int(const QString& text, double points)> width;
  std::function<int(double points)> lineHeight;
};

// One text on a page; (x, y) is the top-left corner of its line.
struct PlacedText {
  int x = 0;
  int y = 0;
  QString text;
  double points = 0;  // font size
  Colour colour = 0;  // 0 = black
};

// A ruled cell box.
struct PlacedRect {
  int x = 0;
  int y = 0;
  int width = 0;
  int height = 0;
};

struct PrintedPage {
  std::vector<PlacedText> texts;
  std::vector<PlacedRect> rects;
  std::vector<PlacedRect> filled;  // solid black boxes: the modules of a QR code
};

struct PrintLayout {
  bool landscape = false;
  double points = 0;    // the grid's font size after the fitting
  double scale = 1.0;   // column widths and row heights on paper per twip of the grid, over the
                        // usual 1.1 widening (1.0 unless the table had to be shrunk)
  std::vector<PrintedPage> pages;
};

// What the grid printer needs besides the grid.
struct PrintRequest {
  QString title;               // first line of the first page; may be empty
  bool repeatTitle = false;    // false: every new page starts with the grid's first row again;
                               // true: with the title (when not empty) instead
  QString closingLine;         // the last line of the printout (maker and year)
  PaperSize portrait;
  PaperSize landscape;
};

namespace printlayout {
inline constexpr int kMargin = 800;         // twice this is kept free at the bottom of a page
inline constexpr int kLeft = 400;           // the table's and the title's left edge
inline constexpr int kTop = 400;            // where every page starts
inline constexpr int kTextIndent = 32;      // left-aligned texts start this far into their cell
inline constexpr int kRowPadding = 60;      // added to the grid's row height on paper
inline constexpr double kWidening = 1.1;    // a column is this much wider on paper than on screen
inline constexpr double kClosingPoints = 8; // font size of the closing line
}  // namespace printlayout

// Lays the grid out as a ruled table on pages: the title, the rows with page breaks and the
// repeated heading, and the closing line. A table too wide for a portrait page turns the page
// to landscape; one too wide for that is shrunk a point of font size at a time (widths and
// heights with it) until it fits, and finally scaled exactly to the page width, so the fitting
// always ends. An empty grid gives one page with the title and the closing line.
PrintLayout layoutGrid(const Grid& grid, const PrintRequest& request, const PrintMeasure& measure);

}  // namespace mervalo
