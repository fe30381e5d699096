// Double-dummy analysis of a 36-board hand record (tables and par), as the event's file gets it
// after an import, and the same through the worker thread the screens use.

#include <QCoreApplication>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>

#include "hands/dealgen.h"
#include "hands/doubledummy.h"
#include "hands/handrecordfile.h"

namespace {

using namespace mervalo;

void BM_Analyse36Boards(benchmark::State& state) {
  SeededRandom random(20261207);
  const HandRecord record = randomHandRecord(36, random);
  for (auto _ : state) {
    HandRecord copy = record;
    if (!analyseHandRecord(copy)) state.SkipWithError("the solver failed");
  }
}
BENCHMARK(BM_Analyse36Boards)->Unit(benchmark::kMillisecond)->Iterations(3)->UseRealTime();

void BM_Analyse36BoardFileOffThread(benchmark::State& state) {
  QTemporaryDir dir;
  const QString path = dir.filePath(QStringLiteral("e.pbn"));
  SeededRandom random(7);
  const HandRecord record = randomHandRecord(36, random);
  for (auto _ : state) {
    state.PauseTiming();
    writeHandRecord(path, record);
    state.ResumeTiming();
    if (!startHandRecordAnalysis(path).result().written) state.SkipWithError("not analysed");
  }
}
BENCHMARK(BM_Analyse36BoardFileOffThread)->Unit(benchmark::kMillisecond)->Iterations(3)->UseRealTime();

}  // namespace
