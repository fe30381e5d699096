#include "event/movement.h"

#include <QDir>
#include <algorithm>
#include <utility>

#include "app/paths.h"
#include "app/textfile.h"
#include "app/texts.h"

namespace mervalo {

namespace {

QString twoDigits(int n) { return QStringLiteral("%1").arg(n, 2, 10, QLatin1Char('0')); }

}  // namespace

QString schemaNamePrefix(int pairs, int rounds, int language) {
  return twoDigits(pairs) + QLatin1Char(' ') + builtinTextOr(32, language, "Paren", "Pairs") + QLatin1Char(' ') +
         twoDigits(rounds) + QLatin1Char(' ') + builtinTextOr(50, language, "Ronden", "Rounds");
}

QStringList listSchemas(const QString& programFolder, int language, int pairs, int rounds) {
  const QDir dir(schemaFolderPath(programFolder, language));
  if (!dir.exists()) return {};
  const QString prefix = schemaNamePrefix(pairs, rounds, language);
  QStringList names = dir.entryList(QDir::Files, QDir::Name | QDir::IgnoreCase);
  QStringList out;
  for (const QString& file : names) {
    if (file == QLatin1String(kExcludedSchemaFileName)) continue;
    if (!file.startsWith(prefix, Qt::CaseInsensitive)) continue;
    if (!file.endsWith(QLatin1String(".txt"), Qt::CaseInsensitive)) continue;
    out.append(file.left(file.size() - 4));
  }
  return out;
}

QStringList schemaRoundLines(const QStringList& fileLines) {
  QStringList out;
  for (qsizetype i = 1; i < fileLines.size(); ++i)
    if (!fileLines[i].trimmed().isEmpty()) out.append(fileLines[i]);
  return out;
}

std::optional<QStringList> loadSchema(const QString& programFolder, int language, const QString& schemaName) {
  const auto lines =
      readTextLines(schemaFolderPath(programFolder, language) + QLatin1Char('/') + schemaName.trimmed() + QStringLiteral(".txt"));
  if (!lines) return std::nullopt;
  return schemaRoundLines(*lines);
}

QString fourBoardRange(int set) { return boardSetRange(set, 4); }

QString boardSetRange(int set, int boardsPerRound) {
  return QStringLiteral("(%1-%2)").arg((set - 1) * boardsPerRound + 1).arg(set * boardsPerRound);
}

QString boardRange(int board, int boardsPerRound) {
  if (boardsPerRound <= 0 || board <= 0) return {};
  return boardSetRange((board - 1) / boardsPerRound + 1, boardsPerRound);
}

QStringList rangeMap(int rounds, int boardsPerRound) {
  QStringList map;
  for (int k = 1; k <= rounds; ++k) map.append(fourBoardRange(k) + QLatin1Char('|') + boardSetRange(k, boardsPerRound));
  return map;
}

QString convertRanges(const QString& field, const QStringList& map) {
  // A four-board range never equals a range of another width, so replacing set by set cannot
  // turn an already converted range into a later one's pattern.
  QString out = field;
  for (const QString& entry : map) {
    const qsizetype bar = entry.indexOf(QLatin1Char('|'));
    if (bar < 0) continue;
    const QString from = entry.left(bar);
    const QString to = entry.mid(bar + 1);
    if (from != to) out.replace(from, to);
  }
  return out;
}

bool isEmptyTable(const QString& field) { return field.contains(QLatin1String("-  -")); }

QStringList roundCells(const QString& roundLine, const QStringList& map) {
  QStringList out;
  const QStringList fields = roundLine.split(QLatin1Char('\t'));
  for (qsizetype i = 1; i < fields.size(); ++i) {
    if (isEmptyTable(fields[i])) continue;
    out.append(convertRanges(fields[i], map));
  }
  return out;
}

QStringList tableCells(const QStringList& roundLines, const QStringList& map) {
  QStringList out;
  for (const QString& line : roundLines) out += roundCells(line, map);
  return out;
}

QString cellPairText(const QString& cell) {
  const qsizetype open = cell.indexOf(QLatin1Char('('));
  return (open < 0 ? cell : cell.left(open)).trimmed();
}

QString Pairing::key() const { return QStringLiteral("%1-%2").arg(ns, 3, 10, QLatin1Char('0')).arg(ewText); }

QVector<Pairing> pairingsOfBoard(const QStringList& cells, int board, int boardsPerRound) {
  QVector<Pairing> out;
  const QString range = boardRange(board, boardsPerRound);
  if (range.isEmpty()) return out;
  for (const QString& cell : cells) {
    if (isEmptyTable(cell) || !cell.contains(range)) continue;
    QString rest = cell;
    rest.remove(range);
    rest = rest.trimmed();
    const qsizetype dash = rest.indexOf(QLatin1Char('-'));
    const QString nsText = (dash < 0 ? rest : rest.left(dash)).trimmed();
    Pairing p;
    bool ok = false;
    p.ns = nsText.toInt(&ok);
    if (!ok || p.ns <= 0) continue;  // no usable NS pair: nothing to seat
    if (dash >= 0) {
      p.ewText = rest.mid(dash + 1).trimmed();
      const int ew = p.ewText.toInt(&ok);
      p.ew = ok && ew > 0 ? ew : 0;
    }
    out.append(p);
  }
  // Each key is made once, not at every comparison.
  QVector<std::pair<QString, Pairing>> keyed;
  keyed.reserve(out.size());
  for (const Pairing& p : out) keyed.append({p.key(), p});
  std::stable_sort(keyed.begin(), keyed.end(), [](const auto& a, const auto& b) { return a.first < b.first; });
  for (qsizetype i = 0; i < keyed.size(); ++i) out[i] = keyed[i].second;
  return out;
}

QVector<Pairing> pairingsOfBoard(const QStringList& roundLines, int rounds, int boardsPerRound, int board) {
  return pairingsOfBoard(tableCells(roundLines, rangeMap(rounds, boardsPerRound)), board, boardsPerRound);
}

}  // namespace mervalo
