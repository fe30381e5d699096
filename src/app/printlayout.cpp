#include "printlayout.h"

#include <algorithm>
#include <cmath>

namespace mervalo {

using namespace printlayout;

namespace {

constexpr double kSmallestPoints = 1.0;
constexpr double kFallbackPoints = 8.25;

bool isRightAligned(int code) { return code == kAlignRightTop || code == kAlignRightCenter || code == kAlignGeneral; }

// The table's width on paper at the given scale.
double tableWidth(const Grid& grid, double scale) {
  double sum = 0;
  for (int c = 0; c < grid.cols(); ++c) sum += std::max(grid.columnWidth(c), 0) * kWidening;
  return sum * scale;
}

bool fitsAcross(double width, const PaperSize& page) { return kLeft + width <= page.width; }

class Composer {
 public:
  Composer(const Grid& grid, const PrintRequest& request, const PrintMeasure& measure, PrintLayout& out)
      : grid_(grid), request_(request), measure_(measure), out_(out) {}

  void run() {
    page_ = out_.landscape ? request_.landscape : request_.portrait;
    lineHeight_ = measure_.lineHeight(out_.points);
    wWidth_ = measure_.width(QStringLiteral("w"), out_.points);
    computeEdges();

    newPage();
    placeTitle();

    const int last = lastShownRow();
    for (int r = 0; r <= last; ++r) {
      if (!rowShown(r)) continue;
      placeRow(r);
      // A page break only when something is still to come, so no empty page at the end.
      if (r < last && y_ >= page_.height - 2 * kMargin) {
        newPage();
        if (!request_.repeatTitle) {
          if (rowShown(0)) placeRow(0);
        } else if (!request_.title.isEmpty()) {
          placeTitle();
        }
      }
    }
    placeClosingLine();
  }

 private:
  void computeEdges() {
    edges_.clear();
    double x = 0;
    edges_.push_back(kLeft);
    for (int c = 0; c < grid_.cols(); ++c) {
      x += std::max(grid_.columnWidth(c), 0) * kWidening * out_.scale;
      edges_.push_back(kLeft + static_cast<int>(std::lround(x)));
    }
  }

  // Rows of height 0 are hidden on screen and stay off the paper too.
  bool rowShown(int r) const { return grid_.rowHeight(r) > 0; }

  int lastShownRow() const {
    for (int r = grid_.rows() - 1; r >= 0; --r)
      if (rowShown(r)) return r;
    return -1;
  }

  int rowHeightOnPaper(int r) const {
    const int scaled = static_cast<int>(std::lround(grid_.rowHeight(r) * out_.scale));
    return std::max(scaled, lineHeight_) + kRowPadding;
  }

  void newPage() {
    out_.pages.emplace_back();
    y_ = kTop;
  }

  PrintedPage& page() { return out_.pages.back(); }

  void placeText(int x, int y, const QString& text, double points, Colour colour = 0) {
    if (text.isEmpty()) return;
    page().texts.push_back(PlacedText{x, y, text, points, colour});
  }

  void placeTitle() {
    placeText(kLeft, y_, request_.title, out_.points);
    y_ += 2 * lineHeight_;  // the title and an empty line
  }

  void placeRow(int r) {
    const int height = rowHeightOnPaper(r);
    for (int c = 0; c < grid_.cols(); ++c) {
      const int left = edges_[static_cast<size_t>(c)];
      const int right = edges_[static_cast<size_t>(c) + 1];
      if (right <= left) continue;  // a hidden column
      page().rects.push_back(PlacedRect{left, y_, right - left, height});
      const GridCell& cell = grid_.cell(r, c);
      if (cell.text.isEmpty()) continue;
      int x;
      if (cell.alignment == kAlignCenterCenter)
        x = left + (right - left - measure_.width(cell.text, out_.points)) / 2;
      else if (isRightAligned(cell.alignment))
        x = right - wWidth_ - measure_.width(cell.text, out_.points);
      else
        x = left + kTextIndent;
      placeText(x, y_ + (height - lineHeight_) / 2, cell.text, out_.points, cell.foreColour);
    }
    y_ += height;
  }

  void placeClosingLine() {
    const int small = measure_.lineHeight(kClosingPoints);
    // Rows taller than the bottom margin could push the closing line off the paper.
    if (y_ + 2 * small > page_.height && y_ > kTop) newPage();
    y_ += small;  // an empty line
    placeText(kLeft, y_, request_.closingLine, kClosingPoints);
    y_ += small;
  }

  const Grid& grid_;
  const PrintRequest& request_;
  const PrintMeasure& measure_;
  PrintLayout& out_;
  PaperSize page_;
  std::vector<int> edges_;
  int lineHeight_ = 0;
  int wWidth_ = 0;
  int y_ = kTop;
};

}  // namespace

PrintLayout layoutGrid(const Grid& grid, const PrintRequest& request, const PrintMeasure& measure) {
  PrintLayout out;
  const double points = grid.fontSize() > 0 ? grid.fontSize() : kFallbackPoints;
  out.points = points;

  // Fitting: landscape first, then a point smaller at a time with the table shrinking in
  // proportion (column widths on screen do not follow the font, so shrinking the font alone
  // would never make the table fit); at the smallest size it is scaled exactly to the page.
  const double natural = tableWidth(grid, 1.0);
  if (!fitsAcross(natural, request.portrait)) out.landscape = true;
  const PaperSize& page = out.landscape ? request.landscape : request.portrait;
  while (!fitsAcross(natural * out.scale, page)) {
    if (out.points - 1 >= kSmallestPoints) {
      out.points -= 1;
      out.scale = out.points / points;
    } else {
      const double room = std::max(page.width - kLeft, 1);
      out.scale = room / natural;
      out.points = points * out.scale;
      break;
    }
  }

  Composer(grid, request, measure, out).run();
  return out;
}

}  // namespace mervalo
