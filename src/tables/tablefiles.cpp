#include "tablefiles.h"

#include <QRandomGenerator>
#include <algorithm>

#include "app/textfile.h"

namespace mervalo {

QMap<int, QString> ensureTableCodes(const QString& path, int tables, bool* ok) {
  QMap<int, QString> codes;
  if (const auto lines = readTextLines(path)) {
    for (const QString& line : *lines) {
      const QStringList f = line.split(QLatin1Char('|'));
      bool isNumber = false;
      const int table = f.value(0).trimmed().toInt(&isNumber);
      const QString code = f.value(1).trimmed();
      if (f.size() == 2 && isNumber && table > 0 && code.size() == 4 && std::all_of(code.cbegin(), code.cend(), [](QChar c) { return c >= QLatin1Char('0') && c <= QLatin1Char('9'); }))
        codes.insert(table, code);
    }
  }
  bool added = false;
  for (int t = 1; t <= tables; ++t) {
    if (codes.contains(t)) continue;
    codes.insert(t, QStringLiteral("%1").arg(QRandomGenerator::system()->bounded(10000), 4, 10, QLatin1Char('0')));
    added = true;
  }
  bool written = true;
  if (added) {
    QStringList lines;
    for (auto it = codes.cbegin(); it != codes.cend(); ++it) lines.append(QString::number(it.key()) + QLatin1Char('|') + it.value());
    written = writeTextLines(path, lines);
  }
  if (ok) *ok = written;
  return codes;
}

}  // namespace mervalo
