#include "event/eventmodel.h"

#include "app/textfile.h"
#include "app/texts.h"

namespace mervalo {

EventModel::EventModel(const EventHeader& header) : header_(header) { reindex(); }

void EventModel::reindex() {
  const int boards = std::max(header_.boards(), 0);
  recordAt_.assign(static_cast<size_t>(boards) + 1, -1);
  for (qsizetype i = 0; i < records_.size(); ++i)
    if (records_[i].record) recordAt_[static_cast<size_t>(records_[i].board)] = static_cast<int>(i);
  if (header_.entryMode == kEntryPerRound && boards_.size() != static_cast<size_t>(boards))
    boards_.resize(static_cast<size_t>(boards));
}

void EventModel::problem(int line, const QString& what) { problems_.append(EventFileError{fileName_, line, what}); }

std::optional<EventModel> EventModel::fromLines(const QStringList& lines, const QString& fileName,
                                                EventFileError* error) {
  const auto header = parseHeader(lines, fileName, error);
  if (!header) return std::nullopt;
  EventModel m(*header);
  m.fileName_ = fileName;
  if (m.header_.entryMode == kEntryPerRound)
    m.readBoardLines(lines);
  else
    m.readRecords(lines);
  return m;
}

void EventModel::readRecords(const QStringList& lines) {
  const int boards = header_.boards();
  for (qsizetype i = kHeaderLines; i < lines.size(); ++i) {
    const QString& line = lines[i];
    if (line.trimmed().isEmpty()) continue;
    const int lineNumber = static_cast<int>(i) + 1;
    QString why;
    std::optional<ScoreRecord> parsed = parseRecord(line, header_.pairs, &why);
    if (!parsed || parsed->board < 1 || parsed->board > boards) {
      if (parsed)
        why = QStringLiteral("scores of board %1, but the event has %2 boards").arg(parsed->board).arg(boards);
      problem(lineNumber, why);
      const int named = recordLineBoard(line);
      records_.append(RecordLine{named >= 1 && named <= boards ? named : 0, std::nullopt, line, QString()});
      continue;
    }
    ScoreRecord record = std::move(*parsed);
    const int board = record.board;
    // A board stored twice: the later record counts, in the place of the first.
    const int at = recordAt_[static_cast<size_t>(board)];
    if (at >= 0) {
      records_[at].record = std::move(record);
      records_[at].text.clear();
      continue;
    }
    recordAt_[static_cast<size_t>(board)] = static_cast<int>(records_.size());
    records_.append(RecordLine{board, std::move(record), QString(), QString()});
  }
}

void EventModel::readBoardLines(const QStringList& lines) {
  const int boards = header_.boards();
  const qsizetype boardLines = lines.size() - kHeaderLines;
  if (boardLines > 0) boardLinesWritten_ = true;
  if (boardLines > 0 && boardLines < boards)
    problem(static_cast<int>(lines.size()),
            QStringLiteral("the file has %1 board lines, the event %2 boards").arg(boardLines).arg(boards));
  for (qsizetype i = kHeaderLines; i < lines.size(); ++i) {
    const int board = static_cast<int>(i) - kHeaderLines + 1;
    const int lineNumber = static_cast<int>(i) + 1;
    if (board > boards) {
      if (!lines[i].trimmed().isEmpty()) {
        problem(lineNumber, QStringLiteral("a line for board %1, but the event has %2 boards").arg(board).arg(boards));
        extraLines_.append(lines[i]);
      }
      continue;
    }
    BoardLine& slot = boards_[static_cast<size_t>(board - 1)];
    for (const QString& part : lines[i].split(QLatin1Char('~'))) {
      if (part.trimmed().isEmpty()) continue;
      slot.present = true;
      auto entry = SlipEntry::parse(part);
      QString why;
      if (!entry || !slipPairs(entry->pairText, header_.pairs))
        why = QStringLiteral("\"%1\" is not a table of board %2").arg(part).arg(board);
      else if (entry->stored && entry->nsScore.isEmpty())
        entry->stored = false;  // an emptied NS box stores the slip without scores
      else if (entry->stored && (!isScoreText(entry->nsScore) || (!entry->ewScore.isEmpty() && !isScoreText(entry->ewScore))))
        why = QStringLiteral("board %1: \"%2\" does not hold a score").arg(board).arg(part);
      if (!why.isEmpty()) {
        problem(lineNumber, why);
        slot.kept.append(part);
        continue;
      }
      slot.entries.append(*entry);
    }
  }
}

std::optional<EventModel> EventModel::load(const QString& path, int language, EventFileError* error) {
  const QString name = path.mid(path.lastIndexOf(QLatin1Char('/')) + 1);
  const auto lines = readTextLines(path);
  if (!lines) {
    if (error) *error = EventFileError{name, 0, QStringLiteral("the file cannot be opened")};
    return std::nullopt;
  }
  QString resultWord = TextTable::builtin().lookup(70, language);
  if (resultWord.isEmpty()) resultWord = language == kEnglish ? QStringLiteral("Result") : QStringLiteral("Uitslag");
  return fromLines(rewriteEventDates(*lines, resultWord, language), name, error);
}

const ScoreRecord* EventModel::record(int board) const {
  if (board < 1 || static_cast<size_t>(board) >= recordAt_.size()) return nullptr;
  const int at = recordAt_[static_cast<size_t>(board)];
  return at < 0 ? nullptr : &*records_[at].record;
}

void EventModel::storeRecord(const ScoreRecord& record) {
  const int board = record.board;
  if (board < 1 || static_cast<size_t>(board) >= recordAt_.size()) return;
  // The scores just typed for a board take the place of its record, or else of the first
  // damaged line meant for it; any other damaged line for the board has served its time.
  int keep = recordAt_[static_cast<size_t>(board)];
  for (qsizetype i = 0; i < records_.size() && keep < 0; ++i)
    if (!records_[i].record && records_[i].board == board) keep = static_cast<int>(i);
  if (keep < 0) {
    recordAt_[static_cast<size_t>(board)] = static_cast<int>(records_.size());
    records_.append(RecordLine{board, record, QString(), QString()});
    return;
  }
  records_[keep] = RecordLine{board, record, QString(), QString()};
  bool dropped = false;
  for (qsizetype i = records_.size() - 1; i >= 0; --i) {
    if (i != keep && !records_[i].record && records_[i].board == board) {
      records_.removeAt(i);
      dropped = true;
    }
  }
  if (dropped || recordAt_[static_cast<size_t>(board)] != keep) reindex();
}

bool EventModel::clearBoard(int board) {
  if (!record(board)) return false;
  records_.removeAt(recordAt_[static_cast<size_t>(board)]);
  reindex();
  return true;
}

QVector<int> EventModel::recordedBoards() const {
  QVector<int> out;
  for (size_t b = 1; b < recordAt_.size(); ++b)
    if (recordAt_[b] >= 0) out.append(static_cast<int>(b));
  return out;
}

const BoardLine& EventModel::boardLine(int board) const {
  static const BoardLine kNone;
  if (board < 1 || static_cast<size_t>(board) > boards_.size()) return kNone;
  return boards_[static_cast<size_t>(board - 1)];
}

void EventModel::setBoardEntries(int board, const QVector<SlipEntry>& entries) {
  if (board < 1 || static_cast<size_t>(board) > boards_.size()) return;
  boards_[static_cast<size_t>(board - 1)].entries = entries;
  boardLinesWritten_ = true;
}

void EventModel::keepPart(int board, const QString& part) {
  if (board < 1 || static_cast<size_t>(board) > boards_.size()) return;
  boards_[static_cast<size_t>(board - 1)].kept.append(part);
}

QStringList EventModel::lines() const {
  QStringList out = header_.lines();
  if (header_.entryMode == kEntryPerRound) {
    // A new event is its header alone until a board line has been written.
    if (!boardLinesWritten_) return out;
    for (const BoardLine& b : boards_) {
      QStringList items;
      items.reserve(b.entries.size() + b.kept.size());
      for (const SlipEntry& e : b.entries) items.append(e.text());
      items += b.kept;
      out.append(items.join(QLatin1Char('~')));
    }
    out += extraLines_;
    return out;
  }
  for (const RecordLine& l : records_) {
    if (!l.record) {
      out.append(l.raw);
      continue;
    }
    if (l.text.isEmpty()) l.text = formatRecord(*l.record);
    out.append(l.text);
  }
  return out;
}

bool EventModel::save(const QString& path) const { return writeTextLines(path, lines()); }

}  // namespace mervalo
