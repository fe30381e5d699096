#include <QApplication>
#include <QTableView>
#include <QTableWidget>
#include <QTest>
#include <gtest/gtest.h>

#include "app/grid.h"
#include "app/screens/gridview.h"

namespace mervalo {
namespace {

Qt::Alignment horizontal(QTableWidget& t, int r, int c) {
  return Qt::Alignment(t.item(r, c)->textAlignment()) & Qt::AlignHorizontal_Mask;
}

TEST(GridView, GeneralAlignmentPutsNumbersRightAndTextLeft) {
  // A player called Nan or Inf is a name, not a number.
  const std::pair<const char*, Qt::Alignment> cells[] = {{"Jansen", Qt::AlignLeft}, {"12", Qt::AlignRight},
                                                         {" -3.5 ", Qt::AlignRight}, {"12a", Qt::AlignLeft},
                                                         {"", Qt::AlignLeft}, {"Nan", Qt::AlignLeft},
                                                         {"Inf", Qt::AlignLeft}, {"1e3", Qt::AlignRight}};
  Grid g(2, 8);
  for (int c = 0; c < 8; ++c) g.setText(1, c, QString::fromLatin1(cells[c].first));
  QTableWidget t;
  showGrid(g, &t);
  for (int c = 0; c < 8; ++c) EXPECT_EQ(horizontal(t, 1, c), cells[c].second) << cells[c].first;
  // A set alignment wins over the general rule, whatever the text.
  g.setAlignment(1, 1, kAlignCenterCenter);
  g.setAlignment(1, 0, kAlignRightCenter);
  showGrid(g, &t);
  EXPECT_EQ(horizontal(t, 1, 1), Qt::AlignHCenter);
  EXPECT_EQ(horizontal(t, 1, 0), Qt::AlignRight);
}

TEST(GridView, FrozenHeadingAndNumbersStayPutWhenACellBecomesCurrent) {
  Grid g(30, 8);
  for (int r = 0; r < g.rows(); ++r)
    for (int c = 0; c < g.cols(); ++c) g.setText(r, c, r == 0 ? QStringLiteral("Kop%1").arg(c) : QStringLiteral("cel %1 %2").arg(r).arg(c));
  QTableWidget t;
  t.resize(240, 160);
  t.show();
  showGrid(g, &t);
  ASSERT_TRUE(QTest::qWaitForWindowExposed(&t));
  auto* headings = t.findChild<QTableView*>("frozenRows");
  auto* numbers = t.findChild<QTableView*>("frozenColumns");
  ASSERT_TRUE(headings && numbers);
  // A click on a cell far down and to the right makes it current, as picking a player does.
  t.setCurrentCell(20, 6);
  QApplication::processEvents();
  EXPECT_EQ(headings->indexAt(QPoint(2, 2)).row(), 0) << "the heading row stays the heading";
  const QModelIndex number = numbers->indexAt(QPoint(2, headings->height() + 2));
  EXPECT_EQ(number.column(), 0) << "the number column stays the number column";
  EXPECT_EQ(number.row(), t.indexAt(QPoint(numbers->width() + 2, headings->height() + 2)).row())
      << "and beside the rows the table shows";
}

}  // namespace
}  // namespace mervalo
