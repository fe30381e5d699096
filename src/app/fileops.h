#pragma once

#include <QString>
#include <QStringList>

namespace mervalo {

// 1: the file exists and holds at least one byte; 0: it exists and is empty; -1: missing or
// not accessible.
int fileState(const QString& path);

// Creates the folder and every missing parent; errors are ignored (a level that cannot be made
// is skipped). Paths use "/".
void makeFolder(const QString& path);

// Index of the first entry that begins with text (exact = false) or equals it (exact = true),
// both without regard to case; -1 when none does.
int listSearch(const QStringList& list, const QString& text, bool exact);

}  // namespace mervalo
