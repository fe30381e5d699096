#pragma once

#include "app/grid.h"
#include "app/screens/screen.h"
#include "app/screens/resultssource.h"

namespace mervalo::test {

// Stands in for an entry screen that has computed its result.
class FakeEntryScreen : public Screen, public ResultsSource {
 public:
  explicit FakeEntryScreen(AppContext& c) : Screen(c, nullptr) {
    setObjectName(QStringLiteral("frmMervalo06"));
    setWindowTitle(QStringLiteral("entry"));
  }
  const Grid& resultsGrid() const override { return grid; }
  QStringList playersForMail() const override { return players; }
  Grid grid;
  QStringList players;
};

// A computed result of `pairs` pairs over 3 boards: rank, names, boards, MP, percentage, and
// the column-totals row.
inline Grid computedResult(int pairs) {
  Grid g(pairs + 2, 7);
  const QStringList head = {"Nr", "Paren", "1", "2", "3", "MP", "Percentage"};
  for (int c = 0; c < 7; ++c) g.setText(0, c, head[c]);
  for (int p = 1; p <= pairs; ++p) {
    g.setText(p, 0, QString::number(p));
    g.setAlignment(p, 0, kAlignCenterCenter);
    g.setText(p, 1, QStringLiteral("Paar %1 [3]").arg(p));
    g.setAlignment(p, 1, kAlignLeftCenter);
    g.setText(p, 5, QString::number(20 - p));
    g.setAlignment(p, 5, kAlignCenterCenter);
    g.setText(p, 6, QStringLiteral("%1.00%").arg(70 - p));
    g.setAlignment(p, 6, kAlignGeneral);
  }
  g.setText(pairs + 1, 2, QStringLiteral("99"));
  return g;
}

}  // namespace mervalo::test
