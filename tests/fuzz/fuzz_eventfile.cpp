// Any bytes as an event file: reading either refuses with a line inside the header or gives an
// event whose lines read back to the same event, with nothing that was read left out.
#include "event/eventmodel.h"
#include "fuzz.h"

using namespace mervalo;
using fuzz::require;

void fuzzOne(const QByteArray& input) {
  const QStringList lines = fuzz::lines(input);
  EventFileError error;
  const auto event = EventModel::fromLines(lines, QStringLiteral("f.txt"), &error);
  if (!event) {
    require(error.line >= 1 && error.line <= kHeaderLines);
    return;
  }
  for (const EventFileError& p : event->problems()) require(p.line > kHeaderLines && p.line <= lines.size());
  const QStringList written = event->lines();
  const auto again = EventModel::fromLines(written, QStringLiteral("f.txt"));
  require(again && again->header() == event->header() && again->lines() == written);
  for (int b : event->recordedBoards())
    require(b >= 1 && b <= event->header().boards() && *again->record(b) == *event->record(b));
}
