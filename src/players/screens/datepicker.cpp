#include "datepicker.h"

#include <QComboBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QPushButton>
#include <QShortcut>
#include <QVBoxLayout>

#include "players/calendar.h"
#include "app/screens/clicklabel.h"

namespace mervalo {

namespace {
constexpr int kFirstYear = 2012;
constexpr int kYears = 31;
const QString kPlainCell = QStringLiteral("QLabel { background: white; color: black; }");
const QString kMarkedCell = QStringLiteral("QLabel { background: #E0E0E0; color: #FF0000; }");

QStringList parts(const QString& text) {
  QStringList p = text.split(QLatin1Char('|'));
  if (!p.isEmpty() && p.last().isEmpty()) p.removeLast();
  return p;
}
}  // namespace

DatePicker::DatePicker(AppContext& ctx, Screen* opener) : Screen(ctx, opener) {
  setObjectName(QStringLiteral("frmMervalo05"));
  comMaand = makeNamed<QComboBox>(this, "comMaand");
  comJaar = makeNamed<QComboBox>(this, "comJaar");
  comMaand->installEventFilter(this);
  comJaar->installEventFilter(this);
  auto* lists = new QHBoxLayout;
  lists->addWidget(comMaand);
  lists->addWidget(comJaar);

  auto* days = new QGridLayout;
  days->setSpacing(2);
  for (int d = 1; d <= 7; ++d) {
    lblDag[d] = new QLabel(this);
    lblDag[d]->setObjectName(QStringLiteral("lblDag_%1").arg(d));
    lblDag[d]->setAlignment(Qt::AlignCenter);
    days->addWidget(lblDag[d], 0, d - 1);
  }
  for (int i = 1; i <= kCalendarCells; ++i) {
    lblDatum[i] = new ClickLabel(this);
    lblDatum[i]->setObjectName(QStringLiteral("lblDatum_%1").arg(i));
    lblDatum[i]->setAlignment(Qt::AlignCenter);
    lblDatum[i]->setAutoFillBackground(true);
    lblDatum[i]->setMinimumSize(28, 22);
    days->addWidget(lblDatum[i], 1 + (i - 1) / 7, (i - 1) % 7);
    connect(lblDatum[i], &ClickLabel::clicked, this, [this, i] { lblDatum_Click(i); });
  }

  cmdOK = makeNamed<QPushButton>(this, "cmdOK");
  cmdTerug = makeNamed<QPushButton>(this, "cmdTerug");
  auto* buttons = new QHBoxLayout;
  buttons->addStretch();
  buttons->addWidget(cmdOK);
  buttons->addWidget(cmdTerug);

  auto* main = new QVBoxLayout(this);
  main->addLayout(lists);
  main->addLayout(days);
  main->addLayout(buttons);
  main->setSizeConstraint(QLayout::SetFixedSize);

  connect(comMaand, &QComboBox::activated, this, &DatePicker::comMaand_Click);
  connect(comJaar, &QComboBox::activated, this, &DatePicker::comJaar_Click);
  connect(cmdOK, &QPushButton::clicked, this, &DatePicker::cmdOK_Click);
  connect(cmdTerug, &QPushButton::clicked, this, &DatePicker::cmdTerug_Click);
  closeOnKeys(EscapeKey::ClosesOnPress, true, [this] { cmdTerug_Click(); });
  formLoad();
}

void DatePicker::formLoad() {
  loading_ = true;
  setWindowTitle(text(60));
  makeFocusSink(QStringLiteral("cmdFocus"));
  cmdTerug->setText(QLatin1Char('&') + text(11));
  cmdOK->setText(text(59));
  const QStringList dayNames = parts(text(61));
  for (int d = 1; d <= 7; ++d) lblDag[d]->setText(dayNames.value(d - 1));
  comMaand->addItems(parts(text(62)));
  for (int y = 0; y < kYears; ++y) comJaar->addItem(QString::number(kFirstYear + y));
  comMaand->setAccessibleName(text(60));
  comJaar->setAccessibleName(text(60));
  const QDate today = ctx().today();
  comMaand->setCurrentIndex(today.month() - 1);
  const int yearIndex = comJaar->findText(QString::number(today.year()));
  if (yearIndex >= 0) {
    comJaar->setCurrentIndex(yearIndex);
  } else {
    // Outside the list's years the calendar still starts at today.
    comJaar->addItem(QString::number(today.year()));
    comJaar->setCurrentIndex(comJaar->count() - 1);
  }
  day_ = today.day();
  loading_ = false;
  ToonDatum();
  centreOnScreen();
}

int DatePicker::month() const { return comMaand->currentIndex() + 1; }
int DatePicker::year() const { return comJaar->currentText().toInt(); }

QString DatePicker::calendarWord() const {
  QString w = text(60);
  w.remove(QLatin1Char('&'));
  return w;
}

void DatePicker::announce() {
  setWindowTitle(dateText_ + QLatin1String(" (") + calendarWord() + QLatin1Char(')'));
}

void DatePicker::ToonDatum() {
  if (loading_) return;
  const int m = month();
  const int y = year();
  if (m < 1 || m > 12 || y <= 0) return;
  dateText_ = dateText(day_, m, y, text(63));
  const auto cells = monthCells(y, m);
  const bool sixth = needsSixthRow(y, m);
  for (int i = 1; i <= kCalendarCells; ++i) {
    const int d = cells[static_cast<size_t>(i - 1)];
    lblDatum[i]->setText(d ? QString::number(d) : QString());
    if (i > 35) lblDatum[i]->setVisible(sixth);
    const bool marked = d != 0 && d == day_;
    lblDatum[i]->setFrameStyle(marked ? (QFrame::Panel | QFrame::Raised) : QFrame::NoFrame);
    lblDatum[i]->setStyleSheet(marked ? kMarkedCell : kPlainCell);
  }
}

void DatePicker::formActivate() {
  unsetCursor();
  announce();
  parkFocus();
}

void DatePicker::lblDatum_Click(int index) {
  const QString caption = lblDatum[index]->text();
  if (caption.isEmpty()) return;
  day_ = caption.toInt();
  ToonDatum();
  values().sharedDate = dateText_;
  announce();
}

void DatePicker::comMaand_Click() {
  ToonDatum();
  values().sharedDate = dateText_;
  announce();
  parkFocus();
}

void DatePicker::comJaar_Click() { comMaand_Click(); }

void DatePicker::cmdOK_Click() {
  const int m = month();
  const int y = year();
  // A day beyond the month's end (31 and then February) is taken as the month's last day:
  // a group must never be saved under a date that does not exist.
  const int d = std::min(day_, daysInMonth(y, m));
  const QString accepted = dateText(d, m, y, text(63));
  values().sharedDate = accepted;
  terugTag_ = accepted;
  parkFocus();
  cmdTerug_Click();
}

void DatePicker::cmdTerug_Click() { close(); }

bool DatePicker::formQueryUnload() {
  // Closing in any way other than OK is a cancel: the group keeps its old date.
  if (terugTag_.isEmpty()) values().sharedDate.clear();
  return true;
}

bool DatePicker::eventFilter(QObject* watched, QEvent* event) {
  if ((watched == comMaand || watched == comJaar) && event->type() == QEvent::KeyPress) {
    const int key = static_cast<QKeyEvent*>(event)->key();
    if (key == Qt::Key_Escape) return Screen::eventFilter(watched, event);
    // The lists are only chosen from with the mouse.
    if (key != Qt::Key_Tab && key != Qt::Key_Backtab) {
      parkFocus();
      return true;
    }
  }
  return Screen::eventFilter(watched, event);
}

}  // namespace mervalo
