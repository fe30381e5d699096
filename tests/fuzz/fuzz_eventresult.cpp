// Any bytes as an event file (optionally behind a sound header so that the records are reached):
// the result is computed or refused with a reason, never a crash, and a computed grid is whole.
#include "fuzz.h"
#include "scoring/eventsources.h"
#include "scoring/resultgrid.h"

using namespace mervalo;
using fuzz::require;

void fuzzOne(const QByteArray& input) {
  if (input.isEmpty()) return;
  const uint8_t mode = static_cast<uint8_t>(input[0]);
  QStringList lines = fromCp1252(input.mid(1)).split(QLatin1Char('\n'));
  for (QString& l : lines)
    if (l.endsWith(QLatin1Char('\r'))) l.chop(1);
  // 8 pairs, pair 3 sits out, 3 rounds of 2 boards, entry mode from the next bit.
  if (mode & 1) lines = QStringList{"05-12-2026 Groep A Uitslag", "8", "3", "3", "2", "08 Paren 03 Ronden Test",
                                    QString::number((mode >> 1) & 1)} + lines;
  EventSources sources;
  sources.eventName = QStringLiteral("05-12-2026 Groep A Uitslag");
  sources.groupName = QStringLiteral("05-12-2026 Groep A");
  sources.eventLines = lines;
  sources.group = Group::parse({"1| Dhr. Jan Smit+2| Mevr. Anna de Vries", "3| A+4| B", "***** Stilzit *****",
                                "5| C+6| D", "7| E+8| F", "9| G+10| H", "11| I+12| J", "13| K+14| L"});
  sources.language = (mode & 4) ? 11 : 10;
  ResultError error;
  const auto result = computeEventResult(sources, &error);
  if (!result) {
    require(!error.what.isEmpty());  // a refusal always says why
    return;
  }
  const Grid g = resultsGrid(*result, ResultsHeadings::of(sources.language), fixedPitchWidth);
  require(g.rows() >= 2 && g.cols() == result->header.boards() + 4);
  for (int r = 1; r < g.rows() - 1; ++r) require(g.text(r, g.cols() - 1).endsWith(QLatin1Char('%')));
}
