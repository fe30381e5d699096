// Checking the whole shipped movement library: the checker on its own, and mervalo-cli
// schema-check as a director runs it, process start and output included. Both must stay well
// under a second for the 130 files.
#include <QDir>
#include <QProcess>
#include <QStringList>
#include <benchmark/benchmark.h>

#include "event/schemacheck.h"

namespace {

QStringList shippedMovements() {
  QStringList files;
  for (const char* language : {"10", "11"}) {
    const QDir dir(QStringLiteral(MERVALO_BIN_DIR "/schema/") + QLatin1String(language));
    for (const QString& name : dir.entryList({QStringLiteral("*.txt")}, QDir::Files, QDir::Name)) files << dir.filePath(name);
  }
  return files;
}

void BM_CheckShippedLibrary(benchmark::State& state) {
  const QStringList files = shippedMovements();
  if (files.size() != 130) state.SkipWithError("the shipped movements are not beside the program");
  for (auto _ : state)
    for (const QString& f : files) benchmark::DoNotOptimize(mervalo::checkSchemaFile(f));
  state.counters["files"] = static_cast<double>(files.size());
}
BENCHMARK(BM_CheckShippedLibrary)->Unit(benchmark::kMillisecond);

void BM_SchemaCheckCommand(benchmark::State& state) {
  const QStringList args = QStringList{QStringLiteral("schema-check"), QStringLiteral("--tsv")} + shippedMovements();
  for (auto _ : state) {
    QProcess p;
    p.start(QStringLiteral(MERVALO_BIN_DIR "/mervalo-cli"), args);
    if (!p.waitForFinished(10000) || p.exitStatus() != QProcess::NormalExit || p.exitCode() != 0) {
      state.SkipWithError("mervalo-cli schema-check failed on the shipped movements");
      break;
    }
    benchmark::DoNotOptimize(p.readAllStandardOutput());
  }
}
BENCHMARK(BM_SchemaCheckCommand)->Unit(benchmark::kMillisecond)->UseRealTime();

}  // namespace

BENCHMARK_MAIN();
