#include "scoring/screens/boardentryscreen.h"

#include <QDir>
#include <QFileInfo>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTableWidget>
#include <QTimer>

#include "app/screens/gridview.h"
#include "event/eventstart.h"
#include "players/groupfile.h"
#include "scoring/eventsources.h"
#include "scoring/resultgrid.h"
#include "scoring/scoretable.h"
#include "scoring/screens/buttonbar.h"
#include "scoring/screens/scorerowspanel.h"
#include "tables/screens/tablepanel.h"
#include "tables/tableserver.h"

namespace mervalo {

namespace {

constexpr int kFormWidth = 1180;
constexpr int kFormHeight = 740;
constexpr int kButtonsPerLine = 18;
const QColor kGrey(224, 224, 224);
const QColor kWhite(255, 255, 255);

// Setting a text lays it out again; a row that shows the same as before is left alone.
void setLabelText(QLabel* label, const QString& t) {
  if (label && label->text() != t) label->setText(t);
}
void setBoxText(QLineEdit* box, const QString& t) {
  if (box->text() != t) box->setText(t);
}

}  // namespace

BoardEntryScreen::BoardEntryScreen(AppContext& ctx, Screen* opener)
    : EntryScreen(ctx, opener, QStringLiteral("frmMervalo06"), kFormWidth, kFormHeight) {
  buildControls();
  finishLoading(formLoad());
}

BoardEntryScreen::~BoardEntryScreen() = default;

void BoardEntryScreen::buildControls() {
  buildSharedControls(QRect(12, 8, kFormWidth - 24, 20), QRect(kFormWidth - 180, 206, 168, 270), 484, "cmdVulAllesIn",
                      static_cast<Handler>(&BoardEntryScreen::cmdVulAllesIn_Click));
  boards_ = new ButtonBar(QStringLiteral("cmdSpel"), kButtonsPerLine, this);
  boards_->setObjectName(QStringLiteral("fraSpellen"));
  boards_->setGeometry(12, 32, kFormWidth - 24, 6 * 28);
  connect(boards_, &ButtonBar::clicked, this, [this](int b) {
    cmdSpel_Click(b);
    rows_->focusFirstEnabled();
  });

  lblSpelNummer = addLabel("lblSpelNummer", QRect(12, 206, 160, 22));
  QFont bold = lblSpelNummer->font();
  bold.setBold(true);
  bold.setPointSizeF(bold.pointSizeF() * 1.3);
  lblSpelNummer->setFont(bold);
  QLabel* vulnerabilityHead = addLabel("lblKwetsbaarKop", QRect(190, 206, 90, 22));
  vulnerabilityHead->setText(text(90) + QLatin1Char(':'));
  lblKwetsbaar = addLabel("lblKwetsbaar", QRect(280, 206, 120, 22));
  vulnerabilityHead->setBuddy(lblKwetsbaar);

  // The column headings of the table rows: pairs, scores and matchpoints, NS then EW.
  const int headY = 234;
  const struct {
    const char* name;
    int x, width, caption;
  } heads[6] = {
      {"lblNZKop", 12, 46, 74},       {"lblOWKop", 62, 46, 75},
      {"lblScoreNZKop", 112, 96, 76}, {"lblScoreOWKop", 212, 96, 77},
      {"lblMPNZKop", 312, 66, 78},    {"lblMPOWKop", 382, 66, 79},
  };
  for (const auto& h : heads) {
    QLabel* l = addLabel(h.name, QRect(h.x, headY, h.width, 20));
    l->setAlignment(Qt::AlignCenter);
    l->setText(text(h.caption));
  }

  rows_ = new ScoreRowsPanel(*this, ScoreRowsPanel::Columns{true, false, true}, this);
  rows_->setObjectName(QStringLiteral("fraTafels"));
  rows_->setGeometry(8, headY + 22, 470, 220);
  connect(rows_, &ScoreRowsPanel::scoresEdited, this, &BoardEntryScreen::updateKlaar);
  connect(rows_, &ScoreRowsPanel::nsLeft, this, &BoardEntryScreen::nsLostFocus);
  connect(rows_, &ScoreRowsPanel::swapRequested, this, &BoardEntryScreen::lblNZ_Click);

  const int rx = 500;
  cmdSpelKlaar->setGeometry(rx, 234, 150, 30);
  cmdWisSpel->setGeometry(rx, 272, 150, 30);
  cmdUitslag->setGeometry(rx, 310, 150, 30);
  testFill_->setGeometry(rx, 348, 150, 30);
  cmdTerug->setGeometry(rx, 438, 150, 30);
  lblKlaar->setGeometry(rx + 160, 230, 200, 40);
  placeHints(QPoint(rx + 160, 280), 320);
  // The keyboard way to the pair swap, under the other typing hints.
  addLabel("lblWisselInfo", QRect(rx + 160, 280 + 4 * 22, 320, 20))->setText(text(184));
  // What the screen is busy with while it scores stored boards again or fills every board.
  lblControleer = addLabel("lblControleer", QRect(rx + 160, 400, 300, 22));
  lblControleer->setStyleSheet(QStringLiteral("color: rgb(192, 0, 0); font-weight: bold;"));
  lblControleer->hide();

  connect(msfgResultaat, &QTableWidget::cellClicked, this, &BoardEntryScreen::msfgResultaat_Click);

  timKnipper = new QTimer(this);
  timKnipper->setObjectName(QStringLiteral("timKnipper"));
  timKnipper->setInterval(500);
  connect(timKnipper, &QTimer::timeout, this, &BoardEntryScreen::blink);
}

void BoardEntryScreen::fitBelowBoards() {
  // The board buttons take as many lines as the event needs; everything else follows them.
  const int panelHeight = boards_->neededHeight();
  const int delta = panelHeight - boards_->height();
  boards_->resize(boards_->width(), panelHeight);
  for (QWidget* w : findChildren<QWidget*>(Qt::FindDirectChildrenOnly)) {
    if (w == boards_ || w == focusSink() || w->y() <= boards_->y()) continue;
    w->move(w->x(), w->y() + delta);
  }
  resize(width(), height() + delta);
}

bool BoardEntryScreen::formLoad() {
  ProgramValues& v = values();
  setWindowTitle(text(71) + QLatin1Char(' ') + QFileInfo(v.eventFileName).completeBaseName());

  // The event file: its header decides everything.
  if (!loadEvent(kEntryPerBoard, {96, 98, message(118), QStringLiteral("Vul alles in")})) return false;
  const EventHeader& header = event_.header();
  lstParenSpellen_ = tableCells(schema_, rangeMap(header.rounds, header.boardsPerRound));
  top_ = eventTop(header.pairs, header.sitOut);

  const int tables = std::max(header.pairs / 2, 1);
  rows_->setRowCount(tables, cmdSpelKlaar);
  for (int i = 0; i < tables; ++i) {
    rows_->nsBox(i)->setAccessibleName(text(76) + QLatin1Char(' ') + QString::number(i + 1));
    rows_->ewBox(i)->setAccessibleName(text(77) + QLatin1Char(' ') + QString::number(i + 1));
    // The swap is reached by mouse on the pair numbers and by F2 in the row's score boxes.
    for (QWidget* w : std::initializer_list<QWidget*>{rows_->nsPairLabel(i), rows_->nsBox(i), rows_->ewBox(i)}) {
      w->setToolTip(text(184));
      w->setAccessibleDescription(text(184));
    }
  }
  completed_ = QVector<bool>(header.boards(), false);
  boards_->build(
      header.boards(), [](int b) { return QString::number(b); },
      [this](int b) { return text(82) + QLatin1Char(' ') + QString::number(b); });
  fitBelowBoards();

  // The results grid with the pairs' names from the group file.
  const QString groupPath = v.file(DataFolder::Groups, v.groupFileName);
  // The boards are shown once they are completed again (on the first activation).
  grid_ = boardsGrid(scoreEvent(EventModel(header), pairNames_), ResultsHeadings::of(v.language));
  fitColumns(grid_, measure_, false);
  showGrid(grid_, msfgResultaat);

  // A group changed after the start no longer matches the event: the event file rules, the
  // names are taken as far as they go, and the organiser is told.
  if (group_.pairCount() != header.pairs) {
    inform(message(179)
               .replace(QLatin1Char('~'), QDir::toNativeSeparators(groupPath))
               .replace(QLatin1Char('#'), text(52) + QStringLiteral(": %1 / %2").arg(group_.pairCount()).arg(header.pairs)));
  }

  // Every board with a readable record is completed; the lines that could not be used stay in
  // the file exactly as read and are reported once.
  for (int b : event_.recordedBoards()) completed_[b - 1] = true;
  for (int b = 1; b <= header.boards(); ++b) paintBoardButton(b);
  reportUnusableLines(*this, eventPath_, unusableLines());
  cmdSpelKlaar->setEnabled(false);
  cmdUitslag->setEnabled(false);
  return true;
}

void BoardEntryScreen::formActivate() {
  if (!loaded_) return;
  if (!activatedOnce_) {
    activatedOnce_ = true;
    reloadStoredBoards();
    timKnipper->start();
  }
  if (currentBoard_ == 0) parkFocus();
}

void BoardEntryScreen::showProgress(const QString& t) {
  lblControleer->setText(t);
  lblControleer->show();
  lblControleer->repaint();
}

void BoardEntryScreen::reloadStoredBoards() {
  // Every stored board is completed again so that its matchpoints come from its scores. This
  // is worked out from the records alone; the screen is painted once at the end.
  const EventHeader& header = event_.header();
  QStringList unplaced;
  const QVector<int> stored = event_.recordedBoards();
  if (!stored.isEmpty()) showProgress(text(99));
  for (int b : stored) {
    QVector<EntryRow> rows = storedRows(b);
    if (entryRowsComplete(rows)) {
      event_.storeRecord(completeBoard(b, rows, top_, header.sitOut).record);
    } else {
      // The record does not fill the movement's tables (a table missing, or pairs the movement
      // does not seat): it stays as it stands and is scored from its own tables.
      unplaced << QString::number(b);
    }
  }
  grid_ = boardsGrid(scoreEvent(event_, pairNames_), ResultsHeadings::of(values().language));
  fitColumns(grid_, measure_, false);
  lblControleer->hide();
  showGrid(grid_, msfgResultaat);
  firstOpenBoard();
  cmdUitslag->setEnabled(!completed_.contains(false));
  if (!unplaced.isEmpty())
    inform(message(179)
               .replace(QLatin1Char('~'), QDir::toNativeSeparators(eventPath_))
               .replace(QLatin1Char('#'), text(82) + QLatin1Char(' ') + unplaced.join(QStringLiteral(", "))));
}

void BoardEntryScreen::firstOpenBoard() {
  if (event_.header().boards() < 1) return;
  const int open = static_cast<int>(completed_.indexOf(false));
  if (open < 0) {
    // Every board is in: the next step is the result, and no stray key may edit a board.
    if (currentBoard_ == 0) cmdSpel_Click(1);
    cmdUitslag->setEnabled(true);
    safeFocus(cmdUitslag);
    return;
  }
  cmdSpel_Click(open + 1);
  rows_->focusFirstEnabled();
}

bool BoardEntryScreen::boardCompleted(int board) const {
  return board >= 1 && board <= completed_.size() && completed_[board - 1];
}

int BoardEntryScreen::tableRows() const { return rows_->rowCount(); }

const Grid& BoardEntryScreen::resultsGrid() const { return resultCurrent_ ? result_ : grid_; }

// ---- choosing a board -------------------------------------------------------------------

void BoardEntryScreen::cmdSpel_Click(int board) {
  const EventHeader& header = event_.header();
  if (board < 1 || board > header.boards()) return;
  filling_ = true;
  const int previous = currentBoard_;
  currentBoard_ = board;
  cmdSpelKlaar->setEnabled(false);
  lblKlaar->hide();
  showRows(storedRows(board));
  showTableScores(board);
  lblSpelNummer->setText(text(82) + QStringLiteral(": ") + QString::number(board));
  showVulnerabilityOf(board);
  filling_ = false;
  if (previous > 0 && previous != board) paintBoardButton(previous);
  paintBoardButton(board);
  rows_->focusFirstEnabled();
}

void BoardEntryScreen::showRows(const QVector<EntryRow>& rows) {
  // A table the movement does not seat gets a row of its own, even beyond the event's tables.
  if (rows.size() > rows_->rowCount()) rows_->setRowCount(static_cast<int>(rows.size()));
  shown_.resize(rows_->rowCount());
  for (int i = 0; i < rows_->rowCount(); ++i) {
    const EntryRow shown = i < rows.size() ? rows[i] : EntryRow{};
    shown_[i] = shown;
    setLabelText(rows_->nsPairLabel(i), shown.seated() ? QString::number(shown.ns) : QString());
    setLabelText(rows_->ewPairLabel(i), shown.seated() && shown.ew ? QString::number(shown.ew) : QString());
    setBoxText(rows_->nsBox(i), shown.nsScore);
    setBoxText(rows_->ewBox(i), shown.ewScore);
    setLabelText(rows_->nsPointsLabel(i), shown.nsPoints);
    setLabelText(rows_->ewPointsLabel(i), shown.ewPoints);
    rows_->setRowBoard(i, currentBoard_);
    rows_->setRowEnabled(i, shown.enabled);
  }
}

void BoardEntryScreen::paintBoardButton(int board) {
  QPushButton* b = boards_->button(board);
  if (!b) return;
  const bool done = completed_[board - 1];
  b->setProperty("Completed", done);
  boards_->setColour(board, done ? kWhite : kGrey);
}

void BoardEntryScreen::blink() {
  if (!boards_->button(currentBoard_)) return;
  blinkWhite_ = !blinkWhite_;
  boards_->setColour(currentBoard_, blinkWhite_ ? kWhite : kGrey);
}

// ---- typing scores ------------------------------------------------------------------------

void BoardEntryScreen::updateKlaar() {
  if (!rows_->bothScoresInEveryRow()) {
    cmdSpelKlaar->setEnabled(false);
    lblKlaar->hide();
  }
}

void BoardEntryScreen::nsLostFocus() {
  if (filling_ || !loaded_ || !rows_->bothScoresInEveryRow()) return;
  cmdSpelKlaar->setEnabled(true);
  lblKlaar->show();
  safeFocus(cmdSpelKlaar);
}

// ---- completing, clearing and swapping ------------------------------------------------

QVector<EntryRow> BoardEntryScreen::currentRows() const {
  QVector<EntryRow> rows = shown_;
  for (int i = 0; i < rows.size(); ++i) {
    rows[i].nsScore = rows_->nsBox(i)->text();
    rows[i].ewScore = rows_->ewBox(i)->text();
  }
  return rows;
}

QVector<EntryRow> BoardEntryScreen::storedRows(int board) const {
  const EventHeader& header = event_.header();
  return entryRows(pairingsOfBoard(lstParenSpellen_, board, header.boardsPerRound), event_.record(board), header.sitOut);
}

void BoardEntryScreen::cmdSpelKlaar_Click() {
  if (currentBoard_ < 1 || !rows_->bothScoresInEveryRow()) {
    cmdSpelKlaar->setEnabled(false);
    return;
  }
  const int board = currentBoard_;
  const int sitOut = event_.header().sitOut;
  QVector<EntryRow> rows = currentRows();
  const CompletedBoard done = completeBoard(board, rows, top_, sitOut);
  for (int i = 0; i < rows.size(); ++i) {
    setLabelText(rows_->nsPointsLabel(i), rows[i].nsPoints);
    setLabelText(rows_->ewPointsLabel(i), rows[i].ewPoints);
  }
  shown_ = rows;
  event_.storeRecord(done.record);
  keeper_.saveSoon();
  showBoardState(board);
  cmdSpelKlaar->setEnabled(false);
  lblKlaar->hide();
  if (!filling_) {
    showGrid(grid_, msfgResultaat);
    firstOpenBoard();
  }
}

void BoardEntryScreen::cmdWisSpel_Click() {
  if (currentBoard_ < 1) return;
  for (int i = 0; i < rows_->rowCount(); ++i) rows_->clearRow(i);
  updateKlaar();
  event_.clearBoard(currentBoard_);
  keeper_.saveSoon();
  showBoardState(currentBoard_);
  showGrid(grid_, msfgResultaat);
  cmdUitslag->setEnabled(false);
  rows_->focusFirstEnabled();
}

void BoardEntryScreen::lblNZ_Click(int row) {
  if (row < 0 || row >= shown_.size() || !shown_[row].enabled) return;
  EntryRow& r = shown_[row];
  const bool asMovement = r.ns == r.schemaNs && r.ew == r.schemaEw;
  if (!askYesNo(message(asMovement ? 84 : 85))) return;
  std::swap(r.ns, r.ew);
  rows_->nsPairLabel(row)->setText(QString::number(r.ns));
  rows_->ewPairLabel(row)->setText(QString::number(r.ew));
}

void BoardEntryScreen::msfgResultaat_Click(int row, int col) {
  const Grid& shown = resultsGrid();
  if (row < 1 || row >= shown.rows() - 1 || col < 2 || col > event_.header().boards() + 1) return;
  bool ok = false;
  const int board = shown.text(0, col).toInt(&ok);
  if (!ok) return;
  cmdSpel_Click(board);
}

// ---- result, fill, closing ------------------------------------------------------------

void BoardEntryScreen::cmdUitslag_Click() {
  if (completed_.contains(false)) return;
  // The working grid keeps pair numbers in column 0 for the boards still to come; the result
  // is a grid of its own.
  resultCurrent_ = true;
  showResult();
}

void BoardEntryScreen::cmdVulAllesIn_Click() {
  testFill_->hide();
  for (int b = 1; b <= event_.header().boards(); ++b) {
    showProgress(QStringLiteral(" Bezig met spel: ") + QString::number(b));
    cmdSpel_Click(b);
    filling_ = true;
    fillAtRandom(*rows_);
    if (rows_->bothScoresInEveryRow()) cmdSpelKlaar_Click();
    filling_ = false;
  }
  lblControleer->hide();
  showGrid(grid_, msfgResultaat);
  firstOpenBoard();
}

bool BoardEntryScreen::formQueryUnload() {
  timKnipper->stop();
  if (EntryScreen::formQueryUnload()) return true;
  timKnipper->start();
  return false;
}

// ---- scores from the tables ---------------------------------------------------------------

void BoardEntryScreen::showBoardState(int board) {
  completed_[board - 1] = event_.record(board) != nullptr;
  BoardResult cleared;
  cleared.board = board;
  showBoard(grid_, completed_[board - 1] ? scoreBoardOfEvent(event_, board) : cleared);
  fitColumn(grid_, board + 1, measure_);
  resultCurrent_ = false;
  paintBoardButton(board);
}

void BoardEntryScreen::showTableScores(int board, int onlyTable) {
  const TableEvent* tables = tables_->running() ? tables_->server().event() : nullptr;
  if (!tables || event_.record(board)) return;
  const auto only = tablePairs(onlyTable, board);
  filling_ = true;
  for (const TravellerRow& t : tables->traveller(board)) {
    if (onlyTable && (!only || only->first != t.ns || only->second != t.ew)) continue;
    for (int i = 0; i < shown_.size(); ++i) {
      const EntryRow& r = shown_[i];
      // A table that sent again replaces its row; otherwise what the organiser typed stays.
      if (r.schemaNs != t.ns || r.schemaEw != t.ew || (!onlyTable && !rows_->nsBox(i)->text().isEmpty())) continue;
      const QString ns = r.ns == r.schemaNs ? t.nsScore : mirrorScore(t.nsScore);
      setBoxText(rows_->nsBox(i), ns);
      setBoxText(rows_->ewBox(i), mirrorScore(ns));
    }
  }
  filling_ = false;
  // Typed and sent together, the board may be whole on the screen: Klaar stores it.
  if (rows_->bothScoresInEveryRow()) {
    cmdSpelKlaar->setEnabled(true);
    lblKlaar->show();
  }
}

void BoardEntryScreen::tableScoreArrived(int board, int table) {
  if (board < 1 || board > completed_.size()) return;
  showBoardState(board);
  showGrid(grid_, msfgResultaat);
  if (board == currentBoard_) {
    if (event_.record(board)) {
      // Every table is in: the board shows as completed, with its matchpoints.
      filling_ = true;
      showRows(storedRows(board));
      filling_ = false;
      cmdSpelKlaar->setEnabled(false);
      lblKlaar->hide();
    } else {
      showTableScores(board, table);
    }
  }
  cmdUitslag->setEnabled(!completed_.contains(false));
}

void BoardEntryScreen::tablesStarted() {
  // Results the event file lacked may have been put back.
  for (int b = 1; b <= completed_.size(); ++b) showBoardState(b);
  showGrid(grid_, msfgResultaat);
  if (currentBoard_ > 0) cmdSpel_Click(currentBoard_);
  cmdUitslag->setEnabled(!completed_.contains(false));
}

}  // namespace mervalo
