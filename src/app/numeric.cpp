#include "numeric.h"

#include <charconv>
#include <cmath>
#include <string>
#include <limits>

namespace mervalo {

namespace {
bool skippable(QChar c) { return c == QLatin1Char(' ') || c == QLatin1Char('\t') || c == QLatin1Char('\n'); }
}  // namespace

double numericValue(QStringView text) {
  // Collect the characters that make up the number (a score or a percentage fits the string's
  // own buffer, so nothing is allocated), then convert them.
  std::string number;
  qsizetype i = 0;
  const qsizetype n = text.size();
  auto skip = [&] {
    while (i < n && skippable(text[i])) ++i;
  };
  skip();
  bool negative = false;
  if (i < n && (text[i] == QLatin1Char('+') || text[i] == QLatin1Char('-'))) {
    negative = text[i] == QLatin1Char('-');
    ++i;
  }
  bool digits = false;
  bool point = false;
  for (skip(); i < n; ++i, skip()) {
    const QChar c = text[i];
    if (c >= QLatin1Char('0') && c <= QLatin1Char('9')) {
      number += static_cast<char>(c.unicode());
      digits = true;
    } else if (c == QLatin1Char('.') && !point) {
      number += '.';
      point = true;
    } else {
      break;
    }
  }
  if (!digits) return 0.0;
  // An exponent counts only when at least one digit follows it.
  if (i < n && (text[i] == QLatin1Char('e') || text[i] == QLatin1Char('E') || text[i] == QLatin1Char('d') ||
                text[i] == QLatin1Char('D'))) {
    qsizetype j = i + 1;
    std::string exponent("e");
    while (j < n && skippable(text[j])) ++j;
    if (j < n && (text[j] == QLatin1Char('+') || text[j] == QLatin1Char('-'))) exponent += static_cast<char>(text[j++].unicode());
    bool expDigits = false;
    for (; j < n; ++j) {
      if (skippable(text[j])) continue;
      if (text[j] < QLatin1Char('0') || text[j] > QLatin1Char('9')) break;
      exponent += static_cast<char>(text[j].unicode());
      expDigits = true;
      if (exponent.size() > 6) break;  // beyond any double's range already
    }
    if (expDigits) number += exponent;
  }
  // Converted without regard to the process locale: a decimal point is always ".".
  double v = 0;
  const auto [end, ec] = std::from_chars(number.data(), number.data() + number.size(), v);
  if (ec != std::errc() || end != number.data() + number.size() || !std::isfinite(v)) return 0.0;
  return negative ? -v : v;
}

int roundHalfEven(double value) {
  if (std::isnan(value)) return 0;
  const double r = std::nearbyint(value);  // the default rounding mode is to nearest, ties to even
  if (r >= static_cast<double>(std::numeric_limits<int>::max())) return std::numeric_limits<int>::max();
  if (r <= static_cast<double>(std::numeric_limits<int>::min())) return std::numeric_limits<int>::min();
  return static_cast<int>(r);
}

}  // namespace mervalo
