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
  Grid g(2, 8);
  const QStringList texts{"Jansen", "12", " -3.5 ", "12a", "", "Nan", "Inf", "1e3"};
  for (int c = 0; c < texts.size(); ++c) g.setText(1, c, texts[c]);
  QTableWidget t;
  showGrid(g, &t);
  EXPECT_EQ(horizontal(t, 1, 0), Qt::AlignLeft);
  EXPECT_EQ(horizontal(t, 1, 1), Qt::AlignRight);
  EXPECT_EQ(horizontal(t, 1, 2), Qt::AlignRight);
  EXPECT_EQ(horizontal(t, 1, 3), Qt::AlignLeft);
  EXPECT_EQ(horizontal(t, 1, 4), Qt::AlignLeft);
  EXPECT_EQ(horizontal(t, 1, 5), Qt::AlignLeft) << "a player called Nan";
  EXPECT_EQ(horizontal(t, 1, 6), Qt::AlignLeft);
  EXPECT_EQ(horizontal(t, 1, 7), Qt::AlignRight);
  // A set alignment wins over the general rule, whatever the text.
  g.setAlignment(1, 1, kAlignCenterCenter);
  g.setAlignment(1, 0, kAlignRightCenter);
  showGrid(g, &t);
  EXPECT_EQ(horizontal(t, 1, 1), Qt::AlignHCenter);
  EXPECT_EQ(horizontal(t, 1, 0), Qt::AlignRight);
}

}  // namespace
}  // namespace mervalo
