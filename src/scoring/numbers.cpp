#include "numbers.h"

#include <charconv>
#include <cmath>
#include <cstdlib>
#include <cstring>
#include <algorithm>

namespace mervalo {

namespace {

// Fixed-point text with 15 significant digits, then trimmed. Values too small to show one of
// those digits in front of the sixteenth decimal count as zero. Built from the scientific form
// of std::to_chars, which never looks at the locale and allocates nothing.
// Writes the text into out (at least 96 chars) and returns its length, or -1 when the value is
// too large for plain digits.
int fixed15(double value, char* out) {
  if (!std::isfinite(value) || std::fabs(value) < 1e-15) {
    out[0] = '0';
    return 1;
  }
  char sci[64];
  const auto res = std::to_chars(sci, sci + sizeof sci - 1, value, std::chars_format::scientific, 14);
  if (res.ec != std::errc()) {
    out[0] = '0';
    return 1;
  }
  *res.ptr = '\0';
  // sci: [-]d.dddddddddddddde±XX
  const char* p = sci;
  const bool negative = *p == '-';
  if (negative) ++p;
  char digits[15];
  int count = 0;
  for (; p < res.ptr && *p != 'e'; ++p)
    if (*p >= '0' && *p <= '9' && count < 15) digits[count++] = *p;
  const int exponent = p < res.ptr ? std::atoi(p + 1) : 0;
  // No score comes near this; an absurd value from a damaged file is written whole.
  if (exponent > 40) return -1;
  int n = 0;
  if (negative) out[n++] = '-';
  if (exponent >= 0) {
    for (int i = 0; i <= exponent; ++i) out[n++] = i < count ? digits[i] : '0';
    if (exponent + 1 < count) {
      out[n++] = '.';
      for (int i = exponent + 1; i < count; ++i) out[n++] = digits[i];
    }
  } else {
    out[n++] = '0';
    out[n++] = '.';
    for (int i = 0; i < -exponent - 1; ++i) out[n++] = '0';
    for (int i = 0; i < count; ++i) out[n++] = digits[i];
  }
  // Trailing zeros of the fraction and a bare point go.
  bool point = false;
  for (int i = 0; i < n; ++i) point = point || out[i] == '.';
  if (point) {
    while (n > 0 && out[n - 1] == '0') --n;
    if (n > 0 && out[n - 1] == '.') --n;
  }
  if (n == 2 && out[0] == '-' && out[1] == '0') {
    out[0] = '0';
    n = 1;
  }
  return n;
}

QString fixed15(double value) {
  char out[96];
  const int n = fixed15(value, out);
  return n < 0 ? QString::number(value, 'f', 0) : QString::fromLatin1(out, n);
}

// Cuts the text in out after at most `keep` digits behind the point; returns the new length.
int cutDecimals(const char* out, int n, int keep) {
  for (int i = 0; i < n; ++i)
    if (out[i] == '.') return std::min(n, i + 1 + keep);
  return n;
}

}  // namespace

QString shortestDecimal(double value) {
  // Whole matchpoints are by far the most common; they need no digit trimming.
  if (std::isfinite(value) && std::fabs(value) < 1e15 && value == std::trunc(value))
    return QString::number(static_cast<qint64>(value));
  return fixed15(value);
}

QString twoDecimalPoints(double value) {
  char out[96];
  int n = fixed15(value + 0.005, out);
  if (n < 0) return fixed15(value + 0.005);
  n = cutDecimals(out, n, 2);
  if (std::memchr(out, '.', static_cast<size_t>(n))) {
    while (n > 0 && out[n - 1] == '0') --n;
    if (n > 0 && out[n - 1] == '.') --n;
  }
  if ((n == 2 && out[0] == '-' && out[1] == '0') || n == 0) return QStringLiteral("0");
  return QString::fromLatin1(out, n);
}

QString percentageText(double percentage) {
  QString text = fixed15(percentage + 0.005);
  if (!text.contains(QLatin1Char('.'))) text += QLatin1String(".00");
  if (text.startsWith(QLatin1Char('.'))) text.prepend(QLatin1Char('0'));
  const qsizetype dot = text.indexOf(QLatin1Char('.'));
  if (text.size() - dot - 1 == 1) text += QLatin1Char('0');
  text.truncate(dot + 3);
  return text + QLatin1Char('%');
}

}  // namespace mervalo
