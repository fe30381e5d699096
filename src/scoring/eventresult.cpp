#include "eventresult.h"

#include <QDir>

#include "app/fileops.h"
#include "app/texts.h"
#include "app/textfile.h"
#include "boardscore.h"
#include "event/movement.h"
#include "publish/htmlpage.h"
#include "resultgrid.h"

namespace mervalo {

QString ResultError::describe() const { return file + QStringLiteral(": ") + what; }

namespace {

void fail(ResultError* error, const QString& file, const QString& what) {
  if (error) *error = ResultError{file, what};
}

QString eventLabel(const QString& eventName) { return QStringLiteral("invoer/") + eventName + QStringLiteral(".txt"); }

// A pair number as the files write it: decimal digits only, of a pair of this event.
std::optional<int> pairNumber(const QString& text, int pairs) {
  const QString t = text.trimmed();
  if (t.isEmpty() || t.size() > 3) return std::nullopt;
  for (QChar c : t)
    if (c < QLatin1Char('0') || c > QLatin1Char('9')) return std::nullopt;
  const int n = t.toInt();
  if (n < 1 || n > pairs) return std::nullopt;
  return n;
}

// A score text the entry screens can have stored: only the keys a score box accepts.
bool isScoreText(const QString& text) {
  if (text.isEmpty()) return false;
  for (QChar c : text) {
    const bool ok = (c >= QLatin1Char('0') && c <= QLatin1Char('9')) || c == QLatin1Char('-') || c == QLatin1Char('n') ||
                    c == QLatin1Char('N') || c == QLatin1Char('%');
    if (!ok) return false;
  }
  return true;
}

QString boardText(int board) { return QStringLiteral("board %1").arg(board); }

bool checkScores(const QString& ns, const QString& ew, int board, const QString& file, ResultError* error) {
  if (!isScoreText(ns)) {
    fail(error, file, QStringLiteral("%1: the NS score \"%2\" is not a score").arg(boardText(board), ns));
    return false;
  }
  if (!ew.isEmpty() && !isScoreText(ew)) {
    fail(error, file, QStringLiteral("%1: the EW score \"%2\" is not a score").arg(boardText(board), ew));
    return false;
  }
  return true;
}

// The tables of a board stored per board: its record alone, checked.
std::optional<QVector<BoardTable>> recordTables(const ScoreRecord& record, int pairs, const QString& file,
                                                ResultError* error) {
  QVector<BoardTable> tables;
  for (const TableResult& r : record.tables) {
    const auto ns = pairNumber(r.ns, pairs);
    const auto ew = pairNumber(r.ew, pairs);
    if (!ns || !ew) {
      fail(error, file,
           QStringLiteral("%1: the table \"%2-%3\" names a pair outside 1 to %4")
               .arg(boardText(record.board), r.ns, r.ew)
               .arg(pairs));
      return std::nullopt;
    }
    if (!checkScores(r.nsScore, r.ewScore, record.board, file, error)) return std::nullopt;
    BoardTable t;
    t.ns = *ns;
    t.ew = *ew;
    t.nsScore = r.nsScore;
    t.ewScore = r.ewScore;
    tables.append(t);
  }
  return tables;
}

// The tables of a board stored per round; nullopt with no error set when a slip is still
// missing (the board is not complete).
std::optional<QVector<BoardTable>> slipTables(const QVector<SlipEntry>& entries, int board, int pairs, int sitOut,
                                              const QString& file, ResultError* error, bool* damaged) {
  QVector<BoardTable> tables;
  bool complete = !entries.isEmpty();
  for (const SlipEntry& e : entries) {
    const QStringList parts = e.pairText.split(QLatin1Char('-'));
    const auto ns = parts.size() == 2 ? pairNumber(parts[0], pairs) : std::nullopt;
    const auto ew = parts.size() == 2 ? pairNumber(parts[1], pairs) : std::nullopt;
    if (!ns || !ew) {
      fail(error, file,
           QStringLiteral("%1: the table \"%2\" is not two pairs from 1 to %3").arg(boardText(board), e.pairText).arg(pairs));
      *damaged = true;
      return std::nullopt;
    }
    BoardTable t;
    t.ns = *ns;
    t.ew = *ew;
    const bool stored = e.stored && !e.nsScore.isEmpty();
    if (stored) {
      if (!checkScores(e.nsScore, e.ewScore, board, file, error)) {
        *damaged = true;
        return std::nullopt;
      }
      t.nsScore = e.nsScore;
      t.ewScore = e.ewScore;
    } else if (tableCounts(t, sitOut)) {
      complete = false;
    }
    tables.append(t);
  }
  if (!complete) return std::nullopt;
  return tables;
}

}  // namespace

std::optional<EventSources> readEventSources(const QString& programFolder, const QString& eventName, int language,
                                             ResultError* error) {
  EventSources s;
  s.eventName = eventName;
  s.language = language;
  const QString eventFile = eventLabel(eventName);
  const QString resultWord = TextTable::builtin().lookup(70, language);
  const qsizetype marker = eventName.indexOf(QLatin1Char(' ') + resultWord);
  if (resultWord.isEmpty() || marker < 0) {
    fail(error, eventFile, QStringLiteral("not an event of this language (the name lacks \" %1\")").arg(resultWord));
    return std::nullopt;
  }
  const QString eventPath = programFolder + QLatin1Char('/') + eventFile;
  if (fileState(eventPath) != 1) {
    fail(error, eventFile, QStringLiteral("the event file is missing or empty"));
    return std::nullopt;
  }
  const auto eventLines = readTextLines(eventPath);
  if (!eventLines) {
    fail(error, eventFile, QStringLiteral("the event file cannot be read"));
    return std::nullopt;
  }
  s.eventLines = *eventLines;

  s.groupName = eventName.left(marker);
  const QString groupFile = QStringLiteral("groepen/") + s.groupName + QStringLiteral(".txt");
  const QString groupPath = programFolder + QLatin1Char('/') + groupFile;
  const auto groupLines = fileState(groupPath) == 1 ? readTextLines(groupPath) : std::nullopt;
  if (!groupLines) {
    fail(error, groupFile, QStringLiteral("the group file of the event is missing or empty"));
    return std::nullopt;
  }
  s.groupLines = *groupLines;

  EventFileError headerError;
  const auto header = parseHeader(s.eventLines, eventFile, &headerError);
  if (!header) {
    fail(error, eventFile, headerError.line > 0 ? QStringLiteral("line %1: %2").arg(headerError.line).arg(headerError.what)
                                                : headerError.what);
    return std::nullopt;
  }
  const QString schemaFile =
      QStringLiteral("schema/%1/%2.txt").arg(language).arg(header->schemaName);
  const auto schema = header->schemaName.isEmpty() ? std::nullopt
                                                   : loadSchema(programFolder, language, header->schemaName);
  if (!schema) {
    fail(error, schemaFile, QStringLiteral("the movement of the event is missing or cannot be read"));
    return std::nullopt;
  }
  s.schemaLines = *schema;
  return s;
}

std::optional<Grid> scoredBoardsGrid(const EventFile& event, const QStringList& groupLines, int language,
                                     const QString& eventFileLabel, ResultError* error) {
  const EventHeader& h = event.header;
  const int boards = h.boards();
  const int top = eventTop(h.pairs, h.sitOut);
  ResultsLayout layout;
  layout.pairs = h.pairs;
  layout.sitOut = h.sitOut;
  layout.boards = boards;
  layout.names = pairNamesOfGroup(groupLines);
  setHeadings(layout, language);
  Grid grid = newResultsGrid(layout);

  for (int board = 1; board <= boards; ++board) {
    QVector<BoardTable> tables;
    if (h.entryMode == kEntryPerBoard) {
      const ScoreRecord* record = event.record(board);
      if (!record) continue;
      auto stored = recordTables(*record, h.pairs, eventFileLabel, error);
      if (!stored) return std::nullopt;
      tables = std::move(*stored);
    } else {
      if (board - 1 >= event.boards.size()) continue;
      bool damaged = false;
      auto slips = slipTables(event.boards[board - 1], board, h.pairs, h.sitOut, eventFileLabel, error, &damaged);
      if (damaged) return std::nullopt;
      if (!slips) continue;
      tables = std::move(*slips);
    }
    scoreBoard(tables, top, h.sitOut);
    setBoardPoints(grid, board, tables, h.sitOut);
  }
  return grid;
}

std::optional<EventResult> computeEventResult(const EventSources& sources, const TextMeasure& measure,
                                              ResultError* error) {
  const QString label = eventLabel(sources.eventName);
  EventFileError fileError;
  const QString resultWord = TextTable::builtin().lookup(70, sources.language);
  auto event = EventFile::fromLines(rewriteEventDates(sources.eventLines, resultWord, sources.language), label,
                                    &fileError);
  if (!event) {
    fail(error, label, fileError.line > 0 ? QStringLiteral("line %1: %2").arg(fileError.line).arg(fileError.what)
                                          : fileError.what);
    return std::nullopt;
  }
  auto grid = scoredBoardsGrid(*event, sources.groupLines, sources.language, label, error);
  if (!grid) return std::nullopt;

  EventResult result;
  result.event = std::move(*event);
  result.groupFileName = sources.groupName + QStringLiteral(".txt");
  result.top = eventTop(result.event.header.pairs, result.event.header.sitOut);
  result.grid = std::move(*grid);
  computeResult(result.grid, result.event.header.boards(), result.top, measure);
  result.pageTitle = resultsCaption(TextTable::builtin().lookup(98, sources.language), result.groupFileName);
  result.pageFileName = result.groupFileName.section(QLatin1Char('.'), 0, 0) + QStringLiteral(".html");
  return result;
}

int fixedPitchWidth(const QString& text) { return static_cast<int>(text.size()) * 105; }

bool writeResultsPage(const QString& programFolder, const EventResult& result, const TextMeasure& measure,
                      QString* writtenPath) {
  const QString folder = programFolder + QStringLiteral("/HTML");
  makeFolder(folder);
  const QString path = folder + QLatin1Char('/') + result.pageFileName;
  if (writtenPath) *writtenPath = path;
  return writeHtmlPage(path, resultsScreenGrid(result.grid, measure), result.pageTitle);
}

}  // namespace mervalo
