#pragma once

#include <QString>

namespace mervalo {

// The number a text begins with, read the way the old runtime's Val did: blanks, tabs and line
// feeds are skipped wherever they stand, then an optional sign, digits with at most one decimal
// point and an optional exponent; reading stops at the first other character. A text that does
// not begin with a number gives 0. "." is the decimal point whatever the locale.
double numericValue(const QString& text);

// Rounds to the nearest integer, a half to the even one (10.5 -> 10, 11.5 -> 12). Values beyond
// the range of int are clamped.
int roundHalfEven(double value);

}  // namespace mervalo
