// Both entry screens on the largest event (98 pairs, 108 boards), offscreen: reopening the event
// until the screen takes keys, completing one board (storing one slip), and computing the result
// with the results screen opened.

#include <QApplication>
#include <QPointer>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>

#include "app/screens/appcontext.h"
#include "app/screens/screen.h"
#include "largest_event.h"
#include "scoring/screens/boardentryscreen.h"
#include "scoring/screens/roundentryscreen.h"

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
  explicit Setup(const char* group = "06-12-2026 Groep A") {
    largest::makeFolder(dir.path());
    mervalo::registerAllScreens(ctx);
    ctx.prompter = &prompter;
    ctx.values.programFolder = dir.path();
    ctx.values.settingsFilePath = dir.path() + QStringLiteral("/standaard.ini");
    ctx.values.groupFileName = QLatin1String(group) + QStringLiteral(".txt");
    ctx.values.eventFileName = QLatin1String(group) + QStringLiteral(" Uitslag.txt");
  }
  template <class EntryScreen = mervalo::BoardEntryScreen>
  EntryScreen* open() {
    auto* s = new EntryScreen(ctx, nullptr);
    s->showAndActivate();
    QCoreApplication::processEvents();
    return s;
  }
  static void discard(QWidget* s) {
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

// The same event entered per round: its file holds every slip stored.
using mervalo::RoundEntryScreen;

void BM_RoundReopenLargestEvent(benchmark::State& state) {
  Setup setup("06-12-2026 Groep B");
  for (auto _ : state) {
    auto* s = setup.open<RoundEntryScreen>();
    state.PauseTiming();
    Setup::discard(s);
    state.ResumeTiming();
  }
}
BENCHMARK(BM_RoundReopenLargestEvent)->Unit(benchmark::kMillisecond);

void BM_RoundStoreOneSlip(benchmark::State& state) {
  Setup setup("06-12-2026 Groep B");
  auto* s = setup.open<RoundEntryScreen>();
  for (auto _ : state) {
    state.PauseTiming();
    s->optRonde_Click(0);
    QCoreApplication::processEvents();
    state.ResumeTiming();
    s->cmdSpelKlaar_Click();
    QCoreApplication::processEvents();  // the event file is written once the screen is idle
  }
  Setup::discard(s);
}
BENCHMARK(BM_RoundStoreOneSlip)->Unit(benchmark::kMillisecond);

void BM_RoundResultAndResultsScreen(benchmark::State& state) {
  Setup setup("06-12-2026 Groep B");
  for (auto _ : state) {
    state.PauseTiming();
    auto* s = setup.open<RoundEntryScreen>();
    state.ResumeTiming();
    s->cmdUitslag_Click();
    QCoreApplication::processEvents();
    state.PauseTiming();
    Setup::discard(s);
    state.ResumeTiming();
  }
}
BENCHMARK(BM_RoundResultAndResultsScreen)->Unit(benchmark::kMillisecond);

}  // namespace
