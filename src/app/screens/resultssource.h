#pragma once

#include <QStringList>

#include "app/grid.h"

namespace mervalo {

// What the results screen takes from the screen that opened it: the results grid made from the
// event's EventResult (with its column-totals row last) and the event's players in the form of
// publish/addresses.h. It lives below both: the entry screens (scoring) implement it, the
// results screen (publish) finds it by a dynamic_cast of its opener, and neither needs the other.
class ResultsSource {
 public:
  virtual ~ResultsSource() = default;
  virtual const Grid& resultsGrid() const = 0;
  virtual QStringList playersForMail() const = 0;
};

}  // namespace mervalo
