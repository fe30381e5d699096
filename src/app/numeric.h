#pragma once

#include <QString>
#include <QStringView>

namespace mervalo {

// The number a text begins with, read the way the old runtime's Val did: blanks, tabs and line
// feeds are skipped wherever they stand, then an optional sign, digits with at most one decimal
// point and an optional exponent; reading stops at the first other character. A text that does
// not begin with a number gives 0. "." is the decimal point whatever the locale: a Dutch system
// still reads "3.6" as 3.6. Score boxes, grid cells and percentages are read with it too
// ("n" → 0, "62.5%" → 62.5, "4-2" → 4).
double numericValue(QStringView text);

// Rounds to the nearest integer, a half to the even one (10.5 -> 10, 11.5 -> 12). Values beyond
// the range of int are clamped.
int roundHalfEven(double value);

}  // namespace mervalo
