// Any bytes as the rows of one board ("ns|ew|nsScore|ewScore" a line; the first byte is the
// top): matchpoints are always written for the tables that count, as plain decimal texts.
#include <QStringList>
#include <cstdint>
#include <cstdlib>

#include "scoring/entryrows.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size == 0) return 0;
  const int top = data[0];
  const QString text = QString::fromLatin1(reinterpret_cast<const char*>(data + 1), static_cast<qsizetype>(size - 1));
  QVector<mervalo::EntryRow> rows;
  for (const QString& line : text.split(QLatin1Char('\n'))) {
    const QStringList f = line.split(QLatin1Char('|'));
    mervalo::EntryRow r;
    r.ns = r.schemaNs = f.value(0).toInt();
    r.ew = r.schemaEw = f.value(1).toInt();
    r.nsScore = f.value(2);
    r.ewScore = f.value(3);
    r.enabled = !line.startsWith(QLatin1Char('#'));
    rows.append(r);
  }
  const int sitOut = top % 7;
  const mervalo::CompletedBoard done = mervalo::completeBoard(1, rows, top, sitOut);
  for (const mervalo::BoardTable& t : done.tables) {
    const QString ns = mervalo::nsPointsText(t), ew = mervalo::ewPointsText(t);
    if (!mervalo::tableCounts(t, sitOut)) {
      if (!ns.isEmpty() || !ew.isEmpty()) std::abort();
      continue;
    }
    for (const QString& p : {ns, ew}) {
      if (p.isEmpty() || p.contains(QLatin1Char('e')) || p.contains(QLatin1Char(','))) std::abort();
    }
  }
  if (done.record.board != 1) std::abort();
  return 0;
}
