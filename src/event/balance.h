#pragma once

#include <QVector>

namespace mervalo {

// How evenly a movement compares the pairs. Two pairs are compared on a board set when both play
// it at different tables: in the same direction (both NS or both EW) their scores are ranked
// against each other; in opposite directions each is ranked against the other's opponents.
// Boards two pairs play against each other at one table compare neither way. Counts are in board
// sets, so with B boards per round every count is B times as many boards.

// One table of one round as a movement file seats it.
struct SeatedTable {
  int round = 0;
  int table = 0;  // 1-based position in its round line
  int ns = 0;
  int ew = 0;
  int set = 0;
};

struct MovementBalance {
  int pairs = 0;
  // Row-major P x P, both triangles filled; index (a - 1) * P + (b - 1).
  QVector<int> same;
  QVector<int> opposite;
  int sameMin = 0;
  int sameMax = 0;
  int oppositeMin = 0;
  int oppositeMax = 0;
  double sameMean = 0;
  // Standard deviation of the same-direction counts over all pairs of pairs divided by their mean:
  // 0 when every pair meets every other equally often in the same direction.
  double variation = 0;

  int sameOf(int a, int b) const { return same[(a - 1) * pairs + (b - 1)]; }
  int oppositeOf(int a, int b) const { return opposite[(a - 1) * pairs + (b - 1)]; }
};

// The balance of the tables for pairs 1..P; tables naming pairs outside that range are left out.
MovementBalance balanceOf(const QVector<SeatedTable>& tables, int pairs);

}  // namespace mervalo
