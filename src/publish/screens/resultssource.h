#pragma once

#include <QStringList>

#include "app/grid.h"

namespace mervalo {

// What the results screen takes from the screen that opened it: the computed results grid
// (with its column-totals row last) and the event's players in the form of
// publish/addresses.h. The entry screens implement it; the results screen finds it by a
// dynamic_cast of its opener.
class ResultsSource {
 public:
  virtual ~ResultsSource() = default;
  virtual const Grid& resultsGrid() const = 0;
  virtual QStringList playersForMail() const = 0;
};

}  // namespace mervalo
