#pragma once

#include <QString>
#include <QStringList>
#include <QVector>
#include <optional>

namespace mervalo {

// Movement schema files: "\schema\<language>\<PP> <Paren> <RR> <Ronden><free text>.txt".
// Line 1 is a header; every other non-blank line is one round: a label, then one Tab-separated
// field per table such as "3-8 (5-8)". Ranges are always written for four boards per round;
// an event with B boards per round maps set k "(4k-3-4k)" onto "((k-1)B+1-kB)".

// This file is shipped by older installations with a broken movement; it is never offered.
inline constexpr char kExcludedSchemaFileName[] = "08 paren 03 ronden Mitchell.txt";


// The fixed start of the file names for P pairs and R rounds in a language, e.g. "08 Paren 03 Ronden".
QString schemaNamePrefix(int pairs, int rounds, int language);

// Schema names (file names without ".txt") offered for P pairs and R rounds: the prefix matched
// without regard to case, the excluded name left out, in name order. Empty when there are none.
QStringList listSchemas(const QString& programFolder, int language, int pairs, int rounds);

// The round lines of a schema file's lines: line 1 dropped, blank lines dropped.
QStringList schemaRoundLines(const QStringList& fileLines);

// Reads the schema of that name (without ".txt") of the language; nullopt when unreadable.
std::optional<QStringList> loadSchema(const QString& programFolder, int language, const QString& schemaName);

// "(5-8)" for set 2: the range of board set k as schema files write it.
QString fourBoardRange(int set);

// "(4-6)" for set 2 with B = 3: the range of board set k in an event with B boards per round.
QString boardSetRange(int set, int boardsPerRound);

// The range of the set that board b (1-based) belongs to with B boards per round.
QString boardRange(int board, int boardsPerRound);

// One entry per set k = 1..R: the four-board range, "|", the B-board range ("(5-8)|(4-6)").
QStringList rangeMap(int rounds, int boardsPerRound);

// A table field with every four-board range replaced by its B-board range from the range map.
QString convertRanges(const QString& field, const QStringList& rangeMap);

// True for a field that marks an empty table ("-  -"); such fields are never paired.
bool isEmptyTable(const QString& field);

// The table fields of one round line (label dropped, empty tables skipped), ranges converted.
QStringList roundCells(const QString& roundLine, const QStringList& rangeMap);

// The table fields of every round line in file order, as roundCells gives them.
QStringList tableCells(const QStringList& roundLines, const QStringList& rangeMap);

// The pair text of a cell: what stands before its range, trimmed ("3-8" of "3-8 (1-4)").
QString cellPairText(const QString& cell);

// One table that plays a board. ew is 0 when the cell names no EW pair (or not as a number).
struct Pairing {
  int ns = 0;
  int ew = 0;
  QString ewText;  // the EW part as written in the cell, trimmed
  // "003-8": NS with three digits, "-", EW as written; sorting these orders by NS.
  QString key() const;
  bool operator==(const Pairing&) const = default;
};

// The tables that play board b, in ascending NS order (cells already converted to B boards).
QVector<Pairing> pairingsOfBoard(const QStringList& cells, int board, int boardsPerRound);

// Convenience: the pairings of board b straight from a schema's round lines.
QVector<Pairing> pairingsOfBoard(const QStringList& roundLines, int rounds, int boardsPerRound, int board);

}  // namespace mervalo
