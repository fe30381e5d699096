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

QString ContractLine::text() const {
  return QStringList{QString::number(board),       QString::number(ns),     QString::number(ew),
                     contractText(contract),       QString(declarerLetter(declarer)), QString::number(tricks),
                     requestId}
      .join(QLatin1Char('|'));
}

std::optional<ContractLine> ContractLine::parse(QStringView line) {
  const QList<QStringView> f = line.split(QLatin1Char('|'));
  if (f.size() != 7) return std::nullopt;
  ContractLine c;
  bool ok[4] = {};
  c.board = f[0].trimmed().toInt(&ok[0]);
  c.ns = f[1].trimmed().toInt(&ok[1]);
  c.ew = f[2].trimmed().toInt(&ok[2]);
  c.tricks = f[5].trimmed().toInt(&ok[3]);
  const auto contract = parseContract(f[3]);
  const auto seat = parseDeclarer(f[4]);
  if (!ok[0] || !ok[1] || !ok[2] || !ok[3] || !contract || !seat || c.board < 1 || c.tricks < 0 || c.tricks > 13)
    return std::nullopt;
  c.contract = *contract;
  c.declarer = *seat;
  c.requestId = f[6].trimmed().toString();
  if (!c.requestId.isEmpty() && !isRequestId(c.requestId)) return std::nullopt;
  return c;
}

bool isRequestId(QStringView id) {
  if (id.isEmpty() || id.size() > 64) return false;
  for (QChar ch : id)
    if (!((ch >= QLatin1Char('0') && ch <= QLatin1Char('9')) || (ch >= QLatin1Char('a') && ch <= QLatin1Char('z')) ||
          (ch >= QLatin1Char('A') && ch <= QLatin1Char('Z')) || ch == QLatin1Char('-') || ch == QLatin1Char('_')))
      return false;
  return true;
}

}  // namespace mervalo
