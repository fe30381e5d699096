#pragma once

#include <QString>
#include <QStringView>
#include <QVector>
#include <map>
#include <optional>

#include "scoring/contract.h"

namespace mervalo {

// One table result as the tables reported it, a line of the contracts file
// "invoer/<event> Contracten.txt": "board|NS|EW|contract|declarer|tricks|request id".
struct ContractLine {
  int board = 0;
  int ns = 0;
  int ew = 0;
  Contract contract;
  Declarer declarer = Declarer::North;
  int tricks = 0;
  QString requestId;

  QString text() const;
  static std::optional<ContractLine> parse(QStringView line);
  bool operator==(const ContractLine&) const = default;
};

// A request id as the page makes them: 1 to 64 letters, digits, "-" or "_".
bool isRequestId(QStringView id);

// The contracts file by board number, in file order; lines that cannot be read are left out, a
// missing file gives none. A table may report a board again: the last line for it counts.
std::map<int, QVector<ContractLine>> readContractLines(const QString& path);

// The line that counts for one board and table, or null.
const ContractLine* lastContractLine(const std::map<int, QVector<ContractLine>>& lines, int board, int ns, int ew);

}  // namespace mervalo
