#pragma once

#include "app/grid.h"

namespace mervalo::test {

// A computed result of `pairs` pairs over `boards` boards, as an entry screen's results grid:
// rank, names, boards, MP, percentage, and the column-totals row.
inline Grid computedResult(int pairs, int boards = 3) {
  Grid g(pairs + 2, boards + 4);
  g.setText(0, 0, QStringLiteral("Nr"));
  g.setText(0, 1, QStringLiteral("Paren"));
  for (int b = 1; b <= boards; ++b) g.setText(0, b + 1, QString::number(b));
  g.setText(0, boards + 2, QStringLiteral("MP"));
  g.setText(0, boards + 3, QStringLiteral("Percentage"));
  for (int p = 1; p <= pairs; ++p) {
    g.setText(p, 0, QString::number(p));
    g.setAlignment(p, 0, kAlignCenterCenter);
    g.setText(p, 1, QStringLiteral("Paar %1 [%2]").arg(p).arg(boards));
    g.setAlignment(p, 1, kAlignLeftCenter);
    g.setText(p, boards + 2, QString::number(20 - p));
    g.setAlignment(p, boards + 2, kAlignCenterCenter);
    g.setText(p, boards + 3, QStringLiteral("%1.00%").arg(70 - p));
    g.setAlignment(p, boards + 3, kAlignGeneral);
  }
  g.setText(pairs + 1, 2, QStringLiteral("99"));
  return g;
}

}  // namespace mervalo::test
