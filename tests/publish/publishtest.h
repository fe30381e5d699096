#pragma once

#include "computedresult.h"
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

}  // namespace mervalo::test
