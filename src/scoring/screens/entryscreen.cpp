#include "scoring/screens/entryscreen.h"

#include <QCloseEvent>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QShortcut>
#include <QTableWidget>
#include <QTimer>

#include "app/screens/gridview.h"
#include "players/groupfile.h"
#include "publish/addresses.h"
#include "scoring/entryrows.h"
#include "scoring/eventsources.h"
#include "scoring/resultgrid.h"
#include "scoring/scoretable.h"
#include "scoring/screens/scorerowspanel.h"
#include "tables/screens/tablepanel.h"
#include "tables/tableserver.h"

namespace mervalo {

EntryScreen::EntryScreen(AppContext& ctx, Screen* opener, const QString& formName, int width, int height)
    : Screen(ctx, opener), menu_(opener) {
  setObjectName(formName);
  resize(width, height);
}

EntryScreen::~EntryScreen() {
  // The server writes into this screen's model: it stops before the model goes.
  if (tables_) tables_->stop();
}

QPushButton* EntryScreen::addButton(const char* name, const QRect& at, Handler handler) {
  auto* b = new QPushButton(this);
  b->setObjectName(QString::fromLatin1(name));
  b->setGeometry(at);
  if (handler) connect(b, &QPushButton::clicked, this, handler);
  return b;
}

QLabel* EntryScreen::addLabel(const char* name, const QRect& at) {
  auto* l = new QLabel(this);
  l->setObjectName(QString::fromLatin1(name));
  l->setGeometry(at);
  return l;
}

QTableWidget* EntryScreen::addGrid(const char* name, const QRect& at) {
  auto* grid = new QTableWidget(this);
  grid->setObjectName(QString::fromLatin1(name));
  grid->setGeometry(at);
  grid->setEditTriggers(QAbstractItemView::NoEditTriggers);
  grid->setFocusPolicy(Qt::NoFocus);
  return grid;
}

void EntryScreen::buildSharedControls(const QRect& information, const QRect& tablePanel, int gridTop,
                                      const char* testFillName, Handler testFill) {
  lblInformatie = addLabel("lblInformatie", information);
  cmdSpelKlaar = addButton("cmdSpelKlaar", {}, &EntryScreen::cmdSpelKlaar_Click);
  cmdWisSpel = addButton("cmdWisSpel", {}, &EntryScreen::cmdWisSpel_Click);
  cmdUitslag = addButton("cmdUitslag", {}, &EntryScreen::cmdUitslag_Click);
  cmdTerug = addButton("cmdTerug", {}, &EntryScreen::cmdTerug_Click);
  lblKlaar = addLabel("lblKlaar", {});
  lblKlaar->setStyleSheet(QStringLiteral("color: rgb(192, 0, 0);"));
  lblKlaar->hide();
  for (const char* name : {"lblInfo_0", "lblInfo_1", "lblInfo_2", "lblInfo_3"}) lblInfo.append(addLabel(name, {}));
  msfgResultaat = addGrid("msfgResultaat", QRect(12, gridTop, width() - 24, height() - gridTop - 12));

  tables_ = new TablePanel(*this, this);
  tables_->setGeometry(tablePanel);
  connect(tables_, &TablePanel::started, this, [this] { tablesStarted(); });
  connect(tables_, &TablePanel::scoreArrived, this, [this](int board, int table) { tableScoreArrived(board, table); });

  // The random fill is for trying the program out, not for club evenings.
  testFill_ = addButton(testFillName, {}, testFill);
  testFill_->hide();
  auto* reveal = new QShortcut(QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_T), this);
  connect(reveal, &QShortcut::activated, testFill_, &QWidget::show);

  makeFocusSink(QStringLiteral("cmdSetfocus"));
  cmdSpelKlaar->installEventFilter(this);
}

void EntryScreen::placeHints(QPoint at, int width) {
  for (int i = 0; i < lblInfo.size(); ++i) lblInfo[i]->setGeometry(at.x(), at.y() + i * 22, width, 20);
}

void EntryScreen::showVulnerabilityOf(int board) {
  // The text with a blank before and after it: white on red when anyone is vulnerable, black
  // on white when nobody is.
  const int code = vulnerabilityOf(board);
  const QString shown = QLatin1Char(' ') + text(vulnerabilityTextNumber(code < 0 ? 0 : code)) + QLatin1Char(' ');
  if (lblKwetsbaar->text() != shown) lblKwetsbaar->setText(shown);
  const QString look = code > 0 ? QStringLiteral("color: white; background-color: rgb(255, 0, 0);")
                                : QStringLiteral("color: black; background-color: white;");
  if (lblKwetsbaar->styleSheet() != look) lblKwetsbaar->setStyleSheet(look);
}

bool EntryScreen::loadEvent(int entryMode, const Captions& captions) {
  cmdWisSpel->setText(text(captions.wisSpel));
  cmdUitslag->setText(text(captions.uitslag));
  msfgResultaat->setAccessibleName(text(captions.uitslag));
  lblKlaar->setText(captions.klaar);
  testFill_->setText(captions.testFill);
  cmdSpelKlaar->setText(text(83));
  cmdSpelKlaar->setToolTip(text(106));
  cmdTerug->setText(QLatin1Char('&') + text(11));
  const int infoTexts[4] = {93, 94, 95, 97};
  for (int i = 0; i < 4; ++i) lblInfo[i]->setText(text(infoTexts[i]));

  auto opened = openEntryEvent(*this, entryMode);
  if (!opened) return false;
  eventPath_ = opened->path;
  event_ = std::move(opened->model);
  schema_ = std::move(opened->schema);
  lblInformatie->setText(eventInformation(text(73), event_.header()));
  const ProgramValues& v = values();
  group_ = Group::parse(eventGroupLines(v));
  pairNames_ = group_.pairNames();
  measure_ = menuFontMeasure();
  lstVoorMail_ = eventPlayersForMail(v.programFolder, v.groupFileName);
  tables_->setEvent(&event_);
  return true;
}

void EntryScreen::finishLoading(bool loaded) {
  loaded_ = loaded;
  if (loaded) {
    keeper_.attach(&event_, eventPath_);
    centreOnScreen();
    return;
  }
  // Nothing to work on: leave without touching the event file.
  tables_->hide();
  QTimer::singleShot(0, this, [this] { close(); });
}

QStringList EntryScreen::unusableLines() const {
  QStringList out;
  for (const EventFileError& p : event_.problems()) out << QStringLiteral("%1: %2").arg(p.line).arg(p.what);
  return out;
}

std::optional<std::pair<int, int>> EntryScreen::tablePairs(int table, int board) const {
  const TableEvent* tables = tables_->running() ? tables_->server().event() : nullptr;
  for (int r = 1; tables && r <= tables->plan().rounds(); ++r)
    if (const TableRound* seat = tables->plan().at(table, r); seat && seat->plays(board))
      return std::pair{seat->ns, seat->ew};
  return std::nullopt;
}

void EntryScreen::fillAtRandom(ScoreRowsPanel& rows) {
  for (int i = 0; i < rows.rowCount(); ++i) {
    if (!rows.rowEnabled(i)) continue;
    const QString score = randomTestScore();
    rows.nsBox(i)->setText(score);
    rows.ewBox(i)->setText(mirrorScore(score));
  }
}

void EntryScreen::showResult() {
  keeper_.saveNow();
  cmdUitslag->setEnabled(false);
  msfgResultaat->hide();
  eventResult_ = scoreEvent(event_, pairNames_);
  result_ = mervalo::resultsGrid(eventResult_, ResultsHeadings::of(values().language), measure_);
  showGrid(result_, msfgResultaat);
  cmdUitslag->setEnabled(true);
  openResults(*this, msfgResultaat);
}

bool EntryScreen::eventFilter(QObject* watched, QEvent* event) {
  if (watched == cmdSpelKlaar && event->type() == QEvent::KeyPress) {
    auto* key = static_cast<QKeyEvent*>(event);
    const bool letter = !key->text().isEmpty() && text(105).contains(key->text());
    if (cmdSpelKlaar->isEnabled() && (letter || key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter)) {
      cmdSpelKlaar_Click();
      return true;
    }
  }
  return Screen::eventFilter(watched, event);
}

bool EntryScreen::formQueryUnload() {
  if (!keeper_.mayClose()) return false;
  // The port is free again once the screen has gone.
  tables_->stop();
  return true;
}

void EntryScreen::closeEvent(QCloseEvent* event) {
  Screen* menu = menu_;
  Screen::closeEvent(event);
  if (event->isAccepted()) returnToEventStart(menu);
}

void EntryScreen::resizeEvent(QResizeEvent* event) {
  Screen::resizeEvent(event);
  // The results grid takes the room left at the bottom.
  if (msfgResultaat) msfgResultaat->resize(width() - 24, std::max(80, height() - msfgResultaat->y() - 12));
}

}  // namespace mervalo
