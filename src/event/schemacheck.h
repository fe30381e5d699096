#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>
#include <QVector>

#include "event/balance.h"

namespace mervalo {

// Checks a movement file against the rules a playable movement must keep. Errors break a rule
// the scoring counts on (every pair seated once a round, every set played P/2 times, no pair
// playing a set twice, tables the program can read); warnings are what a good movement avoids
// where the numbers allow it (pairs meeting twice, one set at two tables in a round).

struct SchemaIssue {
  int line = 0;   // 1-based line of the file; 0 for the file as a whole
  bool error = true;
  QString what;
};

struct SchemaCheck {
  int pairs = 0;
  int rounds = 0;
  QVector<SchemaIssue> issues;
  QVector<SeatedTable> tables;  // every table that could be read, in file order
  MovementBalance balance;      // of those tables
  bool ok() const;  // no errors (warnings allowed)
  int errors() const;
};

// P and R from a schema file name ("08 Paren 03 Ronden Howell.txt" or "08 Pairs 03 Rounds.txt",
// words without regard to case). False when the name does not follow that pattern.
bool parseSchemaFileName(const QString& fileName, int* pairs, int* rounds);

// Checks the lines of a movement for P pairs and R rounds.
SchemaCheck checkSchema(const QStringList& fileLines, int pairs, int rounds);

// Checks the raw bytes of a file named fileName (P and R come from the name).
SchemaCheck checkSchemaBytes(const QString& fileName, const QByteArray& bytes);

// The first error of a check as one line ("line 4: pair 3 sits at tables 1 and 2 of round 2"),
// empty when there is none.
QString firstBrokenRule(const SchemaCheck& check);

// Reads and checks a file; an unreadable file is one error.
SchemaCheck checkSchemaFile(const QString& path);

}  // namespace mervalo
