#include "eventresult.h"

#include <QDir>
#include <QStringView>
#include <algorithm>
#include <vector>

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

// A pair number as the files write it: decimal digits only (blanks around allowed), of a pair
// of this event.
std::optional<int> pairNumber(QStringView text, int pairs) {
  const QStringView t = text.trimmed();
  if (t.isEmpty() || t.size() > 3) return std::nullopt;
  int n = 0;
  for (QChar c : t) {
    if (c < QLatin1Char('0') || c > QLatin1Char('9')) return std::nullopt;
    n = n * 10 + (c.unicode() - '0');
  }
  if (n < 1 || n > pairs) return std::nullopt;
  return n;
}

// A score text the entry screens can have stored: only the keys a score box accepts.
bool isScoreText(QStringView text) {
  if (text.isEmpty()) return false;
  for (QChar c : text) {
    const bool ok = (c >= QLatin1Char('0') && c <= QLatin1Char('9')) || c == QLatin1Char('-') || c == QLatin1Char('n') ||
                    c == QLatin1Char('N') || c == QLatin1Char('%');
    if (!ok) return false;
  }
  return true;
}

bool allDigits(QStringView text) {
  if (text.isEmpty()) return false;
  for (QChar c : text)
    if (c < QLatin1Char('0') || c > QLatin1Char('9')) return false;
  return true;
}

// Reads the score lines of an event file (line 8 on). The largest event holds thousands of table
// results, so the lines are read in place rather than split into lists of strings.
class ScoreReader {
 public:
  ScoreReader(const EventHeader& header, const QString& file, ResultError* error)
      : h_(header), file_(file), error_(error), tables_(static_cast<size_t>(std::max(header.boards(), 0))),
        complete_(tables_.size(), false) {}

  bool read(const QStringList& lines) {
    for (qsizetype i = 7; i < lines.size(); ++i) {
      const QStringView line(lines[i]);
      if (line.trimmed().isEmpty()) continue;
      line_ = static_cast<int>(i) + 1;
      if (!(h_.entryMode == kEntryPerBoard ? readRecord(line) : readBoardLine(line, static_cast<int>(i) - 6)))
        return false;
    }
    return true;
  }

  // The tables of board b when the board is complete; nullptr otherwise.
  QVector<BoardTable>* tables(int board) {
    const size_t k = static_cast<size_t>(board - 1);
    return complete_[k] ? &tables_[k] : nullptr;
  }

 private:
  bool fail(const QString& what) {
    if (error_) *error_ = ResultError{file_, QStringLiteral("line %1: %2").arg(line_).arg(what)};
    return false;
  }

  bool checkScores(QStringView ns, QStringView ew, int board) {
    if (!isScoreText(ns))
      return fail(QStringLiteral("board %1: the NS score \"%2\" is not a score").arg(board).arg(ns));
    if (!ew.isEmpty() && !isScoreText(ew))
      return fail(QStringLiteral("board %1: the EW score \"%2\" is not a score").arg(board).arg(ew));
    return true;
  }

  bool pairs(QStringView ns, QStringView ew, int board, BoardTable& t) {
    const auto n = pairNumber(ns, h_.pairs);
    const auto e = pairNumber(ew, h_.pairs);
    if (!n || !e)
      return fail(QStringLiteral("board %1: the table \"%2-%3\" names a pair outside 1 to %4")
                      .arg(board)
                      .arg(ns)
                      .arg(ew)
                      .arg(h_.pairs));
    t.ns = *n;
    t.ew = *e;
    return true;
  }

  // "07*1|2|||420|-420|2|0@3|4|||…": a board's record; a later record of a board replaces an
  // earlier one.
  bool readRecord(QStringView line) {
    const qsizetype star = line.indexOf(QLatin1Char('*'));
    const QStringView key = star >= 1 ? line.left(star) : QStringView();
    if (!allDigits(key) || key.size() > 4) return fail(QStringLiteral("not a board's scores: \"%1\"").arg(line.left(40)));
    const int board = key.toInt();
    if (board < 1 || board > h_.boards())
      return fail(QStringLiteral("scores of board %1, but the event has %2 boards").arg(board).arg(h_.boards()));
    QVector<BoardTable> tables;
    const QStringView rest = line.mid(star + 1);
    if (!rest.trimmed().isEmpty()) {
      tables.reserve(rest.count(QLatin1Char('@')) + 1);
      for (QStringView result : rest.tokenize(QLatin1Char('@'))) {
        QStringView f[8];
        int n = 0;
        for (QStringView field : result.tokenize(QLatin1Char('|'))) {
          if (n == 8) return fail(QStringLiteral("board %1: a table with more than eight fields").arg(board));
          f[n++] = field;
        }
        if (n != 8) return fail(QStringLiteral("board %1: a table with %2 fields instead of eight").arg(board).arg(n));
        BoardTable t;
        if (!pairs(f[0], f[1], board, t) || !checkScores(f[4], f[5], board)) return false;
        t.nsScore = f[4].toString();
        t.ewScore = f[5].toString();
        tables.append(std::move(t));
      }
    }
    tables_[static_cast<size_t>(board - 1)] = std::move(tables);
    complete_[static_cast<size_t>(board - 1)] = true;
    return true;
  }

  // "3-8*|420|-420~1-6*": board b's slips; the board is complete when every slip that is not a
  // sit-out table holds scores.
  bool readBoardLine(QStringView line, int board) {
    if (board > h_.boards())
      return fail(QStringLiteral("a line for board %1, but the event has %2 boards").arg(board).arg(h_.boards()));
    QVector<BoardTable> tables;
    tables.reserve(line.count(QLatin1Char('~')) + 1);
    bool complete = true;
    for (QStringView part : line.tokenize(QLatin1Char('~'))) {
      if (part.trimmed().isEmpty()) continue;
      const qsizetype star = part.indexOf(QLatin1Char('*'));
      const QStringView pairText = star > 0 ? part.left(star).trimmed() : QStringView();
      if (pairText.isEmpty()) return fail(QStringLiteral("\"%1\" is not a table of board %2").arg(part).arg(board));
      const qsizetype dash = pairText.indexOf(QLatin1Char('-'));
      BoardTable t;
      if (dash < 0 || pairText.indexOf(QLatin1Char('-'), dash + 1) >= 0)
        return fail(QStringLiteral("board %1: the table \"%2\" is not two pairs").arg(board).arg(pairText));
      if (!pairs(pairText.left(dash), pairText.mid(dash + 1), board, t)) return false;
      const QStringView rest = part.mid(star + 1);
      bool stored = false;
      if (!rest.trimmed().isEmpty()) {
        const qsizetype bar = rest.indexOf(QLatin1Char('|'), 1);
        if (!rest.startsWith(QLatin1Char('|')) || bar < 0 || rest.indexOf(QLatin1Char('|'), bar + 1) >= 0)
          return fail(QStringLiteral("\"%1\" is not a table of board %2").arg(part).arg(board));
        const QStringView ns = rest.mid(1, bar - 1);
        const QStringView ew = rest.mid(bar + 1);
        stored = !ns.isEmpty();  // an emptied NS box stores the slip without scores
        if (stored) {
          if (!checkScores(ns, ew, board)) return false;
          t.nsScore = ns.toString();
          t.ewScore = ew.toString();
        }
      }
      if (!stored && tableCounts(t, h_.sitOut)) complete = false;
      tables.append(std::move(t));
    }
    tables_[static_cast<size_t>(board - 1)] = std::move(tables);
    complete_[static_cast<size_t>(board - 1)] = complete;
    return true;
  }

  const EventHeader& h_;
  QString file_;
  ResultError* error_;
  int line_ = 0;
  std::vector<QVector<BoardTable>> tables_;
  std::vector<bool> complete_;
};

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

std::optional<Grid> scoredBoardsGrid(const EventHeader& header, const QStringList& eventLines,
                                     const QStringList& groupLines, int language, const QString& eventFileLabel,
                                     ResultError* error) {
  ScoreReader reader(header, eventFileLabel, error);
  if (!reader.read(eventLines)) return std::nullopt;
  const int boards = header.boards();
  const int top = eventTop(header.pairs, header.sitOut);
  ResultsLayout layout;
  layout.pairs = header.pairs;
  layout.sitOut = header.sitOut;
  layout.boards = boards;
  layout.names = pairNamesOfGroup(groupLines);
  setHeadings(layout, language);
  Grid grid = newResultsGrid(layout);
  for (int board = 1; board <= boards; ++board) {
    QVector<BoardTable>* tables = reader.tables(board);
    if (!tables) continue;
    scoreBoard(*tables, top, header.sitOut);
    setBoardPoints(grid, board, *tables, header.sitOut);
  }
  return grid;
}

std::optional<EventResult> computeEventResult(const EventSources& sources, const TextMeasure& measure,
                                              ResultError* error) {
  const QString label = eventLabel(sources.eventName);
  EventFileError headerError;
  const auto header = parseHeader(sources.eventLines, label, &headerError);
  if (!header) {
    fail(error, label, headerError.line > 0 ? QStringLiteral("line %1: %2").arg(headerError.line).arg(headerError.what)
                                            : headerError.what);
    return std::nullopt;
  }
  auto grid = scoredBoardsGrid(*header, sources.eventLines, sources.groupLines, sources.language, label, error);
  if (!grid) return std::nullopt;

  EventResult result;
  result.header = *header;
  result.groupFileName = sources.groupName + QStringLiteral(".txt");
  result.top = eventTop(header->pairs, header->sitOut);
  result.grid = std::move(*grid);
  computeResult(result.grid, header->boards(), result.top, measure);
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
