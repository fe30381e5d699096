#include "scoring/entryrows.h"

namespace mervalo {

namespace {

void takeTable(EntryRow& row, const TableResult& t) {
  row.nsScore = t.nsScore;
  row.ewScore = t.ewScore;
  row.nsPoints = t.nsPoints;
  row.ewPoints = t.ewPoints;
}

}  // namespace

QVector<EntryRow> entryRows(const QVector<Pairing>& pairings, const ScoreRecord* record, int sitOut) {
  QVector<EntryRow> rows(pairings.size());
  for (qsizetype k = 0; k < pairings.size(); ++k) {
    rows[k].schemaNs = rows[k].ns = pairings[k].ns;
    rows[k].schemaEw = rows[k].ew = pairings[k].ew;
  }
  if (record) {
    QVector<bool> taken(pairings.size(), false);
    for (const TableResult& t : record->tables) {
      const int ns = t.ns.trimmed().toInt();
      const int ew = t.ew.trimmed().toInt();
      qsizetype match = -1;
      for (qsizetype k = 0; k < pairings.size(); ++k) {
        if (taken[k]) continue;
        const Pairing& p = pairings[k];
        if ((p.ns == ns && p.ew == ew) || (p.ns == ew && p.ew == ns)) {
          match = k;
          break;
        }
      }
      if (match >= 0) {
        taken[match] = true;
        rows[match].ns = ns;
        rows[match].ew = ew;
        takeTable(rows[match], t);
      } else {
        EntryRow extra;
        extra.ns = extra.schemaNs = ns;
        extra.ew = extra.schemaEw = ew;
        if (ns == 0 && ew == 0) extra.ns = extra.schemaNs = -1;
        takeTable(extra, t);
        rows.append(extra);
      }
    }
  }
  for (EntryRow& r : rows) {
    const bool sitOutTable = sitOut > 0 && (r.ns == sitOut || r.ew == sitOut);
    r.enabled = r.seated() && !sitOutTable;
  }
  return rows;
}

bool entryRowsComplete(const QVector<EntryRow>& rows) {
  bool any = false;
  for (const EntryRow& r : rows) {
    if (!r.enabled) continue;
    any = true;
    if (r.nsScore.trimmed().isEmpty() || r.ewScore.trimmed().isEmpty()) return false;
  }
  return any;
}

QVector<BoardTable> entryTables(const QVector<EntryRow>& rows) {
  QVector<BoardTable> tables;
  tables.reserve(rows.size());
  for (const EntryRow& r : rows) {
    if (!r.seated()) continue;
    BoardTable t;
    t.ns = r.ns;
    t.ew = r.ew;
    t.nsScore = r.nsScore.trimmed();
    t.ewScore = r.ewScore.trimmed();
    t.enabled = r.enabled;
    tables.append(t);
  }
  return tables;
}

}  // namespace mervalo
