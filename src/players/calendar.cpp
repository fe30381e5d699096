#include "calendar.h"

#include <QDate>

namespace mervalo {

bool isLeapYear(int year) { return (year % 4 == 0 && year % 100 != 0) || year % 400 == 0; }

int daysInMonth(int year, int month) {
  switch (month) {
    case 4: case 6: case 9: case 11:
      return 30;
    case 2:
      return isLeapYear(year) ? 29 : 28;
    default:
      return 31;
  }
}

int firstColumn(int year, int month) { return QDate(year, month, 1).dayOfWeek(); }

std::array<int, kCalendarCells> monthCells(int year, int month) {
  std::array<int, kCalendarCells> cells{};
  const int start = firstColumn(year, month) - 1;
  const int days = daysInMonth(year, month);
  for (int d = 1; d <= days && start + d - 1 < kCalendarCells; ++d) cells[static_cast<size_t>(start + d - 1)] = d;
  return cells;
}

bool needsSixthRow(int year, int month) { return firstColumn(year, month) - 1 + daysInMonth(year, month) > 35; }

QString dateText(int day, int month, int year, const QString& pattern) {
  QString t = pattern;
  t.replace(QLatin1String("YYYY"), QStringLiteral("%1").arg(year, 4, 10, QLatin1Char('0')));
  t.replace(QLatin1String("MM"), QStringLiteral("%1").arg(month, 2, 10, QLatin1Char('0')));
  t.replace(QLatin1String("DD"), QStringLiteral("%1").arg(day, 2, 10, QLatin1Char('0')));
  return t;
}

}  // namespace mervalo
