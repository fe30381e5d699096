#include "event/eventfile.h"

#include "app/textfile.h"
#include "app/texts.h"

namespace mervalo {

namespace {

QString textOr(int number, int language, const char* dutch, const char* english) {
  const QString t = TextTable::builtin().lookup(number, language);
  if (!t.isEmpty()) return t;
  return QString::fromLatin1(language == kEnglish ? english : dutch);
}

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

bool allDigits(const QString& s) {
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
  QStringList tables;
  for (const TableResult& t : record.tables)
    tables.append(QStringList{t.ns, t.ew, QString(), QString(), t.nsScore, t.ewScore, t.nsPoints, t.ewPoints}.join(
        QLatin1Char('|')));
  return recordKey(record.board) + tables.join(QLatin1Char('@'));
}

std::optional<ScoreRecord> parseRecord(const QString& line) {
  const qsizetype star = line.indexOf(QLatin1Char('*'));
  if (star < 1) return std::nullopt;
  const QString key = line.left(star);
  if (!allDigits(key) || key.size() > 4) return std::nullopt;
  ScoreRecord r;
  r.board = key.toInt();
  const QString rest = line.mid(star + 1);
  if (rest.trimmed().isEmpty()) return r;
  for (const QString& table : rest.split(QLatin1Char('@'))) {
    const QStringList f = table.split(QLatin1Char('|'));
    if (f.size() != 8) return std::nullopt;
    r.tables.append(TableResult{f[0], f[1], f[4], f[5], f[6], f[7]});
  }
  return r;
}

QString EventFileError::describe() const {
  if (line <= 0) return file + QStringLiteral(": ") + what;
  return QStringLiteral("%1, line %2: %3").arg(file).arg(line).arg(what);
}

const ScoreRecord* EventFile::record(int board) const {
  for (const ScoreRecord& r : records)
    if (r.board == board) return &r;
  return nullptr;
}

void EventFile::setRecord(const ScoreRecord& record) {
  for (ScoreRecord& r : records) {
    if (r.board == record.board) {
      r = record;
      return;
    }
  }
  records.append(record);
}

bool EventFile::removeRecord(int board) {
  for (qsizetype i = 0; i < records.size(); ++i) {
    if (records[i].board == board) {
      records.removeAt(i);
      return true;
    }
  }
  return false;
}

QStringList EventFile::lines() const {
  QStringList out = header.lines();
  if (header.entryMode == kEntryPerRound) {
    if (boards.isEmpty()) return out;
    const qsizetype n = std::max<qsizetype>(boards.size(), header.boards());
    for (qsizetype b = 0; b < n; ++b) {
      QStringList items;
      if (b < boards.size())
        for (const SlipEntry& e : boards[b]) items.append(e.text());
      out.append(items.join(QLatin1Char('~')));
    }
  } else {
    for (const ScoreRecord& r : records) out.append(formatRecord(r));
  }
  return out;
}

std::optional<EventHeader> parseHeader(const QStringList& lines, const QString& fileName, EventFileError* error) {
  static const char* const kLineNames[7] = {"the title", "the number of pairs", "the sit-out pair",
                                            "the number of rounds", "the boards per round", "the movement",
                                            "the entry mode"};
  if (lines.size() < 7) {
    fail(error, fileName, static_cast<int>(lines.size()) + 1,
         QStringLiteral("the file ends before %1 (it needs 7 header lines)").arg(QLatin1String(kLineNames[lines.size()])));
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
  const auto mode = ranged(6, kEntryPerBoard, kEntryPerRound);
  if (!mode) return std::nullopt;
  h.entryMode = *mode;
  return h;
}

std::optional<EventFile> EventFile::fromLines(const QStringList& lines, const QString& fileName, EventFileError* error) {
  EventFile f;
  const auto header = parseHeader(lines, fileName, error);
  if (!header) return std::nullopt;
  f.header = *header;
  const int boardCount = f.header.boards();
  if (f.header.entryMode == kEntryPerRound) {
    if (lines.size() > 7) f.boards.resize(boardCount);
    for (qsizetype i = 7; i < lines.size(); ++i) {
      const int board = static_cast<int>(i) - 6;
      if (lines[i].trimmed().isEmpty()) continue;
      if (board > boardCount) {
        fail(error, fileName, static_cast<int>(i) + 1,
             QStringLiteral("a line for board %1, but the event has %2 boards").arg(board).arg(boardCount));
        return std::nullopt;
      }
      for (const QString& part : lines[i].split(QLatin1Char('~'))) {
        if (part.trimmed().isEmpty()) continue;
        const auto entry = SlipEntry::parse(part);
        if (!entry) {
          fail(error, fileName, static_cast<int>(i) + 1, QStringLiteral("\"%1\" is not a table of board %2").arg(part).arg(board));
          return std::nullopt;
        }
        f.boards[board - 1].append(*entry);
      }
    }
  } else {
    for (qsizetype i = 7; i < lines.size(); ++i) {
      if (lines[i].trimmed().isEmpty()) continue;
      const auto record = parseRecord(lines[i]);
      if (!record) {
        fail(error, fileName, static_cast<int>(i) + 1, QStringLiteral("not a board's scores: \"%1\"").arg(lines[i].left(40)));
        return std::nullopt;
      }
      if (record->board < 1 || record->board > boardCount) {
        fail(error, fileName, static_cast<int>(i) + 1,
             QStringLiteral("scores of board %1, but the event has %2 boards").arg(record->board).arg(boardCount));
        return std::nullopt;
      }
      f.setRecord(*record);  // a later record of a board replaces an earlier one
    }
  }
  return f;
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
  QString pattern = textOr(63, language, "DD-MM-YYYY", "YYYY-MM-DD");
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

std::optional<EventFile> loadEventFile(const QString& path, int language, EventFileError* error) {
  const QString name = path.mid(path.lastIndexOf(QLatin1Char('/')) + 1);
  const auto lines = readTextLines(path);
  if (!lines) {
    fail(error, name, 0, QStringLiteral("the file cannot be opened"));
    return std::nullopt;
  }
  const QString resultWord = textOr(70, language, "Uitslag", "Result");
  return EventFile::fromLines(rewriteEventDates(*lines, resultWord, language), name, error);
}

bool saveEventFile(const QString& path, const EventFile& file) { return writeTextLines(path, file.lines()); }

QString eventFileNameForGroup(const QString& groupName, const QString& resultWord) {
  return groupName + QLatin1Char(' ') + resultWord + QStringLiteral(".txt");
}

}  // namespace mervalo
