#include "evening.h"

#include <QAbstractPrintDialog>
#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QScrollBar>
#include <QTableWidget>
#include <QTest>

#include "app/screens/appcontext.h"
#include "app/texts.h"
#include "guidewalk.h"
#include "publish/screens/mailrun.h"
#include "scoring/scoretable.h"

namespace mervalo::guide {

namespace {

constexpr int kRounds = 3;
constexpr int kBoardsPerRound = 4;
constexpr int kDefaultRounds = 6;  // what the event start offers before the organiser changes it

// Scores as a club evening gives them, for the board's vulnerability: NS in a major game,
// EW in a part score, NS in no-trumps or EW in a game, every fourth board alike.
QString scoreFor(int board, int table) {
  const int v = vulnerabilityOf(board);
  const bool ns = v == kNorthSouth || v == kBoth;
  const bool ew = v == kEastWest || v == kBoth;
  QStringList options;
  switch (board % 4) {
    case 1: options = {ns ? "620" : "420", ns ? "650" : "450", ns ? "-100" : "-50", "170"}; break;
    case 2: options = {"-110", "-140", ew ? "100" : "50", "-110"}; break;
    case 3: options = {ns ? "600" : "400", ns ? "630" : "430", "140", ns ? "-100" : "-50"}; break;
    default: options = {ew ? "-620" : "-420", ew ? "200" : "100", ew ? "-650" : "-450", "-170"}; break;
  }
  return options[(board + table) % options.size()];
}

QWidget* backToMenu(Walk& walk, QWidget* screen, const QString& name) {
  walk.click(screen, QStringLiteral("cmdTerug"));
  walk.waitGone(name);
  return walk.window(QStringLiteral("frmMervalo01"));
}

void enterNames(Walk& walk, QWidget* menu, const Evening& e) {
  walk.step(QStringLiteral("name list"));
  walk.click(menu, QStringLiteral("cmdNamenInvoeren"));
  QWidget* w = walk.window(QStringLiteral("frmMervalo02"));
  for (int i = 0; i < e.players.size(); ++i) {
    const Player& p = e.players[i];
    walk.step(QStringLiteral("name list, player ") + p.last);
    walk.type(w, QStringLiteral("txtNaam_0"), p.first);
    walk.type(w, QStringLiteral("txtNaam_1"), p.last);
    if (!p.mail.isEmpty()) walk.type(w, QStringLiteral("txtNaam_2"), p.mail);
    walk.click(w, QStringLiteral("chkTitel_%1").arg(p.title));
    if (i == e.players.size() - 1) walk.shoot(w, QStringLiteral("name-entry"));
    walk.click(w, QStringLiteral("cmdToevoegen"));
  }
  walk.step(QStringLiteral("name list, saving"));
  walk.type(w, QStringLiteral("txtNaamBestand"), e.nameList);
  walk.usable(w, QStringLiteral("cmdOpslaan"));
  walk.shoot(w, QStringLiteral("name-list"));
  walk.click(w, QStringLiteral("cmdOpslaan"));
  walk.waitUntil([&] { return walk.control<QListWidget>(w, QStringLiteral("lstNamenBestand"))->count() == 1; },
                 QStringLiteral("the saved list in the list of name lists"));
}

void makeGroup(Walk& walk, QWidget* menu, const Evening& e) {
  walk.step(QStringLiteral("group"));
  walk.click(menu, QStringLiteral("cmdGroepenMaken"));
  QWidget* w = walk.window(QStringLiteral("frmMervalo03"));
  walk.pick(w, QStringLiteral("lstNamenBestand"), e.nameList);
  for (int i = 0; i < e.pairs.size(); ++i) {
    walk.step(QStringLiteral("group, pair %1").arg(i + 1));
    for (const QString& last : {e.pairs[i].first, e.pairs[i].second})
      walk.pickCell(w, QStringLiteral("msfgNamen"), walk.rowWith(w, QStringLiteral("msfgNamen"), 3, last), 2);
    if (i == 2) walk.shoot(w, QStringLiteral("group-picking"));
    walk.click(w, QStringLiteral("cmdToevoegen"));
  }

  walk.step(QStringLiteral("group, calendar"));
  walk.click(w, QStringLiteral("cmdKalender"));
  QWidget* calendar = walk.window(QStringLiteral("frmMervalo05"));
  QString day;
  for (int i = 1; i <= 42 && day.isEmpty(); ++i) {
    auto* cell = walk.control<QLabel>(calendar, QStringLiteral("lblDatum_%1").arg(i));
    if (cell->isVisible() && cell->text() == QString::number(e.date.day())) {
      QTest::mouseClick(cell, Qt::LeftButton);
      day = cell->objectName();
    }
  }
  if (day.isEmpty()) walk.fail(QStringLiteral("the calendar shows no day %1").arg(e.date.day()));
  walk.shoot(calendar, QStringLiteral("calendar"));
  walk.click(calendar, QStringLiteral("cmdOK"));
  walk.waitGone(QStringLiteral("frmMervalo05"));

  walk.step(QStringLiteral("group, saving"));
  w = walk.window(QStringLiteral("frmMervalo03"));
  walk.waitUntil([&] { return !walk.control<QLineEdit>(w, QStringLiteral("txtNaamBestand"))->text().isEmpty(); },
                 QStringLiteral("the date in the group screen"));
  walk.usable(w, QStringLiteral("cmdOpslaan"));
  walk.shoot(w, QStringLiteral("group-ready"));
  walk.click(w, QStringLiteral("cmdOpslaan"));
  walk.waitUntil([&] { return !walk.control<QListWidget>(w, QStringLiteral("lstGroepBestand"))->findItems(e.groupFile, Qt::MatchExactly).isEmpty(); },
                 QStringLiteral("the saved group ") + e.groupFile);
  backToMenu(walk, w, QStringLiteral("frmMervalo03"));
}

void startEvent(Walk& walk, QWidget* menu, const Evening& e) {
  walk.step(QStringLiteral("event start"));
  walk.click(menu, QStringLiteral("cmdInVoerScores"));
  QWidget* w = walk.window(QStringLiteral("frmMervalo04"));
  walk.pick(w, QStringLiteral("lstGroepBestand"), e.groupFile);
  // The arrow under the number lowers it, one step a click.
  auto* rounds = qobject_cast<QScrollBar*>(walk.usable(w, QStringLiteral("vscrRonden")));
  if (!rounds) walk.fail(QStringLiteral("vscrRonden is not a scroll bar"));
  for (int r = kDefaultRounds; r > kRounds; --r) rounds->triggerAction(QAbstractSlider::SliderSingleStepAdd);
  const QString shownRounds = walk.control<QLineEdit>(w, QStringLiteral("txtRonden"))->text();
  const QString shownBoards = walk.control<QLineEdit>(w, QStringLiteral("txtSpellen"))->text();
  if (shownRounds != QString::number(kRounds) || shownBoards != QString::number(kBoardsPerRound))
    walk.fail(QStringLiteral("the event start shows %1 rounds of %2 boards").arg(shownRounds, shownBoards));
  walk.pick(w, QStringLiteral("lstSchema"), e.movement);
  walk.click(w, QStringLiteral("optInvoer_0"));
  walk.usable(w, QStringLiteral("cmdStart"));
  walk.shoot(w, QStringLiteral("event-start"));
  walk.click(w, QStringLiteral("cmdStart"));
}

QWidget* enterScores(Walk& walk) {
  QWidget* w = walk.window(QStringLiteral("frmMervalo06"));
  auto* boardLabel = walk.control<QLabel>(w, QStringLiteral("lblSpelNummer"));
  for (int board = 1; board <= kRounds * kBoardsPerRound; ++board) {
    walk.step(QStringLiteral("entry per board, board %1").arg(board));
    walk.waitUntil([&] { return boardLabel->text().endsWith(QStringLiteral(": %1").arg(board)); },
                   QStringLiteral("board %1 on the screen").arg(board));
    int typed = 0;
    for (int row = 0; w->findChild<QLineEdit*>(QStringLiteral("txtScoreNZ_%1").arg(row)); ++row) {
      const QString box = QStringLiteral("txtScoreNZ_%1").arg(row);
      if (!walk.control(w, box)->isEnabled()) continue;
      const QString score = scoreFor(board, row);
      // The screen refuses an impossible score with a message, which the walk does not expect.
      if (checkScore(board, score) != ScoreVerdict::Accepted) walk.fail(QStringLiteral("the score %1 is not possible here").arg(score));
      walk.type(w, box, score);
      walk.key(w, box, Qt::Key_Return);
      ++typed;
    }
    if (typed == 0) walk.fail(QStringLiteral("no table plays this board"));
    walk.waitUntil([&] { return walk.control(w, QStringLiteral("cmdSpelKlaar"))->isEnabled(); },
                   QStringLiteral("the board to be complete"));
    if (board == 1) walk.shoot(w, QStringLiteral("board-entry"));
    walk.click(w, QStringLiteral("cmdSpelKlaar"));
  }
  walk.step(QStringLiteral("entry per board, result"));
  walk.waitUntil([&] { return walk.control(w, QStringLiteral("cmdUitslag"))->isEnabled(); },
                 QStringLiteral("the result button"));
  walk.shoot(w, QStringLiteral("all-boards"));
  walk.click(w, QStringLiteral("cmdUitslag"));
  return walk.window(QStringLiteral("frmMervalo08"));
}

void printAndPublish(Walk& walk, GuidePrompter& prompter, AppContext& ctx, QWidget* results) {
  walk.step(QStringLiteral("results"));
  walk.shoot(results, QStringLiteral("results"));

  walk.step(QStringLiteral("results, printing"));
  // The platform's own print dialog: pictured and cancelled, nothing goes to a printer.
  bool dialogSeen = false;
  whenModal(walk, QStringLiteral("print dialog"), [&walk, &dialogSeen](QWidget* modal) {
    auto* dialog = qobject_cast<QAbstractPrintDialog*>(modal);
    if (!dialog) return false;
    // Without a printer (as on the X server the pictures are made on) the organiser prints
    // to a PDF file: the picture shows that choice where the dialog offers it.
    for (QComboBox* printers : dialog->findChildren<QComboBox*>()) {
      const int pdf = printers->findText(QStringLiteral("PDF"), Qt::MatchContains);
      if (pdf >= 0) printers->setCurrentIndex(pdf);
    }
    walk.shoot(dialog, QStringLiteral("print-dialog"));
    dialogSeen = true;
    dialog->reject();
    return true;
  });
  walk.click(results, QStringLiteral("cmdAfdrukken"));
  walk.waitUntil([&] { return dialogSeen && !QApplication::activeModalWidget(); }, QStringLiteral("the print dialog to close"));

  walk.step(QStringLiteral("results, the page"));
  prompter.expect(139, PromptAnswer::No);
  prompter.expect(129, PromptAnswer::Ok, QStringLiteral("page-made"));
  walk.click(results, QStringLiteral("cmdMaakHTML"));
  prompter.checkAllShown();
  if (QDir(ctx.values.path(QStringLiteral("/HTML"))).entryList({QStringLiteral("*.html")}, QDir::Files).isEmpty())
    walk.fail(QStringLiteral("no page in the HTML folder"));
}

void mailResult(Walk& walk, GuidePrompter& prompter, QWidget* results, const Evening& e) {
  walk.step(QStringLiteral("mail settings"));
  walk.click(results, QStringLiteral("cmdInstelling"));
  QWidget* settings = walk.window(QStringLiteral("frmMervalo09"));
  walk.type(settings, QStringLiteral("txtEMailAdres"), e.ownAddress);
  walk.type(settings, QStringLiteral("txtNaam"), e.ownName);
  walk.click(settings, QStringLiteral("optProvider_0"));
  walk.usable(settings, QStringLiteral("cmdOK"));
  walk.shoot(settings, QStringLiteral("mail-settings"));
  walk.click(settings, QStringLiteral("cmdOK"));
  walk.waitGone(QStringLiteral("frmMervalo09"));

  walk.step(QStringLiteral("sending the result"));
  results = walk.window(QStringLiteral("frmMervalo08"));
  walk.waitUntil([&] { return walk.control(results, QStringLiteral("cmdVerstuur"))->isVisible(); },
                 QStringLiteral("the send button"));
  walk.shoot(results, QStringLiteral("send-button"));
  prompter.expect(157, PromptAnswer::Ok, QStringLiteral("mail-sent"));
  walk.click(results, QStringLiteral("cmdVerstuur"));
  auto* run = results->findChild<MailRun*>();
  if (!run) walk.fail(QStringLiteral("the send button started no mailing"));
  // Halfway through the players: the screen has already shown the name when this runs.
  const int halfway = playersWithMail(e) / 2;
  bool progressSeen = false;
  QObject::connect(run, &MailRun::sending, results, [&walk, &progressSeen, results, halfway](int index) {
    if (index != halfway) return;
    walk.shoot(results, QStringLiteral("mail-sending"), false);
    progressSeen = true;
  });
  walk.waitUntil([&] { return prompter.allShown() && walk.control(results, QStringLiteral("cmdTerug"))->isEnabled(); },
                 QStringLiteral("the mail to go out"), 60'000);
  if (!progressSeen) walk.fail(QStringLiteral("the sending was never shown"));
}

}  // namespace

int playersWithMail(const Evening& evening) {
  int n = 0;
  for (const Player& p : evening.players) n += p.mail.isEmpty() ? 0 : 1;
  return n;
}

void walkEvening(Walk& walk, GuidePrompter& prompter, AppContext& ctx, const Evening& e) {
  walk.step(QStringLiteral("main menu"));
  QWidget* menu = walk.window(QStringLiteral("frmMervalo01"));
  walk.shoot(menu, QStringLiteral("main-menu"));

  enterNames(walk, menu, e);
  menu = backToMenu(walk, walk.window(QStringLiteral("frmMervalo02")), QStringLiteral("frmMervalo02"));
  makeGroup(walk, menu, e);
  menu = walk.window(QStringLiteral("frmMervalo01"));
  startEvent(walk, menu, e);
  QWidget* results = enterScores(walk);
  printAndPublish(walk, prompter, ctx, results);
  mailResult(walk, prompter, results, e);
  prompter.checkAllShown();
}

Evening eveningFor(int language) {
  Evening e;
  e.date = QDate(2026, 3, 17);  // a Tuesday
  if (language == kEnglish) {
    e.nameList = QStringLiteral("Members");
    e.players = {{0, "John", "Smith", "john.smith@example.org"},   {1, "Mary", "Brown", "mary.brown@example.org"},
                 {0, "Peter", "Jones", "peter.jones@example.org"}, {1, "Ellen", "Baker", ""},
                 {0, "Keith", "Taylor", "keith.taylor@example.org"}, {1, "Rita", "Walker", "rita.walker@example.org"},
                 {1, "Susan", "Clark", "susan.clark@example.org"}, {0, "Henry", "Wood", "henry.wood@example.org"},
                 {1, "Joan", "Hill", "joan.hill@example.org"},     {0, "Brian", "Scott", ""},
                 {1, "Lisa", "Green", "lisa.green@example.org"},   {0, "William", "Hall", "william.hall@example.org"}};
    e.pairs = {{"Smith", "Brown"}, {"Jones", "Baker"}, {"Taylor", "Walker"},
               {"Wood", "Clark"},  {"Scott", "Hill"},  {"Hall", "Green"}};
    e.groupFile = QStringLiteral("2026-03-17 Group A");
    e.movement = QStringLiteral("06 Pairs 03 Rounds Howell");
    e.ownAddress = QStringLiteral("keith.taylor@example.org");
    e.ownName = QStringLiteral("Keith Taylor");
  } else {
    e.nameList = QStringLiteral("Clubleden");
    e.players = {{0, "Jan", "Smit", "jan.smit@example.org"},         {1, "Anna", "de Vries", "anna.devries@example.org"},
                 {0, "Piet", "Jansen", "piet.jansen@example.org"},   {1, "Els", "Bos", ""},
                 {0, "Kees", "Visser", "kees.visser@example.org"},   {1, "Ria", "Mulder", "ria.mulder@example.org"},
                 {1, "Truus", "Bakker", "truus.bakker@example.org"}, {0, "Henk", "Mol", "henk.mol@example.org"},
                 {1, "Joke", "Dekker", "joke.dekker@example.org"},   {0, "Bram", "van Dijk", ""},
                 {1, "Lies", "Meijer", "lies.meijer@example.org"},   {0, "Wim", "de Boer", "wim.deboer@example.org"}};
    e.pairs = {{"Smit", "de Vries"}, {"Jansen", "Bos"},    {"Visser", "Mulder"},
               {"Mol", "Bakker"},    {"van Dijk", "Dekker"}, {"de Boer", "Meijer"}};
    e.groupFile = QStringLiteral("17-03-2026 Groep A");
    e.movement = QStringLiteral("06 Paren 03 Ronden Howell");
    e.ownAddress = QStringLiteral("kees.visser@example.org");
    e.ownName = QStringLiteral("Kees Visser");
  }
  return e;
}

}  // namespace mervalo::guide
