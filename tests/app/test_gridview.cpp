#include <QTableWidget>
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
}

}  // namespace
}  // namespace mervalo
