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
#include "scoring/eventresult.h"
#include "scoring/resultgrid.h"

namespace {

constexpr int kPairs = 98;
constexpr int kTables = 49;
constexpr int kRounds = 12;
constexpr int kBoardsPerRound = 9;
const QString kSchema = QStringLiteral("98 Paren 12 Ronden Bench");

// A barometer movement: in round r every table plays board set r; NS pair t stays at table t,
// the EW pairs move up one table a round. Every board is played at all 49 tables.
int ewPair(int t, int r) { return kTables + ((t - 1 + r - 1) % kTables) + 1; }
int boardSet(int, int r) { return r; }

QStringList schemaLines() {
  QStringList lines{QStringLiteral("Speelschema 98 paren 12 ronden")};
  for (int r = 1; r <= kRounds; ++r) {
    QStringList fields{QStringLiteral("Ronde %1").arg(r)};
    for (int t = 1; t <= kTables; ++t)
      fields << QStringLiteral("%1-%2 (%3-%4)").arg(t).arg(ewPair(t, r)).arg(4 * boardSet(t, r) - 3).arg(4 * boardSet(t, r));
    lines << fields.join(QLatin1Char('\t'));
  }
  return lines;
}

QString randomScore(std::mt19937& rng) {
  static const char* const pool[] = {"420", "-50", "450", "140", "-100", "110", "-420", "620", "0", "-200", "170", "-620"};
  const unsigned pick = rng() % 100;
  if (pick == 0) return QStringLiteral("n");
  return QLatin1String(pool[pick % std::size(pool)]);
}

QString mirror(const QString& s) {
  if (s == QLatin1String("n") || s == QLatin1String("0")) return s;
  return s.startsWith(QLatin1Char('-')) ? s.mid(1) : QLatin1Char('-') + s;
}

QStringList eventLines(int mode) {
  QStringList lines{QStringLiteral("06-12-2026 Groep A Uitslag"), QString::number(kPairs), QStringLiteral("Geen"),
                    QString::number(kRounds), QString::number(kBoardsPerRound), kSchema, QString::number(mode)};
  std::mt19937 rng(2026);
  for (int b = 1; b <= kRounds * kBoardsPerRound; ++b) {
    const int set = (b - 1) / kBoardsPerRound + 1;
    QStringList tables;
    for (int r = 1; r <= kRounds; ++r) {
      for (int t = 1; t <= kTables; ++t) {
        if (boardSet(t, r) != set) continue;
        const QString ns = randomScore(rng);
        if (mode == 0)
          tables << QStringLiteral("%1|%2|||%3|%4|0|0").arg(t).arg(ewPair(t, r)).arg(ns, mirror(ns));
        else
          tables << QStringLiteral("%1-%2*|%3|%4").arg(t).arg(ewPair(t, r)).arg(ns, mirror(ns));
      }
    }
    lines << (mode == 0 ? QStringLiteral("%1*").arg(b, 2, 10, QLatin1Char('0')) + tables.join(QLatin1Char('@'))
                        : tables.join(QLatin1Char('~')));
  }
  return lines;
}

void makeFolder(const QString& folder) {
  for (const char* sub : {"groepen", "schema/10", "invoer", "namen"}) QDir(folder).mkpath(QLatin1String(sub));
  mervalo::writeTextLines(folder + QStringLiteral("/taal.txt"), {QStringLiteral("10")});
  mervalo::writeTextLines(folder + QStringLiteral("/schema/10/") + kSchema + QStringLiteral(".txt"), schemaLines());
  QStringList group;
  for (int p = 1; p <= kPairs; ++p)
    group << QStringLiteral("%1| Dhr. Speler %1+%2| Mevr. Partner van %1").arg(2 * p - 1).arg(2 * p);
  for (const char* letter : {"A", "B"}) {
    mervalo::writeTextLines(folder + QStringLiteral("/groepen/06-12-2026 Groep %1.txt").arg(QLatin1String(letter)), group);
  }
  QStringList perBoard = eventLines(0), perRound = eventLines(1);
  perRound[0] = QStringLiteral("06-12-2026 Groep B Uitslag");
  mervalo::writeTextLines(folder + QStringLiteral("/invoer/06-12-2026 Groep A Uitslag.txt"), perBoard);
  mervalo::writeTextLines(folder + QStringLiteral("/invoer/06-12-2026 Groep B Uitslag.txt"), perRound);
}

void runEvent(benchmark::State& state, const char* event) {
  QTemporaryDir dir;
  makeFolder(dir.path());
  const QString name = QLatin1String(event);
  for (auto _ : state) {
    mervalo::ResultError error;
    const auto sources = mervalo::readEventSources(dir.path(), name, 10, &error);
    const auto result = sources ? mervalo::computeEventResult(*sources, {}, &error) : std::nullopt;
    if (!result || !mervalo::writeResultsPage(dir.path(), *result, mervalo::fixedPitchWidth)) {
      state.SkipWithError(error.describe().toUtf8().constData());
      break;
    }
    benchmark::DoNotOptimize(result->grid.rows());
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
  Steps() {
    makeFolder(dir.path());
    sources = *mervalo::readEventSources(dir.path(), QStringLiteral("06-12-2026 Groep A Uitslag"), 10);
    result = *mervalo::computeEventResult(sources, mervalo::fixedPitchWidth);
  }
};

void BM_StepReadFiles(benchmark::State& state) {
  Steps s;
  for (auto _ : state) benchmark::DoNotOptimize(mervalo::readEventSources(s.dir.path(), s.sources.eventName, 10));
}
void BM_StepReadAndScoreBoards(benchmark::State& state) {
  Steps s;
  for (auto _ : state)
    benchmark::DoNotOptimize(
        mervalo::scoredBoardsGrid(s.result.header, s.sources.eventLines, s.sources.groupLines, 10, QStringLiteral("x")));
}
void BM_StepComputeResult(benchmark::State& state) {
  Steps s;
  const mervalo::Grid scored =
      *mervalo::scoredBoardsGrid(s.result.header, s.sources.eventLines, s.sources.groupLines, 10, QStringLiteral("x"));
  for (auto _ : state) {
    mervalo::Grid g = scored;
    mervalo::computeResult(g, 108, 96, mervalo::fixedPitchWidth);
    benchmark::DoNotOptimize(g.rows());
  }
}
void BM_StepWritePage(benchmark::State& state) {
  Steps s;
  for (auto _ : state) benchmark::DoNotOptimize(mervalo::writeResultsPage(s.dir.path(), s.result, mervalo::fixedPitchWidth));
}
BENCHMARK(BM_StepReadFiles)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_StepReadAndScoreBoards)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_StepComputeResult)->Unit(benchmark::kMicrosecond);
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
