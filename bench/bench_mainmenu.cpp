// Start-up cost: from creating the application object to the main menu shown, on the offscreen
// platform, with a program folder as an installation leaves it (language file, provider list).
#include <QApplication>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>
#include <memory>

#include "app/programfolder.h"
#include "app/screens/appcontext.h"
#include "app/screens/mainmenu.h"
#include "publish/providerlist.h"

namespace {

class SilentPrompter : public mervalo::Prompter {
 public:
  mervalo::PromptAnswer ask(const mervalo::Prompt&, QWidget*) override { return mervalo::PromptAnswer::Ok; }
};

void writeInstallation(const QString& folder) {
  QFile taal(folder + QStringLiteral("/taal.txt"));
  if (taal.open(QIODevice::WriteOnly)) taal.write("10\r\n");
  QStringList fields;
  for (int i = 0; i < 9; ++i) fields.append(QStringLiteral("field%1").arg(i));
  QStringList lines{mervalo::encodeProviderLine(fields.join(QStringLiteral("<>")), 37),
                    mervalo::encodeProviderLine(fields.join(QStringLiteral("<>")), 91)};
  const qsizetype size = lines[0].size() + lines[1].size() + 4;
  lines[0].chop(4);
  lines[0] += QStringLiteral("%1").arg(size - 12, 4, 10, QLatin1Char('0'));
  QFile mail(folder + QStringLiteral("/MAIL.TXT"));
  if (mail.open(QIODevice::WriteOnly)) mail.write((lines.join(QStringLiteral("\r\n")) + QStringLiteral("\r\n")).toLatin1());
}

void BM_StartToMainMenuShown(benchmark::State& state) {
  qputenv("QT_QPA_PLATFORM", "offscreen");
  QTemporaryDir dir;
  writeInstallation(dir.path());
  for (auto _ : state) {
    int argc = 1;
    char name[] = "bench_mainmenu";
    char* argv[] = {name, nullptr};
    QApplication app(argc, argv);
    SilentPrompter prompter;
    mervalo::AppContext ctx;
    ctx.prompter = &prompter;
    ctx.values.programFolder = QDir::cleanPath(dir.path());
    ctx.quit = [] {};
    ctx.connectionTest = [] { return false; };
    mervalo::registerAllScreens(ctx);
    auto* menu = new mervalo::MainMenu(ctx);
    menu->showAndActivate();
    QCoreApplication::processEvents();
    benchmark::DoNotOptimize(menu->isVisible());
    delete menu;
  }
}
BENCHMARK(BM_StartToMainMenuShown)->Unit(benchmark::kMillisecond)->Iterations(20);

// The first start of an installed program in a fresh home: the user's data folder made and
// filled with both languages' movements, then the main menu shown.
void BM_FirstStartInAFreshHome(benchmark::State& state) {
  qputenv("QT_QPA_PLATFORM", "offscreen");
  QTemporaryDir installation;
  const QString bin = installation.path() + QStringLiteral("/usr/bin");
  const QString share = installation.path() + QStringLiteral("/usr/share/mervalo");
  QDir().mkpath(bin);
  mervalo::ProgramFolder shipped;
  mervalo::seedFolder(QStringLiteral(MERVALO_BIN_DIR), share, shipped);
  for (auto _ : state) {
    state.PauseTiming();
    auto home = std::make_unique<QTemporaryDir>();
    state.ResumeTiming();
    int argc = 1;
    char name[] = "bench_mainmenu";
    char* argv[] = {name, nullptr};
    QApplication app(argc, argv);
    const mervalo::ProgramFolder folder =
        mervalo::chooseProgramFolder({bin, home->path() + QStringLiteral("/.local/share/Mervalo"), {}});
    SilentPrompter prompter;
    mervalo::AppContext ctx;
    ctx.prompter = &prompter;
    ctx.values.programFolder = folder.folder;
    ctx.quit = [] {};
    ctx.connectionTest = [] { return false; };
    mervalo::registerAllScreens(ctx);
    auto* menu = new mervalo::MainMenu(ctx);
    menu->showAndActivate();
    QCoreApplication::processEvents();
    benchmark::DoNotOptimize(menu->isVisible());
    delete menu;
    state.counters["files"] = static_cast<double>(folder.copied.size());
    state.PauseTiming();
    home.reset();
    state.ResumeTiming();
  }
}
BENCHMARK(BM_FirstStartInAFreshHome)->Unit(benchmark::kMillisecond)->Iterations(20);

}  // namespace

BENCHMARK_MAIN();
