#include "update.h"

#include <QRegularExpression>

namespace mervalo {

std::optional<QDate> parseUpdateDate(const QString& text) {
  static const QRegularExpression dayFirst(QStringLiteral("^(\\d\\d)-(\\d\\d)-(\\d\\d\\d\\d)$"));
  static const QRegularExpression yearFirst(QStringLiteral("^(\\d\\d\\d\\d)-(\\d\\d)-(\\d\\d)$"));
  const QString t = text.trimmed();
  QDate date;
  if (const auto m = dayFirst.match(t); m.hasMatch())
    date = QDate(m.captured(3).toInt(), m.captured(2).toInt(), m.captured(1).toInt());
  else if (const auto y = yearFirst.match(t); y.hasMatch())
    date = QDate(y.captured(1).toInt(), y.captured(2).toInt(), y.captured(3).toInt());
  if (!date.isValid()) return std::nullopt;
  return date;
}

bool noticeIsNewer(const QString& noticeDate, const QString& lastUpdateDate) {
  const auto notice = parseUpdateDate(noticeDate);
  const auto last = parseUpdateDate(lastUpdateDate);
  return notice && last && last->daysTo(*notice) > 0;
}

QString formatUpdateDate(const QDate& date, const QString& pattern) {
  QString out = pattern;
  out.replace(QLatin1String("YYYY"), QStringLiteral("%1").arg(date.year(), 4, 10, QLatin1Char('0')));
  out.replace(QLatin1String("MM"), QStringLiteral("%1").arg(date.month(), 2, 10, QLatin1Char('0')));
  out.replace(QLatin1String("DD"), QStringLiteral("%1").arg(date.day(), 2, 10, QLatin1Char('0')));
  return out;
}

QString updaterArgument(const QString& programFolder) { return QStringLiteral("/p=") + programFolder; }

}  // namespace mervalo
