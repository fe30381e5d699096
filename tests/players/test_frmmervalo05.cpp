#include <QComboBox>
#include <QPushButton>

#include "playertest.h"
#include "players/screens/clicklabel.h"
#include "players/screens/frmmervalo05.h"
#include "screentest.h"

using namespace mervalo;
using namespace mervalo::test;

namespace {
class CalendarScreen : public ScreenTest {
 protected:
  CalendarScreen() { ctx.today = [] { return QDate(2026, 12, 3); }; }

  FrmMervalo05* open() {
    screen = new FrmMervalo05(ctx, nullptr);
    screen->showAndActivate();
    return screen;
  }
  ClickLabel* cell(int i) { return child<ClickLabel>(screen, QStringLiteral("lblDatum_%1").arg(i)); }
  void clickDay(int i) { QTest::mouseClick(cell(i), Qt::LeftButton); }
  // Chooses an entry of a list as the mouse does.
  void choose(const char* name, const QString& entry) {
    auto* box = child<QComboBox>(screen, QString::fromLatin1(name));
    const int index = box->findText(entry);
    ASSERT_GE(index, 0) << entry.toStdString();
    box->setCurrentIndex(index);
    emit box->activated(index);
  }
  int filledCells() {
    int n = 0;
    for (int i = 1; i <= 42; ++i) n += cell(i)->text().isEmpty() ? 0 : 1;
    return n;
  }
  bool sixthRowShown() {
    for (int i = 36; i <= 42; ++i)
      if (!cell(i)->isHidden()) return true;
    return false;
  }
  int cellOfDay(int day) {
    for (int i = 1; i <= 42; ++i)
      if (cell(i)->text() == QString::number(day)) return i;
    return 0;
  }

  FrmMervalo05* screen = nullptr;
};
}  // namespace

TEST_F(CalendarScreen, OpensOnTodayWithMondayFirst) {
  open();
  EXPECT_EQ(child<QComboBox>(screen, QStringLiteral("comMaand"))->currentText(), QStringLiteral("December"));
  EXPECT_EQ(child<QComboBox>(screen, QStringLiteral("comJaar"))->currentText(), QStringLiteral("2026"));
  EXPECT_EQ(child<QComboBox>(screen, QStringLiteral("comJaar"))->count(), 31);
  EXPECT_EQ(child<QLabel>(screen, QStringLiteral("lblDag_1"))->text(), QStringLiteral("Ma"));
  EXPECT_EQ(child<QLabel>(screen, QStringLiteral("lblDag_7"))->text(), QStringLiteral("Zo"));
  EXPECT_EQ(cellOfDay(1), 2) << "1 December 2026 is a Tuesday";
  EXPECT_EQ(screen->windowTitle(), QStringLiteral("03-12-2026 (Kalender)"));
  EXPECT_TRUE(cell(cellOfDay(3))->styleSheet().contains(QStringLiteral("#FF0000"))) << "today is marked";
  EXPECT_FALSE(cell(cellOfDay(4))->styleSheet().contains(QStringLiteral("#FF0000")));
}

TEST_F(CalendarScreen, FebruaryInLeapAndCommonYears) {
  open();
  choose("comMaand", QStringLiteral("Februari"));
  choose("comJaar", QStringLiteral("2024"));
  EXPECT_EQ(filledCells(), 29);
  choose("comJaar", QStringLiteral("2026"));
  EXPECT_EQ(filledCells(), 28);
  EXPECT_EQ(cellOfDay(1), 7) << "1 February 2026 is a Sunday";
  choose("comJaar", QStringLiteral("2027"));
  EXPECT_EQ(cellOfDay(28), 28) << "a common February from a Monday fills four rows exactly";
  EXPECT_FALSE(sixthRowShown());
}

TEST_F(CalendarScreen, FebruaryOf2100IsNoLeapYear) {
  ctx.today = [] { return QDate(2100, 2, 10); };
  open();
  EXPECT_EQ(child<QComboBox>(screen, QStringLiteral("comJaar"))->currentText(), QStringLiteral("2100"));
  EXPECT_EQ(filledCells(), 28);
}

TEST_F(CalendarScreen, SixthRowOnlyWhenTheMonthNeedsIt) {
  open();
  EXPECT_FALSE(sixthRowShown()) << "December 2026";
  choose("comMaand", QStringLiteral("Augustus"));  // 31 days from a Saturday
  EXPECT_TRUE(sixthRowShown());
  EXPECT_EQ(cellOfDay(31), 36);
  choose("comMaand", QStringLiteral("November"));  // 30 days from a Sunday
  EXPECT_TRUE(sixthRowShown());
  choose("comMaand", QStringLiteral("Juni"));
  EXPECT_FALSE(sixthRowShown());
}

TEST_F(CalendarScreen, OkAtOnceReturnsToday) {
  open();
  child<QPushButton>(screen, QStringLiteral("cmdOK"))->click();
  EXPECT_EQ(ctx.values.sharedDate, QStringLiteral("03-12-2026"));
  EXPECT_TRUE(QTest::qWaitFor([] { return topLevel(QStringLiteral("frmMervalo05")) == nullptr; }));
}

TEST_F(CalendarScreen, ChosenDayThenOk) {
  open();
  clickDay(cellOfDay(5));
  EXPECT_EQ(ctx.values.sharedDate, QStringLiteral("05-12-2026"));
  EXPECT_EQ(screen->windowTitle(), QStringLiteral("05-12-2026 (Kalender)"));
  child<QPushButton>(screen, QStringLiteral("cmdOK"))->click();
  EXPECT_EQ(ctx.values.sharedDate, QStringLiteral("05-12-2026"));
}

TEST_F(CalendarScreen, EnglishDatesFollowTheirOwnPattern) {
  setLanguage(kEnglish);
  open();
  clickDay(cellOfDay(5));
  child<QPushButton>(screen, QStringLiteral("cmdOK"))->click();
  EXPECT_EQ(ctx.values.sharedDate, QStringLiteral("2026-12-05"));
}

TEST_F(CalendarScreen, EmptyCellChangesNothing) {
  open();
  clickDay(cellOfDay(5));
  clickDay(1);  // before the 1st
  EXPECT_EQ(screen->selectedDay(), 5);
  EXPECT_EQ(ctx.values.sharedDate, QStringLiteral("05-12-2026"));
}

TEST_F(CalendarScreen, CancelAndEscapeForgetTheClickedDays) {
  ctx.values.sharedDate = QStringLiteral("01-01-2026");
  open();
  clickDay(cellOfDay(5));
  clickDay(cellOfDay(9));
  child<QPushButton>(screen, QStringLiteral("cmdTerug"))->click();
  EXPECT_TRUE(ctx.values.sharedDate.isEmpty());

  open();
  clickDay(cellOfDay(7));
  QTest::keyClick(screen, Qt::Key_Escape);
  EXPECT_TRUE(ctx.values.sharedDate.isEmpty());
}

TEST_F(CalendarScreen, DayBeyondTheNewMonthsEnd) {
  ctx.today = [] { return QDate(2026, 1, 31); };
  open();
  choose("comMaand", QStringLiteral("Februari"));
  EXPECT_EQ(screen->selectedDay(), 31);
  for (int i = 1; i <= 42; ++i) EXPECT_FALSE(cell(i)->styleSheet().contains(QStringLiteral("#FF0000"))) << i;
  child<QPushButton>(screen, QStringLiteral("cmdOK"))->click();
  EXPECT_EQ(ctx.values.sharedDate, QStringLiteral("28-02-2026")) << "never a date that does not exist";
}

TEST_F(CalendarScreen, KeysInTheListsDoNotChangeThem) {
  open();
  auto* month = child<QComboBox>(screen, QStringLiteral("comMaand"));
  QTest::keyClick(month, Qt::Key_Down);
  QTest::keyClick(month, Qt::Key_J);
  EXPECT_EQ(month->currentText(), QStringLiteral("December"));
}
