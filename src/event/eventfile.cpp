#include "event/eventfile.h"

#include "app/fileops.h"
#include "app/textfile.h"
#include "app/texts.h"

namespace mervalo {

namespace {

bool fail(EventFileError* error, const QString& file, int line, const QString& what) {
  if (error) *error = EventFileError{file, line, what};
  return false;
}

// A whole decimal number, blanks around it allowed.
std::optional<int> number(const QString& text) {
  bool ok = false;
  const int n = text.trimmed().toInt(&ok, 10);
  if (!ok) return std::nullopt;
  return n;
}

bool allDigits(QStringView s) {
  if (s.isEmpty()) return false;
  for (const QChar c : s)
    if (c < QLatin1Char('0') || c > QLatin1Char('9')) return false;
  return true;
}

}  // namespace

QStringList EventHeader::lines() const {
  return {title,
          QString::number(pairs),
          sitOut > 0 ? QString::number(sitOut) : noSitOut,
          QString::number(rounds),
          QString::number(boardsPerRound),
          schemaName,
          QString::number(entryMode)};
}

QString SlipEntry::text() const {
  QString t = pairText + QLatin1Char('*');
  if (stored) t += QLatin1Char('|') + nsScore + QLatin1Char('|') + ewScore;
  return t;
}

std::optional<SlipEntry> SlipEntry::parse(const QString& text) {
  const qsizetype star = text.indexOf(QLatin1Char('*'));
  if (star <= 0) return std::nullopt;
  SlipEntry e;
  e.pairText = text.left(star).trimmed();
  if (e.pairText.isEmpty()) return std::nullopt;
  const QString rest = text.mid(star + 1);
  if (rest.trimmed().isEmpty()) return e;
  if (!rest.startsWith(QLatin1Char('|'))) return std::nullopt;
  const QStringList parts = rest.mid(1).split(QLatin1Char('|'));
  if (parts.size() != 2) return std::nullopt;
  e.stored = true;
  e.nsScore = parts[0];
  e.ewScore = parts[1];
  return e;
}

QString recordKey(int board) { return QStringLiteral("%1*").arg(board, 2, 10, QLatin1Char('0')); }

QString formatRecord(const ScoreRecord& record) {
  QString line = recordKey(record.board);
  bool first = true;
  for (const TableResult& t : record.tables) {
    if (!first) line += QLatin1Char('@');
    first = false;
    line += QString::number(t.ns) + QLatin1Char('|') + QString::number(t.ew) + QLatin1String("|||") + t.nsScore +
            QLatin1Char('|') + t.ewScore + QLatin1Char('|') + t.nsPoints + QLatin1Char('|') + t.ewPoints;
  }
  return line;
}

int recordLineBoard(QStringView line) {
  const qsizetype star = line.indexOf(QLatin1Char('*'));
  if (star < 1 || star > 4 || !allDigits(line.left(star))) return 0;
  return line.left(star).toInt();
}

std::optional<int> pairNumberText(QStringView text, int pairs) {
  const QStringView t = text.trimmed();
  if (t.isEmpty() || t.size() > 3 || !allDigits(t)) return std::nullopt;
  const int n = t.toInt();
  if (n < 1 || n > pairs) return std::nullopt;
  return n;
}

std::optional<std::pair<int, int>> slipPairs(QStringView pairText, int pairs) {
  const qsizetype dash = pairText.indexOf(QLatin1Char('-'));
  if (dash < 0 || pairText.indexOf(QLatin1Char('-'), dash + 1) >= 0) return std::nullopt;
  const auto ns = pairNumberText(pairText.left(dash), pairs);
  const auto ew = pairNumberText(pairText.mid(dash + 1), pairs);
  if (!ns || !ew) return std::nullopt;
  return std::pair{*ns, *ew};
}

bool isScoreText(QStringView text) {
  if (text.isEmpty()) return false;
  for (QChar c : text) {
    const bool ok = (c >= QLatin1Char('0') && c <= QLatin1Char('9')) || c == QLatin1Char('-') || c == QLatin1Char('n') ||
                    c == QLatin1Char('N') || c == QLatin1Char('%');
    if (!ok) return false;
  }
  return true;
}

std::optional<ScoreRecord> parseRecord(QStringView line, int pairs, QString* why) {
  const auto refuse = [why](const QString& reason) -> std::optional<ScoreRecord> {
    if (why) *why = reason;
    return std::nullopt;
  };
  const qsizetype star = line.indexOf(QLatin1Char('*'));
  if (star < 1 || star > 4 || !allDigits(line.left(star)))
    return refuse(QStringLiteral("not a board's scores: \"%1\"").arg(line.left(40)));
  const int board = line.left(star).toInt();
  ScoreRecord r;
  r.board = board;
  const QStringView rest = line.mid(star + 1);
  if (rest.trimmed().isEmpty()) return r;
  // The largest event holds thousands of table results: the line is read in place.
  r.tables.reserve(rest.count(QLatin1Char('@')) + 1);
  for (QStringView table : rest.tokenize(QLatin1Char('@'))) {
    QStringView f[8];
    int n = 0;
    for (QStringView field : table.tokenize(QLatin1Char('|'))) {
      if (n == 8) return refuse(QStringLiteral("board %1: a table with more than eight fields").arg(board));
      f[n++] = field;
    }
    if (n != 8) return refuse(QStringLiteral("board %1: a table with %2 fields instead of eight").arg(board).arg(n));
    const auto ns = pairNumberText(f[0], pairs);
    const auto ew = pairNumberText(f[1], pairs);
    if (!ns || !ew)
      return refuse(QStringLiteral("board %1: the table \"%2-%3\" names a pair outside 1 to %4")
                        .arg(board)
                        .arg(f[0])
                        .arg(f[1])
                        .arg(pairs));
    if (!isScoreText(f[4]))
      return refuse(QStringLiteral("board %1: the NS score \"%2\" is not a score").arg(board).arg(f[4]));
    if (!f[5].isEmpty() && !isScoreText(f[5]))
      return refuse(QStringLiteral("board %1: the EW score \"%2\" is not a score").arg(board).arg(f[5]));
    r.tables.append(TableResult{*ns, *ew, f[4].toString(), f[5].toString(), f[6].toString(), f[7].toString()});
  }
  return r;
}

QString EventFileError::describe() const {
  if (line <= 0) return file + QStringLiteral(": ") + what;
  return QStringLiteral("%1, line %2: %3").arg(file).arg(line).arg(what);
}

std::optional<EventHeader> parseHeader(const QStringList& lines, const QString& fileName, EventFileError* error) {
  static const char* const kLineNames[kHeaderLines] = {"the title", "the number of pairs", "the sit-out pair",
                                            "the number of rounds", "the boards per round", "the movement",
                                            "the entry mode"};
  if (lines.size() < kHeaderLines) {
    fail(error, fileName, static_cast<int>(lines.size()) + 1,
         QStringLiteral("the file ends before %1 (it needs %2 header lines)").arg(QLatin1String(kLineNames[lines.size()])).arg(kHeaderLines));
    return std::nullopt;
  }
  EventHeader h;
  h.title = lines[0];
  const auto ranged = [&](int index, int lo, int hi) -> std::optional<int> {
    const auto n = number(lines[index]);
    if (!n) {
      fail(error, fileName, index + 1,
           QStringLiteral("%1 is \"%2\", not a number").arg(QLatin1String(kLineNames[index]), lines[index]));
      return std::nullopt;
    }
    if (*n < lo || *n > hi) {
      fail(error, fileName, index + 1,
           QStringLiteral("%1 is %2, outside %3 to %4").arg(QLatin1String(kLineNames[index])).arg(*n).arg(lo).arg(hi));
      return std::nullopt;
    }
    return n;
  };
  const auto pairs = ranged(1, 2, kMaxPairs);
  if (!pairs) return std::nullopt;
  h.pairs = *pairs;
  if (const auto s = number(lines[2])) {
    if (*s < 0 || *s > h.pairs) {
      fail(error, fileName, 3, QStringLiteral("the sit-out pair %1 is not a pair of this event").arg(*s));
      return std::nullopt;
    }
    h.sitOut = *s;
  } else {
    // "Geen", "None" or whatever word the language had: no sit-out pair.
    h.sitOut = 0;
    if (!lines[2].trimmed().isEmpty()) h.noSitOut = lines[2].trimmed();
  }
  const auto rounds = ranged(3, kMinRounds, kMaxRounds);
  if (!rounds) return std::nullopt;
  h.rounds = *rounds;
  const auto boards = ranged(4, kMinBoardsPerRound, kMaxBoardsPerRound);
  if (!boards) return std::nullopt;
  h.boardsPerRound = *boards;
  h.schemaName = lines[5].trimmed();
  if (h.schemaName.isEmpty()) {
    fail(error, fileName, 6, QStringLiteral("no movement is named"));
    return std::nullopt;
  }
  // The name becomes a path: one that leaves the schema folder is never opened.
  if (!isSafeSchemaName(h.schemaName)) {
    fail(error, fileName, 6, QStringLiteral("\"%1\" is not the name of a movement file").arg(h.schemaName));
    return std::nullopt;
  }
  const auto mode = ranged(6, kEntryPerBoard, kEntryPerRound);
  if (!mode) return std::nullopt;
  h.entryMode = *mode;
  return h;
}

std::optional<QDate> leadingDate(const QString& text) {
  if (text.size() < 10) return std::nullopt;
  const QString head = text.left(10);
  QDate d;
  if (head[2] == QLatin1Char('-') && head[5] == QLatin1Char('-'))
    d = QDate::fromString(head, QStringLiteral("dd-MM-yyyy"));
  else if (head[4] == QLatin1Char('-') && head[7] == QLatin1Char('-'))
    d = QDate::fromString(head, QStringLiteral("yyyy-MM-dd"));
  if (!d.isValid()) return std::nullopt;
  return d;
}

QString formatDate(const QDate& date, int language) {
  QString pattern = builtinTextOr(63, language, "DD-MM-YYYY", "YYYY-MM-DD");
  pattern.replace(QLatin1String("DD"), QLatin1String("dd")).replace(QLatin1String("YYYY"), QLatin1String("yyyy"));
  return date.toString(pattern);
}

QString rewriteLeadingDate(const QString& text, int language) {
  const auto d = leadingDate(text);
  if (!d) return text;
  return formatDate(*d, language) + text.mid(10);
}

QStringList rewriteEventDates(const QStringList& lines, const QString& resultWord, int language) {
  QStringList out = lines;
  if (resultWord.isEmpty()) return out;
  for (QString& line : out)
    if (line.contains(resultWord)) line = rewriteLeadingDate(line, language);
  return out;
}

namespace {

QString companion(const QString& eventPath, QLatin1String word) {
  QString base = eventPath;
  if (base.endsWith(QLatin1String(".txt"), Qt::CaseInsensitive)) base.chop(4);
  return base + QLatin1Char(' ') + word + QStringLiteral(".txt");
}

constexpr QLatin1String kCodesWord("Tafels");
constexpr QLatin1String kContractsWord("Contracten");

}  // namespace

QString tableCodesPath(const QString& eventPath) { return companion(eventPath, kCodesWord); }
QString contractsPath(const QString& eventPath) { return companion(eventPath, kContractsWord); }

bool isEventCompanionName(const QString& fileName) {
  QString name = fileName;
  if (name.endsWith(QLatin1String(".txt"), Qt::CaseInsensitive)) name.chop(4);
  return name.endsWith(QLatin1Char(' ') + kCodesWord) || name.endsWith(QLatin1Char(' ') + kContractsWord);
}

}  // namespace mervalo
