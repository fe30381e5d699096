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

std::optional<QVector<BoardTable>> completeBoardTables(const EventModel& model, int board) {
  const EventHeader& h = model.header();
  QVector<BoardTable> tables;
  if (h.entryMode == kEntryPerBoard) {
    const ScoreRecord* record = model.record(board);
    if (!record) return std::nullopt;
    return tablesOfRecord(*record);
  }
  const BoardLine& line = model.boardLine(board);
  if (line.entries.isEmpty()) return std::nullopt;
  tables.reserve(line.entries.size());
  for (const SlipEntry& e : line.entries) {
    const auto pairs = slipPairs(e.pairText, h.pairs);
    if (!pairs) return std::nullopt;
    BoardTable t = e.stored ? BoardTable::fromTexts(pairs->first, pairs->second, e.nsScore, e.ewScore)
                            : BoardTable::fromTexts(pairs->first, pairs->second, {}, {});
    // A slip still to be typed keeps the board open, unless the sit-out pair sits there.
    if (!e.stored && tableCounts(t, h.sitOut)) return std::nullopt;
    tables.append(t);
  }
  return tables;
}

Grid scoredBoardsGrid(const EventModel& model, const QStringList& groupLines, int language) {
  const EventHeader& header = model.header();
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
    auto tables = completeBoardTables(model, board);
    if (!tables) continue;
    scoreBoard(*tables, top, header.sitOut);
    setBoardPoints(grid, board, *tables, header.sitOut);
  }
  return grid;
}

std::optional<EventResult> computeEventResult(const EventSources& sources, const TextMeasure& measure,
                                              ResultError* error) {
  const QString label = eventLabel(sources.eventName);
  EventFileError fileError;
  const auto model = EventModel::fromLines(sources.eventLines, label, &fileError);
  // A result is computed only from a file that can be read whole: nothing is guessed around.
  if (model && !model->problems().isEmpty()) fileError = model->problems().first();
  if (!model || !model->problems().isEmpty()) {
    fail(error, label, fileError.line > 0 ? QStringLiteral("line %1: %2").arg(fileError.line).arg(fileError.what)
                                          : fileError.what);
    return std::nullopt;
  }
  const EventHeader* header = &model->header();

  EventResult result;
  result.header = *header;
  result.groupFileName = sources.groupName + QStringLiteral(".txt");
  result.top = eventTop(header->pairs, header->sitOut);
  result.grid = scoredBoardsGrid(*model, sources.groupLines, sources.language);
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
