#pragma once

#include "app/screens/screen.h"
#include "scoring/resultssource.h"

namespace mervalo::test {

// A scored event of `pairs` pairs over three boards, none scored, as far as the results screen
// reads it: pair p, "Paar p", has place p with 20 - p matchpoints, 70 - p percent, 3 boards.
inline EventResult computedEventResult(int pairs) {
  EventResult r;
  r.header.pairs = pairs;
  r.header.rounds = 1;
  r.header.boardsPerRound = 3;
  r.boards.resize(3);
  r.seats.assign(static_cast<size_t>(pairs) * 3, -1);
  for (int p = 1; p <= pairs; ++p) {
    r.pairs.append({.pair = p, .names = QStringLiteral("Paar %1").arg(p), .total = 20 - p, .boardsPlayed = 3,
                    .percentage = 70.0 - p, .rank = p});
    r.ranking.append(p);
  }
  return r;
}

// Stands in for an entry screen that has computed its result.
class FakeEntryScreen : public Screen, public ResultsSource {
 public:
  explicit FakeEntryScreen(AppContext& c) : Screen(c, nullptr) {
    setObjectName(QStringLiteral("frmMervalo06"));
    setWindowTitle(QStringLiteral("entry"));
  }
  const EventResult& eventResult() const override { return result; }
  QStringList playersForMail() const override { return players; }
  EventResult result;
  QStringList players;
};

}  // namespace mervalo::test
