// Any bytes as an event file (optionally behind a sound header so that the records are reached):
// the result is computed or refused with a reason, never a crash, and a computed grid is whole.
#include <QStringList>
#include <cstdint>
#include <cstdlib>

#include "app/textfile.h"
#include "scoring/eventsources.h"
#include "scoring/resultgrid.h"

namespace {

const QStringList kGroup = {
    QStringLiteral("1| Dhr. Jan Smit+2| Mevr. Anna de Vries"), QStringLiteral("3| A+4| B"),
    QStringLiteral("***** Stilzit *****"), QStringLiteral("5| C+6| D"), QStringLiteral("7| E+8| F"),
    QStringLiteral("9| G+10| H"), QStringLiteral("11| I+12| J"), QStringLiteral("13| K+14| L")};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size == 0) return 0;
  const uint8_t mode = data[0];
  const QString text = mervalo::fromCp1252(QByteArray(reinterpret_cast<const char*>(data + 1), static_cast<qsizetype>(size - 1)));
  QStringList lines = text.split(QLatin1Char('\n'));
  for (QString& l : lines)
    if (l.endsWith(QLatin1Char('\r'))) l.chop(1);
  if (mode & 1) {
    // 8 pairs, pair 3 sits out, 3 rounds of 2 boards, entry mode from the next bit.
    lines = QStringList{QStringLiteral("05-12-2026 Groep A Uitslag"), QStringLiteral("8"), QStringLiteral("3"),
                        QStringLiteral("3"), QStringLiteral("2"), QStringLiteral("08 Paren 03 Ronden Test"),
                        QString::number((mode >> 1) & 1)} +
            lines;
  }
  mervalo::EventSources sources;
  sources.eventName = QStringLiteral("05-12-2026 Groep A Uitslag");
  sources.groupName = QStringLiteral("05-12-2026 Groep A");
  sources.eventLines = lines;
  sources.group = mervalo::Group::parse(kGroup);
  sources.language = (mode & 4) ? 11 : 10;
  mervalo::ResultError error;
  const auto result = mervalo::computeEventResult(sources, &error);
  if (!result) {
    if (error.what.isEmpty()) std::abort();  // a refusal always says why
    return 0;
  }
  const mervalo::Grid g = mervalo::resultsGrid(*result, mervalo::ResultsHeadings::of(sources.language), mervalo::fixedPitchWidth);
  if (g.rows() < 2 || g.cols() != result->header.boards() + 4) std::abort();
  for (int r = 1; r < g.rows() - 1; ++r)
    if (!g.text(r, g.cols() - 1).endsWith(QLatin1Char('%'))) std::abort();
  return 0;
}
