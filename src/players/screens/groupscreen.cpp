#include "groupscreen.h"

#include <QApplication>
#include <QCheckBox>
#include <QFile>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QScrollBar>
#include <QShortcut>
#include <QTableWidget>
#include <QVBoxLayout>

#include "app/fileops.h"
#include "app/screens/filepanel.h"
#include "app/screens/gridview.h"
#include "players/gridsort.h"
#include "app/screens/fastmeasure.h"
#include "app/textfile.h"
#include "players/groupcomposition.h"
#include "players/namelist.h"
#include "app/screens/clicklabel.h"
#include "app/screens/printing.h"

namespace mervalo {

namespace {
constexpr int kNameCols = 5;
constexpr int kVisibleGroupRows = 12;

QTableWidget* makeTable(QWidget* parent, const char* name) {
  auto* t = new QTableWidget(parent);
  t->setObjectName(QString::fromLatin1(name));
  t->setEditTriggers(QAbstractItemView::NoEditTriggers);
  t->setSelectionBehavior(QAbstractItemView::SelectRows);
  t->setSelectionMode(QAbstractItemView::SingleSelection);
  return t;
}

}  // namespace

GroupScreen::GroupScreen(AppContext& ctx, Screen* opener) : Screen(ctx, opener) {
  setObjectName(QStringLiteral("frmMervalo03"));

  nameFiles = makeFilePanel(this, "fraNamenBestanden", "lstNamenBestand", "chkSorteerNamen", "cmdWisNamen");
  groupFiles = makeFilePanel(this, "fraGroepBestanden", "lstGroepBestand", "chkSorteerGroepen", "cmdWisGroepen");

  auto* files = new QVBoxLayout;
  files->addWidget(nameFiles.frame);
  files->addWidget(groupFiles.frame);

  msfgNamen = makeTable(this, "msfgNamen");
  msfgNamen->setMinimumSize(420, 320);
  auto* pickSlots = new QGridLayout;
  for (int i = 0; i < 2; ++i) {
    lblNaamNummer[i] = new QLabel(this);
    lblNaamNummer[i]->setObjectName(QStringLiteral("lblNaamNummer_%1").arg(i));
    lblNaam[i] = new ClickLabel(this);
    lblNaam[i]->setObjectName(QStringLiteral("lblNaam_%1").arg(i));
    lblNaam[i]->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    lblNaam[i]->setMinimumWidth(220);
    lblNaamNummer[i]->setBuddy(lblNaam[i]);
    pickSlots->addWidget(lblNaamNummer[i], i, 0);
    pickSlots->addWidget(lblNaam[i], i, 1);
  }
  cmdToevoegen = makeNamed<QPushButton>(this, "cmdToevoegen");
  cmdStilzitter = makeNamed<QPushButton>(this, "cmdStilzitter");
  pickSlots->addWidget(cmdToevoegen, 0, 2);
  pickSlots->addWidget(cmdStilzitter, 1, 2);
  auto* names = new QVBoxLayout;
  names->addWidget(msfgNamen, 1);
  names->addLayout(pickSlots);

  msfgGroepen = makeTable(this, "msfgGroepen");
  msfgGroepen->setMinimumSize(360, 320);
  lblAanTalParen = makeNamed<QLabel>(this, "lblAanTalParen");
  lblKanNiet = makeNamed<QLabel>(this, "lblKanNiet");
  lblKanNiet->setStyleSheet(QStringLiteral("QLabel { background: red; color: white; }"));
  lblKanNiet->setMinimumWidth(20);
  cmdMaakLeeg = makeNamed<QPushButton>(this, "cmdMaakLeeg");
  cmdAfdrukken = makeNamed<QPushButton>(this, "cmdAfdrukken");
  lblNaamBestand = makeNamed<QLabel>(this, "lblNaamBestand");
  // The name and the letter are shown, not typed: the calendar and the scroll bar set them.
  auto shownOnly = [this](const char* name, int maxLength) {
    auto* box = makeNamed<QLineEdit>(this, name);
    box->setReadOnly(true);
    box->setMaxLength(maxLength);
    box->setFocusPolicy(Qt::NoFocus);
    return box;
  };
  txtNaamBestand = shownOnly("txtNaamBestand", 12);
  lblNaamBestand->setBuddy(txtNaamBestand);
  cmdKalender = makeNamed<QPushButton>(this, "cmdKalender");
  lblGroepLetter = makeNamed<QLabel>(this, "lblGroepLetter");
  txtGroepLetter = shownOnly("txtGroepLetter", 1);
  txtGroepLetter->setAlignment(Qt::AlignCenter);
  txtGroepLetter->setFixedWidth(32);
  vscrGroepLetter = new QScrollBar(Qt::Vertical, this);
  vscrGroepLetter->setObjectName(QStringLiteral("vscrGroepLetter"));
  vscrGroepLetter->setFixedHeight(40);
  lblGroepLetter->setBuddy(vscrGroepLetter);
  cmdOpslaan = makeNamed<QPushButton>(this, "cmdOpslaan");
  cmdTerug = makeNamed<QPushButton>(this, "cmdTerug");

  auto* count = new QHBoxLayout;
  count->addWidget(lblAanTalParen, 1);
  count->addWidget(lblKanNiet);
  auto* groupButtons = new QHBoxLayout;
  groupButtons->addWidget(cmdMaakLeeg);
  groupButtons->addWidget(cmdAfdrukken);
  auto* dateRow = new QGridLayout;
  dateRow->addWidget(lblNaamBestand, 0, 0);
  dateRow->addWidget(txtNaamBestand, 0, 1);
  dateRow->addWidget(cmdKalender, 0, 2);
  dateRow->addWidget(lblGroepLetter, 1, 0);
  auto* letterBox = new QHBoxLayout;
  letterBox->addWidget(txtGroepLetter);
  letterBox->addWidget(vscrGroepLetter);
  letterBox->addStretch();
  dateRow->addLayout(letterBox, 1, 1);
  auto* endButtons = new QHBoxLayout;
  endButtons->addWidget(cmdOpslaan);
  endButtons->addWidget(cmdTerug);
  auto* group = new QVBoxLayout;
  group->addWidget(msfgGroepen, 1);
  group->addLayout(count);
  group->addLayout(groupButtons);
  group->addLayout(dateRow);
  group->addLayout(endButtons);

  auto* main = new QHBoxLayout(this);
  main->addLayout(files, 1);
  main->addLayout(names, 2);
  main->addLayout(group, 2);

  connect(nameFiles.list, &QListWidget::itemClicked, this, &GroupScreen::lstNamenBestand_Click);
  connect(nameFiles.list, &QListWidget::itemActivated, this, &GroupScreen::lstNamenBestand_Click);
  connect(groupFiles.list, &QListWidget::itemClicked, this, &GroupScreen::lstGroepBestand_Click);
  connect(groupFiles.list, &QListWidget::itemActivated, this, &GroupScreen::lstGroepBestand_Click);
  connect(nameFiles.sort, &QCheckBox::clicked, this, &GroupScreen::chkSorteerNamen_Click);
  connect(groupFiles.sort, &QCheckBox::clicked, this, &GroupScreen::chkSorteerGroepen_Click);
  connect(msfgNamen, &QTableWidget::cellClicked, this, [this](int row, int) { msfgNamen_Click(row); });
  connect(msfgGroepen, &QTableWidget::cellClicked, this, [this](int row, int) { msfgGroepen_Click(row); });
  for (int i = 0; i < 2; ++i) connect(lblNaam[i], &ClickLabel::clicked, this, [this, i] { lblNaam_Click(i); });
  connect(cmdToevoegen, &QPushButton::clicked, this, &GroupScreen::cmdToevoegen_Click);
  connect(cmdStilzitter, &QPushButton::clicked, this, &GroupScreen::cmdStilzitter_Click);
  connect(cmdMaakLeeg, &QPushButton::clicked, this, &GroupScreen::cmdMaakLeeg_Click);
  connect(cmdAfdrukken, &QPushButton::clicked, this, &GroupScreen::cmdAfdrukken_Click);
  connect(cmdKalender, &QPushButton::clicked, this, &GroupScreen::cmdKalender_Click);
  connect(cmdOpslaan, &QPushButton::clicked, this, &GroupScreen::cmdOpslaan_Click);
  connect(groupFiles.remove, &QPushButton::clicked, this, &GroupScreen::cmdWisGroepen_Click);
  connect(nameFiles.remove, &QPushButton::clicked, this, &GroupScreen::cmdWisNamen_Click);
  connect(cmdTerug, &QPushButton::clicked, this, &QWidget::close);
  connect(vscrGroepLetter, &QScrollBar::valueChanged, this, &GroupScreen::vscrGroepLetter_Change);
  connect(txtNaamBestand, &QLineEdit::textChanged, this, &GroupScreen::txtNaamBestand_Change);
  closeOnKeys(EscapeKey::ClosesOnPress, true);

  formLoad();
}

void GroupScreen::formLoad() {
  setWindowTitle(text(28));
  makeFocusSink(QStringLiteral("cmdSetfocus"));
  nameFiles.setTexts(text(9), text(12), text(37));
  groupFiles.setTexts(text(31), text(12), text(38));
  for (int i = 0; i < 2; ++i) {
    lblNaamNummer[i]->setText(text(29) + QStringLiteral(" %1:").arg(i + 1));
    lblNaam[i]->setAccessibleName(text(29) + QStringLiteral(" %1").arg(i + 1));
  }
  cmdToevoegen->setText(QLatin1Char('&') + text(39));
  cmdStilzitter->setText(QLatin1Char('&') + text(33));
  cmdMaakLeeg->setText(QLatin1Char('&') + text(35));
  cmdAfdrukken->setText(QLatin1Char('&') + text(40));
  lblNaamBestand->setText(text(30) + QLatin1Char(':'));
  txtNaamBestand->setAccessibleName(text(30));
  cmdKalender->setText(QLatin1Char('&') + text(60));
  lblGroepLetter->setText(text(64));
  txtGroepLetter->setAccessibleName(text(64));
  vscrGroepLetter->setAccessibleName(text(64));
  cmdOpslaan->setText(QLatin1Char('&') + text(18));
  cmdTerug->setText(QLatin1Char('&') + text(11));
  lblKanNiet->setText(text(45));
  lblAanTalParen->setText(QLatin1String("0 ") + text(32) + QLatin1Char(' ') + text(42));
  msfgNamen->setAccessibleName(text(9));
  msfgGroepen->setAccessibleName(text(32));
  nameFiles.list->setAccessibleName(text(9));
  groupFiles.list->setAccessibleName(text(31));

  loading_ = true;
  vscrGroepLetter->setRange(-1, kLastLetterIndex + 1);
  vscrGroepLetter->setSingleStep(1);
  vscrGroepLetter->setPageStep(1);
  vscrGroepLetter->setValue(kLastLetterIndex);
  txtGroepLetter->setText(letterAt(kLastLetterIndex));
  loading_ = false;

  makeFolder(values().folder(DataFolder::Names));
  makeFolder(values().folder(DataFolder::Groups));

  for (QWidget* w : std::initializer_list<QWidget*>{cmdKalender, cmdAfdrukken, cmdToevoegen, cmdMaakLeeg, cmdStilzitter,
                                                   cmdOpslaan, groupFiles.remove, nameFiles.remove, txtNaamBestand, lblNaamBestand,
                                                   groupFiles.frame})
    w->setEnabled(false);
  showWarning(false);

  refreshNameLists();
  refreshGroupFiles();
  names_.resize(2, kNameCols);
  const QStringList heading = defaultNameHeading(text(16), text(20), text(21), text(14), text(15), text(137));
  for (int c = 0; c < kNameCols; ++c) names_.setText(0, c, heading[c]);
  names_.setAlignment(0, 0, kAlignCenterCenter);
  groups_.resize(2, 2);
  groups_.setText(0, 0, text(16));
  groups_.setAlignment(0, 0, kAlignCenterCenter);
  groups_.setText(0, 1, text(32));
  showNames();
  showGroups();
  resize(1100, 560);
  centreOnScreen();
}

void GroupScreen::formActivate() {
  if (!values().sharedDate.isEmpty()) txtNaamBestand->setText(values().sharedDate);
  parkFocus();
}

// ---- lists and grids ----

void GroupScreen::refreshNameLists() {
  nameFiles.list->clear();
  nameFiles.list->addItems(listFileNames(values().folder(DataFolder::Names), QStringLiteral("*.txt"),
                                          nameFiles.sort->isChecked()));
}

void GroupScreen::refreshGroupFiles() {
  groupFiles.list->clear();
  const QString pattern = QLatin1Char('*') + text(125) + QLatin1String("*.txt");
  groupFiles.list->addItems(listFileNames(values().folder(DataFolder::Groups), pattern, groupFiles.sort->isChecked()));
}

void GroupScreen::showNames() {
  for (int n = 1; n <= group_.playerCount() && n < names_.rows(); ++n) {
    const QStringList fields = group_.shownFields(n);
    for (int c = 0; c < kNameCols; ++c) names_.setText(n, c, fields.value(c));
  }
  fitColumns(names_, measure_, false);
  showGrid(names_, msfgNamen);
}

void GroupScreen::showGroups() {
  const QStringList& entries = group_.displays();
  groups_.setRows(1);
  groups_.setRows(static_cast<int>(entries.size()) + 2);
  for (int i = 0; i < entries.size(); ++i) {
    groups_.setText(i + 1, 0, QString::number(i + 1));
    groups_.setAlignment(i + 1, 0, kAlignCenterCenter);
    groups_.setText(i + 1, 1, entries[i]);
  }
  fitColumns(groups_, measure_, false);
  showGrid(groups_, msfgGroepen);
  if (groups_.rows() > kVisibleGroupRows) {
    // Keep the last row in sight once the group outgrows the grid.
    if (QTableWidgetItem* last = msfgGroepen->item(groups_.rows() - 1, 0))
      msfgGroepen->scrollToItem(last, QAbstractItemView::PositionAtTop);
  }
}

void GroupScreen::renumberNames() {
  for (int r = 1; r <= names_.rows() - 2; ++r) {
    names_.setText(r, 0, QString::number(r));
    names_.setAlignment(r, 0, kAlignCenterCenter);
  }
  lblNaamBestand->setEnabled(true);
  txtNaamBestand->setEnabled(true);
  cmdOpslaan->setEnabled(!txtNaamBestand->text().trimmed().isEmpty());
}

void GroupScreen::showWarning(bool on) {
  kanNiet_ = on;
  lblKanNiet->setVisible(on);
}

void GroupScreen::applyCountRule() {
  lblAanTalParen->setText(groupCountText(group_.entryCount(), text(41), text(32), text(42)));
  showWarning(!group_.consistent());
}

void GroupScreen::showPicks() {
  for (int i = 0; i < 2; ++i) lblNaam[i]->setText(group_.picked(i).description);
}

QString GroupScreen::letter() const { return txtGroepLetter->text(); }

// The next group starts without a date or a letter, and with nothing to add or save yet.
void GroupScreen::clearGroupName() {
  txtNaamBestand->clear();
  setLetterIndex(kLastLetterIndex);
  cmdOpslaan->setEnabled(false);
  cmdToevoegen->setEnabled(false);
  cmdKalender->setEnabled(false);
}

void GroupScreen::setLetterIndex(int index) {
  if (vscrGroepLetter->value() == index)
    vscrGroepLetter_Change(index);
  else
    vscrGroepLetter->setValue(index);
}

QString GroupScreen::selectedGroup() const {
  QListWidgetItem* item = groupFiles.list->currentItem();
  return item ? item->text() : QString();
}

QString GroupScreen::resultsPath(const QString& group) const {
  return values().file(DataFolder::Events, eventFileNameForGroup(group, text(70)));
}

void GroupScreen::reselectNameList() {
  if (currentList_.isEmpty()) {
    resetGroup();
    return;
  }
  const auto found = nameFiles.list->findItems(currentList_, Qt::MatchExactly);
  if (found.isEmpty()) {
    // The list has gone from the folder: nobody can be given back, only the group emptied.
    resetGroup();
    return;
  }
  nameFiles.list->setCurrentItem(found.first());
  lstNamenBestand_Click();
}

// Empties the group and the pickSlots; the names grid is left to the caller.
void GroupScreen::resetGroup() {
  group_.clear();
  showPicks();
  showGroups();
  cmdToevoegen->setEnabled(false);
  cmdMaakLeeg->setEnabled(false);
  cmdAfdrukken->setEnabled(false);
  applyCountRule();
}

// ---- handlers ----

void GroupScreen::chkSorteerNamen_Click() {
  nameFiles.sort->setText(nameFiles.sort->isChecked() ? text(13) : text(12));
  refreshNameLists();
  if (!currentList_.isEmpty()) {
    const auto found = nameFiles.list->findItems(currentList_, Qt::MatchExactly);
    if (!found.isEmpty()) nameFiles.list->setCurrentItem(found.first());
  }
  parkFocus();
}

void GroupScreen::chkSorteerGroepen_Click() {
  groupFiles.sort->setText(groupFiles.sort->isChecked() ? text(13) : text(12));
  refreshGroupFiles();
  parkFocus();
}

void GroupScreen::lstNamenBestand_Click() {
  QListWidgetItem* item = nameFiles.list->currentItem();
  if (!item) return;
  const QString name = item->text();
  const QString file = values().file(DataFolder::Names, name + QStringLiteral(".txt"));
  const auto list = readNameList(file);
  if (!list) {
    QString msg = message(179);
    msg.replace(QLatin1Char('~'), name).replace(QLatin1Char('#'), file);
    inform(msg);
    return;
  }
  currentList_ = name;
  resetGroup();
  nameFiles.frame->setTitle(text(19) + QLatin1String(": ") + name);
  names_.setRows(1);
  for (int c = 0; c < kNameCols; ++c) names_.setText(0, c, list->heading.value(c));
  names_.setAlignment(0, 0, kAlignCenterCenter);
  names_.setRows(static_cast<int>(list->players.size()) + 2);
  for (int r = 1; r < names_.rows(); ++r) names_.setAlignment(r, 0, kAlignCenterCenter);
  group_.load(list->players);
  nameFiles.remove->setEnabled(true);
  cmdStilzitter->setEnabled(true);
  groupFiles.frame->setEnabled(true);
  renumberNames();
  showNames();
  clearGroupName();
  parkFocus();
}

void GroupScreen::msfgNamen_Click(int row) {
  // A taken player, the empty last row and the heading cannot be picked.
  if (!group_.pick(row)) {
    parkFocus();
    return;
  }
  showPicks();
  showNames();
  if (group_.bothPicked()) {
    cmdToevoegen->setEnabled(true);
    safeFocus(cmdToevoegen);
  } else {
    cmdToevoegen->setEnabled(false);
    parkFocus();
  }
}

void GroupScreen::lblNaam_Click(int index) {
  if (group_.unpick(index)) {
    showPicks();
    showNames();
  }
  cmdToevoegen->setEnabled(false);
  if (group_.entryCount() == 0) {
    cmdMaakLeeg->setEnabled(false);
    cmdAfdrukken->setEnabled(false);
  }
  parkFocus();
}

void GroupScreen::cmdToevoegen_Click() {
  cmdToevoegen->setEnabled(false);
  if (!group_.addPair()) return;
  applyCountRule();
  showPicks();
  showGroups();
  cmdMaakLeeg->setEnabled(true);
  cmdAfdrukken->setEnabled(true);
  cmdKalender->setEnabled(!kanNiet_);
  parkFocus();
}

void GroupScreen::cmdStilzitter_Click() {
  cmdStilzitter->setEnabled(false);
  if (!group_.addSitOut(sitOutText(text(34)))) return;
  applyCountRule();
  cmdKalender->setEnabled(!kanNiet_);
  showGroups();
  parkFocus();
}

void GroupScreen::afterEntryRemoved() {
  applyCountRule();
  cmdKalender->setEnabled(!kanNiet_ && group_.entryCount() > 0);
  if (group_.entryCount() == 0) {
    cmdMaakLeeg->setEnabled(false);
    cmdAfdrukken->setEnabled(false);
  }
  showGroups();
  showNames();
}

void GroupScreen::msfgGroepen_Click(int row) {
  if (row >= 1 && row < groups_.rows()) {
    const bool hadSitOut = group_.hasSitOut();
    // The empty last row removes nothing.
    if (group_.removeEntry(row - 1)) {
      if (hadSitOut && !group_.hasSitOut()) cmdStilzitter->setEnabled(true);
      afterEntryRemoved();
    }
  }
  cmdToevoegen->setEnabled(group_.bothPicked());
  parkFocus();
}

void GroupScreen::cmdMaakLeeg_Click() {
  if (!askYesNo(message(36))) {
    parkFocus();
    return;
  }
  reselectNameList();
  parkFocus();
}

void GroupScreen::vscrGroepLetter_Change(int value) {
  if (loading_ || settingLetter_) return;
  const int index = wrapLetterIndex(value);
  if (index != value) {
    settingLetter_ = true;
    vscrGroepLetter->setValue(index);
    settingLetter_ = false;
  }
  txtGroepLetter->setText(letterAt(index));
  parkFocus();
}

void GroupScreen::cmdKalender_Click() {
  if (openChild(ScreenId::DatePicker)) hide();
}

void GroupScreen::txtNaamBestand_Change() { cmdOpslaan->setEnabled(!txtNaamBestand->text().trimmed().isEmpty()); }

void GroupScreen::cmdOpslaan_Click() {
  if (kanNiet_) {
    inform(message(46), PromptIcon::Information);
    return;
  }
  const QString name = groupName(txtNaamBestand->text(), text(125), letter());
  const QString file = values().file(DataFolder::Groups, name + QStringLiteral(".txt"));
  if (fileState(file) == FileState::Filled) {
    QString question = message(26);
    question.replace(QLatin1Char('~'), name + QStringLiteral(".txt"));
    if (!askYesNo(question)) return;
  }
  if (!writeGroup(file, group_.groupLines(), group_.mailLines())) {
    // The group stays on the screen to be saved again.
    QString msg = message(182);
    msg.replace(QLatin1Char('~'), name + QStringLiteral(".txt"));
    inform(msg);
    return;
  }
  reselectNameList();
  refreshGroupFiles();
  clearGroupName();
  parkFocus();
}

void GroupScreen::lstGroepBestand_Click() {
  const QString group = selectedGroup();
  if (group.isEmpty()) return;
  // Every player of a group composed so far goes back to the names grid first.
  reselectNameList();
  const auto keep = groupFiles.list->findItems(group, Qt::MatchExactly);
  if (!keep.isEmpty()) groupFiles.list->setCurrentItem(keep.first());

  if (fileState(resultsPath(group)) == FileState::Filled) {
    QString msg = message(176);
    msg.replace(QLatin1Char('['), QLatin1Char('"'))
        .replace(QLatin1Char(']'), QLatin1Char('"'))
        .replace(QLatin1Char('#'), QLatin1Char('<') + group + QLatin1Char('>'));
    inform(msg, PromptIcon::Information);
    groupFiles.remove->setEnabled(true);
    parkFocus();
    return;
  }
  const QString file = values().file(DataFolder::Groups, group + QStringLiteral(".txt"));
  groupFiles.remove->setEnabled(true);
  if (fileState(file) != FileState::Filled) {
    parkFocus();
    return;
  }
  const auto read = readGroup(file);
  if (!read) {
    QString msg = message(179);
    msg.replace(QLatin1Char('~'), group).replace(QLatin1Char('#'), file);
    inform(msg);
    parkFocus();
    return;
  }
  if (const auto parts = splitGroupName(group, text(125))) {
    if (read->complete) txtNaamBestand->setText(parts->date);
    setLetterIndex(letterIndexFor(parts->letter));
  }
  cmdKalender->setEnabled(true);

  group_.open(*read);
  applyCountRule();
  showNames();
  showGroups();
  groupFiles.remove->setEnabled(true);
  if (group_.hasSitOut()) cmdStilzitter->setEnabled(false);
  parkFocus();
}

void GroupScreen::cmdWisGroepen_Click() {
  const QString group = selectedGroup();
  if (group.isEmpty()) return;
  groupFiles.remove->setEnabled(false);
  const QString results = resultsPath(group);
  const bool hasResults = fileState(results) != FileState::Missing;
  QString question;
  if (hasResults) {
    question = message(177);
    question.replace(QLatin1Char('#'), QLatin1String("< ") + group + QLatin1Char('>'));
  } else {
    question = message(47);
    question.replace(QLatin1Char('~'), group);
  }
  if (!askYesNo(question)) {
    groupFiles.remove->setEnabled(true);
    parkFocus();
    return;
  }
  group_.clear();
  showGroups();
  const QString file = values().file(DataFolder::Groups, group + QStringLiteral(".txt"));
  QStringList doomed{file, mailCompanionPath(file)};
  if (hasResults) doomed << results;
  removeFilesOrReport(doomed);
  refreshGroupFiles();
  reselectNameList();
  showWarning(false);
  lblAanTalParen->setText(QLatin1String("0 ") + text(32) + QLatin1Char(' ') + text(42));
  clearGroupName();
  parkFocus();
}

void GroupScreen::cmdWisNamen_Click() {
  QListWidgetItem* item = nameFiles.list->currentItem();
  const QString name = item ? item->text() : currentList_;
  if (name.isEmpty()) return;
  nameFiles.remove->setEnabled(false);
  QString question = message(24);
  question.replace(QLatin1Char('~'), name);
  if (!askYesNo(question)) {
    nameFiles.remove->setEnabled(true);
    parkFocus();
    return;
  }
  names_.setRows(1);
  names_.setRows(2);
  group_.load({});
  showNames();
  const QString file = values().file(DataFolder::Names, name + QStringLiteral(".txt"));
  removeFilesOrReport({file});
  if (name == currentList_) currentList_.clear();
  refreshNameLists();
  parkFocus();
}

void GroupScreen::cmdAfdrukken_Click() {
  hide();
  setEnabled(false);
  const bool chosen = choosePrinter(*this);
  if (chosen) printGrid(*this, groups_, QString(), false);
  setEnabled(true);
  show();
  if (!chosen) {
    unsetCursor();
    cmdAfdrukken->setEnabled(true);
  }
  parkFocus();
}

}  // namespace mervalo
