// The details page and the PBN export of the largest event the program allows (98 pairs, 108
// boards played at every one of 49 tables), with a hand record and a contract from every table.

#include <QTemporaryDir>
#include <benchmark/benchmark.h>

#include "largest_event.h"
#include "publish/detailsfile.h"
#include "publish/pbnexport.h"
#include "scoring/eventsources.h"

namespace {

struct Largest {
  QTemporaryDir dir;
  mervalo::EventResult result;
  mervalo::EventExtras extras;
  Largest() {
    largest::makeFolder(dir.path());
    result = *mervalo::computeEventResult(*mervalo::readEventSources(dir.path(), QStringLiteral("06-12-2026 Groep A Uitslag"), 10));
    extras = largest::extras(result);
  }
};

const Largest& largestEvent() {
  static const Largest event;
  return event;
}

// The page from the scored event, hands, double-dummy tables and contracts included.
void BM_DetailsPage(benchmark::State& state) {
  const Largest& e = largestEvent();
  mervalo::DetailsOptions options;
  options.title = QStringLiteral("Uitslag (06-12-2026 Groep A)");
  for (auto _ : state) benchmark::DoNotOptimize(mervalo::detailsPage(e.result, e.extras, options).size());
}
BENCHMARK(BM_DetailsPage)->Unit(benchmark::kMillisecond);

// What the HTML button adds: the event read and scored again from its files, the page written.
void BM_DetailsPageFromFiles(benchmark::State& state) {
  const Largest& e = largestEvent();
  for (auto _ : state) {
    const auto path = mervalo::writeEventDetailsPage(e.dir.path(), QStringLiteral("06-12-2026 Groep A Uitslag"), 10,
                                                     e.dir.path() + QStringLiteral("/HTML"), true, true);
    if (!path) state.SkipWithError("the page was not written");
  }
}
BENCHMARK(BM_DetailsPageFromFiles)->Unit(benchmark::kMillisecond);

void BM_PbnExport(benchmark::State& state) {
  const Largest& e = largestEvent();
  for (auto _ : state) benchmark::DoNotOptimize(mervalo::pbnResults(e.result, e.extras, QStringLiteral("06-12-2026 Groep A")).size());
}
BENCHMARK(BM_PbnExport)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
