#pragma once

#include <QString>
#include <array>

namespace mervalo {

// The month grid of the date picker: 42 cells, six rows of seven, Monday first.
inline constexpr int kCalendarCells = 42;

bool isLeapYear(int year);
int daysInMonth(int year, int month);
// Weekday of the 1st: Monday = 1 .. Sunday = 7.
int firstColumn(int year, int month);

// cells[i] for cell i + 1 (1..42): the day number, or 0 for an empty cell.
std::array<int, kCalendarCells> monthCells(int year, int month);
// Whether the sixth row (cells 36..42) is needed.
bool needsSixthRow(int year, int month);

// The date written with a pattern such as "DD-MM-YYYY": DD the two-digit day, MM the two-digit
// month, YYYY the four-digit year; every other character as it stands.
QString dateText(int day, int month, int year, const QString& pattern);

}  // namespace mervalo
