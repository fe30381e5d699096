// The largest event the program allows: 98 pairs at 49 tables, 12 rounds of 9 boards. Measures
// reading the files, recomputing every board, the results grid and writing the page, as
// "mervalo-cli result" does in process.
//
//   bench_scoring                      run the benchmarks
//   bench_scoring --make-event DIR     write the event of both entry modes into DIR (for timing
//                                      the mervalo-cli process itself)

#include <QDir>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>
#include <cstring>
#include <random>

#include "app/textfile.h"
#include "largest_event.h"
#include "publish/htmlpage.h"
#include "scoring/eventsources.h"
#include "scoring/resultgrid.h"

namespace {

using namespace largest;

void runEvent(benchmark::State& state, const char* event) {
  QTemporaryDir dir;
  makeFolder(dir.path());
  const QString name = QLatin1String(event);
  for (auto _ : state) {
    mervalo::ResultError error;
    const auto sources = mervalo::readEventSources(dir.path(), name, 10, &error);
    const auto result = sources ? mervalo::computeEventResult(*sources, &error) : std::nullopt;
    const mervalo::Grid grid = result ? mervalo::resultsGrid(*result, mervalo::ResultsHeadings::of(10)) : mervalo::Grid();
    if (!result || !mervalo::writeResultsPage(dir.path(), sources->groupFileName(), grid, 10, mervalo::fixedPitchWidth)) {
      state.SkipWithError(error.describe().toUtf8().constData());
      break;
    }
    benchmark::DoNotOptimize(grid.rows());
  }
}

void BM_LargestEventPerBoard(benchmark::State& state) { runEvent(state, "06-12-2026 Groep A Uitslag"); }
void BM_LargestEventPerRound(benchmark::State& state) { runEvent(state, "06-12-2026 Groep B Uitslag"); }

BENCHMARK(BM_LargestEventPerBoard)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_LargestEventPerRound)->Unit(benchmark::kMillisecond);

// The steps of the per-board event on their own, to see where the time goes.
struct Steps {
  QTemporaryDir dir;
  mervalo::EventSources sources;
  mervalo::EventResult result;
  mervalo::Grid grid;
  Steps() {
    makeFolder(dir.path());
    sources = *mervalo::readEventSources(dir.path(), QStringLiteral("06-12-2026 Groep A Uitslag"), 10);
    result = *mervalo::computeEventResult(sources);
    grid = mervalo::resultsGrid(result, mervalo::ResultsHeadings::of(10));
  }
};

void BM_StepReadFiles(benchmark::State& state) {
  Steps s;
  for (auto _ : state) benchmark::DoNotOptimize(mervalo::readEventSources(s.dir.path(), s.sources.eventName, 10));
}
void BM_StepReadEventFile(benchmark::State& state) {
  Steps s;
  for (auto _ : state) benchmark::DoNotOptimize(mervalo::EventModel::fromLines(s.sources.eventLines, QStringLiteral("x")));
}
// scoreEvent: every board matchpointed, every pair totalled and ranked, from a model read once.
void BM_StepScoreEvent(benchmark::State& state) {
  Steps s;
  const auto model = mervalo::EventModel::fromLines(s.sources.eventLines, QStringLiteral("x"));
  const QStringList names = s.sources.group.pairNames();
  for (auto _ : state) benchmark::DoNotOptimize(mervalo::scoreEvent(*model, names));
}
// Matchpointing alone: every board of the largest event, its 49 tables parsed beforehand.
void BM_MatchpointEveryBoard(benchmark::State& state) {
  Steps s;
  const auto model = mervalo::EventModel::fromLines(s.sources.eventLines, QStringLiteral("x"));
  std::vector<QVector<mervalo::BoardTable>> boards;
  for (int b = 1; b <= model->header().boards(); ++b) boards.push_back(mervalo::completeBoardTables(*model, b).tables);
  const int top = mervalo::eventTop(model->header().pairs, model->header().sitOut);
  for (auto _ : state) {
    for (QVector<mervalo::BoardTable>& tables : boards) mervalo::scoreBoard(tables, top, model->header().sitOut);
    benchmark::DoNotOptimize(boards.data());
  }
}
// The results grid of the scored event, its columns fitted.
void BM_StepResultsGrid(benchmark::State& state) {
  Steps s;
  for (auto _ : state) {
    mervalo::Grid g = mervalo::resultsGrid(s.result, mervalo::ResultsHeadings::of(10), mervalo::fixedPitchWidth);
    benchmark::DoNotOptimize(g.rows());
  }
}
void BM_StepWritePage(benchmark::State& state) {
  Steps s;
  for (auto _ : state)
    benchmark::DoNotOptimize(mervalo::writeResultsPage(s.dir.path(), s.sources.groupFileName(), s.grid, 10, mervalo::fixedPitchWidth));
}
BENCHMARK(BM_StepReadFiles)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_StepReadEventFile)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_StepScoreEvent)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_MatchpointEveryBoard)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_StepResultsGrid)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_StepWritePage)->Unit(benchmark::kMicrosecond);

}  // namespace

int main(int argc, char** argv) {
  if (argc == 3 && std::strcmp(argv[1], "--make-event") == 0) {
    makeFolder(QString::fromLocal8Bit(argv[2]));
    return 0;
  }
  benchmark::Initialize(&argc, argv);
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}
