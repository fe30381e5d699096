#include "scoring/screens/boardentryscreen.h"

#include <QApplication>
#include <QCloseEvent>
#include <QDir>
#include <QFileInfo>
#include <QGridLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRandomGenerator>
#include <QRegularExpression>
#include <QScrollArea>
#include <QShortcut>
#include <QTableWidget>
#include <QTimer>

#include "app/fileops.h"
#include "app/screens/gridview.h"
#include "app/textfile.h"
#include "event/eventstart.h"
#include "event/movement.h"
#include "publish/addresses.h"
#include "scoring/entryrows.h"
#include "scoring/resultgrid.h"
#include "scoring/scoretable.h"

namespace mervalo {

namespace {

constexpr int kFormWidth = 1000;
constexpr int kFormHeight = 740;
constexpr int kButtonsPerLine = 18;
const char* const kGrey = "background-color: rgb(224, 224, 224);";
const char* const kWhite = "background-color: rgb(255, 255, 255);";

// The keys a score box takes besides Enter and Backspace.
const QString kNsKeys = QStringLiteral("1234567890-nN%");
const QString kEwKeys = QStringLiteral("1234567890-n%");

// A label that reports a click (the pair numbers of a table row).
class ClickLabel : public QLabel {
 public:
  using QLabel::QLabel;
  std::function<void()> onClick;

 protected:
  void mouseReleaseEvent(QMouseEvent* e) override {
    QLabel::mouseReleaseEvent(e);
    if (onClick && isEnabled()) onClick();
  }
};

// The board number a damaged record line was meant for: the digits before its "*".
int keyBoard(const QString& line) {
  const qsizetype star = line.indexOf(QLatin1Char('*'));
  if (star < 1 || star > 4) return 0;
  bool ok = false;
  const int b = line.left(star).toInt(&ok);
  return ok ? b : 0;
}

}  // namespace

BoardEntryScreen::BoardEntryScreen(AppContext& ctx, Screen* opener) : Screen(ctx, opener), menu_(opener) {
  setObjectName(QStringLiteral("frmMervalo06"));
  resize(kFormWidth, kFormHeight);
  buildControls();
  loaded_ = formLoad();
  if (!loaded_) {
    // Nothing to work on: leave without touching the event file.
    QTimer::singleShot(0, this, [this] { close(); });
  }
}

BoardEntryScreen::~BoardEntryScreen() = default;

void BoardEntryScreen::buildControls() {
  lblInformatie = new QLabel(this);
  lblInformatie->setObjectName(QStringLiteral("lblInformatie"));
  lblInformatie->setGeometry(12, 8, kFormWidth - 24, 20);

  boardPanel_ = new QWidget(this);
  boardPanel_->setObjectName(QStringLiteral("fraSpellen"));
  boardPanel_->setGeometry(12, 32, kFormWidth - 24, 6 * 28);

  lblSpelNummer = new QLabel(this);
  lblSpelNummer->setObjectName(QStringLiteral("lblSpelNummer"));
  lblSpelNummer->setGeometry(12, 206, 160, 22);
  QFont bold = lblSpelNummer->font();
  bold.setBold(true);
  bold.setPointSizeF(bold.pointSizeF() * 1.3);
  lblSpelNummer->setFont(bold);
  lblKwetsbaarKop = new QLabel(this);
  lblKwetsbaarKop->setObjectName(QStringLiteral("lblKwetsbaarKop"));
  lblKwetsbaarKop->setGeometry(190, 206, 90, 22);
  lblKwetsbaar = new QLabel(this);
  lblKwetsbaar->setObjectName(QStringLiteral("lblKwetsbaar"));
  lblKwetsbaar->setGeometry(280, 206, 120, 22);
  lblKwetsbaarKop->setBuddy(lblKwetsbaar);

  const int headY = 234;
  const int xs[6] = {12, 62, 112, 212, 312, 382};
  const int ws[6] = {46, 46, 96, 96, 66, 66};
  auto head = [&](const char* name, int i) {
    auto* l = new QLabel(this);
    l->setObjectName(QString::fromLatin1(name));
    l->setGeometry(xs[i], headY, ws[i], 20);
    l->setAlignment(Qt::AlignCenter);
    return l;
  };
  lblNZKop = head("lblNZKop", 0);
  lblOWKop = head("lblOWKop", 1);
  lblScoreNZKop = head("lblScoreNZKop", 2);
  lblScoreOWKop = head("lblScoreOWKop", 3);
  lblMPNZKop = head("lblMPNZKop", 4);
  lblMPOWKop = head("lblMPOWKop", 5);

  rowArea_ = new QScrollArea(this);
  rowArea_->setObjectName(QStringLiteral("fraTafels"));
  rowArea_->setGeometry(8, headY + 22, 470, 220);
  rowArea_->setFrameShape(QFrame::NoFrame);
  rowPanel_ = new QWidget;
  rowArea_->setWidget(rowPanel_);

  const int rx = 500;
  auto button = [this, rx](const char* name, int y, void (BoardEntryScreen::*handler)()) {
    auto* b = new QPushButton(this);
    b->setObjectName(QString::fromLatin1(name));
    b->setGeometry(rx, y, 150, 30);
    connect(b, &QPushButton::clicked, this, handler);
    return b;
  };
  cmdSpelKlaar = button("cmdSpelKlaar", 234, &BoardEntryScreen::cmdSpelKlaar_Click);
  cmdWisSpel = button("cmdWisSpel", 272, &BoardEntryScreen::cmdWisSpel_Click);
  cmdUitslag = button("cmdUitslag", 310, &BoardEntryScreen::cmdUitslag_Click);
  cmdVulAllesIn = button("cmdVulAllesIn", 348, &BoardEntryScreen::cmdVulAllesIn_Click);
  cmdTerug = button("cmdTerug", 438, &BoardEntryScreen::cmdTerug_Click);
  cmdVulAllesIn->hide();
  // The random fill is for trying the program out, not for club evenings.
  auto* reveal = new QShortcut(QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_T), this);
  connect(reveal, &QShortcut::activated, this, [this] { cmdVulAllesIn->show(); });

  lblKlaar = new QLabel(this);
  lblKlaar->setObjectName(QStringLiteral("lblKlaar"));
  lblKlaar->setGeometry(rx + 160, 230, 200, 40);
  lblKlaar->setStyleSheet(QStringLiteral("color: rgb(192, 0, 0);"));
  lblKlaar->hide();

  for (int i = 0; i < 4; ++i) {
    auto* l = new QLabel(this);
    l->setObjectName(QStringLiteral("lblInfo_%1").arg(i));
    l->setGeometry(rx + 160, 280 + i * 22, 320, 20);
    lblInfo.append(l);
  }
  // The keyboard way to the pair swap, under the other typing hints.
  lblWisselInfo = new QLabel(this);
  lblWisselInfo->setObjectName(QStringLiteral("lblWisselInfo"));
  lblWisselInfo->setGeometry(rx + 160, 280 + 4 * 22, 320, 20);
  lblControleer = new QLabel(this);
  lblControleer->setObjectName(QStringLiteral("lblControleer"));
  lblControleer->setGeometry(rx + 160, 400, 300, 22);
  lblControleer->setStyleSheet(QStringLiteral("color: rgb(192, 0, 0); font-weight: bold;"));
  lblControleer->hide();

  msfgResultaat = new QTableWidget(this);
  msfgResultaat->setObjectName(QStringLiteral("msfgResultaat"));
  msfgResultaat->setGeometry(12, 484, kFormWidth - 24, kFormHeight - 496);
  msfgResultaat->setEditTriggers(QAbstractItemView::NoEditTriggers);
  msfgResultaat->setFocusPolicy(Qt::NoFocus);
  connect(msfgResultaat, &QTableWidget::cellClicked, this, &BoardEntryScreen::msfgResultaat_Click);

  timKnipper = new QTimer(this);
  timKnipper->setObjectName(QStringLiteral("timKnipper"));
  timKnipper->setInterval(500);
  connect(timKnipper, &QTimer::timeout, this, &BoardEntryScreen::blink);

  cmdSetfocus = makeFocusSink(QStringLiteral("cmdSetfocus"));
  cmdSpelKlaar->installEventFilter(this);
}

void BoardEntryScreen::buildRows(int count) {
  if (!rowLayout_) {
    rowLayout_ = new QGridLayout(rowPanel_);
    rowLayout_->setContentsMargins(4, 0, 4, 0);
    rowLayout_->setHorizontalSpacing(4);
    rowLayout_->setVerticalSpacing(2);
    rowLayout_->setColumnStretch(6, 1);
  }
  QGridLayout* layout = rowLayout_;
  QWidget* previous = rows_.isEmpty() ? static_cast<QWidget*>(cmdSpelKlaar) : rows_.last().txtScoreOW;
  layout->setRowStretch(rows_.size(), 0);
  for (int i = rows_.size(); i < count; ++i) {
    Row r;
    auto* nz = new ClickLabel(rowPanel_);
    nz->onClick = [this, i] { lblNZ_Click(i); };
    r.lblNZ = nz;
    r.lblOW = new QLabel(rowPanel_);
    r.txtScoreNZ = new QLineEdit(rowPanel_);
    r.txtScoreOW = new QLineEdit(rowPanel_);
    r.lblMPNZ = new QLabel(rowPanel_);
    r.lblMPOW = new QLabel(rowPanel_);
    r.lblNZ->setObjectName(QStringLiteral("lblNZ_%1").arg(i));
    r.lblOW->setObjectName(QStringLiteral("lblOW_%1").arg(i));
    r.txtScoreNZ->setObjectName(QStringLiteral("txtScoreNZ_%1").arg(i));
    r.txtScoreOW->setObjectName(QStringLiteral("txtScoreOW_%1").arg(i));
    r.lblMPNZ->setObjectName(QStringLiteral("lblMPNZ_%1").arg(i));
    r.lblMPOW->setObjectName(QStringLiteral("lblMPOW_%1").arg(i));
    r.txtScoreNZ->setAccessibleName(text(76) + QLatin1Char(' ') + QString::number(i + 1));
    r.txtScoreOW->setAccessibleName(text(77) + QLatin1Char(' ') + QString::number(i + 1));
    r.lblNZ->setCursor(Qt::PointingHandCursor);
    // The swap is reached by mouse on the pair numbers and by F2 in the row's score boxes.
    for (QWidget* w : std::initializer_list<QWidget*>{r.lblNZ, r.txtScoreNZ, r.txtScoreOW}) {
      w->setToolTip(text(184));
      w->setAccessibleDescription(text(184));
    }
    for (QLabel* l : {r.lblNZ, r.lblOW, r.lblMPNZ, r.lblMPOW}) {
      l->setAlignment(Qt::AlignCenter);
      l->setFrameShape(QFrame::Panel);
      l->setFrameShadow(QFrame::Sunken);
    }
    r.lblNZ->setFixedWidth(46);
    r.lblOW->setFixedWidth(46);
    r.txtScoreNZ->setFixedWidth(96);
    r.txtScoreOW->setFixedWidth(96);
    r.lblMPNZ->setFixedWidth(66);
    r.lblMPOW->setFixedWidth(66);
    r.txtScoreNZ->setMaxLength(8);
    r.txtScoreOW->setMaxLength(8);
    layout->addWidget(r.lblNZ, i, 0);
    layout->addWidget(r.lblOW, i, 1);
    layout->addWidget(r.txtScoreNZ, i, 2);
    layout->addWidget(r.txtScoreOW, i, 3);
    layout->addWidget(r.lblMPNZ, i, 4);
    layout->addWidget(r.lblMPOW, i, 5);
    r.txtScoreNZ->installEventFilter(this);
    r.txtScoreOW->installEventFilter(this);
    connect(r.txtScoreNZ, &QLineEdit::textEdited, this, [this, i](const QString& t) {
      if (t.isEmpty()) rows_[i].txtScoreOW->clear();
      updateKlaar();
    });
    connect(r.txtScoreOW, &QLineEdit::textEdited, this, [this](const QString&) { updateKlaar(); });
    setTabOrder(previous, r.txtScoreNZ);
    setTabOrder(r.txtScoreNZ, r.txtScoreOW);
    previous = r.txtScoreOW;
    rows_.append(r);
  }
  layout->setRowStretch(count, 1);
  rowPanel_->adjustSize();
}

void BoardEntryScreen::fitBelowBoards() {
  // The board buttons take as many lines as the event needs; everything else follows them.
  const int lines = std::max(1, (static_cast<int>(cmdSpel.size()) + kButtonsPerLine - 1) / kButtonsPerLine);
  const int panelHeight = lines * 28;
  const int delta = panelHeight - boardPanel_->height();
  boardPanel_->resize(boardPanel_->width(), panelHeight);
  for (QWidget* w : findChildren<QWidget*>(Qt::FindDirectChildrenOnly)) {
    if (w == boardPanel_ || w == focusSink() || w->y() <= boardPanel_->y()) continue;
    w->move(w->x(), w->y() + delta);
  }
  resize(width(), height() + delta);
}

void BoardEntryScreen::resizeEvent(QResizeEvent* event) {
  Screen::resizeEvent(event);
  // The results grid takes the room left at the bottom.
  if (msfgResultaat) msfgResultaat->resize(width() - 24, std::max(80, height() - msfgResultaat->y() - 12));
}

void BoardEntryScreen::buildBoardButtons() {
  const int boards = header_.boards();
  cmdSpel.clear();
  completed_ = QVector<bool>(boards, false);
  for (int b = 1; b <= boards; ++b) {
    auto* button = new QPushButton(QString::number(b), boardPanel_);
    button->setObjectName(QStringLiteral("cmdSpel_%1").arg(b));
    button->setProperty("Tag", b);
    button->setAccessibleName(text(82) + QLatin1Char(' ') + QString::number(b));
    button->setGeometry(((b - 1) % kButtonsPerLine) * 52, ((b - 1) / kButtonsPerLine) * 28, 48, 26);
    button->setFocusPolicy(Qt::TabFocus);
    connect(button, &QPushButton::clicked, this, [this, b] {
      cmdSpel_Click(b);
      if (!rows_.isEmpty()) {
        for (const Row& r : rows_)
          if (r.enabled) {
            safeFocus(r.txtScoreNZ);
            break;
          }
      }
    });
    cmdSpel.append(button);
  }
}

bool BoardEntryScreen::formLoad() {
  ProgramValues& v = values();
  setWindowTitle(text(71) + QLatin1Char(' ') + QFileInfo(v.eventFileName).completeBaseName());

  lblNZKop->setText(text(74));
  lblOWKop->setText(text(75));
  lblScoreNZKop->setText(text(76));
  lblScoreOWKop->setText(text(77));
  lblMPNZKop->setText(text(78));
  lblMPOWKop->setText(text(79));
  lblKwetsbaarKop->setText(text(90) + QLatin1Char(':'));
  cmdSpelKlaar->setText(text(83));
  cmdWisSpel->setText(text(96));
  cmdUitslag->setText(text(98));
  cmdVulAllesIn->setText(QStringLiteral("Vul alles in"));
  cmdTerug->setText(QLatin1Char('&') + text(11));
  lblKlaar->setText(message(118));
  const int infoTexts[4] = {93, 94, 95, 97};
  for (int i = 0; i < 4; ++i) lblInfo[i]->setText(text(infoTexts[i]));
  lblWisselInfo->setText(text(184));
  lblControleer->setText(text(99));
  msfgResultaat->setAccessibleName(text(98));
  cmdSpelKlaar->setToolTip(text(106));

  // The event file: its header decides everything; a file without a readable header is not
  // touched at all.
  eventPath_ = v.path(QStringLiteral("/invoer/")) + v.eventFileName;
  const QString shownName = QDir::toNativeSeparators(eventPath_);
  const auto lines = fileState(eventPath_) == 1 ? readTextLines(eventPath_) : std::nullopt;
  if (!lines) {
    inform(message(141).replace(QLatin1Char('~'), shownName));
    return false;
  }
  lstOpslaan_ = rewriteEventDates(*lines, text(70), v.language);
  EventFileError headerError;
  const auto header = parseHeader(lstOpslaan_, v.eventFileName, &headerError);
  if (!header) {
    inform(message(179).replace(QLatin1Char('~'), shownName).replace(QLatin1Char('#'), headerError.describe()));
    return false;
  }
  header_ = *header;

  const auto schema = loadSchema(v.programFolder, v.language, header_.schemaName);
  if (!schema) {
    // The scores stay enterable only with a movement; without it nothing can be placed.
    inform(message(181).replace(QLatin1Char('~'), header_.schemaName));
    return false;
  }
  lstSchema_ = *schema;
  lstParenSpellen_ = tableCells(lstSchema_, rangeMap(header_.rounds, header_.boardsPerRound));

  setInformation();
  top_ = eventTop(header_.pairs, header_.sitOut);

  buildRows(std::max(header_.pairs / 2, 1));
  buildBoardButtons();
  fitBelowBoards();

  // The results grid with the pairs' names from the group file.
  const QString groupPath = v.path(QStringLiteral("/groepen/")) + v.groupFileName;
  const QStringList groupLines = fileState(groupPath) == 1 ? readTextLines(groupPath).value_or(QStringList{}) : QStringList{};
  ResultsLayout layout;
  layout.pairs = header_.pairs;
  layout.sitOut = header_.sitOut;
  layout.boards = header_.boards();
  layout.names = pairNamesOfGroup(groupLines);
  setHeadings(layout, v.language);
  grid_ = newResultsGrid(layout);
  measure_ = menuFontMeasure();
  fitColumns(grid_, measure_, false);
  showGrid(grid_, msfgResultaat);

  // A group changed after the start no longer matches the event: the event file rules, the
  // names are taken as far as they go, and the organiser is told.
  const GroupCount group = countPairs(groupLines, QStringLiteral("***** ") + text(34) + QStringLiteral(" *****"));
  if (group.pairs != header_.pairs) {
    inform(message(179)
               .replace(QLatin1Char('~'), QDir::toNativeSeparators(groupPath))
               .replace(QLatin1Char('#'), text(52) + QStringLiteral(": %1 / %2").arg(group.pairs).arg(header_.pairs)));
  }

  // Every line that holds a readable record of a board of this event marks it completed; the
  // other lines stay in the working copy exactly as read and are reported once.
  QStringList unusable;
  lineBoard_ = QVector<int>(lstOpslaan_.size(), 0);
  for (int i = 7; i < lstOpslaan_.size(); ++i) {
    const QString& line = lstOpslaan_[i];
    if (line.trimmed().isEmpty()) continue;
    const auto record = parseRecord(line);
    lineBoard_[i] = record ? record->board : -keyBoard(line);
    if (record && record->board >= 1 && record->board <= header_.boards()) {
      completed_[record->board - 1] = true;
    } else {
      unusable << QStringLiteral("%1: %2").arg(i + 1).arg(line.left(40));
    }
  }
  for (int b = 1; b <= header_.boards(); ++b) paintBoardButton(b);
  if (!unusable.isEmpty())
    inform(message(179).replace(QLatin1Char('~'), shownName).replace(QLatin1Char('#'), unusable.join(QLatin1Char('\n'))));

  lstVoorMail_ = eventPlayersForMail(v.programFolder, v.groupFileName);
  cmdSpelKlaar->setEnabled(false);
  cmdUitslag->setEnabled(false);
  centreOnScreen();
  return true;
}

void BoardEntryScreen::setInformation() {
  QString info = text(73);
  info.replace(QLatin1Char('!'), QString::number(header_.pairs));
  if (header_.sitOut > 0) {
    info.replace(QLatin1Char('#'), QString::number(header_.sitOut));
  } else {
    // "paar #" (or "pair #") gives way to what line 3 says: "Geen".
    const QString line3 = lstOpslaan_.size() > 2 ? lstOpslaan_[2].trimmed() : header_.noSitOut;
    info.replace(QRegularExpression(QStringLiteral("\\S+ #")), line3);
  }
  info.replace(QLatin1Char('@'), QString::number(header_.rounds));
  info.replace(QLatin1Char('$'), QString::number(header_.boardsPerRound));
  info.replace(QLatin1Char('%'), header_.schemaName);
  lblInformatie->setText(info);
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

void BoardEntryScreen::reloadStoredBoards() {
  // Every stored board is completed again so that its matchpoints come from its scores. This
  // is worked out from the records alone; the screen is painted once at the end.
  QStringList unplaced;
  for (int b = 1; b <= header_.boards(); ++b) {
    if (!completed_[b - 1]) continue;
    const auto record = storedRecord(b);
    if (!record) continue;
    const QVector<EntryRow> rows =
        entryRows(pairingsOfBoard(lstParenSpellen_, b, header_.boardsPerRound), &*record, header_.sitOut);
    QVector<BoardTable> tables;
    if (entryRowsComplete(rows)) {
      tables = entryTables(rows);
      storeRecord(completeBoard(b, tables, top_, header_.sitOut));
    } else {
      // The record does not fill the movement's tables (a table missing, or pairs the movement
      // does not seat): it stays as it stands and is scored from its own tables.
      tables = tablesOfRecord(*record);
      scoreBoard(tables, top_, header_.sitOut);
      unplaced << QString::number(b);
    }
    clearBoardPoints(grid_, b);
    setBoardPoints(grid_, b, tables, header_.sitOut);
    fitColumn(grid_, b + 1, measure_);
  }
  showGrid(grid_, msfgResultaat);
  firstOpenBoard();
  cmdUitslag->setEnabled(!completed_.contains(false));
  if (!unplaced.isEmpty())
    inform(message(179).replace(QLatin1Char('~'), QDir::toNativeSeparators(eventPath_)).replace(QLatin1Char('#'),
                                                                                          text(82) + QLatin1Char(' ') + unplaced.join(QStringLiteral(", "))));
}

void BoardEntryScreen::firstOpenBoard() {
  const int open = completed_.indexOf(false);
  const int board = open >= 0 ? open + 1 : (currentBoard_ > 0 ? currentBoard_ : 1);
  if (header_.boards() < 1) return;
  cmdSpel_Click(board);
  for (const Row& r : rows_)
    if (r.enabled) {
      safeFocus(r.txtScoreNZ);
      break;
    }
}

bool BoardEntryScreen::boardCompleted(int board) const {
  return board >= 1 && board <= completed_.size() && completed_[board - 1];
}

const Grid& BoardEntryScreen::resultsGrid() const { return resultCurrent_ ? result_ : grid_; }

// ---- choosing a board -------------------------------------------------------------------

int BoardEntryScreen::recordLineOf(int board) const {
  // The last readable record of the board counts, as a later record replaces an earlier one.
  for (int i = static_cast<int>(lineBoard_.size()) - 1; i >= 7; --i)
    if (lineBoard_[i] == board) return i;
  return -1;
}

std::optional<ScoreRecord> BoardEntryScreen::storedRecord(int board) const {
  const int i = recordLineOf(board);
  if (i < 0) return std::nullopt;
  return parseRecord(lstOpslaan_[i]);
}

void BoardEntryScreen::cmdSpel_Click(int board) {
  if (board < 1 || board > header_.boards()) return;
  filling_ = true;
  const int previous = currentBoard_;
  currentBoard_ = board;
  cmdSpelKlaar->setEnabled(false);
  lblKlaar->hide();
  const auto record = storedRecord(board);
  showRows(entryRows(pairingsOfBoard(lstParenSpellen_, board, header_.boardsPerRound), record ? &*record : nullptr,
                     header_.sitOut));

  lblSpelNummer->setText(text(82) + QStringLiteral(": ") + QString::number(board));
  const int code = vulnerabilityOf(board);
  lblKwetsbaar->setText(QLatin1Char(' ') + text(vulnerabilityTextNumber(code < 0 ? 0 : code)) + QLatin1Char(' '));
  const QString look = code > 0 ? QStringLiteral("color: white; background-color: rgb(255, 0, 0);")
                                 : QStringLiteral("color: black; background-color: white;");
  if (lblKwetsbaar->styleSheet() != look) lblKwetsbaar->setStyleSheet(look);
  filling_ = false;
  if (previous > 0 && previous != board) paintBoardButton(previous);
  paintBoardButton(board);
  for (const Row& r : rows_)
    if (r.enabled) {
      safeFocus(r.txtScoreNZ);
      break;
    }
}

namespace {

// Setting a text lays it out again; a row that shows the same as before is left alone.
void setLabelText(QLabel* label, const QString& t) {
  if (label->text() != t) label->setText(t);
}
void setBoxText(QLineEdit* box, const QString& t) {
  if (box->text() != t) box->setText(t);
}

}  // namespace

void BoardEntryScreen::showRows(const QVector<EntryRow>& rows) {
  // A table the movement does not seat gets a row of its own, even beyond the event's tables.
  if (rows.size() > rows_.size()) buildRows(static_cast<int>(rows.size()));
  for (qsizetype i = 0; i < rows_.size(); ++i) {
    const EntryRow shown = i < rows.size() ? rows[i] : EntryRow{};
    Row& r = rows_[i];
    r.schemaNs = shown.schemaNs;
    r.schemaEw = shown.schemaEw;
    r.ns = shown.ns;
    r.ew = shown.ew;
    r.enabled = shown.enabled;
    setLabelText(r.lblNZ, shown.seated() ? QString::number(shown.ns) : QString());
    setLabelText(r.lblOW, shown.seated() && shown.ew ? QString::number(shown.ew) : QString());
    setBoxText(r.txtScoreNZ, shown.nsScore);
    setBoxText(r.txtScoreOW, shown.ewScore);
    setLabelText(r.lblMPNZ, shown.nsPoints);
    setLabelText(r.lblMPOW, shown.ewPoints);
    for (QWidget* w : std::initializer_list<QWidget*>{r.lblNZ, r.lblOW, r.txtScoreNZ, r.txtScoreOW, r.lblMPNZ, r.lblMPOW})
      w->setEnabled(r.enabled);
  }
}

void BoardEntryScreen::paintBoardButton(int board) {
  if (board < 1 || board > cmdSpel.size()) return;
  QPushButton* b = cmdSpel[board - 1];
  const bool done = completed_[board - 1];
  b->setProperty("Completed", done);
  const QString look = QString::fromLatin1(done ? kWhite : kGrey);
  if (b->styleSheet() != look) b->setStyleSheet(look);
}

void BoardEntryScreen::blink() {
  if (currentBoard_ < 1 || currentBoard_ > cmdSpel.size()) return;
  blinkWhite_ = !blinkWhite_;
  cmdSpel[currentBoard_ - 1]->setStyleSheet(QString::fromLatin1(blinkWhite_ ? kWhite : kGrey));
}

// ---- typing scores ------------------------------------------------------------------------

bool BoardEntryScreen::eventFilter(QObject* watched, QEvent* event) {
  if (event->type() == QEvent::KeyPress) {
    auto* key = static_cast<QKeyEvent*>(event);
    if (watched == cmdSpelKlaar) {
      const QString letters = text(105);
      const bool letter = !key->text().isEmpty() && letters.contains(key->text());
      if (cmdSpelKlaar->isEnabled() &&
          (letter || key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter)) {
        cmdSpelKlaar_Click();
        return true;
      }
      return false;
    }
    for (int i = 0; i < rows_.size(); ++i) {
      if (watched == rows_[i].txtScoreNZ) return scoreKey(i, true, key);
      if (watched == rows_[i].txtScoreOW) return scoreKey(i, false, key);
    }
  } else if (event->type() == QEvent::FocusIn) {
    // A score box that takes the focus is scrolled into view, whichever way it got it.
    if (auto* box = qobject_cast<QLineEdit*>(watched); box && box->parentWidget() == rowPanel_)
      rowArea_->ensureWidgetVisible(box);
  } else if (event->type() == QEvent::FocusOut) {
    const auto reason = static_cast<QFocusEvent*>(event)->reason();
    if (reason == Qt::ActiveWindowFocusReason || reason == Qt::PopupFocusReason) return false;
    for (const Row& r : rows_) {
      if (watched == r.txtScoreNZ) {
        // Counted after the focus has moved on, so that moving it to "Klaar" wins.
        QTimer::singleShot(0, this, [this] { nsLostFocus(); });
        break;
      }
    }
  }
  return Screen::eventFilter(watched, event);
}

bool BoardEntryScreen::scoreKey(int row, bool ns, QKeyEvent* key) {
  const int k = key->key();
  if (key->modifiers() & (Qt::ControlModifier | Qt::AltModifier)) {
    // Pasting could bring in any text; the box takes typed keys only.
    return key->matches(QKeySequence::Paste);
  }
  switch (k) {
    case Qt::Key_Return:
    case Qt::Key_Enter:
      if (ns)
        enterInNs(row);
      else
        moveVertically(row, false, +1);
      return true;
    case Qt::Key_Up:
      moveVertically(row, ns, -1);
      return true;
    case Qt::Key_F2: {
      QLineEdit* box = ns ? rows_[row].txtScoreNZ : rows_[row].txtScoreOW;
      lblNZ_Click(row);
      safeFocus(box);
      return true;
    }
    case Qt::Key_Down:
      moveVertically(row, ns, +1);
      return true;
    case Qt::Key_Backspace:
    case Qt::Key_Delete:
    case Qt::Key_Left:
    case Qt::Key_Right:
    case Qt::Key_Home:
    case Qt::Key_End:
    case Qt::Key_Tab:
    case Qt::Key_Backtab:
    case Qt::Key_Escape:
      return false;
    default:
      break;
  }
  const QString t = key->text();
  if (t.isEmpty()) return false;
  if (t.compare(QStringLiteral("c"), Qt::CaseInsensitive) == 0) {
    clearRow(row);
    return true;
  }
  if (t.size() == 1 && (ns ? kNsKeys : kEwKeys).contains(t)) return false;  // typed as usual
  return true;  // swallowed
}

void BoardEntryScreen::enterInNs(int row) {
  Row& r = rows_[row];
  if (r.txtScoreNZ->text().trimmed().isEmpty() && row > 0) {
    // The same score as the table above (the nearest enabled row, one or two up).
    for (int up = row - 1; up >= 0 && up >= row - 2; --up) {
      if (!rows_[up].enabled) continue;
      r.txtScoreNZ->setText(rows_[up].txtScoreNZ->text());
      break;
    }
  }
  const QString typed = r.txtScoreNZ->text().trimmed();
  if (typed.isEmpty()) return;
  if (typed.contains(QLatin1Char('%'))) {
    safeFocus(r.txtScoreOW);
    r.txtScoreOW->end(false);
    return;
  }
  const EnteredScore entered = enterNsScore(currentBoard_, typed);
  r.txtScoreNZ->setText(entered.texts.ns);
  r.txtScoreOW->setText(entered.texts.ew);
  const int number = verdictTextNumber(entered.verdict);
  if (entered.verdict == ScoreVerdict::Impossible) {
    inform(verdictMessage(message(number), entered.texts.ns));
    r.txtScoreNZ->clear();
    r.txtScoreOW->clear();
    updateKlaar();
    safeFocus(r.txtScoreNZ);
    return;
  }
  if (entered.verdict == ScoreVerdict::WrongVulnerability) inform(verdictMessage(message(number), entered.texts.ns));
  moveVertically(row, true, +1);
}

void BoardEntryScreen::moveVertically(int row, bool ns, int step) {
  for (int i = row + step; i >= 0 && i < rows_.size(); i += step) {
    if (!rows_[i].enabled) continue;
    QLineEdit* box = ns ? rows_[i].txtScoreNZ : rows_[i].txtScoreOW;
    safeFocus(box);
    box->end(false);
    return;
  }
  // Nowhere further down: the board may be complete.
  if (step > 0) nsLostFocus();
}

void BoardEntryScreen::clearRow(int row) {
  Row& r = rows_[row];
  r.txtScoreNZ->clear();
  r.txtScoreOW->clear();
  r.lblMPNZ->clear();
  r.lblMPOW->clear();
  updateKlaar();
}

bool BoardEntryScreen::allRowsDone() const {
  bool any = false;
  for (const Row& r : rows_) {
    if (!r.enabled) continue;
    any = true;
    if (r.txtScoreNZ->text().trimmed().isEmpty() || r.txtScoreOW->text().trimmed().isEmpty()) return false;
  }
  return any;
}

void BoardEntryScreen::updateKlaar() {
  if (!allRowsDone()) {
    cmdSpelKlaar->setEnabled(false);
    lblKlaar->hide();
  }
}

void BoardEntryScreen::nsLostFocus() {
  if (filling_ || !loaded_ || !allRowsDone()) return;
  cmdSpelKlaar->setEnabled(true);
  lblKlaar->show();
  safeFocus(cmdSpelKlaar);
}

// ---- completing, clearing and swapping ------------------------------------------------

QVector<BoardTable> BoardEntryScreen::rowTables() const {
  QVector<EntryRow> rows;
  rows.reserve(rows_.size());
  for (const Row& r : rows_) {
    EntryRow e;
    e.ns = r.ns;
    e.ew = r.ew;
    e.enabled = r.enabled;
    e.nsScore = r.txtScoreNZ->text();
    e.ewScore = r.txtScoreOW->text();
    rows.append(e);
  }
  return entryTables(rows);
}

void BoardEntryScreen::cmdSpelKlaar_Click() {
  if (currentBoard_ < 1 || !allRowsDone()) {
    cmdSpelKlaar->setEnabled(false);
    return;
  }
  const int board = currentBoard_;
  QVector<BoardTable> tables = rowTables();
  const ScoreRecord record = completeBoard(board, tables, top_, header_.sitOut);
  int k = 0;
  for (Row& r : rows_) {
    if (r.ns == 0 && r.ew == 0) continue;
    r.lblMPNZ->setText(tables[k].nsPoints);
    r.lblMPOW->setText(tables[k].ewPoints);
    ++k;
  }
  storeRecord(record);
  keepEventFile();
  clearBoardPoints(grid_, board);
  setBoardPoints(grid_, board, tables, header_.sitOut);
  fitColumn(grid_, board + 1, measure_);
  resultCurrent_ = false;
  completed_[board - 1] = true;
  paintBoardButton(board);
  cmdSpelKlaar->setEnabled(false);
  lblKlaar->hide();
  if (!lblControleer->isVisible()) {
    // While stored boards are being completed again the grid is shown once at the end.
    showGrid(grid_, msfgResultaat);
    firstOpenBoard();
    cmdUitslag->setEnabled(!completed_.contains(false));
  }
}

void BoardEntryScreen::storeRecord(const ScoreRecord& record) {
  const QString line = formatRecord(record);
  const int at = recordLineOf(record.board);
  if (at < 0) {
    // A damaged line of this board is replaced by the scores just typed for it.
    for (int i = 7; i < lineBoard_.size(); ++i) {
      if (lineBoard_[i] == -record.board) {
        lstOpslaan_[i] = line;
        lineBoard_[i] = record.board;
        return;
      }
    }
    lstOpslaan_.append(line);
    lineBoard_.append(record.board);
    return;
  }
  // The board's last record is the one that counts; an earlier copy of it (a file put
  // together by hand) is left as it was read.
  lstOpslaan_[at] = line;
}

void BoardEntryScreen::removeRecord(int board) {
  for (int i = static_cast<int>(lineBoard_.size()) - 1; i >= 7; --i) {
    if (lineBoard_[i] != board) continue;
    lstOpslaan_.removeAt(i);
    lineBoard_.removeAt(i);
  }
}

void BoardEntryScreen::cmdWisSpel_Click() {
  if (currentBoard_ < 1) return;
  for (int i = 0; i < rows_.size(); ++i) clearRow(i);
  removeRecord(currentBoard_);
  keepEventFile();
  completed_[currentBoard_ - 1] = false;
  paintBoardButton(currentBoard_);
  clearBoardPoints(grid_, currentBoard_);
  fitColumn(grid_, currentBoard_ + 1, measure_);
  resultCurrent_ = false;
  showGrid(grid_, msfgResultaat);
  cmdUitslag->setEnabled(false);
  for (const Row& r : rows_)
    if (r.enabled) {
      safeFocus(r.txtScoreNZ);
      break;
    }
}

void BoardEntryScreen::lblNZ_Click(int row) {
  if (row < 0 || row >= rows_.size() || !rows_[row].enabled) return;
  Row& r = rows_[row];
  const bool asMovement = r.ns == r.schemaNs && r.ew == r.schemaEw;
  if (!askYesNo(message(asMovement ? 84 : 85))) return;
  std::swap(r.ns, r.ew);
  r.lblNZ->setText(QString::number(r.ns));
  r.lblOW->setText(QString::number(r.ew));
}

void BoardEntryScreen::msfgResultaat_Click(int row, int col) {
  const Grid& shown = resultsGrid();
  if (row < 1 || row >= shown.rows() - 1 || col < 2 || col > header_.boards() + 1) return;
  bool ok = false;
  const int board = shown.text(0, col).toInt(&ok);
  if (!ok) return;
  cmdSpel_Click(board);
}

// ---- result, fill, closing ------------------------------------------------------------

bool BoardEntryScreen::saveEventFile() {
  if (!loaded_) return true;
  savePending_ = false;
  if (writeTextLines(eventPath_, lstOpslaan_)) {
    keepWarned_ = false;
    return true;
  }
  inform(message(182).replace(QLatin1Char('~'), QDir::toNativeSeparators(eventPath_)));
  return false;
}

void BoardEntryScreen::keepEventFile() {
  // Every completed or cleared board goes to disk as soon as the screen is idle, so that a
  // crash or a power cut loses nothing that was typed. A failing disk is reported once, not
  // at every board; closing and the result still report it.
  if (savePending_) return;
  savePending_ = true;
  QTimer::singleShot(0, this, [this] {
    if (!savePending_ || !loaded_) return;
    savePending_ = false;
    if (writeTextLines(eventPath_, lstOpslaan_)) {
      keepWarned_ = false;
    } else if (!keepWarned_) {
      keepWarned_ = true;
      inform(message(182).replace(QLatin1Char('~'), QDir::toNativeSeparators(eventPath_)));
    }
  });
}

void BoardEntryScreen::cmdUitslag_Click() {
  if (completed_.contains(false)) return;
  saveEventFile();
  ProgramValues& v = values();
  v.busy = true;
  cmdUitslag->setEnabled(false);
  msfgResultaat->hide();
  // The working grid keeps pair numbers in column 0 for the boards still to come; the result
  // is worked out on a copy.
  result_ = grid_;
  computeResult(result_, header_.boards(), top_, measure_);
  resultCurrent_ = true;
  v.busy = false;
  showResults();
  msfgResultaat->scrollToItem(msfgResultaat->item(0, msfgResultaat->columnCount() - 1));
  cmdUitslag->setEnabled(true);
  v.callingScreen = kCallerEntryPerBoard;
  parkFocus();
  openChild(QStringLiteral("frmMervalo08"));
}

void BoardEntryScreen::showResults() { showGrid(resultsGrid(), msfgResultaat); }

void BoardEntryScreen::cmdVulAllesIn_Click() {
  cmdVulAllesIn->hide();
  static const QStringList kScores = {QStringLiteral("100"), QStringLiteral("110"), QStringLiteral("-90"),
                                      QStringLiteral("-120"), QStringLiteral("-100"), QStringLiteral("80"),
                                      QStringLiteral("200"), QStringLiteral("300"), QStringLiteral("-110"),
                                      QStringLiteral("120")};
  for (int b = 1; b <= header_.boards(); ++b) {
    lblControleer->setText(QStringLiteral(" Bezig met spel: ") + QString::number(b));
    cmdSpel_Click(b);
    for (Row& r : rows_) {
      if (!r.enabled) continue;
      const int pick = static_cast<int>(10 * QRandomGenerator::global()->generateDouble());
      r.txtScoreNZ->setText(kScores[pick]);
      r.txtScoreOW->setText(mirrorScore(kScores[pick]));
    }
    if (allRowsDone()) cmdSpelKlaar_Click();
  }
  lblControleer->setText(text(99));
}

void BoardEntryScreen::cmdTerug_Click() { close(); }

bool BoardEntryScreen::formQueryUnload() {
  timKnipper->stop();
  if (saveEventFile() || saveFailedOnce_) return true;
  // Warned once; a second close goes, so the organiser is never locked in.
  saveFailedOnce_ = true;
  timKnipper->start();
  return false;
}

void BoardEntryScreen::closeEvent(QCloseEvent* event) {
  Screen* menu = menu_;
  Screen::closeEvent(event);
  if (!event->isAccepted()) return;
  // Back to the event start, as the organiser came.
  if (menu && ctx().hasScreen(QStringLiteral("frmMervalo04"))) menu->openChild(QStringLiteral("frmMervalo04"));
}

}  // namespace mervalo
