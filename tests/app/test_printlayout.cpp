#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>

#include "app/printlayout.h"
#include "qtprint.h"

using namespace mervalo;

namespace {

// Every letter a tenth of an inch wide and every line 240 twips high at 10 points, so that
// positions can be worked out by hand. A default row (240) is 300 on paper.
PrintMeasure fixedMeasure() {
  return {[](const QString& text, double points) { return static_cast<int>(std::lround(text.size() * points * 10)); },
          [](double points) { return static_cast<int>(std::lround(points * 24)); }};
}

PrintLayout layout(const Grid& grid, PaperSize portrait = {11000, 15000}, PaperSize landscape = {15000, 11000},
                   const QString& title = {}, bool repeatTitle = false) {
  return layoutGrid(grid, PrintRequest{title, repeatTitle, "Maker 2026", portrait, landscape}, fixedMeasure());
}

// A heading row "Nr" | "Naam" above rows "1".."n"; two left-aligned columns of 1000.
Grid listGrid(int dataRows) {
  Grid g(dataRows + 1, 2);
  g.setFontSize(10);
  for (int r = 0; r <= dataRows; ++r) {
    g.setText(r, 0, r == 0 ? "Nr" : QString::number(r));
    g.setText(r, 1, r == 0 ? "Naam" : "speler");
    for (int c = 0; c < 2; ++c) g.setAlignment(r, c, kAlignLeftCenter);
  }
  for (int c = 0; c < 2; ++c) g.setColumnWidth(c, 1000);
  return g;
}

// The first-column texts of a page, top to bottom.
QStringList firstColumn(const PrintedPage& page) {
  std::vector<PlacedText> texts;
  for (const PlacedText& t : page.texts)
    if (t.x == printlayout::kLeft + printlayout::kTextIndent) texts.push_back(t);
  std::stable_sort(texts.begin(), texts.end(), [](const auto& a, const auto& b) { return a.y < b.y; });
  QStringList out;
  for (const PlacedText& t : texts) out << t.text;
  return out;
}

const PlacedText* findText(const PrintedPage& page, const QString& text) {
  for (const PlacedText& t : page.texts)
    if (t.text == text) return &t;
  return nullptr;
}

int rightEdge(const PrintLayout& l) {
  int right = 0;
  for (const PrintedPage& p : l.pages)
    for (const PlacedRect& r : p.rects) right = std::max(right, r.x + r.width);
  return right;
}

}  // namespace

TEST(PrintLayout, LongGridBreaksPagesAndRepeatsTheHeadingRow) {
  // Rows start at 880 (title line and empty line); a page is full when the next row's top
  // reaches 15000 - 1600: 42 rows on page 1, the heading and 43 rows on page 2.
  Grid grid = listGrid(99);
  const PrintLayout l = layout(grid);
  ASSERT_EQ(l.pages.size(), 3u);
  QStringList all;
  for (size_t p = 0; p < l.pages.size(); ++p) {
    QStringList rows = firstColumn(l.pages[p]);
    ASSERT_EQ(rows.value(0), "Nr") << "page " << p + 1;
    if (p > 0) rows.removeFirst();
    all << rows;
  }
  EXPECT_EQ(firstColumn(l.pages[0]).size(), 42);
  EXPECT_EQ(firstColumn(l.pages[1]).size(), 44);
  ASSERT_EQ(all.size(), 100);
  for (int i = 1; i < 100; ++i) EXPECT_EQ(all[i], QString::number(i));

  // Ten rows ending exactly on the margin (3880 = 5480 - 1600) fill the page.
  EXPECT_EQ(firstColumn(layout(listGrid(20), {11000, 5480}).pages.at(0)).size(), 10);
  // A grid that just fills its page leaves no empty page behind.
  EXPECT_EQ(layout(listGrid(41)).pages.size(), 1u);
}

TEST(PrintLayout, TitleOnTopRepeatedOnNewPagesOnRequestAndTheClosingLineLast) {
  const PrintLayout titled = layout(listGrid(70), {11000, 15000}, {15000, 11000}, "Uitslag");
  const PlacedText& title = titled.pages.at(0).texts.at(0);
  EXPECT_EQ(title.text, "Uitslag");

  const PrintedPage& last = titled.pages.back();
  const PlacedText& closing = last.texts.back();
  EXPECT_EQ(closing.text, "Maker 2026");
  EXPECT_EQ(findText(titled.pages[0], "Maker 2026"), nullptr);

  // Repeated, the title starts every new page in place of the heading row.
  const QString longTitle = "Uitslag (05-12-2026 Groep A)";
  const PrintLayout repeated = layout(listGrid(60), {11000, 15000}, {15000, 11000}, longTitle, true);
  ASSERT_EQ(repeated.pages.size(), 2u);
  ASSERT_NE(findText(repeated.pages[1], longTitle), nullptr);
  EXPECT_EQ(firstColumn(repeated.pages[1]).first(), "42");

  const PrintLayout empty = layout(Grid());
  ASSERT_EQ(empty.pages.size(), 1u);
  EXPECT_EQ(empty.pages[0].texts.size(), 1u);
}

TEST(PrintLayout, TableTooWideForPortraitTurnsLandscape) {
  // Nine columns of 1000 are 9900 on paper and end exactly at the edge of a 10300 page.
  Grid grid(3, 9);
  grid.setFontSize(10);
  for (int c = 0; c < 9; ++c) grid.setColumnWidth(c, 1000);
  EXPECT_FALSE(layout(grid, {10300, 15000}, {15000, 10300}).landscape);
  grid.setCols(10);
  grid.setColumnWidth(9, 1000);
  const PrintLayout wide = layout(grid, {10300, 15000}, {15000, 10300});
  EXPECT_TRUE(wide.landscape);
  EXPECT_EQ(rightEdge(wide), 400 + 11000);

  // Landscape pages break on the landscape height: rows from 880 until 9400, 29 rows.
  Grid list = listGrid(60);
  list.setColumnWidth(1, 12000);
  const PrintLayout turned = layout(list);
  ASSERT_TRUE(turned.landscape);
  EXPECT_EQ(firstColumn(turned.pages.at(0)).size(), 29);
}

TEST(PrintLayout, TableTooWideForLandscapeShrinksUntilItFitsAndTheFittingAlwaysEnds) {
  Grid grid(2, 20);
  grid.setFontSize(10);
  for (int c = 0; c < 20; ++c) grid.setColumnWidth(c, 1000);  // 22000 on paper
  const PrintLayout shrunk = layout(grid);
  // 9, 8 and 7 points are still too wide; at 6 the table is 13200 and fits in 15000.
  EXPECT_TRUE(shrunk.landscape);
  EXPECT_EQ(shrunk.points, 6.0);
  EXPECT_EQ(rightEdge(shrunk), 400 + 13200);

  grid.setCols(1);
  grid.setColumnWidth(0, 50'000'000);
  const PrintLayout absurd = layout(grid);
  EXPECT_GT(absurd.points, 0.0);
  EXPECT_NEAR(rightEdge(absurd), 15000, 1);

  // Damaged paper sizes still end, one row a page.
  const PrintLayout tiny = layout(listGrid(5), {0, 0}, {0, 0});
  QStringList rows;
  for (const PrintedPage& p : tiny.pages) rows << firstColumn(p);
  EXPECT_TRUE(rows.contains("5"));
}

TEST(PrintLayout, HiddenRowsAndColumnsStayOffThePaper) {
  Grid grid = listGrid(4);
  grid.setRowHeight(2, 0);
  grid.setCols(3);
  grid.setColumnWidth(2, 0);
  grid.setText(1, 2, "verborgen");
  const PrintLayout l = layout(grid);
  EXPECT_EQ(firstColumn(l.pages.at(0)), (QStringList{"Nr", "1", "3", "4"}));
  EXPECT_EQ(findText(l.pages[0], "verborgen"), nullptr);
}
