#include "event/screens/eventstartscreen.h"

#include <QDir>
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
#include <QRadioButton>
#include <QScrollBar>
#include <QVBoxLayout>

#include "app/fileops.h"
#include "app/screens/filepanel.h"
#include "app/textfile.h"
#include "event/eventmodel.h"
#include "event/eventstart.h"
#include "event/movement.h"
#include "players/groupfile.h"

namespace mervalo {

namespace {

constexpr int kDefaultRounds = 6;
constexpr int kDefaultBoards = 4;

QString currentName(const QListWidget* list) {
  const QListWidgetItem* item = list->currentItem();
  return item && item->isSelected() ? item->text() : QString();
}

}  // namespace

EventStartScreen::EventStartScreen(AppContext& ctx, Screen* opener) : Screen(ctx, opener) {
  setObjectName(QStringLiteral("frmMervalo04"));
  auto* top = new QGridLayout(this);

  // Group files and event files side by side, the event data below them.
  groupFiles = makeFilePanel(this, "fraGroepBestanden", "lstGroepBestand", "chkSorteerGroepen", "cmdWisGroepen");
  top->addWidget(groupFiles.frame, 0, 0);
  eventFiles = makeFilePanel(this, "fraInvoer", "lstInvoer", "chkSorteerInvoer", "cmdWisInvoer");
  top->addWidget(eventFiles.frame, 0, 1);

  fraInfo = makeNamed<QGroupBox>(this, "fraInfo");
  auto* info = new QGridLayout(fraInfo);
  const auto makeLabel = [this](QWidget* parent, const char* name) {
    auto* l = new QLabel(parent);
    l->setObjectName(QString::fromLatin1(name));
    return l;
  };
  lblGroepInfo = makeLabel(fraInfo, "lblGroepInfo");
  lblGroep = makeLabel(fraInfo, "lblGroep");
  lblGroep->setWordWrap(true);  // a long group name wraps inside the frame
  lblParenInfo = makeLabel(fraInfo, "lblParenInfo");
  lblParen = makeLabel(fraInfo, "lblParen");
  lblStilzitInfo = makeLabel(fraInfo, "lblStilzitInfo");
  lblStilzit = makeLabel(fraInfo, "lblStilzit");
  info->addWidget(lblGroepInfo, 0, 0);
  info->addWidget(lblGroep, 0, 1, 1, 2);
  info->addWidget(lblParenInfo, 1, 0);
  info->addWidget(lblParen, 1, 1, 1, 2);
  info->addWidget(lblStilzitInfo, 2, 0);
  info->addWidget(lblStilzit, 2, 1, 1, 2);

  const auto makeNumber = [this](QWidget* parent, const char* name) {
    auto* t = new QLineEdit(parent);
    t->setObjectName(QString::fromLatin1(name));
    t->setReadOnly(true);
    t->setFocusPolicy(Qt::NoFocus);  // it only shows the number; the scroll bar sets it
    t->setAlignment(Qt::AlignCenter);
    t->setMaximumWidth(48);
    return t;
  };
  lblRonden = makeLabel(fraInfo, "lblRonden");
  txtRonden = makeNumber(fraInfo, "txtRonden");
  vscrRonden = new QScrollBar(Qt::Vertical, fraInfo);
  vscrRonden->setObjectName(QStringLiteral("vscrRonden"));
  lblSpellen = makeLabel(fraInfo, "lblSpellen");
  txtSpellen = makeNumber(fraInfo, "txtSpellen");
  vscrSpellen = new QScrollBar(Qt::Vertical, fraInfo);
  vscrSpellen->setObjectName(QStringLiteral("vscrSpellen"));
  for (QScrollBar* s : {vscrRonden, vscrSpellen}) {
    s->setFixedHeight(40);
    s->setPageStep(1);
  }
  lblRonden->setBuddy(vscrRonden);
  lblSpellen->setBuddy(vscrSpellen);
  // Each number keeps its scroll bar right beside it, however long the group's name is.
  const auto numberWithBar = [info](int row, QLabel* label, QLineEdit* number, QScrollBar* bar) {
    auto* pair = new QHBoxLayout;
    pair->setSpacing(0);
    pair->addWidget(number);
    pair->addWidget(bar);
    pair->addStretch(1);
    info->addWidget(label, row, 0);
    info->addLayout(pair, row, 1, 1, 2);
  };
  numberWithBar(3, lblRonden, txtRonden, vscrRonden);
  numberWithBar(4, lblSpellen, txtSpellen, vscrSpellen);
  top->addWidget(fraInfo, 1, 0);

  fraSchema = makeNamed<QGroupBox>(this, "fraSchema");
  auto* schemaBox = new QVBoxLayout(fraSchema);
  lstSchema = makeNamed<QListWidget>(fraSchema, "lstSchema");
  lstSchema->setSelectionMode(QAbstractItemView::SingleSelection);
  schemaBox->addWidget(lstSchema);
  top->addWidget(fraSchema, 1, 1);

  fraScoreInvoer = makeNamed<QGroupBox>(this, "fraScoreInvoer");
  auto* modeBox = new QHBoxLayout(fraScoreInvoer);
  for (int i = 0; i < 2; ++i) {
    optInvoer[i] = new QRadioButton(fraScoreInvoer);
    optInvoer[i]->setObjectName(QStringLiteral("optInvoer_%1").arg(i));
    modeBox->addWidget(optInvoer[i]);
  }
  top->addWidget(fraScoreInvoer, 2, 0, 1, 2);

  auto* buttons = new QHBoxLayout;
  cmdStart = makeNamed<QPushButton>(this, "cmdStart");
  cmdTerug = makeNamed<QPushButton>(this, "cmdTerug");
  buttons->addStretch();
  buttons->addWidget(cmdStart);
  buttons->addWidget(cmdTerug);
  top->addLayout(buttons, 3, 0, 1, 2);
  makeFocusSink(QStringLiteral("cmdSetfocus"));

  connect(groupFiles.list, &QListWidget::itemSelectionChanged, this, &EventStartScreen::lstGroepBestand_Click);
  connect(eventFiles.list, &QListWidget::itemSelectionChanged, this, &EventStartScreen::lstInvoer_Click);
  connect(lstSchema, &QListWidget::itemSelectionChanged, this, &EventStartScreen::lstSchema_Click);
  connect(vscrRonden, &QScrollBar::valueChanged, this, &EventStartScreen::vscrRonden_Change);
  connect(vscrSpellen, &QScrollBar::valueChanged, this, &EventStartScreen::vscrSpellen_Change);
  connect(optInvoer[0], &QRadioButton::clicked, this, [this] { optInvoer_Click(0); });
  connect(optInvoer[1], &QRadioButton::clicked, this, [this] { optInvoer_Click(1); });
  connect(cmdStart, &QPushButton::clicked, this, &EventStartScreen::cmdStart_Click);
  connect(cmdTerug, &QPushButton::clicked, this, &EventStartScreen::cmdTerug_Click);
  connect(groupFiles.remove, &QPushButton::clicked, this, &EventStartScreen::cmdWisGroepen_Click);
  connect(eventFiles.remove, &QPushButton::clicked, this, &EventStartScreen::cmdWisInvoer_Click);
  connect(groupFiles.sort, &QCheckBox::clicked, this, &EventStartScreen::chkSorteerGroepen_Click);
  connect(eventFiles.sort, &QCheckBox::clicked, this, &EventStartScreen::chkSorteerInvoer_Click);

  closeOnKeys(EscapeKey::ClosesOnPress, false, [this] { cmdTerug_Click(); });
  formLoad();
}

void EventStartScreen::formLoad() {
  setWindowTitle(text(48));
  groupFiles.setTexts(text(31), text(12), text(38));
  eventFiles.setTexts(text(56), text(12), QLatin1Char('&') + text(57));
  fraInfo->setTitle(text(49));
  fraSchema->setTitle(text(55));
  fraScoreInvoer->setTitle(text(66));
  groupFiles.list->setAccessibleName(text(31));
  eventFiles.list->setAccessibleName(text(56));
  lstSchema->setAccessibleName(text(55));
  lblGroepInfo->setText(text(30) + QStringLiteral(": "));
  lblParenInfo->setText(text(52) + QStringLiteral(": "));
  lblStilzitInfo->setText(text(53) + QStringLiteral(": "));
  lblRonden->setText(text(50));
  lblSpellen->setText(text(51));
  vscrRonden->setAccessibleName(text(50));
  vscrSpellen->setAccessibleName(text(51));
  txtRonden->setAccessibleName(text(50));
  txtSpellen->setAccessibleName(text(51));
  optInvoer[0]->setText(text(67));
  optInvoer[1]->setText(text(68));
  cmdStart->setText(QLatin1Char('&') + text(69));
  cmdTerug->setText(QLatin1Char('&') + text(11));

  const QString word = text(125);
  QStringList failed;
  renameDatedFiles(values().folder(DataFolder::Groups), word, values().language, &failed);
  renameDatedFiles(values().folder(DataFolder::Events), word, values().language, &failed);
  // A file that keeps its old name is still listed under it; the organiser hears why.
  for (const QString& f : failed) inform(message(182).replace(QLatin1Char('~'), QDir::toNativeSeparators(f)));
  fillGroupFiles();
  fillEventFiles();

  for (int r = kMaxRounds; r >= kMinRounds; --r) lstRondeNummers.append(QString::number(r));
  for (int b = kMaxBoardsPerRound; b >= kMinBoardsPerRound; --b) lstSpelNummers.append(QString::number(b));
  // One step beyond either end is allowed so that the change handlers can wrap around.
  settingScrollBars_ = true;
  vscrRonden->setRange(-1, static_cast<int>(lstRondeNummers.size()));
  vscrSpellen->setRange(-1, static_cast<int>(lstSpelNummers.size()));
  settingScrollBars_ = false;
  setRoundsIndex(static_cast<int>(lstRondeNummers.indexOf(QString::number(kDefaultRounds))));
  setBoardsIndex(static_cast<int>(lstSpelNummers.indexOf(QString::number(kDefaultBoards))));

  entryMode_ = readStartMode(values().programFolder);
  optInvoer[entryMode_]->setChecked(true);
  centreOnScreen();
}

void EventStartScreen::formActivate() {
  settingLists_ = true;
  groupFiles.list->clearSelection();
  eventFiles.list->clearSelection();
  lstSchema->clear();
  settingLists_ = false;
  fraSchema->setEnabled(true);
  fraScoreInvoer->setEnabled(false);
  optInvoer[0]->setEnabled(true);
  optInvoer[1]->setEnabled(true);
  cmdStart->setEnabled(false);
  eventFiles.remove->setEnabled(false);
  groupFiles.remove->setEnabled(false);
  clearInfo();
  parkFocus();
}

void EventStartScreen::fillGroupFiles() {
  settingLists_ = true;
  groupFiles.list->clear();
  groupFiles.list->addItems(
      listNamedFiles(values().folder(DataFolder::Groups), text(125), groupFiles.sort->isChecked()));
  settingLists_ = false;
}

void EventStartScreen::fillEventFiles() {
  settingLists_ = true;
  eventFiles.list->clear();
  eventFiles.list->addItems(listNamedFiles(values().folder(DataFolder::Events), text(125), eventFiles.sort->isChecked()));
  settingLists_ = false;
}

void EventStartScreen::clearInfo() {
  lblGroep->clear();
  lblParen->clear();
  lblStilzit->clear();
}

// The rounds and the boards are each picked with a box and a scroll bar beside it that steps
// through the choices and goes round at either end.
void EventStartScreen::showPick(QScrollBar* bar, QLineEdit* box, const QStringList& choices, int index) {
  settingScrollBars_ = true;
  bar->setValue(index);
  settingScrollBars_ = false;
  box->setText(choices.value(index));
}

void EventStartScreen::stepPick(QScrollBar* bar, QLineEdit* box, const QStringList& choices, int value) {
  const int last = static_cast<int>(choices.size()) - 1;
  if (value < 0 || value > last)
    showPick(bar, box, choices, value < 0 ? last : 0);
  else
    box->setText(choices.value(value));
}

void EventStartScreen::setRoundsIndex(int index) { showPick(vscrRonden, txtRonden, lstRondeNummers, index); }

void EventStartScreen::setBoardsIndex(int index) { showPick(vscrSpellen, txtSpellen, lstSpelNummers, index); }

void EventStartScreen::rebuildSchemaList() {
  settingLists_ = true;
  lstSchema->clear();
  const int pairs = lblParen->text().toInt();
  const int rounds = txtRonden->text().toInt();
  if (pairs > 0 && rounds > 0) lstSchema->addItems(listSchemas(values().programFolder, values().language, pairs, rounds));
  settingLists_ = false;
}

void EventStartScreen::setStartControls(bool enabled) {
  fraScoreInvoer->setEnabled(enabled);
  optInvoer[0]->setEnabled(enabled);
  optInvoer[1]->setEnabled(enabled);
  cmdStart->setEnabled(enabled);
}

void EventStartScreen::lstGroepBestand_Click() {
  if (settingLists_) return;
  const QString name = currentName(groupFiles.list);
  if (name.isEmpty()) return;
  const auto deselect = [this] {
    settingLists_ = true;
    groupFiles.list->clearSelection();
    settingLists_ = false;
    parkFocus();
  };
  if (!name.contains(text(125))) {
    inform(message(126).replace(QLatin1Char('~'), text(125)));
    deselect();
    return;
  }
  lblGroep->setText(name);
  const QString resultWord = text(70);
  const QString eventPath = values().file(DataFolder::Events, eventFileNameForGroup(name, resultWord));
  if (fileState(eventPath) == FileState::Filled) {
    inform(message(102).replace(QLatin1Char('~'), name));
    deselect();
    lblGroep->clear();
    return;
  }
  values().groupFileName = name + QStringLiteral(".txt");
  values().eventFileName.clear();
  setRoundsIndex(static_cast<int>(lstRondeNummers.indexOf(QString::number(kDefaultRounds))));
  setBoardsIndex(static_cast<int>(lstSpelNummers.indexOf(QString::number(kDefaultBoards))));
  lblParen->clear();
  lblStilzit->clear();

  const QString groupPath = values().file(DataFolder::Groups, values().groupFileName);
  if (fileState(groupPath) == FileState::Filled) {
    settingLists_ = true;
    eventFiles.list->clearSelection();
    settingLists_ = false;
    fraSchema->setEnabled(true);
    const auto group = readGroup(groupPath);
    const int pairs = group ? group->pairCount() : 0;
    // Nothing to start from: say so instead of offering an event without pairs.
    if (!group) {
      inform(message(179).replace(QLatin1Char('~'), values().groupFileName).replace(QLatin1Char('#'), QStringLiteral("-")));
    } else if (pairs == 0) {
      inform(message(180).replace(QLatin1Char('~'), name));
    } else if (pairs > kMaxPairs) {
      inform(message(179).replace(QLatin1Char('~'), values().groupFileName)
                 .replace(QLatin1Char('#'), QStringLiteral("%1 > %2").arg(pairs).arg(kMaxPairs)));
    } else {
      lblParen->setText(QString::number(pairs));
      lblStilzit->setText(group->sitOutPair() > 0 ? QString::number(group->sitOutPair()) : text(54));
    }
  } else {
    inform(message(180).replace(QLatin1Char('~'), name));
  }
  fraInfo->setEnabled(true);
  groupFiles.remove->setEnabled(true);
  rebuildSchemaList();
  setStartControls(false);
  parkFocus();
}

void EventStartScreen::lstInvoer_Click() {
  if (settingLists_) return;
  const QString name = currentName(eventFiles.list);
  if (name.isEmpty()) return;
  const QString resultWord = text(70);
  const auto deselect = [this] {
    settingLists_ = true;
    eventFiles.list->clearSelection();
    settingLists_ = false;
    parkFocus();
  };
  if (!name.contains(resultWord)) {
    inform(message(124).replace(QLatin1Char('~'), resultWord));
    deselect();
    return;
  }
  // The header decides how the event is entered: a file whose header cannot be read is
  // reported here. Damage further down is the entry screen's to show, which keeps what it can.
  const QString fileName = name + QStringLiteral(".txt");
  const auto lines = readTextLines(values().file(DataFolder::Events, fileName));
  EventFileError error;
  std::optional<EventModel> event;
  if (!lines)
    error = EventFileError{fileName, 0, QStringLiteral("the file cannot be opened")};
  else
    event = EventModel::fromLines(*lines, fileName, &error);
  if (!event) {
    // Left selected so that the damaged file can be deleted.
    inform(message(179).replace(QLatin1Char('~'), fileName).replace(QLatin1Char('#'), error.describe()));
    clearInfo();
    lstSchema->clear();
    setStartControls(false);
    eventFiles.remove->setEnabled(true);  // a damaged event may still be deleted
    return;
  }
  const EventHeader& h = event->header();

  settingLists_ = true;
  groupFiles.list->clearSelection();
  settingLists_ = false;
  const QString group = groupNameOfEvent(name, resultWord);
  values().groupFileName = group + QStringLiteral(".txt");
  values().eventFileName = fileName;
  lblGroep->setText(group);
  lblParen->setText(QString::number(h.pairs));
  lblStilzit->setText(h.sitOut > 0 ? QString::number(h.sitOut) : h.noSitOut);
  setRoundsIndex(static_cast<int>(lstRondeNummers.indexOf(QString::number(h.rounds))));
  setBoardsIndex(static_cast<int>(lstSpelNummers.indexOf(QString::number(h.boardsPerRound))));
  rebuildSchemaList();
  setStartControls(false);
  const int found = listSearch([this] {
    QStringList names;
    for (int i = 0; i < lstSchema->count(); ++i) names.append(lstSchema->item(i)->text());
    return names;
  }(), h.schemaName, false);
  if (found >= 0) {
    lstSchema->setCurrentRow(found);  // selected as by a click
  } else {
    inform(message(181).replace(QLatin1Char('~'), h.schemaName));
  }
  entryMode_ = h.entryMode;
  optInvoer[entryMode_]->setChecked(true);
  optInvoer[0]->setEnabled(false);
  optInvoer[1]->setEnabled(false);
  fraSchema->setEnabled(false);
  fraInfo->setEnabled(true);
  eventFiles.remove->setEnabled(true);
  groupFiles.remove->setEnabled(false);
  parkFocus();
}

void EventStartScreen::vscrRonden_Change(int value) {
  if (settingScrollBars_) return;
  stepPick(vscrRonden, txtRonden, lstRondeNummers, value);
  rebuildSchemaList();
  setStartControls(false);
  parkFocus();
}

void EventStartScreen::vscrSpellen_Change(int value) {
  if (settingScrollBars_) return;
  stepPick(vscrSpellen, txtSpellen, lstSpelNummers, value);
  parkFocus();
}

void EventStartScreen::lstSchema_Click() {
  if (settingLists_) return;
  const bool chosen = !lstSchema->selectedItems().isEmpty();
  // While an event is reopened its mode is fixed: only Start follows the schema.
  if (fraSchema->isEnabled()) {
    setStartControls(chosen);
  } else {
    cmdStart->setEnabled(chosen);
    fraScoreInvoer->setEnabled(chosen);
  }
}

void EventStartScreen::optInvoer_Click(int index) { entryMode_ = index; }

void EventStartScreen::cmdStart_Click() {
  const QList<QListWidgetItem*> chosen = lstSchema->selectedItems();
  if (chosen.isEmpty()) return;
  writeStartMode(values().programFolder, entryMode_);
  const QString resultWord = text(70);
  if (values().eventFileName.isEmpty()) values().eventFileName = newEventFileName(values().groupFileName, resultWord);
  const QString eventPath = values().file(DataFolder::Events, values().eventFileName);

  EventHeader h;
  h.title = lblGroep->text() + QLatin1Char(' ') + resultWord;
  h.pairs = lblParen->text().toInt();
  h.sitOut = lblStilzit->text().toInt();
  h.noSitOut = text(54);
  h.rounds = txtRonden->text().toInt();
  h.boardsPerRound = txtSpellen->text().toInt();
  h.schemaName = chosen.first()->text();
  h.entryMode = entryMode_;
  if (!writeNewEvent(eventPath, h)) {
    inform(message(182).replace(QLatin1Char('~'), values().eventFileName));
    values().eventFileName.clear();
    return;
  }

  // The entry screen takes this screen's place: its opener is the main menu.
  const ScreenId entryScreen = entryMode_ == kEntryPerRound ? ScreenId::RoundEntry : ScreenId::BoardEntry;
  Screen* menu = opener();
  AppContext& context = ctx();
  close();
  if (!context.hasScreen(entryScreen)) return;
  if (menu)
    menu->openChild(entryScreen);
  else
    context.open(entryScreen, nullptr);
}

// Removes the file chosen in panel (in folder) once the user agrees to the question (its "~"
// the file's name); the remove button is off again either way. False: nothing was removed.
bool EventStartScreen::removeChosen(const FilePanel& panel, DataFolder folder, int question) {
  const QString name = currentName(panel.list);
  panel.remove->setEnabled(false);
  if (name.isEmpty()) return false;
  if (!askYesNo(message(question).replace(QLatin1Char('~'), name))) {
    parkFocus();
    return false;
  }
  removeFilesOrReport({values().file(folder, name + QStringLiteral(".txt"))});
  return true;
}

void EventStartScreen::cmdWisGroepen_Click() {
  if (!removeChosen(groupFiles, DataFolder::Groups, 47)) return;
  fillGroupFiles();
  clearInfo();
  lstSchema->clear();
  setStartControls(false);
  parkFocus();
}

void EventStartScreen::cmdWisInvoer_Click() {
  if (!removeChosen(eventFiles, DataFolder::Events, 65)) return;
  fillEventFiles();
  lstSchema->clear();
  setStartControls(false);
  fraSchema->setEnabled(true);
  optInvoer[0]->setEnabled(true);
  optInvoer[1]->setEnabled(true);
  clearInfo();
  values().eventFileName.clear();
  parkFocus();
}

void EventStartScreen::chkSorteerGroepen_Click() {
  groupFiles.sort->setText(text(groupFiles.sort->isChecked() ? 13 : 12));
  fillGroupFiles();
  parkFocus();
}

void EventStartScreen::chkSorteerInvoer_Click() {
  eventFiles.sort->setText(text(eventFiles.sort->isChecked() ? 13 : 12));
  fillEventFiles();
  parkFocus();
}

void EventStartScreen::cmdTerug_Click() { close(); }

}  // namespace mervalo
