// Loading and showing a club's name list (2,000 players) and opening a group of 60 pairs, both
// through the real screens on the offscreen platform, each measured from the click to the
// grids being filled.
#include <QApplication>
#include <QDir>
#include <QListWidget>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>

#include "app/screens/appcontext.h"
#include "app/screens/prompter.h"
#include "app/textfile.h"
#include "players/screens/namelistscreen.h"
#include "players/screens/groupscreen.h"

using namespace mervalo;

namespace {

class SilentPrompter : public Prompter {
 public:
  PromptAnswer ask(const Prompt&, QWidget*) override { return PromptAnswer::No; }
};

const QString kHeading = QStringLiteral("Nr.|Dhr / Mevr|Voornaam|Achternaam|E-mailadres");

QStringList clubList(int players) {
  QStringList lines{kHeading};
  for (int i = 1; i <= players; ++i)
    lines << QStringLiteral("%1|%2|Voornaam%1|Achternaam%3|speler%1@club.nl")
                 .arg(i)
                 .arg(i % 2 ? QStringLiteral("Dhr.") : QStringLiteral("Mevr."))
                 .arg((i * 7919) % players, 5, 10, QLatin1Char('0'));
  return lines;
}

struct Club {
  Club() {
    ctx.prompter = &prompter;
    ctx.values.programFolder = dir.path();
  }
  QTemporaryDir dir;
  SilentPrompter prompter;
  AppContext ctx;
};

void clickFirst(QListWidget* list) {
  list->setCurrentRow(0);
  emit list->itemClicked(list->item(0));
}

}  // namespace

static void BM_LoadNameList2000(benchmark::State& state) {
  Club club;
  QDir().mkpath(club.dir.path() + QStringLiteral("/namen"));
  writeTextLines(club.dir.path() + QStringLiteral("/namen/Club.txt"), clubList(2000));
  auto* screen = new NameListScreen(club.ctx, nullptr);
  screen->show();
  auto* list = screen->findChild<QListWidget*>(QStringLiteral("lstNamenBestand"));
  for (auto _ : state) {
    clickFirst(list);
    benchmark::DoNotOptimize(screen->namesGrid().rows());
  }
  if (screen->namesGrid().rows() != 2002) state.SkipWithError("the list was not loaded whole");
  delete screen;
}
BENCHMARK(BM_LoadNameList2000)->Unit(benchmark::kMillisecond);

static void BM_OpenGroupOf60Pairs(benchmark::State& state) {
  Club club;
  QDir().mkpath(club.dir.path() + QStringLiteral("/namen"));
  QDir().mkpath(club.dir.path() + QStringLiteral("/groepen"));
  const QStringList players = clubList(120);
  writeTextLines(club.dir.path() + QStringLiteral("/namen/Club.txt"), players);
  QStringList group;
  for (int p = 1; p <= 120; p += 2) {
    const QStringList a = players[p].split(QLatin1Char('|'));
    const QStringList b = players[p + 1].split(QLatin1Char('|'));
    group << QStringLiteral("%1| %2 %3 %4+%5| %6 %7 %8").arg(a[0], a[1], a[2], a[3], b[0], b[1], b[2], b[3]);
  }
  writeTextLines(club.dir.path() + QStringLiteral("/groepen/03-12-2026 Groep A.txt"), group);
  auto* screen = new GroupScreen(club.ctx, nullptr);
  screen->show();
  clickFirst(screen->findChild<QListWidget*>(QStringLiteral("lstNamenBestand")));
  auto* groups = screen->findChild<QListWidget*>(QStringLiteral("lstGroepBestand"));
  for (auto _ : state) {
    clickFirst(groups);
    benchmark::DoNotOptimize(screen->groupLines().size());
  }
  if (screen->groupLines().size() != 60 || screen->mailLines().size() != 120)
    state.SkipWithError("the group was not opened whole");
  delete screen;
}
BENCHMARK(BM_OpenGroupOf60Pairs)->Unit(benchmark::kMillisecond);
