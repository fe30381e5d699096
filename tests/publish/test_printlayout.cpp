#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>

#include "publish/printlayout.h"
#include "qtprint.h"

using namespace mervalo;

namespace {

// A font whose letters are all as wide as a tenth of an inch at 10 points and whose lines are
// 240 twips high at 10 points, so that every position can be worked out by hand.
PrintMeasure fixedMeasure() {
  PrintMeasure m;
  m.width = [](const QString& text, double points) { return static_cast<int>(std::lround(text.size() * points * 10)); };
  m.lineHeight = [](double points) { return static_cast<int>(std::lround(points * 24)); };
  return m;
}

constexpr int kRow = 300;  // a default grid row (240) on paper at 10 points: 240 + 60

PrintRequest request(PaperSize portrait = {11000, 15000}, PaperSize landscape = {15000, 11000}) {
  PrintRequest r;
  r.closingLine = QStringLiteral("Maker 2026");
  r.portrait = portrait;
  r.landscape = landscape;
  return r;
}

// A heading row "Nr" | "Naam" and rows "1".."n" | "speler i"; columns 1000 twips wide.
Grid listGrid(int dataRows) {
  Grid g(dataRows + 1, 2);
  g.setFontSize(10);
  g.setText(0, 0, QStringLiteral("Nr"));
  g.setText(0, 1, QStringLiteral("Naam"));
  for (int r = 1; r <= dataRows; ++r) {
    g.setText(r, 0, QString::number(r));
    g.setText(r, 1, QStringLiteral("speler %1").arg(r));
  }
  for (int c = 0; c < 2; ++c) {
    g.setColumnWidth(c, 1000);
    for (int r = 0; r <= dataRows; ++r) g.setAlignment(r, c, kAlignLeftCenter);
  }
  return g;
}

// The first-column texts of a page, top to bottom.
QStringList firstColumn(const PrintedPage& page) {
  std::vector<PlacedText> texts;
  for (const PlacedText& t : page.texts)
    if (t.x == printlayout::kLeft + printlayout::kTextIndent) texts.push_back(t);
  std::stable_sort(texts.begin(), texts.end(), [](const PlacedText& a, const PlacedText& b) { return a.y < b.y; });
  QStringList out;
  for (const PlacedText& t : texts) out << t.text;
  return out;
}

const PlacedText* findText(const PrintedPage& page, const QString& text) {
  for (const PlacedText& t : page.texts)
    if (t.text == text) return &t;
  return nullptr;
}

int rightmostEdge(const PrintLayout& layout) {
  int right = 0;
  for (const PrintedPage& p : layout.pages)
    for (const PlacedRect& r : p.rects) right = std::max(right, r.x + r.width);
  return right;
}

}  // namespace

// --- Page breaks and the repeated heading ---------------------------------------------------

TEST(PrintLayoutPages, LongGridBreaksWithTheHeadingRowAtTheTopOfEveryNewPage) {
  const Grid grid = listGrid(99);
  const PrintLayout layout = layoutGrid(grid, request(), fixedMeasure());

  // Page 1: title line + empty line (480), then rows from 880; the page is full when the next
  // top reaches 15000 - 1600 = 13400, after 42 rows. Page 2: heading at 400 and 43 rows.
  ASSERT_EQ(layout.pages.size(), 3u);
  const QStringList page1 = firstColumn(layout.pages[0]);
  const QStringList page2 = firstColumn(layout.pages[1]);
  const QStringList page3 = firstColumn(layout.pages[2]);
  EXPECT_EQ(page1.size(), 42);
  EXPECT_EQ(page1.first(), QStringLiteral("Nr"));
  EXPECT_EQ(page2.size(), 44);
  EXPECT_EQ(page2.first(), QStringLiteral("Nr"));
  EXPECT_EQ(page2[1], QStringLiteral("42"));
  EXPECT_EQ(page3.first(), QStringLiteral("Nr"));
  EXPECT_EQ(page3[1], QStringLiteral("85"));
  EXPECT_EQ(page3.last(), QStringLiteral("99"));

  const PlacedText* heading = findText(layout.pages[1], QStringLiteral("Naam"));
  ASSERT_NE(heading, nullptr);
  EXPECT_EQ(heading->y, printlayout::kTop + (kRow - 240) / 2);
}

TEST(PrintLayoutPages, EveryRowIsPrintedOnceInOrderAndNoRowStartsInTheBottomMargin) {
  const Grid grid = listGrid(250);
  const PaperSize portrait{11000, 15000};
  const PrintLayout layout = layoutGrid(grid, request(portrait), fixedMeasure());
  QStringList all;
  for (size_t p = 0; p < layout.pages.size(); ++p) {
    QStringList rows = firstColumn(layout.pages[p]);
    ASSERT_FALSE(rows.isEmpty());
    EXPECT_EQ(rows.first(), QStringLiteral("Nr")) << "page " << p + 1;
    rows.removeFirst();
    all << rows;
    for (const PlacedRect& r : layout.pages[p].rects)
      EXPECT_LT(r.y, portrait.height - 2 * printlayout::kMargin) << "page " << p + 1;
    if (p + 1 < layout.pages.size()) {
      int bottom = 0;
      for (const PlacedRect& r : layout.pages[p].rects) bottom = std::max(bottom, r.y + r.height);
      EXPECT_GE(bottom, portrait.height - 2 * printlayout::kMargin) << "page " << p + 1 << " broken too early";
    }
  }
  ASSERT_EQ(all.size(), 250);
  for (int i = 0; i < 250; ++i) EXPECT_EQ(all[i], QString::number(i + 1));
}

TEST(PrintLayoutPages, ARowEndingExactlyOnTheBottomMarginEndsThePage) {
  // Rows from 880; ten rows end at 3880, which is 5480 - 1600.
  const PrintLayout layout = layoutGrid(listGrid(20), request({11000, 5480}, {11000, 5480}), fixedMeasure());
  ASSERT_GE(layout.pages.size(), 2u);
  EXPECT_EQ(firstColumn(layout.pages[0]).size(), 10);
  EXPECT_EQ(firstColumn(layout.pages[1]).at(1), QStringLiteral("10"));
}

TEST(PrintLayoutPages, AGridThatJustFillsAPageLeavesNoEmptyPageBehind) {
  const PrintLayout layout = layoutGrid(listGrid(41), request(), fixedMeasure());
  ASSERT_EQ(layout.pages.size(), 1u);
  EXPECT_NE(findText(layout.pages[0], QStringLiteral("Maker 2026")), nullptr);
}

TEST(PrintLayoutPages, RepeatTitleStartsNewPagesWithTheTitleInsteadOfTheHeading) {
  PrintRequest req = request();
  req.title = QStringLiteral("Uitslag (05-12-2026 Groep A)");
  req.repeatTitle = true;
  const PrintLayout layout = layoutGrid(listGrid(60), req, fixedMeasure());
  ASSERT_EQ(layout.pages.size(), 2u);
  for (const PrintedPage& page : layout.pages) {
    const PlacedText* title = findText(page, req.title);
    ASSERT_NE(title, nullptr);
    EXPECT_EQ(title->x, printlayout::kLeft);
    EXPECT_EQ(title->y, printlayout::kTop);
  }
  const QStringList page2 = firstColumn(layout.pages[1]);
  EXPECT_EQ(page2.first(), QStringLiteral("42"));
  EXPECT_FALSE(page2.contains(QStringLiteral("Nr")));
  // The table follows the title and an empty line.
  EXPECT_EQ(findText(layout.pages[1], QStringLiteral("42"))->y, printlayout::kTop + 2 * 240 + (kRow - 240) / 2);

  req.title.clear();
  const PrintLayout untitled = layoutGrid(listGrid(60), req, fixedMeasure());
  ASSERT_EQ(untitled.pages.size(), 2u);
  EXPECT_EQ(findText(untitled.pages[1], QStringLiteral("42"))->y, printlayout::kTop + (kRow - 240) / 2);
}

TEST(PrintLayoutPages, RepeatedHeadingKeepsItsTextColours) {
  Grid grid = listGrid(80);
  grid.setForeColour(0, 1, rgb(0, 0, 255));
  const PrintLayout layout = layoutGrid(grid, request(), fixedMeasure());
  ASSERT_GE(layout.pages.size(), 2u);
  for (const PrintedPage& page : layout.pages) {
    const PlacedText* heading = findText(page, QStringLiteral("Naam"));
    ASSERT_NE(heading, nullptr);
    EXPECT_EQ(heading->colour, rgb(0, 0, 255));
  }
}

// --- Title and closing line -------------------------------------------------------------------

TEST(PrintLayoutTitleAndClosing, TitleOnTopThenAnEmptyLineThenTheTable) {
  PrintRequest req = request();
  req.title = QStringLiteral("Uitslag");
  const PrintLayout layout = layoutGrid(listGrid(3), req, fixedMeasure());
  const PrintedPage& page = layout.pages.at(0);
  const PlacedText* title = findText(page, QStringLiteral("Uitslag"));
  ASSERT_NE(title, nullptr);
  EXPECT_EQ(title->x, 400);
  EXPECT_EQ(title->y, 400);
  ASSERT_FALSE(page.rects.empty());
  EXPECT_EQ(page.rects.front().x, 400);
  EXPECT_EQ(page.rects.front().y, 400 + 2 * 240);
}

TEST(PrintLayoutTitleAndClosing, EmptyTitlePrintsNoTitleText) {
  const PrintLayout layout = layoutGrid(listGrid(3), request(), fixedMeasure());
  for (const PlacedText& t : layout.pages.at(0).texts) EXPECT_FALSE(t.text.isEmpty());
  EXPECT_EQ(firstColumn(layout.pages[0]).first(), QStringLiteral("Nr"));
}

TEST(PrintLayoutTitleAndClosing, ClosingLineIsTheLastTextInEightPointAfterAnEmptyLine) {
  const Grid grid = listGrid(70);
  const PrintLayout layout = layoutGrid(grid, request(), fixedMeasure());
  const PrintedPage& last = layout.pages.back();
  int bottom = 0;
  for (const PlacedRect& r : last.rects) bottom = std::max(bottom, r.y + r.height);
  const PlacedText& closing = last.texts.back();
  EXPECT_EQ(closing.text, QStringLiteral("Maker 2026"));
  EXPECT_EQ(closing.points, 8.0);
  EXPECT_EQ(closing.x, 400);
  EXPECT_EQ(closing.y, bottom + 192);  // one empty 8-point line
  for (size_t p = 0; p + 1 < layout.pages.size(); ++p)
    EXPECT_EQ(findText(layout.pages[p], QStringLiteral("Maker 2026")), nullptr);
}

TEST(PrintLayoutTitleAndClosing, EmptyGridStillPrintsTitleAndClosingLineOnOnePage) {
  PrintRequest req = request();
  req.title = QStringLiteral("Groep");
  const PrintLayout layout = layoutGrid(Grid(), req, fixedMeasure());
  ASSERT_EQ(layout.pages.size(), 1u);
  EXPECT_TRUE(layout.pages[0].rects.empty());
  ASSERT_EQ(layout.pages[0].texts.size(), 2u);
  EXPECT_EQ(layout.pages[0].texts[1].text, QStringLiteral("Maker 2026"));
}

// --- Fitting to the paper ---------------------------------------------------------------------

TEST(PrintLayoutFitting, TableThatFitsAcrossPrintsPortraitOneColumnMoreTurnsLandscape) {
  // Nine columns of 1000 are 9900 on paper; from 400 they end exactly at the page edge.
  const PaperSize portrait{10300, 15000}, landscape{15000, 10300};
  Grid grid(3, 9);
  grid.setFontSize(10);
  for (int c = 0; c < 9; ++c) grid.setColumnWidth(c, 1000);
  PrintLayout layout = layoutGrid(grid, request(portrait, landscape), fixedMeasure());
  EXPECT_FALSE(layout.landscape);
  EXPECT_EQ(layout.points, 10.0);
  EXPECT_EQ(rightmostEdge(layout), 10300);

  grid.setCols(10);
  grid.setColumnWidth(9, 1000);
  layout = layoutGrid(grid, request(portrait, landscape), fixedMeasure());
  EXPECT_TRUE(layout.landscape);
  EXPECT_EQ(layout.points, 10.0);
  EXPECT_EQ(layout.scale, 1.0);
  EXPECT_EQ(rightmostEdge(layout), 400 + 11000);
}

TEST(PrintLayoutFitting, LandscapePagesBreakOnTheLandscapeHeight) {
  Grid grid = listGrid(60);
  grid.setColumnWidth(1, 12000);  // 14300 on paper: too wide for portrait
  const PrintLayout layout = layoutGrid(grid, request(), fixedMeasure());
  ASSERT_TRUE(layout.landscape);
  // 11000 high: rows from 880 until the next top reaches 9400, i.e. 29 rows on page 1.
  EXPECT_EQ(firstColumn(layout.pages.at(0)).size(), 29);
}

TEST(PrintLayoutFitting, TooWideForLandscapeShrinksAPointAtATimeUntilItFits) {
  Grid grid(2, 20);
  grid.setFontSize(10);
  grid.setText(1, 0, QStringLiteral("abc"));
  grid.setAlignment(1, 0, kAlignRightCenter);
  for (int c = 0; c < 20; ++c) grid.setColumnWidth(c, 1000);  // 22000 on paper
  const PrintLayout layout = layoutGrid(grid, request(), fixedMeasure());
  EXPECT_TRUE(layout.landscape);
  // 9, 8, 7 points are still too wide; at 6 points the table is 13200 and fits in 15000.
  EXPECT_EQ(layout.points, 6.0);
  EXPECT_DOUBLE_EQ(layout.scale, 0.6);
  EXPECT_EQ(rightmostEdge(layout), 400 + 13200);
  const PlacedText* abc = findText(layout.pages.at(0), QStringLiteral("abc"));
  ASSERT_NE(abc, nullptr);
  EXPECT_EQ(abc->points, 6.0);
  EXPECT_EQ(abc->x + 180, 400 + 660 - 60);  // text and the "w" measured at the smaller size
}

TEST(PrintLayoutFitting, AbsurdlyWideTableIsScaledToThePageAndTheFittingEnds) {
  Grid grid(2, 1);
  grid.setFontSize(10);
  grid.setColumnWidth(0, 50'000'000);
  grid.setText(1, 0, QStringLiteral("x"));
  const PrintLayout layout = layoutGrid(grid, request(), fixedMeasure());
  EXPECT_TRUE(layout.landscape);
  EXPECT_LT(layout.points, 1.0);
  EXPECT_GT(layout.points, 0.0);
  EXPECT_LE(rightmostEdge(layout), 15000);
  EXPECT_GE(rightmostEdge(layout), 14999);
}

TEST(PrintLayoutFitting, DegeneratePaperStillEndsWithEveryRowPrinted) {
  const Grid grid = listGrid(5);
  const PrintLayout layout = layoutGrid(grid, request({0, 0}, {0, 0}), fixedMeasure());
  QStringList rows;
  for (const PrintedPage& p : layout.pages) rows << firstColumn(p);
  for (int r = 1; r <= 5; ++r) EXPECT_TRUE(rows.contains(QString::number(r))) << r;
}

// --- Cells ------------------------------------------------------------------------------------

TEST(PrintLayoutCells, TextIsPlacedByAlignmentCodeAndCentredVertically) {
  // One column 2000 wide (2200 on paper, from 400 to 2600); row r has alignment code r.
  Grid grid(10, 1);
  grid.setFontSize(10);
  grid.setColumnWidth(0, 2000);
  for (int r = 0; r < 10; ++r) {
    grid.setText(r, 0, QStringLiteral("ab%1").arg(r));  // 300 twips wide
    grid.setAlignment(r, 0, r);
  }
  const PrintLayout layout = layoutGrid(grid, request(), fixedMeasure());
  const PrintedPage& page = layout.pages.at(0);
  for (int code = 0; code < 10; ++code) {
    const PlacedText* t = findText(page, QStringLiteral("ab%1").arg(code));
    ASSERT_NE(t, nullptr) << code;
    int expected = 400 + 32;
    if (code == 4) expected = 400 + (2200 - 300) / 2;
    if (code == 6 || code == 7 || code == 9) expected = 2600 - 100 - 300;
    EXPECT_EQ(t->x, expected) << "alignment code " << code;
    const int rowTop = 880 + code * kRow;
    EXPECT_EQ(t->y, rowTop + (kRow - 240) / 2) << "alignment code " << code;
  }
}

TEST(PrintLayoutCells, EveryCellIsRuledFromItsLeftEdgeToTheNextCellsLeftEdge) {
  Grid grid(2, 3);
  grid.setFontSize(10);
  grid.setColumnWidth(0, 500);
  grid.setColumnWidth(1, 1000);
  grid.setColumnWidth(2, 333);
  grid.setRowHeight(1, 600);
  const PrintLayout layout = layoutGrid(grid, request(), fixedMeasure());
  const auto& rects = layout.pages.at(0).rects;
  ASSERT_EQ(rects.size(), 6u);
  EXPECT_EQ(rects[0].x, 400);
  EXPECT_EQ(rects[0].width, 550);
  EXPECT_EQ(rects[1].x, 950);
  EXPECT_EQ(rects[2].x, 2050);
  EXPECT_EQ(rects[2].x + rects[2].width, 2050 + 366);
  EXPECT_EQ(rects[3].y, rects[0].y + rects[0].height);
  EXPECT_EQ(rects[3].height, 600 + 60);
}

TEST(PrintLayoutCells, HiddenRowsAndColumnsStayOffThePaper) {
  Grid grid = listGrid(4);
  grid.setRowHeight(2, 0);
  grid.setCols(3);
  grid.setColumnWidth(2, 0);
  grid.setText(1, 2, QStringLiteral("verborgen"));
  const PrintLayout layout = layoutGrid(grid, request(), fixedMeasure());
  const QStringList rows = firstColumn(layout.pages.at(0));
  EXPECT_EQ(rows, (QStringList{"Nr", "1", "3", "4"}));
  EXPECT_EQ(findText(layout.pages[0], QStringLiteral("verborgen")), nullptr);
  EXPECT_EQ(layout.pages[0].rects.size(), 4u * 2u);
}
