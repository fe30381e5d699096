#pragma once

#include <QStringList>

#include "scoring/eventresult.h"

namespace mervalo {

// What the results screen takes from the screen that opened it: the event's result as it was
// computed when the organiser asked for it, and the event's players in the form of
// publish/addresses.h. It lives below both: the entry screens implement it, the results screen
// finds it by a dynamic_cast of its opener and makes its grid from the result, and neither
// needs the other.
class ResultsSource {
 public:
  virtual ~ResultsSource() = default;
  virtual const EventResult& eventResult() const = 0;
  virtual QStringList playersForMail() const = 0;
};

}  // namespace mervalo
