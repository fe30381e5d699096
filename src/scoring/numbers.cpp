#include "numbers.h"

#include <cmath>

namespace mervalo {

double leadingNumber(const QString& text) {
  qsizetype i = 0;
  const qsizetype n = text.size();
  while (i < n && (text[i] == QLatin1Char(' ') || text[i] == QLatin1Char('\t'))) ++i;
  bool negative = false;
  if (i < n && (text[i] == QLatin1Char('-') || text[i] == QLatin1Char('+'))) {
    negative = text[i] == QLatin1Char('-');
    ++i;
  }
  double value = 0;
  while (i < n && text[i].isDigit() && text[i].unicode() < 128) {
    value = value * 10 + (text[i].unicode() - '0');
    ++i;
  }
  if (i < n && text[i] == QLatin1Char('.')) {
    ++i;
    double scale = 0.1;
    while (i < n && text[i].isDigit() && text[i].unicode() < 128) {
      value += (text[i].unicode() - '0') * scale;
      scale /= 10;
      ++i;
    }
  }
  return negative ? -value : value;
}

namespace {

// Fixed-point text with 15 significant digits, then trimmed. Values too small to show one of
// those digits in front of the sixteenth decimal count as zero.
QString fixed15(double value) {
  if (!std::isfinite(value) || std::fabs(value) < 1e-15) return QStringLiteral("0");
  const int magnitude = static_cast<int>(std::floor(std::log10(std::fabs(value))));
  int decimals = 14 - magnitude;
  if (decimals < 0) decimals = 0;
  if (decimals > 30) decimals = 30;
  QString text = QString::number(value, 'f', decimals);  // C locale, whatever the system uses
  if (text.contains(QLatin1Char('.'))) {
    while (text.endsWith(QLatin1Char('0'))) text.chop(1);
    if (text.endsWith(QLatin1Char('.'))) text.chop(1);
  }
  if (text == QLatin1String("-0")) text = QStringLiteral("0");
  return text;
}

// Cuts a decimal text after at most `keep` digits behind the point.
QString cutDecimals(QString text, int keep) {
  const qsizetype dot = text.indexOf(QLatin1Char('.'));
  if (dot >= 0 && text.size() - dot - 1 > keep) text.truncate(dot + 1 + keep);
  return text;
}

}  // namespace

QString shortestDecimal(double value) { return fixed15(value); }

QString twoDecimalPoints(double value) {
  QString text = cutDecimals(fixed15(value + 0.005), 2);
  if (text.contains(QLatin1Char('.'))) {
    while (text.endsWith(QLatin1Char('0'))) text.chop(1);
    if (text.endsWith(QLatin1Char('.'))) text.chop(1);
  }
  if (text.startsWith(QLatin1Char('.'))) text.prepend(QLatin1Char('0'));
  if (text == QLatin1String("-0")) text = QStringLiteral("0");
  return text;
}

QString percentageText(double percentage) {
  QString text = fixed15(percentage + 0.005);
  if (!text.contains(QLatin1Char('.'))) text += QLatin1String(".00");
  if (text.startsWith(QLatin1Char('.'))) text.prepend(QLatin1Char('0'));
  const qsizetype dot = text.indexOf(QLatin1Char('.'));
  if (text.size() - dot - 1 == 1) text += QLatin1Char('0');
  text = cutDecimals(text, 2);
  return text + QLatin1Char('%');
}

}  // namespace mervalo
