#pragma once

#include <QDate>
#include <QString>
#include <QStringList>
#include <QVector>

namespace mervalo {

// The schema list file "Lijst met speelschemas.txt": a line holding "======" starts a group,
// whose key is the header's second word ("====== 8 ======" gives 8); every other line, an
// empty one too, is one schema name (a schema file name without ".txt") of the group last
// started. Lines before the first header belong to no group and are dropped.

struct SchemaGroup {
  QString tag;  // the header's second word as written; empty when it has none
  QStringList names;
};

struct SchemaList {
  QVector<SchemaGroup> groups;  // in file order
  QStringList keys;             // two-digit keys of the groups, largest first, each once

  // The names of every group whose tag has the numeric value of the key, in file order.
  QStringList namesOf(const QString& key) const;
};

SchemaList parseSchemaList(const QStringList& lines);

// The leading whole number of a tag, as the old runtime's Val reads it ("8" and "08 paren"
// give 8, "abc" and "" give 0).
int tagValue(const QString& tag);

// The last two characters of (value + 100): 8 gives "08", 12 gives "12".
QString twoDigitKey(int value);

// The scroll bar's value after a step past either end: below 0 goes to the last index, beyond
// the last to 0, anything else stays.
int wrapGroupIndex(int value, int count);

// The list file for these schema names: one group per pair count (the names' first two
// digits), smallest count first, names in name order.
QStringList writeSchemaList(const QStringList& schemaNames);

// The first line of the update notice: the date in the maker's pattern (DD-MM-YYYY).
QString noticeDateText(const QDate& date);

// A mirror of the download server in folder dir, made from the schema files of schemaFolder:
// MERVALO/Lijst met speelschemas.txt, MERVALO/Schema/<name>.txt (byte copies) and
// MERVALO/mervalo.txt with the given date. Files that the movement reader refuses are left out
// and named in skipped.
struct MirrorResult {
  QString error;  // empty on success
  QStringList schemas;
  QStringList skipped;
};
MirrorResult writeMirror(const QString& dir, const QString& schemaFolder, const QDate& today);

}  // namespace mervalo
