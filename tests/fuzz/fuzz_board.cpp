// Any bytes as the rows of one board ("ns|ew|nsScore|ewScore" a line; the first byte is the
// top): matchpoints are always written for the tables that count, as plain decimal texts.
#include <QStringList>
#include <cstdint>
#include <cstdlib>

#include "scoring/boardscore.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size == 0) return 0;
  const int top = data[0];
  const QString text = QString::fromLatin1(reinterpret_cast<const char*>(data + 1), static_cast<qsizetype>(size - 1));
  QVector<mervalo::BoardTable> tables;
  for (const QString& line : text.split(QLatin1Char('\n'))) {
    const QStringList f = line.split(QLatin1Char('|'));
    mervalo::BoardTable t;
    t.ns = f.value(0).toInt();
    t.ew = f.value(1).toInt();
    t.nsScore = f.value(2);
    t.ewScore = f.value(3);
    t.enabled = !line.startsWith(QLatin1Char('#'));
    tables.append(t);
  }
  const int sitOut = top % 7;
  const mervalo::ScoreRecord record = mervalo::completeBoard(1, tables, top, sitOut);
  for (const mervalo::BoardTable& t : tables) {
    if (!mervalo::tableCounts(t, sitOut)) {
      if (!t.nsPoints.isEmpty() || !t.ewPoints.isEmpty()) std::abort();
      continue;
    }
    for (const QString& p : {t.nsPoints, t.ewPoints}) {
      if (p.isEmpty() || p.contains(QLatin1Char('e')) || p.contains(QLatin1Char(','))) std::abort();
    }
  }
  if (record.board != 1) std::abort();
  return 0;
}
