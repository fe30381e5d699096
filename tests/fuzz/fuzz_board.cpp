// Any bytes as the rows of one board ("ns|ew|nsScore|ewScore" a line; the first byte is the
// top): matchpoints are always written for the tables that count, as plain decimal texts.
#include "fuzz.h"
#include "scoring/entryrows.h"

using namespace mervalo;
using fuzz::require;

void fuzzOne(const QByteArray& input) {
  if (input.isEmpty()) return;
  const int top = static_cast<uint8_t>(input[0]);
  QVector<EntryRow> rows;
  for (const QString& line : QString::fromLatin1(input.mid(1)).split(QLatin1Char('\n'))) {
    const QStringList f = line.split(QLatin1Char('|'));
    EntryRow r;
    r.ns = r.schemaNs = f.value(0).toInt();
    r.ew = r.schemaEw = f.value(1).toInt();
    r.nsScore = f.value(2);
    r.ewScore = f.value(3);
    r.enabled = !line.startsWith(QLatin1Char('#'));
    rows.append(r);
  }
  const int sitOut = top % 7;
  const CompletedBoard done = completeBoard(1, rows, top, sitOut);
  for (const BoardTable& t : done.tables) {
    const QString ns = nsPointsText(t), ew = ewPointsText(t);
    if (!tableCounts(t, sitOut)) {
      require(ns.isEmpty() && ew.isEmpty());
      continue;
    }
    for (const QString& p : {ns, ew})
      require(!p.isEmpty() && !p.contains(QLatin1Char('e')) && !p.contains(QLatin1Char(',')));
  }
  require(done.record.board == 1);
}
