#include "scoring/contractline.h"

#include <QStringList>

#include "app/textfile.h"

namespace mervalo {

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

std::map<int, QVector<ContractLine>> readContractLines(const QString& path) {
  std::map<int, QVector<ContractLine>> byBoard;
  if (const auto lines = readTextLines(path))
    for (const QString& raw : *lines)
      if (const auto line = ContractLine::parse(raw)) byBoard[line->board].append(*line);
  return byBoard;
}

const ContractLine* lastContractLine(const std::map<int, QVector<ContractLine>>& lines, int board, int ns, int ew) {
  const auto it = lines.find(board);
  if (it == lines.end()) return nullptr;
  const ContractLine* found = nullptr;
  for (const ContractLine& c : it->second)
    if (c.ns == ns && c.ew == ew) found = &c;
  return found;
}

}  // namespace mervalo
