// Any bytes as an event file, behind a sound header when the first byte says so (so that the
// records are reached). Reading it either refuses with a line inside the header or gives an
// event whose lines read back to the same event, with nothing that was read left out; its result
// is computed or refused with a reason, never a crash, and a computed grid is whole.
#include "event/eventmodel.h"
#include "fuzz.h"
#include "scoring/eventsources.h"
#include "scoring/resultgrid.h"

using namespace mervalo;
using fuzz::require;

void fuzzOne(const QByteArray& input) {
  if (input.isEmpty()) return;
  const uint8_t mode = static_cast<uint8_t>(input[0]);
  QStringList lines = fuzz::lines(input.mid(1));
  // 8 pairs, pair 3 sits out, 3 rounds of 2 boards, entry mode from the next bit.
  if (mode & 1) lines = QStringList{"05-12-2026 Groep A Uitslag", "8", "3", "3", "2", "08 Paren 03 Ronden Test",
                                    QString::number((mode >> 1) & 1)} + lines;
  EventFileError error;
  const auto event = EventModel::fromLines(lines, QStringLiteral("f.txt"), &error);
  if (event) {
    for (const EventFileError& p : event->problems()) require(p.line > kHeaderLines && p.line <= lines.size());
    const QStringList written = event->lines();
    const auto again = EventModel::fromLines(written, QStringLiteral("f.txt"));
    require(again && again->header() == event->header() && again->lines() == written);
    for (int b : event->recordedBoards())
      require(b >= 1 && b <= event->header().boards() && *again->record(b) == *event->record(b));
  } else {
    require(error.line >= 1 && error.line <= kHeaderLines);
  }

  EventSources sources;
  sources.eventName = QStringLiteral("05-12-2026 Groep A Uitslag");
  sources.groupName = QStringLiteral("05-12-2026 Groep A");
  sources.eventLines = lines;
  sources.group = Group::parse({"1| Dhr. Jan Smit+2| Mevr. Anna de Vries", "3| A+4| B", "***** Stilzit *****",
                                "5| C+6| D", "7| E+8| F", "9| G+10| H", "11| I+12| J", "13| K+14| L"});
  sources.language = (mode & 4) ? 11 : 10;
  ResultError resultError;
  const auto result = computeEventResult(sources, &resultError);
  if (!result) {
    require(!resultError.what.isEmpty());  // a refusal always says why
    return;
  }
  const Grid g = resultsGrid(*result, ResultsHeadings::of(sources.language), fixedPitchWidth);
  require(g.rows() >= 2 && g.cols() == result->header.boards() + 4);
  for (int r = 1; r < g.rows() - 1; ++r) require(g.text(r, g.cols() - 1).endsWith(QLatin1Char('%')));
}
