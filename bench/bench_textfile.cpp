#include <QTemporaryDir>
#include <benchmark/benchmark.h>

#include "app/textfile.h"

static void BM_WriteAndReadLines(benchmark::State& state) {
  QTemporaryDir dir;
  const QString p = dir.filePath(QStringLiteral("x.txt"));
  QStringList lines;
  for (int i = 0; i < 2000; ++i) lines << QStringLiteral("%1|Dhr.|Jan|Smit|jan%1@example.org").arg(i);
  for (auto _ : state) {
    mervalo::writeTextLines(p, lines);
    benchmark::DoNotOptimize(mervalo::readTextLines(p));
  }
}
BENCHMARK(BM_WriteAndReadLines);
BENCHMARK_MAIN();
