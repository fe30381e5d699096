#pragma once

#include <QDateTime>
#include <QString>
#include <QStringList>

namespace mervalo {

// Whether a file is there and holds anything; a folder, or a file that cannot be reached, is
// missing.
enum class FileState { Missing, Empty, Filled };
FileState fileState(const QString& path);

// Creates the folder and every missing parent; errors are ignored (a level that cannot be made
// is skipped). Paths use "/".
void makeFolder(const QString& path);

// Index of the first entry that begins with text (exact = false) or equals it (exact = true),
// both without regard to case; -1 when none does.
int listSearch(const QStringList& list, const QString& text, bool exact);

// Removes every file of the list that exists; returns those that are still there afterwards
// (a file that is missing already counts as removed).
QStringList removeFiles(const QStringList& paths);

// Copies a file over any file at the destination; false when the destination could not be
// replaced or written (the earlier destination file is then left as it was).
bool copyFileOver(const QString& from, const QString& to);

// True when a file name typed by the user names a file inside its folder: not empty, no
// folder separators, not "." or "..", no control characters.
bool isPlainFileName(const QString& name);

// Removes from the folder the temporary files that a save stopped by a kill or a power cut left
// beside its target ("<name>.txt.XXXXXX", also .mail, .ini, .html, .csv), once they are older than
// an hour: a younger one may belong to a save still under way. Returns how many went.
int removeStaleSaveFiles(const QString& folder, const QDateTime& now);

// True when a movement name, from the download list or an event file, names one file inside the
// schema folder (not empty, no "/", "\", "..", or control character).
bool isSafeSchemaName(const QString& name);

}  // namespace mervalo
