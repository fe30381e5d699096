#include <QComboBox>
#include <QLabel>
#include <QPushButton>
#include <QTest>

#include "app/screens/clicklabel.h"
#include "players/screens/datepicker.h"
#include "screentest.h"

using namespace mervalo;
using namespace mervalo::test;

// The month as the screen shows it (Monday first, a sixth row only when the month needs it) and
// the date it gives back.
namespace {
class CalendarScreen : public ScreenTest {
 protected:
  CalendarScreen() { ctx.today = [] { return QDate(2026, 12, 3); }; }

  void open() {
    screen = new DatePicker(ctx, nullptr);
    screen->showAndActivate();
  }
  // Chooses an entry of a list as the mouse does.
  void choose(QComboBox* box, const QString& entry) {
    const int index = box->findText(entry);
    ASSERT_GE(index, 0) << entry.toStdString();
    box->setCurrentIndex(index);
    emit box->activated(index);
  }
  int cellOfDay(int day) {
    for (int i = 1; i <= 42; ++i)
      if (screen->lblDatum[i]->text() == QString::number(day)) return i;
    return 0;
  }

  DatePicker* screen = nullptr;
};
}  // namespace

TEST_F(CalendarScreen, OpensOnTodayWithMondayFirstAndShowsTheSixthRowOnlyWhenNeeded) {
  open();
  EXPECT_EQ(cellOfDay(1), 2) << "1 December 2026 is a Tuesday";
  choose(screen->comMaand, "Augustus");  // 31 days from a Saturday
  EXPECT_EQ(cellOfDay(31), 36);
  choose(screen->comMaand, "Februari");  // 28 days from a Sunday
  EXPECT_EQ(cellOfDay(1), 7);
  EXPECT_TRUE(screen->lblDatum[36]->isHidden() && screen->lblDatum[42]->isHidden());
  choose(screen->comJaar, "2024");  // a leap year
  EXPECT_EQ(cellOfDay(29), 32);
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
    for (int day : row.clicks) QTest::mouseClick(screen->lblDatum[day ? cellOfDay(day) : 1], Qt::LeftButton);
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
  choose(screen->comMaand, "Februari");
  EXPECT_EQ(cellOfDay(29), 0);
  screen->cmdOK->click();
  EXPECT_EQ(ctx.values.sharedDate, "28-02-2100") << "never a date that does not exist";
}
