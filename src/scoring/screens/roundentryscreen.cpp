#include "scoring/screens/roundentryscreen.h"

#include <QFrame>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMouseEvent>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollArea>
#include <QTableWidget>
#include <QVBoxLayout>
#include <tuple>

#include "app/screens/gridview.h"
#include "event/movement.h"
#include "scoring/eventresult.h"
#include "scoring/resultgrid.h"
#include "scoring/scoretable.h"
#include "scoring/screens/buttonbar.h"
#include "scoring/screens/scorerowspanel.h"

namespace mervalo {

namespace {

constexpr int kFormWidth = 1180;
constexpr int kFormHeight = 760;
constexpr int kMaxBoardRows = kMaxBoardsPerRound;
const QColor kChosen(0xFF, 0xFF, 0xC0);
const QColor kWhite(255, 255, 255);

}  // namespace

RoundEntryScreen::RoundEntryScreen(AppContext& ctx, Screen* opener)
    : EntryScreen(ctx, opener, QStringLiteral("frmMervalo07"), kFormWidth, kFormHeight) {
  buildControls();
  closeOnKeys(EscapeKey::ClosesOnPress, false);
  finishLoading(formLoad());
}

RoundEntryScreen::~RoundEntryScreen() = default;

void RoundEntryScreen::buildControls() {
  auto* fraBack = new QFrame(this);
  fraBack->setObjectName(QStringLiteral("fraBack"));
  fraBack->setGeometry(8, 4, kFormWidth - 16, 26);
  fraBack->setFrameShape(QFrame::StyledPanel);
  buildSharedControls(QRect(6, 3, kFormWidth - 30, 20), QRect(kFormWidth - 180, 36, 168, 334), 560, "cmdVulSpellen",
                      static_cast<Handler>(&RoundEntryScreen::cmdVulSpellen_Click));
  lblInformatie->setParent(fraBack);
  lblInformatie->show();

  rounds_ = new ButtonBar(QStringLiteral("cmdRonde"), 12, this);
  rounds_->setGeometry(12, 36, kFormWidth - 204, 28);
  connect(rounds_, &ButtonBar::clicked, this, &RoundEntryScreen::cmdRonde_Click);

  optionArea_ = new QScrollArea(this);
  optionArea_->setObjectName(QStringLiteral("fraSlips"));
  optionArea_->setGeometry(12, 70, 190, 300);
  optionArea_->setWidgetResizable(true);
  auto* options = new QWidget;
  optionLayout_ = new QVBoxLayout(options);
  optionLayout_->setContentsMargins(4, 4, 4, 4);
  optionLayout_->addStretch(1);
  optionArea_->setWidget(options);

  for (int i = 0; i < 2; ++i) {
    lblPaar[i] = new QLabel(this);
    lblPaar[i]->setObjectName(QStringLiteral("lblPaar_%1").arg(i));
    lblPaar[i]->setGeometry(i == 0 ? 310 : 410, 70, 96, 22);
    lblPaar[i]->setAlignment(Qt::AlignCenter);
    lblPaar[i]->setFrameShape(QFrame::Panel);
    lblPaar[i]->setFrameShadow(QFrame::Sunken);
  }
  for (auto [name, x, caption] : {std::tuple{"lblScoreNZKop", 310, 76}, {"lblScoreOWKop", 410, 77}}) {
    QLabel* head = addLabel(name, QRect(x, 96, 96, 20));
    head->setAlignment(Qt::AlignCenter);
    head->setText(QLatin1Char(' ') + text(caption) + QLatin1Char(' '));
  }

  rows_ = new ScoreRowsPanel(*this, ScoreRowsPanel::Columns{false, true, false}, this);
  rows_->setObjectName(QStringLiteral("fraSpellen"));
  rows_->setGeometry(218, 118, 300, 252);
  connect(rows_, &ScoreRowsPanel::scoresEdited, this, &RoundEntryScreen::updateSlipComplete);
  connect(rows_, &ScoreRowsPanel::nsFocused, this, &RoundEntryScreen::nsFocused);
  // As on the per-board screen: Enter past the last row of a complete slip goes to Klaar.
  connect(rows_, &ScoreRowsPanel::pastLastRow, this, [this] {
    if (chosenSlip() && cmdSpelKlaar->isEnabled() && rows_->nsScoreInEveryRow()) safeFocus(cmdSpelKlaar);
  });
  rows_->extraKey = [this](int, bool ns, const QString& t) {
    // The letter of "Klaar" stores the slip from an NS box too.
    if (!ns || !text(105).contains(t) || !cmdSpelKlaar->isEnabled()) return false;
    cmdSpelKlaar_Click();
    return true;
  };

  lblRonde = addLabel("lblRonde", QRect(530, 118, 170, 22));
  lblKwetsbaar = addLabel("lblKwetsbaar", QRect(530, 142, 120, 22));

  const int rx = 720;
  for (auto [button, y] : {std::pair{cmdSpelKlaar, 70}, {cmdWisSpel, 104}, {cmdUitslag, 138}, {testFill_, 270}, {cmdTerug, 340}})
    button->setGeometry(rx, y, 150, 28);
  lblLetterKlaar = addLabel("lblLetterKlaar", QRect(530, 170, 180, 40));
  lblLetterKlaar->setWordWrap(true);
  lblLetterKlaar->hide();
  cmdDitMoetNog = addButton("cmdDitMoetNog", QRect(rx, 172, 150, 28));
  lstNietGevuld = new QListWidget(this);
  lstNietGevuld->setObjectName(QStringLiteral("lstNietGevuld"));
  lstNietGevuld->setGeometry(rx, 202, 150, 160);
  lstNietGevuld->hide();
  // The missing scores show while the mouse button is held on the button.
  connect(cmdDitMoetNog, &QPushButton::pressed, this, [this] {
    lstNietGevuld->raise();
    lstNietGevuld->show();
  });
  connect(cmdDitMoetNog, &QPushButton::released, lstNietGevuld, &QWidget::hide);
  lblKlaar->setGeometry(rx, 172, 260, 28);
  placeHints(QPoint(530, 214), 180);

  msfgScore = addGrid("msfgScore", QRect(12, 380, kFormWidth - 24, 170));
}

bool RoundEntryScreen::formLoad() {
  ProgramValues& v = values();
  setWindowTitle(text(72) + QStringLiteral(" (") + v.groupFileName.section(QLatin1Char(' '), 0, 0) + QLatin1Char(')'));
  lblLetterKlaar->setText(text(106));
  cmdDitMoetNog->setText(text(112));
  lstNietGevuld->setAccessibleName(text(112));
  msfgScore->setAccessibleName(text(72));

  if (!loadEvent(kEntryPerRound, {104, 70, text(107), QStringLiteral("Vul spellen")})) return false;
  const EventHeader& header = event_.header();
  QStringList unusable = unusableLines();
  QStringList unplaced;
  slips_ = RoundSlips::build(schema_, event_, &unplaced);
  slips_.writeTo(event_);
  for (const QString& u : unplaced) unusable << QStringLiteral("%1 (not a table of the movement)").arg(u);
  reportUnusableLines(*this, eventPath_, unusable);

  rounds_->build(
      header.rounds, [this](int r) { return text(103) + QLatin1Char(' ') + QString::number(r); },
      [this](int r) { return text(103) + QLatin1Char(' ') + QString::number(r); });
  rows_->setRowCount(std::min(std::max(header.boardsPerRound, 1), kMaxBoardRows), cmdSpelKlaar);

  result_ = boardsGrid(scoreEvent(event_, pairNames_), ResultsHeadings::of(v.language));
  fitColumns(result_, measure_, false);
  showGrid(result_, msfgResultaat);
  return true;
}

void RoundEntryScreen::formActivate() {
  if (!loaded_) return;
  cmdRonde_Click(1);
  rebuildMissing();
}

QStringList RoundEntryScreen::missingScores() const {
  QStringList out;
  for (int i = 0; i < lstNietGevuld->count(); ++i) out << lstNietGevuld->item(i)->text();
  return out;
}

// ---- rounds and slips ---------------------------------------------------------------------

void RoundEntryScreen::cmdRonde_Click(int round) {
  if (round < 1 || round > slips_.rounds()) return;
  round_ = round;
  for (int r = 1; r <= rounds_->count(); ++r) rounds_->setColour(r, r == round ? kChosen : kWhite);
  showOptions();
  showOverview();
  if (slips_.slips(round).isEmpty())
    showNoSlip();
  else
    optRonde_Click(0);
}

const Slip* RoundEntryScreen::chosenSlip() const {
  return slip_ >= 0 && slip_ < slips_.slips(round_).size() ? &slips_.slip(round_, slip_) : nullptr;
}

void RoundEntryScreen::showNoSlip() {
  // A movement line without a usable table gives the round no slip: nothing to type or store.
  slip_ = -1;
  for (int i = 0; i < rows_->rowCount(); ++i) {
    rows_->clearRow(i);
    rows_->setRowEnabled(i, false);
    for (QWidget* w : std::initializer_list<QWidget*>{rows_->boardLabel(i), rows_->nsBox(i), rows_->ewBox(i)}) w->hide();
  }
  lblPaar[0]->clear();
  lblPaar[1]->clear();
  lblLetterKlaar->hide();
  updateSlipComplete();
  parkFocus();
}

void RoundEntryScreen::showOptions() {
  const QVector<Slip>& slips = slips_.slips(round_);
  while (optRonde.size() < slips.size()) {
    const int j = static_cast<int>(optRonde.size());
    auto* o = new QRadioButton(optionArea_->widget());
    o->setObjectName(QStringLiteral("optRonde_%1").arg(j));
    o->installEventFilter(this);
    connect(o, &QRadioButton::clicked, this, [this, j] { optRonde_Click(j); });
    optionLayout_->insertWidget(j, o);
    optRonde.append(o);
  }
  for (int j = 0; j < optRonde.size(); ++j) {
    optRonde[j]->setVisible(j < slips.size());
    if (j < slips.size()) paintOption(j);
  }
  // Placed at once, so that a click straight after reaches the right option.
  optionLayout_->activate();
}

void RoundEntryScreen::paintOption(int j) {
  QRadioButton* o = optRonde[j];
  const Slip& slip = slips_.slip(round_, j);
  o->setText(slip.caption());
  const bool stored = slips_.stored(round_, j);
  QFont f = o->font();
  if (f.strikeOut() != stored) {
    f.setStrikeOut(stored);
    o->setFont(f);
  }
  o->setAccessibleDescription(stored ? text(195) : QString());
}

void RoundEntryScreen::optRonde_Click(int j) {
  if (j < 0 || j >= slips_.slips(round_).size()) return;
  filling_ = true;
  slip_ = j;
  optRonde[j]->setChecked(true);
  const Slip& slip = slips_.slip(round_, j);
  for (int i = 0; i < rows_->rowCount(); ++i) {
    const int board = slip.firstBoard + i;
    const bool used = board <= slip.lastBoard;
    rows_->boardLabel(i)->setText(used ? text(82) + QStringLiteral(": ") + QString::number(board) : QString());
    const SlipEntry* e = used ? slips_.entry(slip, board) : nullptr;
    rows_->nsBox(i)->setText(e && e->stored ? e->nsScore : QString());
    rows_->ewBox(i)->setText(e && e->stored ? e->ewScore : QString());
    rows_->setRowBoard(i, board);
    // The sit-out pair's table is not played: nothing to type.
    rows_->setRowEnabled(i, used && !slip.sitOut);
    for (QWidget* w : std::initializer_list<QWidget*>{rows_->boardLabel(i), rows_->nsBox(i), rows_->ewBox(i)}) w->setVisible(used);
    rows_->nsBox(i)->setAccessibleName(text(76) + QLatin1Char(' ') + rows_->boardLabel(i)->text());
    rows_->ewBox(i)->setAccessibleName(text(77) + QLatin1Char(' ') + rows_->boardLabel(i)->text());
  }
  lblPaar[0]->setText(QString::number(slip.ns));
  lblPaar[1]->setText(QString::number(slip.ew));
  lblLetterKlaar->hide();
  filling_ = false;
  updateSlipComplete();
  if (slip.sitOut) {
    parkFocus();
  } else {
    rows_->focusFirstEnabled();
  }
}

void RoundEntryScreen::updateSlipComplete() {
  if (filling_) return;
  // A slip may be stored with boards still empty (they stay missing); the hint to store it
  // shows once every board has its score.
  const Slip* slip = chosenSlip();
  const bool playable = slip && !slip->sitOut;
  cmdSpelKlaar->setEnabled(playable);
  lblLetterKlaar->setVisible(playable && rows_->nsScoreInEveryRow());
}

void RoundEntryScreen::nsFocused(int row) {
  const Slip* slip = chosenSlip();
  if (!slip) return;
  const int board = slip->firstBoard + row;
  lblRonde->setText(text(103) + QLatin1Char(' ') + QString::number(round_) + QStringLiteral(" - ") +
                    rows_->boardLabel(row)->text());
  showVulnerabilityOf(board);
  // Beside the row being typed.
  const QPoint at = rows_->nsBox(row)->mapTo(this, QPoint(0, 0));
  lblKwetsbaar->move(lblKwetsbaar->x(), at.y());
}

bool RoundEntryScreen::eventFilter(QObject* watched, QEvent* event) {
  if (event->type() == QEvent::MouseButtonPress && static_cast<QMouseEvent*>(event)->button() == Qt::RightButton) {
    const int j = static_cast<int>(optRonde.indexOf(static_cast<QRadioButton*>(watched)));
    if (j >= 0) {
      optRonde_RightClick(j);
      return true;
    }
  }
  if (event->type() == QEvent::KeyPress && static_cast<QKeyEvent*>(event)->key() == Qt::Key_F2) {
    // The keyboard way to the swap: F2 on a slip's option.
    const int j = static_cast<int>(optRonde.indexOf(static_cast<QRadioButton*>(watched)));
    if (j >= 0) {
      optRonde_RightClick(j);
      return true;
    }
  }
  return EntryScreen::eventFilter(watched, event);
}

void RoundEntryScreen::optRonde_RightClick(int j) {
  if (j < 0 || j >= slips_.slips(round_).size()) return;
  const QString before = slips_.slip(round_, j).pairText;
  if (slips_.stored(round_, j) || !slips_.swap(round_, j)) {
    inform(message(110));
    return;
  }
  const QString after = slips_.slip(round_, j).pairText;
  paintOption(j);
  showOverview();
  if (j == slip_) {
    lblPaar[0]->setText(QString::number(slips_.slip(round_, j).ns));
    lblPaar[1]->setText(QString::number(slips_.slip(round_, j).ew));
  }
  slipsChanged();
  inform(message(111).replace(QLatin1Char('~'), before).replace(QLatin1Char('#'), after));
}

// ---- storing, clearing, moving on ---------------------------------------------------------

void RoundEntryScreen::cmdSpelKlaar_Click() {
  if (!chosenSlip()) return;
  lblLetterKlaar->hide();
  const Slip& slip = *chosenSlip();
  QVector<std::pair<QString, QString>> scores;
  for (int i = 0; i < slip.boards() && i < rows_->rowCount(); ++i) scores.append({rows_->nsBox(i)->text(), rows_->ewBox(i)->text()});
  slips_.store(round_, slip_, scores);
  paintOption(slip_);
  showOverview();
  slipsChanged();
  moveOn();
  rebuildMissing();
}

void RoundEntryScreen::moveOn() {
  const int count = static_cast<int>(slips_.slips(round_).size());
  if (slip_ + 1 < count) {
    optRonde_Click(slip_ + 1);
  } else if (round_ < slips_.rounds()) {
    cmdRonde_Click(round_ + 1);
  } else {
    cmdSpelKlaar->setEnabled(false);
  }
}

void RoundEntryScreen::cmdWisSpel_Click() {
  if (!chosenSlip()) return;
  cmdUitslag->setEnabled(false);
  cmdSpelKlaar->setEnabled(false);
  const Slip& slip = *chosenSlip();
  for (int i = 0; i < rows_->rowCount(); ++i) rows_->clearRow(i);
  slips_.store(round_, slip_, QVector<std::pair<QString, QString>>(slip.boards()));
  paintOption(slip_);
  showOverview();
  slipsChanged();
  rebuildMissing();
  lblLetterKlaar->hide();
  rows_->focusFirstEnabled();
}

void RoundEntryScreen::rebuildMissing() {
  const QStringList missing = slips_.missing(text(103), text(82));
  lstNietGevuld->clear();
  lstNietGevuld->addItems(missing);
  cmdDitMoetNog->setVisible(!missing.isEmpty());
  lblKlaar->setVisible(missing.isEmpty());
  cmdUitslag->setEnabled(missing.isEmpty());
  if (missing.isEmpty()) lstNietGevuld->hide();
  if (missing.isEmpty() && slip_ >= 0 && round_ == slips_.rounds()) safeFocus(cmdUitslag);
}

void RoundEntryScreen::showOverview() {
  Grid overview = slipsOverview(slips_, text(82));
  fitColumns(overview, measure_, false);
  showGrid(overview, msfgScore);
}

// ---- result, fill, closing ------------------------------------------------------------

void RoundEntryScreen::cmdUitslag_Click() {
  // Every board matchpointed from its table entries, as a completed board per board is.
  if (slips_.missing(text(103), text(82)).isEmpty()) showResult();
}

void RoundEntryScreen::cmdVulSpellen_Click() {
  testFill_->hide();
  msfgResultaat->hide();
  for (int r = 1; r <= slips_.rounds(); ++r) {
    cmdRonde_Click(r);
    for (int j = 0; j < slips_.slips(r).size(); ++j) {
      optRonde_Click(j);
      if (slips_.slip(r, j).sitOut) continue;
      filling_ = true;
      fillAtRandom(*rows_);
      filling_ = false;
      QVector<std::pair<QString, QString>> scores;
      for (int i = 0; i < slips_.slip(r, j).boards(); ++i) scores.append({rows_->nsBox(i)->text(), rows_->ewBox(i)->text()});
      slips_.store(r, j, scores);
      paintOption(j);
    }
  }
  showOverview();
  slipsChanged();
  msfgResultaat->show();
  cmdRonde_Click(slips_.rounds());
  rebuildMissing();
}

void RoundEntryScreen::slipsChanged() {
  slips_.writeTo(event_);
  keeper_.saveSoon();
}

// ---- scores from the tables ---------------------------------------------------------------

void RoundEntryScreen::tableScoreArrived(int board, int table) {
  // The table's score is in the model's board line: the slips are read from there again.
  slips_ = RoundSlips::build(schema_, event_);
  if (round_ > 0)
    for (int j = 0; j < slips_.slips(round_).size(); ++j) paintOption(j);
  showOverview();
  rebuildMissing();
  // The chosen slip, when it is this table's, shows the score in its board's row; the other
  // rows keep what is typed.
  const Slip* slip = chosenSlip();
  const auto pairs = tablePairs(table, board);
  if (!slip || !pairs || board < slip->firstBoard || board > slip->lastBoard) return;
  if (std::minmax(slip->ns, slip->ew) != std::minmax(pairs->first, pairs->second)) return;
  const int row = board - slip->firstBoard;
  const SlipEntry* e = slips_.entry(*slip, board);
  if (!e || !e->stored || row >= rows_->rowCount()) return;
  filling_ = true;
  rows_->nsBox(row)->setText(e->nsScore);
  rows_->ewBox(row)->setText(e->ewScore);
  filling_ = false;
  updateSlipComplete();
}

void RoundEntryScreen::tablesStarted() {
  slips_ = RoundSlips::build(schema_, event_);
  const int chosen = slip_;
  if (round_ > 0) cmdRonde_Click(round_);
  if (chosen > 0) optRonde_Click(chosen);
  rebuildMissing();
}

}  // namespace mervalo
