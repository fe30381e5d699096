#include <QComboBox>
#include <QLabel>
#include <QPushButton>
#include <QTest>

#include "app/screens/clicklabel.h"
#include "players/screens/datepicker.h"
#include "screentest.h"

using namespace mervalo;
using namespace mervalo::test;

namespace {
class CalendarScreen : public ScreenTest {
 protected:
  CalendarScreen() { ctx.today = [] { return QDate(2026, 12, 3); }; }

  void open() {
    screen = new DatePicker(ctx, nullptr);
    screen->showAndActivate();
  }
  ClickLabel* cell(int i) { return child<ClickLabel>(screen, QStringLiteral("lblDatum_%1").arg(i)); }
  QComboBox* box(const char* name) { return child<QComboBox>(screen, name); }
  // Chooses an entry of a list as the mouse does.
  void choose(const char* name, const QString& entry) {
    const int index = box(name)->findText(entry);
    ASSERT_GE(index, 0) << entry.toStdString();
    box(name)->setCurrentIndex(index);
    emit box(name)->activated(index);
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
  bool marked(int i) { return cell(i)->styleSheet().contains("#FF0000"); }

  DatePicker* screen = nullptr;
};
}  // namespace

TEST_F(CalendarScreen, OpensOnTodayWithMondayFirstAndShowsEveryMonthsGrid) {
  open();
  QTest::keyClick(box("comMaand"), Qt::Key_Down);
  QTest::keyClick(box("comMaand"), Qt::Key_J);
  EXPECT_EQ(box("comMaand")->currentText(), "December") << "keys in the lists change nothing";
  EXPECT_EQ(box("comJaar")->currentText(), "2026");
  EXPECT_EQ(child<QLabel>(screen, "lblDag_1")->text(), "Ma");
  EXPECT_EQ(child<QLabel>(screen, "lblDag_7")->text(), "Zo");
  EXPECT_EQ(cellOfDay(1), 2) << "1 December 2026 is a Tuesday";
  EXPECT_EQ(screen->windowTitle(), "03-12-2026 (Kalender)");
  EXPECT_TRUE(marked(cellOfDay(3))) << "today is marked";
  EXPECT_FALSE(marked(cellOfDay(4)));

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
  for (const auto& row : rows) {
    SCOPED_TRACE(std::string(row.month) + " " + row.year);
    choose("comMaand", row.month);
    choose("comJaar", row.year);
    EXPECT_EQ(filledCells(), row.days);
    EXPECT_EQ(cellOfDay(1), row.cellOfTheFirst);
    EXPECT_EQ(sixthRowShown(), row.sixthRow);
  }
}

TEST_F(CalendarScreen, OkGivesTheChosenDayOrTodayInTheLanguagesPatternAndCancelOrEscNothing) {
  const struct {
    int language;
    std::vector<int> clicks;  // 0: the empty cell before the 1st
    const char* close;        // none: Esc
    QString date;
  } rows[] = {{kDutch, {}, "cmdOK", "03-12-2026"},
              {kDutch, {5, 0}, "cmdOK", "05-12-2026"},
              {kEnglish, {5}, "cmdOK", "2026-12-05"},
              {kDutch, {5, 9}, "cmdTerug", ""},
              {kDutch, {7}, nullptr, ""}};
  for (const auto& row : rows) {
    SCOPED_TRACE(row.close ? row.close : "Esc");
    setLanguage(row.language);
    ctx.values.sharedDate = row.date.isEmpty() ? "01-01-2026" : "";
    open();
    for (int day : row.clicks) QTest::mouseClick(cell(day ? cellOfDay(day) : 1), Qt::LeftButton);
    if (!row.date.isEmpty()) {
      EXPECT_TRUE(screen->windowTitle().startsWith(row.date + " ("));
    }
    if (row.close)
      child<QPushButton>(screen, row.close)->click();
    else
      QTest::keyClick(screen, Qt::Key_Escape);
    EXPECT_EQ(ctx.values.sharedDate, row.date);
    EXPECT_TRUE(QTest::qWaitFor([] { return topLevel("frmMervalo05") == nullptr; }));
  }
}

// From 31 January to February of 2100, a year divisible by 100 and so no leap year.
TEST_F(CalendarScreen, ADayBeyondTheNewMonthsEndBecomesItsLastDay) {
  ctx.today = [] { return QDate(2100, 1, 31); };
  open();
  EXPECT_EQ(box("comJaar")->currentText(), "2100");
  choose("comMaand", "Februari");
  EXPECT_EQ(filledCells(), 28);
  EXPECT_EQ(screen->selectedDay(), 31);
  for (int i = 1; i <= 42; ++i) EXPECT_FALSE(marked(i)) << i;
  child<QPushButton>(screen, "cmdOK")->click();
  EXPECT_EQ(ctx.values.sharedDate, "28-02-2100") << "never a date that does not exist";
}
