#include "namelistscreen.h"

#include <QApplication>
#include <QCheckBox>
#include <QFile>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QShortcut>
#include <QTableWidget>
#include <QVBoxLayout>

#include "app/fileops.h"
#include "app/screens/gridview.h"
#include "players/gridsort.h"
#include "app/screens/fastmeasure.h"
#include "players/namelist.h"

namespace mervalo {

namespace {
constexpr int kCols = 5;
constexpr int kMaxLength[3] = {50, 150, 150};
const EntryBox kBoxKind[3] = {EntryBox::Name, EntryBox::Name, EntryBox::Email};

bool rowHasData(const Grid& g, int r) {
  QString joined;
  for (int c = 1; c < g.cols(); ++c) joined += g.text(r, c);
  return !joined.trimmed().isEmpty();
}
}  // namespace

NameListScreen::NameListScreen(AppContext& ctx, Screen* opener) : Screen(ctx, opener) {
  setObjectName(QStringLiteral("frmMervalo02"));

  nameFiles = makeFilePanel(this, "fraNamenBestand", "lstNamenBestand", "chkSorteer", "cmdWissen");
  cmdTerug = makeNamed<QPushButton>(nameFiles.frame, "cmdTerug");
  nameFiles.frame->layout()->addWidget(cmdTerug);

  fraInvoer = makeNamed<QGroupBox>(this, "fraInvoer");
  auto* entry = new QGridLayout(fraInvoer);
  for (int i = 0; i < 3; ++i) {
    lblNaam[i] = new QLabel(fraInvoer);
    lblNaam[i]->setObjectName(QStringLiteral("lblNaam_%1").arg(i));
    txtNaam[i] = new QLineEdit(fraInvoer);
    txtNaam[i]->setObjectName(QStringLiteral("txtNaam_%1").arg(i));
    txtNaam[i]->setMaxLength(kMaxLength[i]);
    txtNaam[i]->installEventFilter(this);
    lblNaam[i]->setBuddy(txtNaam[i]);
    entry->addWidget(lblNaam[i], i, 0);
    entry->addWidget(txtNaam[i], i, 1, 1, 3);
  }
  auto* titles = new QHBoxLayout;
  for (int i = 0; i < 2; ++i) {
    chkTitel[i] = new QCheckBox(fraInvoer);
    chkTitel[i]->setObjectName(QStringLiteral("chkTitel_%1").arg(i));
    titles->addWidget(chkTitel[i]);
  }
  lblTitel = makeNamed<QLabel>(fraInvoer, "lblTitel");
  lblTitel->setStyleSheet(QStringLiteral("color: red;"));
  titles->addWidget(lblTitel);
  titles->addStretch();
  cmdToevoegen = makeNamed<QPushButton>(fraInvoer, "cmdToevoegen");
  titles->addWidget(cmdToevoegen);
  entry->addLayout(titles, 3, 0, 1, 4);
  msfgNamen = makeNamed<QTableWidget>(fraInvoer, "msfgNamen");
  msfgNamen->setEditTriggers(QAbstractItemView::NoEditTriggers);
  msfgNamen->setSelectionBehavior(QAbstractItemView::SelectRows);
  msfgNamen->setSelectionMode(QAbstractItemView::SingleSelection);
  msfgNamen->setMinimumSize(560, 300);
  entry->addWidget(msfgNamen, 4, 0, 1, 4);
  lblNaamBestand = makeNamed<QLabel>(fraInvoer, "lblNaamBestand");
  txtNaamBestand = makeNamed<QLineEdit>(fraInvoer, "txtNaamBestand");
  txtNaamBestand->setMaxLength(100);
  txtNaamBestand->installEventFilter(this);
  lblNaamBestand->setBuddy(txtNaamBestand);
  cmdOpslaan = makeNamed<QPushButton>(fraInvoer, "cmdOpslaan");
  entry->addWidget(lblNaamBestand, 5, 0);
  entry->addWidget(txtNaamBestand, 5, 1, 1, 2);
  entry->addWidget(cmdOpslaan, 5, 3);

  auto* main = new QHBoxLayout(this);
  main->addWidget(nameFiles.frame, 1);
  main->addWidget(fraInvoer, 3);

  // The tab order follows the screen: entry boxes first, then the list and the file side.
  setTabChain({txtNaam[0], txtNaam[1], txtNaam[2], chkTitel[0], chkTitel[1], cmdToevoegen, msfgNamen, txtNaamBestand,
               cmdOpslaan, nameFiles.list, nameFiles.sort, nameFiles.remove, cmdTerug});

  connect(cmdTerug, &QPushButton::clicked, this, &QWidget::close);
  connect(nameFiles.sort, &QCheckBox::clicked, this, &NameListScreen::chkSorteer_Click);
  connect(nameFiles.remove, &QPushButton::clicked, this, &NameListScreen::cmdWissen_Click);
  connect(cmdToevoegen, &QPushButton::clicked, this, &NameListScreen::cmdToevoegen_Click);
  connect(cmdOpslaan, &QPushButton::clicked, this, &NameListScreen::cmdOpslaan_Click);
  connect(nameFiles.list, &QListWidget::itemClicked, this, &NameListScreen::lstNamenBestand_Click);
  connect(nameFiles.list, &QListWidget::itemActivated, this, &NameListScreen::lstNamenBestand_Click);
  connect(msfgNamen, &QTableWidget::cellPressed, this, &NameListScreen::msfgNamen_MouseDown);
  connect(msfgNamen, &QTableWidget::cellClicked, this, [this](int row, int) { msfgNamen_Click(row); });
  for (int i = 0; i < 2; ++i)
    connect(chkTitel[i], &QCheckBox::toggled, this, [this, i] { chkTitel_Click(i); });
  for (int i = 0; i < 3; ++i) {
    connect(txtNaam[i], &QLineEdit::textChanged, this, &NameListScreen::txtNaam_Change);
    connect(txtNaam[i], &QLineEdit::textEdited, this, [this, i] { txtNaam_Edited(i); });
  }
  connect(txtNaamBestand, &QLineEdit::textChanged, this, &NameListScreen::txtNaamBestand_Change);
  // Pasted or dropped text obeys the same refusals as typed keys; what the program puts in a
  // box itself (a list's name, a player read from a file) stays as it is.
  const auto holdToRefusals = [this](QLineEdit* box, EntryBox kind) {
    connect(box, &QLineEdit::textEdited, this, [this, box, kind](const QString& t) {
      // A list name may be written with its ".txt", which is taken off when it is saved.
      const qsizetype txt = kind == EntryBox::FileName ? t.indexOf(QLatin1String(".txt"), 0, Qt::CaseInsensitive) : -1;
      const QString kept = txt < 0 ? withoutRefused(kind, text(43), t)
                                   : withoutRefused(kind, text(43), t.left(txt)) + t.mid(txt, 4) +
                                         withoutRefused(kind, text(43), t.mid(txt + 4));
      if (kept != t) box->setText(kept);
    });
  };
  holdToRefusals(txtNaamBestand, EntryBox::FileName);
  for (int i = 0; i < 3; ++i) holdToRefusals(txtNaam[i], kBoxKind[i]);
  closeOnKeys(EscapeKey::ClosesOnPress, true);

  formLoad();
}

void NameListScreen::formLoad() {
  setWindowTitle(text(8));
  makeFocusSink(QStringLiteral("cmdSetfocus"));
  nameFiles.setTexts(text(9), QLatin1Char('&') + text(12), QLatin1Char('&') + text(10));
  cmdTerug->setText(QLatin1Char('&') + text(11));
  fraInvoer->setTitle(text(19) + QLatin1Char(':'));
  const int labels[3] = {14, 15, 137};
  for (int i = 0; i < 3; ++i) {
    lblNaam[i]->setText(text(labels[i]) + QLatin1Char(':'));
    txtNaam[i]->setAccessibleName(text(labels[i]));
  }
  chkTitel[0]->setText(text(20));
  chkTitel[1]->setText(text(21));
  lblTitel->setText(text(140));
  cmdToevoegen->setText(text(17));
  lblNaamBestand->setText(text(22) + QLatin1String(": "));
  txtNaamBestand->setAccessibleName(text(22));
  cmdOpslaan->setText(QLatin1Char('&') + text(18));
  msfgNamen->setAccessibleName(text(19));
  nameFiles.list->setAccessibleName(text(9));

  for (QWidget* w : std::initializer_list<QWidget*>{nameFiles.remove, cmdOpslaan, cmdToevoegen, lblNaamBestand, txtNaamBestand})
    w->setEnabled(false);
  lblTitel->setVisible(false);

  refreshFileList();
  grid_.resize(2, kCols);
  grid_.setFixedRows(1);
  grid_.setFixedCols(1);
  const QStringList heading = defaultNameHeading(text(16), text(20), text(21), text(14), text(15), text(137));
  for (int c = 0; c < kCols; ++c) grid_.setText(0, c, heading[c]);
  grid_.setAlignment(0, 0, kAlignCenterCenter);
  showNames();
  resize(900, 520);
  centreOnScreen();
}

void NameListScreen::formActivate() { parkFocus(); }

void NameListScreen::refreshFileList() {
  nameFiles.list->clear();
  nameFiles.list->addItems(listFileNames(values().folder(DataFolder::Names), QStringLiteral("*.txt"),
                                          nameFiles.sort->isChecked()));
}

void NameListScreen::showNames() {
  fitColumns(grid_, measure_, false);
  showGrid(grid_, msfgNamen);
}

void NameListScreen::renumber() {
  for (int r = 1; r < grid_.rows(); ++r) {
    if (!rowHasData(grid_, r)) continue;
    grid_.setText(r, 0, QString::number(r));
    grid_.setAlignment(r, 0, kAlignCenterCenter);
  }
  lblNaamBestand->setEnabled(true);
  txtNaamBestand->setEnabled(true);
  cmdOpslaan->setEnabled(!txtNaamBestand->text().trimmed().isEmpty());
}

void NameListScreen::sortOnColumn(int col) {
  int last = grid_.rows() - 1;
  // The empty entry row stays last.
  if (last >= 1 && !rowHasData(grid_, last) && grid_.text(last, 0).isEmpty()) --last;
  sortRowsAscending(grid_, 1, last, col);
}

void NameListScreen::resetGrid() {
  grid_.setRows(1);
  grid_.setRows(2);
  showNames();
}

void NameListScreen::updateAddState() {
  const bool names = !txtNaam[0]->text().trimmed().isEmpty() && !txtNaam[1]->text().trimmed().isEmpty();
  const bool title = chkTitel[0]->isChecked() || chkTitel[1]->isChecked();
  // The hint asks for a title only once both names are there.
  lblTitel->setVisible(names && !title);
  cmdToevoegen->setEnabled(names && title);
}

void NameListScreen::chkSorteer_Click() {
  nameFiles.sort->setText(nameFiles.sort->isChecked() ? text(13) : text(12));
  refreshFileList();
  parkFocus();
}

void NameListScreen::cmdToevoegen_Click() {
  const int row = grid_.rows() - 1;
  for (int i = 0; i < 3; ++i) {
    grid_.setText(row, 2 + i, cleanField(txtNaam[i]->text().trimmed()));
    txtNaam[i]->clear();
  }
  QString title;
  if (chkTitel[0]->isChecked()) title = chkTitel[0]->text();
  if (chkTitel[1]->isChecked()) title = chkTitel[1]->text();
  grid_.setText(row, 1, title);
  chkTitel[0]->setChecked(false);
  chkTitel[1]->setChecked(false);
  sortRowsAscending(grid_, 1, grid_.rows() - 1, 3);
  renumber();
  grid_.setRows(grid_.rows() + 1);
  showNames();
  safeFocus(txtNaam[0]);
}

void NameListScreen::lstNamenBestand_Click() {
  QListWidgetItem* item = nameFiles.list->currentItem();
  if (!item) return;
  const QString name = item->text();
  const auto list = readNameList(values().file(DataFolder::Names, name + QStringLiteral(".txt")));
  if (!list) {
    // Unreadable: the screen stays as it was.
    QString msg = message(179);
    msg.replace(QLatin1Char('~'), name).replace(QLatin1Char('#'), values().file(DataFolder::Names, name + QStringLiteral(".txt")));
    inform(msg);
    return;
  }
  nameFiles.remove->setEnabled(true);
  fraInvoer->setTitle(text(19) + QLatin1String(": ") + name);
  grid_.setRows(1);
  for (int c = 0; c < kCols; ++c) grid_.setText(0, c, list->heading.value(c));
  grid_.setAlignment(0, 0, kAlignCenterCenter);
  grid_.setRows(1 + static_cast<int>(list->players.size()));
  for (int i = 0; i < list->players.size(); ++i) {
    for (int c = 0; c < kCols; ++c) grid_.setText(i + 1, c, list->players[i].value(c));
    grid_.setAlignment(i + 1, 0, kAlignCenterCenter);
  }
  sortRowsAscending(grid_, 1, grid_.rows() - 1, 3);
  grid_.setRows(grid_.rows() + 1);
  renumber();
  showNames();
  loadedList_ = name;
  // A list that could not be taken whole is not offered for saving under its own name.
  txtNaamBestand->setText(list->complete ? name : QString());
  parkFocus();
}

void NameListScreen::cmdOpslaan_Click() {
  cmdOpslaan->setEnabled(false);
  bool typed = false;
  for (QLineEdit* box : txtNaam) typed = typed || !box->text().trimmed().isEmpty();
  if (typed && askYesNo(message(138))) {
    cmdToevoegen_Click();
    cmdOpslaan->setEnabled(true);
    cmdOpslaan_Click();
    return;
  }
  const QString name = nameBeforeTxt(txtNaamBestand->text()).trimmed();
  txtNaamBestand->clear();
  txtNaamBestand->setEnabled(false);
  lblNaamBestand->setEnabled(false);
  const QString folder = values().folder(DataFolder::Names);
  const QString file = folder + QLatin1Char('/') + name + QStringLiteral(".txt");
  auto keepEditing = [&] {
    lblNaamBestand->setEnabled(true);
    txtNaamBestand->setEnabled(true);
    txtNaamBestand->setText(name);
    refreshFileList();
    parkFocus();
  };
  if (name.isEmpty()) {
    keepEditing();
    return;
  }
  if (fileState(file) == FileState::Filled) {
    QString question = message(26);
    question.replace(QLatin1Char('~'), name);
    if (!askYesNo(question)) {
      keepEditing();
      return;
    }
  }
  nameFiles.remove->setEnabled(false);
  QStringList lines;
  for (int r = 0; r <= grid_.rows() - 2; ++r) lines << grid_.rowTexts(r).join(QLatin1Char('|'));
  makeFolder(folder);
  if (!writeNameList(folder, name, lines)) {
    // Nothing is lost: the list stays on the screen to be saved again.
    QString msg = message(182);
    msg.replace(QLatin1Char('~'), name + QStringLiteral(".txt"));
    inform(msg);
    keepEditing();
    return;
  }
  resetGrid();
  refreshFileList();
  parkFocus();
}

void NameListScreen::cmdWissen_Click() {
  nameFiles.remove->setEnabled(false);
  QListWidgetItem* item = nameFiles.list->currentItem();
  const QString name = item ? item->text() : loadedList_;
  QString question = message(24);
  question.replace(QLatin1Char('~'), name);
  if (!askYesNo(question)) {
    nameFiles.remove->setEnabled(true);
    parkFocus();
    return;
  }
  resetGrid();
  removeFilesOrReport({values().file(DataFolder::Names, name + QStringLiteral(".txt"))});
  refreshFileList();
  txtNaamBestand->clear();
  txtNaamBestand->setEnabled(false);
  lblNaamBestand->setEnabled(false);
  parkFocus();
}

void NameListScreen::msfgNamen_MouseDown(int row, int col) {
  if (row != 0) return;
  sortOnColumn(col);
  renumber();
  showNames();
  headingPressed_ = true;
}

void NameListScreen::msfgNamen_Click(int row) {
  if (headingPressed_) {
    headingPressed_ = false;
    safeFocus(txtNaam[0]);
    return;
  }
  if (row < 1 || row >= grid_.rows() || !rowHasData(grid_, row)) {
    safeFocus(txtNaam[0]);
    return;
  }
  const QString description = grid_.rowTexts(row).join(QLatin1Char(' ')).trimmed();
  QString question = message(113);
  question.replace(QLatin1Char('~'), description);
  if (askYesNo(question)) {
    grid_.removeRow(row);
  } else {
    const QStringList cells = grid_.rowTexts(row);
    if (!cells[1].isEmpty()) {
      const bool mr = cells[1] == text(20);
      chkTitel[0]->setChecked(mr);
      chkTitel[1]->setChecked(!mr);
    }
    for (int i = 0; i < 3; ++i) txtNaam[i]->setText(cells[2 + i]);
    grid_.removeRow(row);
  }
  renumber();
  showNames();
  safeFocus(txtNaam[0]);
}

void NameListScreen::chkTitel_Click(int index) {
  const int other = 1 - index;
  if (chkTitel[index]->isChecked() && chkTitel[other]->isChecked()) chkTitel[other]->setChecked(false);
  updateAddState();
  parkFocus();
  if (txtNaam[0]->text().trimmed().isEmpty())
    safeFocus(txtNaam[0]);
  else if (txtNaam[1]->text().trimmed().isEmpty())
    safeFocus(txtNaam[1]);
}

void NameListScreen::txtNaam_Change() { updateAddState(); }

void NameListScreen::txtNaam_Edited(int index) {
  if (repairing_) return;
  QLineEdit* box = txtNaam[index];
  const QString repaired = repairEntry(cleanField(box->text()));
  if (repaired == box->text()) return;
  repairing_ = true;
  box->setText(repaired);
  caretToEnd(box);
  repairing_ = false;
}

bool NameListScreen::txtNaam_KeyPress(int index, QKeyEvent* event) {
  QLineEdit* box = txtNaam[index];
  switch (event->key()) {
    case Qt::Key_Return:
    case Qt::Key_Enter: {
      if (index == 2) return true;
      const int other = 1 - index;
      if (txtNaam[other]->text().trimmed().isEmpty())
        caretToEnd(txtNaam[other]);
      else if (!box->text().trimmed().isEmpty())
        cmdToevoegen_Click();
      return true;
    }
    case Qt::Key_Up:
      caretToEnd(txtNaam[(index + 2) % 3]);
      return true;
    case Qt::Key_Down:
      caretToEnd(txtNaam[(index + 1) % 3]);
      return true;
    default:
      break;
  }
  return refuseKey(kBoxKind[index], event, box);
}

void NameListScreen::txtNaamBestand_Change() {
  cmdOpslaan->setEnabled(!txtNaamBestand->text().trimmed().isEmpty());
}

bool NameListScreen::txtNaamBestand_KeyPress(QKeyEvent* event) {
  return refuseKey(EntryBox::FileName, event, txtNaamBestand);
}

bool NameListScreen::refuseKey(EntryBox kind, QKeyEvent* event, QLineEdit* box) {
  // A refused character is not typed; the message lists what this box does not take.
  const QString typed = event->text();
  if (typed.isEmpty() || (event->modifiers() & Qt::ControlModifier)) return false;
  const QString t43 = text(43);
  for (QChar c : typed) {
    if (isRefused(kind, t43, c)) {
      QString msg = message(44);
      msg.replace(QLatin1Char('~'), refusedListForMessage(kind, t43));
      inform(msg, PromptIcon::Information);
      caretToEnd(box);
      return true;
    }
  }
  return false;
}

bool NameListScreen::eventFilter(QObject* watched, QEvent* event) {
  if (event->type() == QEvent::KeyPress) {
    auto* key = static_cast<QKeyEvent*>(event);
    for (int i = 0; i < 3; ++i)
      if (watched == txtNaam[i]) return txtNaam_KeyPress(i, key);
    if (watched == txtNaamBestand) return txtNaamBestand_KeyPress(key);
  }
  return Screen::eventFilter(watched, event);
}

}  // namespace mervalo
