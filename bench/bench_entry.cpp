// The entry-per-board screen on the largest event (98 pairs, 108 boards), offscreen: reopening
// the event until the screen takes keys, completing one board, and computing the result with the
// results screen opened.

#include <QApplication>
#include <QPointer>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>

#include "app/screens/appcontext.h"
#include "app/screens/screen.h"
#include "largest_event.h"
#include "scoring/screens/boardentryscreen.h"

namespace {

// Benchmarks answer every question No and show nothing.
class SilentPrompter : public mervalo::Prompter {
 public:
  mervalo::PromptAnswer ask(const mervalo::Prompt& p, QWidget*) override {
    return p.buttons == mervalo::PromptButtons::Ok ? mervalo::PromptAnswer::Ok : mervalo::PromptAnswer::No;
  }
};

struct Setup {
  QTemporaryDir dir;
  SilentPrompter prompter;
  mervalo::AppContext ctx;
  Setup() {
    largest::makeFolder(dir.path());
    mervalo::registerAllScreens(ctx);
    ctx.prompter = &prompter;
    ctx.values.programFolder = dir.path();
    ctx.values.settingsFilePath = dir.path() + QStringLiteral("/standaard.ini");
    ctx.values.groupFileName = QStringLiteral("06-12-2026 Groep A.txt");
    ctx.values.eventFileName = QStringLiteral("06-12-2026 Groep A Uitslag.txt");
  }
  mervalo::BoardEntryScreen* open() {
    auto* s = new mervalo::BoardEntryScreen(ctx, nullptr);
    s->showAndActivate();
    QCoreApplication::processEvents();
    return s;
  }
  static void discard(mervalo::BoardEntryScreen* s) {
    // Deleted without closing: closing would save the event file, which is not what is timed.
    s->setAttribute(Qt::WA_DeleteOnClose, false);
    delete s;
    for (QWidget* w : QApplication::topLevelWidgets()) {
      w->setAttribute(Qt::WA_DeleteOnClose, false);
      delete w;
    }
    QCoreApplication::processEvents();
  }
};

void BM_ReopenLargestEvent(benchmark::State& state) {
  Setup setup;
  for (auto _ : state) {
    auto* s = setup.open();
    state.PauseTiming();
    Setup::discard(s);
    state.ResumeTiming();
  }
}
BENCHMARK(BM_ReopenLargestEvent)->Unit(benchmark::kMillisecond);

void BM_CompleteOneBoard(benchmark::State& state) {
  Setup setup;
  auto* s = setup.open();
  for (auto _ : state) {
    state.PauseTiming();
    s->cmdSpel_Click(1);
    QCoreApplication::processEvents();
    state.ResumeTiming();
    s->cmdSpelKlaar_Click();
    QCoreApplication::processEvents();
  }
  Setup::discard(s);
}
BENCHMARK(BM_CompleteOneBoard)->Unit(benchmark::kMillisecond);

void BM_ResultAndResultsScreen(benchmark::State& state) {
  Setup setup;
  for (auto _ : state) {
    state.PauseTiming();
    auto* s = setup.open();
    state.ResumeTiming();
    s->cmdUitslag_Click();
    QCoreApplication::processEvents();
    state.PauseTiming();
    Setup::discard(s);
    state.ResumeTiming();
  }
}
BENCHMARK(BM_ResultAndResultsScreen)->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv) {
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  QApplication app(argc, argv);
  benchmark::Initialize(&argc, argv);
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}
