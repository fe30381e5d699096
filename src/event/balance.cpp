#include "event/balance.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <map>

namespace mervalo {

namespace {

struct Seat {
  int pair;
  bool ns;
  int table;  // round and table together, so that two rounds of one set never look alike
};

}  // namespace

MovementBalance balanceOf(const QVector<SeatedTable>& tables, int pairs) {
  MovementBalance b;
  if (pairs < 2) return b;
  b.pairs = pairs;
  b.same.fill(0, pairs * pairs);
  b.opposite.fill(0, pairs * pairs);
  std::map<int, QVector<Seat>> seatsOfSet;
  int key = 0;
  for (const SeatedTable& t : tables) {
    ++key;
    if (t.ns < 1 || t.ns > pairs || t.ew < 1 || t.ew > pairs || t.ns == t.ew) continue;
    auto& seats = seatsOfSet[t.set];
    seats.append(Seat{t.ns, true, key});
    seats.append(Seat{t.ew, false, key});
  }
  for (const auto& [set, seats] : seatsOfSet) {
    for (qsizetype i = 0; i < seats.size(); ++i) {
      for (qsizetype j = i + 1; j < seats.size(); ++j) {
        const Seat& x = seats[i];
        const Seat& y = seats[j];
        if (x.table == y.table || x.pair == y.pair) continue;
        QVector<int>& counts = x.ns == y.ns ? b.same : b.opposite;
        ++counts[(x.pair - 1) * pairs + (y.pair - 1)];
        ++counts[(y.pair - 1) * pairs + (x.pair - 1)];
      }
    }
  }
  b.sameMin = b.oppositeMin = std::numeric_limits<int>::max();
  double sum = 0;
  int n = 0;
  for (int x = 1; x <= pairs; ++x) {
    for (int y = x + 1; y <= pairs; ++y) {
      const int s = b.sameOf(x, y);
      const int o = b.oppositeOf(x, y);
      b.sameMin = std::min(b.sameMin, s);
      b.sameMax = std::max(b.sameMax, s);
      b.oppositeMin = std::min(b.oppositeMin, o);
      b.oppositeMax = std::max(b.oppositeMax, o);
      sum += s;
      ++n;
    }
  }
  b.sameMean = sum / n;
  double squares = 0;
  for (int x = 1; x <= pairs; ++x)
    for (int y = x + 1; y <= pairs; ++y) squares += (b.sameOf(x, y) - b.sameMean) * (b.sameOf(x, y) - b.sameMean);
  const double variance = squares / n;
  b.variation = b.sameMean > 0 ? std::sqrt(variance) / b.sameMean : 0;
  return b;
}

}  // namespace mervalo
