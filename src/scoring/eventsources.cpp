#include "eventsources.h"

#include "app/fileops.h"
#include "app/paths.h"
#include "app/texts.h"
#include "app/textfile.h"
#include "event/movement.h"

namespace mervalo {

QString ResultError::describe() const { return file + QStringLiteral(": ") + what; }

namespace {

void fail(ResultError* error, const QString& file, const QString& what) {
  if (error) *error = ResultError{file, what};
}

QString eventLabel(const QString& eventName) { return relativeFilePath(DataFolder::Events, eventName + QStringLiteral(".txt")); }

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
  if (fileState(eventPath) != FileState::Filled) {
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
  const QString groupFile = relativeFilePath(DataFolder::Groups, s.groupFileName());
  const QString groupPath = programFolder + QLatin1Char('/') + groupFile;
  const auto group = fileState(groupPath) == FileState::Filled ? readGroup(groupPath) : std::nullopt;
  if (!group) {
    fail(error, groupFile, QStringLiteral("the group file of the event is missing or empty"));
    return std::nullopt;
  }
  s.group = *group;

  EventFileError headerError;
  const auto header = parseHeader(s.eventLines, eventFile, &headerError);
  if (!header) {
    fail(error, eventFile, headerError.line > 0 ? QStringLiteral("line %1: %2").arg(headerError.line).arg(headerError.what)
                                                : headerError.what);
    return std::nullopt;
  }
  const QString schemaFile = relativeSchemaFilePath(language, header->schemaName + QStringLiteral(".txt"));
  const auto schema = header->schemaName.isEmpty() ? std::nullopt
                                                   : loadSchema(programFolder, language, header->schemaName);
  if (!schema) {
    fail(error, schemaFile, QStringLiteral("the movement of the event is missing or cannot be read"));
    return std::nullopt;
  }
  s.schemaLines = *schema;
  return s;
}

std::optional<EventResult> computeEventResult(const EventSources& sources, ResultError* error) {
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
  return scoreEvent(*model, sources.group.pairNames());
}

int fixedPitchWidth(const QString& text) { return static_cast<int>(text.size()) * 105; }

}  // namespace mervalo
