#pragma once

#include <QString>
#include <QStringList>

#include "event/eventfile.h"

namespace mervalo {

// Names (up to their first ".") of the "*<word>*.txt" files in a folder, the word matched without
// regard to case, in ascending or descending name order.
QStringList listNamedFiles(const QString& folder, const QString& word, bool descending);

// Renames every "*<word>*.txt" file of the folder that starts with a date so that the date is in
// the language's pattern, unless a file of the new name exists; a group's ".mail" companion goes
// with it. Returns how many were renamed; the files the system refused to rename are added to
// failed (when given).
int renameDatedFiles(const QString& folder, const QString& word, int language, QStringList* failed = nullptr);

// The entry mode remembered in "start.txt" (its numeric value; 0 when missing, empty or not 0/1).
int readStartMode(const QString& programFolder);
bool writeStartMode(const QString& programFolder, int mode);

// The group name part of an event name: what stands before " " + resultWord.
QString groupNameOfEvent(const QString& eventName, const QString& resultWord);

// The event file name of a new event from its group file name: the part before the first ".",
// " ", the result word, and the rest from that "." on ("12-03-2024 Groep A Uitslag.txt").
QString newEventFileName(const QString& groupFileName, const QString& resultWord);

// Writes the header of a new event when the file is missing or empty. Returns false only when
// it had to write and could not; an existing event is left exactly as it is.
bool writeNewEvent(const QString& path, const EventHeader& header);

}  // namespace mervalo
