#pragma once

#include <QString>
#include <QStringList>
#include <optional>

#include "players/groupfile.h"
#include "scoring/eventresult.h"

namespace mervalo {

// An event worked out again from its files, as the entry screen of its mode does when an event
// is reopened and its result asked for (mervalo-cli and the tests use it).

// What stopped the computation, naming the file at fault.
struct ResultError {
  QString file;  // relative to the program folder, as relativeFilePath names it
  QString what;
  QString describe() const;  // "<file>: <what>"
};

// The files of one event, read but not yet checked.
struct EventSources {
  QString eventName;      // "12-03-2024 Groep A Uitslag"
  QString groupName;      // "12-03-2024 Groep A"
  QStringList eventLines;
  Group group;
  QStringList schemaLines;  // the schema's round lines
  int language = 10;

  QString groupFileName() const { return groupName + QStringLiteral(".txt"); }
};

// Reads the event file "invoer/<eventName>.txt", its group file and its schema from the program
// folder. Nothing is written.
std::optional<EventSources> readEventSources(const QString& programFolder, const QString& eventName, int language,
                                             ResultError* error = nullptr);

// Checks the event file (header, records or board lines, pair numbers, score texts) and scores
// it. Damage is reported, never guessed around; nothing here can crash on bad input.
std::optional<EventResult> computeEventResult(const EventSources& sources, ResultError* error = nullptr);

// A text measure that needs no fonts: every character 7 pixels (105 twips) wide. The command
// line uses it so that the widths on a page it writes do not depend on the machine.
int fixedPitchWidth(const QString& text);

}  // namespace mervalo
