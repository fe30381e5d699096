#include <QComboBox>
#include <QPushButton>

#include "playertest.h"
#include "app/screens/clicklabel.h"
#include "players/screens/datepicker.h"
#include "screentest.h"

using namespace mervalo;
using namespace mervalo::test;

namespace {
class CalendarScreen : public ScreenTest {
 protected:
  CalendarScreen() { ctx.today = [] { return QDate(2026, 12, 3); }; }

  DatePicker* open() {
    screen = new DatePicker(ctx, nullptr);
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

  DatePicker* screen = nullptr;
};
}  // namespace

TEST_F(CalendarScreen, OpensOnTodayWithMondayFirstAndKeysInTheListsDoNotChangeThem) {
  open();
  auto* month = child<QComboBox>(screen, QStringLiteral("comMaand"));
  QTest::keyClick(month, Qt::Key_Down);
  QTest::keyClick(month, Qt::Key_J);
  EXPECT_EQ(month->currentText(), QStringLiteral("December"));
  EXPECT_EQ(child<QComboBox>(screen, QStringLiteral("comJaar"))->currentText(), QStringLiteral("2026"));
  EXPECT_EQ(child<QLabel>(screen, QStringLiteral("lblDag_1"))->text(), QStringLiteral("Ma"));
  EXPECT_EQ(child<QLabel>(screen, QStringLiteral("lblDag_7"))->text(), QStringLiteral("Zo"));
  EXPECT_EQ(cellOfDay(1), 2) << "1 December 2026 is a Tuesday";
  EXPECT_EQ(screen->windowTitle(), QStringLiteral("03-12-2026 (Kalender)"));
  EXPECT_TRUE(cell(cellOfDay(3))->styleSheet().contains(QStringLiteral("#FF0000"))) << "today is marked";
  EXPECT_FALSE(cell(cellOfDay(4))->styleSheet().contains(QStringLiteral("#FF0000")));
}

TEST_F(CalendarScreen, MonthGridsInLeapAndCommonYearsWithTheSixthRowOnlyWhenNeeded) {
  const struct {
    const char* month;
    const char* year;
    int days, cellOfTheFirst;
    bool sixthRow;
  } rows[] = {{"Februari", "2024", 29, 4, false},  {"Februari", "2026", 28, 7, false},
              {"Februari", "2027", 28, 1, false},  // a common February from a Monday: four rows exactly
              {"Augustus", "2026", 31, 6, true},   // 31 days from a Saturday
              {"November", "2026", 30, 7, true},   // 30 days from a Sunday
              {"Juni", "2026", 30, 1, false},      {"December", "2026", 31, 2, false}};
  open();
  for (const auto& row : rows) {
    SCOPED_TRACE(std::string(row.month) + " " + row.year);
    choose("comMaand", QString::fromLatin1(row.month));
    choose("comJaar", QString::fromLatin1(row.year));
    EXPECT_EQ(filledCells(), row.days);
    EXPECT_EQ(cellOfDay(1), row.cellOfTheFirst);
    EXPECT_EQ(sixthRowShown(), row.sixthRow);
  }
}

TEST_F(CalendarScreen, FebruaryOf2100IsNoLeapYear) {
  ctx.today = [] { return QDate(2100, 2, 10); };
  open();
  EXPECT_EQ(child<QComboBox>(screen, QStringLiteral("comJaar"))->currentText(), QStringLiteral("2100"));
  EXPECT_EQ(filledCells(), 28);
}

TEST_F(CalendarScreen, OkGivesTheChosenDayOrTodayInTheLanguagesPattern) {
  const struct {
    int language;
    std::vector<int> clicks;  // 0: the empty cell before the 1st
    QString date;
  } rows[] = {{kDutch, {}, QStringLiteral("03-12-2026")},
              {kDutch, {5, 0}, QStringLiteral("05-12-2026")},
              {kEnglish, {5}, QStringLiteral("2026-12-05")}};
  for (const auto& row : rows) {
    SCOPED_TRACE(row.date.toStdString());
    setLanguage(row.language);
    open();
    for (int day : row.clicks) clickDay(day ? cellOfDay(day) : 1);
    EXPECT_TRUE(screen->windowTitle().startsWith(row.date + QStringLiteral(" (")));
    child<QPushButton>(screen, QStringLiteral("cmdOK"))->click();
    EXPECT_EQ(ctx.values.sharedDate, row.date);
    EXPECT_TRUE(QTest::qWaitFor([] { return topLevel(QStringLiteral("frmMervalo05")) == nullptr; }));
  }
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
