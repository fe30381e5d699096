#include "scoring/entryrows.h"

#include <QRegularExpression>

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
      const int ns = t.ns;
      const int ew = t.ew;
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

QString eventInformation(QString info, const EventHeader& header) {
  info.replace(QLatin1Char('!'), QString::number(header.pairs));
  if (header.sitOut > 0) {
    info.replace(QLatin1Char('#'), QString::number(header.sitOut));
  } else {
    static const QRegularExpression pairWord(QStringLiteral("\\S+ #"));
    info.replace(pairWord, header.noSitOut);
  }
  info.replace(QLatin1Char('@'), QString::number(header.rounds));
  info.replace(QLatin1Char('$'), QString::number(header.boardsPerRound));
  info.replace(QLatin1Char('%'), header.schemaName);
  return info;
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
    tables.append(BoardTable::fromTexts(r.ns, r.ew, QStringView(r.nsScore).trimmed(), QStringView(r.ewScore).trimmed(),
                                        r.enabled));
  }
  return tables;
}

CompletedBoard completeBoard(int board, QVector<EntryRow>& rows, int top, int sitOut) {
  CompletedBoard done;
  done.tables = entryTables(rows);
  scoreBoard(done.tables, top, sitOut);
  done.record.board = board;
  qsizetype k = 0;
  for (EntryRow& r : rows) {
    if (!r.seated()) continue;
    const BoardTable& t = done.tables[k++];
    r.nsPoints = nsPointsText(t);
    r.ewPoints = ewPointsText(t);
    if (!tableCounts(t, sitOut)) continue;
    done.record.tables.append(
        TableResult{r.ns, r.ew, r.nsScore.trimmed(), r.ewScore.trimmed(), r.nsPoints, r.ewPoints});
  }
  return done;
}

}  // namespace mervalo
