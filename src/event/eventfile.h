#pragma once

#include <QDate>
#include <QString>
#include <QStringList>
#include <QVector>
#include <optional>

namespace mervalo {

// The event file "\invoer\<group name> Uitslag.txt": seven header lines, then the scores.
// Entry per board (mode 0) keeps one score record per board, keyed "07*", "12*", "108*";
// entry per round (mode 1) keeps one positional line per board: line 7 + b holds board b.
// The file is always read and written whole through EventFile.

inline constexpr int kEntryPerBoard = 0;
inline constexpr int kEntryPerRound = 1;
inline constexpr int kMinRounds = 3;
inline constexpr int kMaxRounds = 12;
inline constexpr int kMinBoardsPerRound = 1;
inline constexpr int kMaxBoardsPerRound = 9;
inline constexpr int kMaxPairs = 99;

// Lines 1 to 7.
struct EventHeader {
  QString title;            // line 1: group name, " ", "Uitslag"/"Result"
  int pairs = 0;            // line 2: P, the phantom pair included
  int sitOut = 0;           // line 3: the sit-out pair, 0 for none
  QString noSitOut = QStringLiteral("Geen");  // what line 3 says when there is none
  int rounds = 0;           // line 4: R
  int boardsPerRound = 0;   // line 5: B
  QString schemaName;       // line 6, trimmed
  int entryMode = kEntryPerBoard;  // line 7

  int boards() const { return rounds * boardsPerRound; }
  // The seven lines as they are written.
  QStringList lines() const;
  bool operator==(const EventHeader&) const = default;
};

// One table's result inside a score record: "ns|ew|||nsScore|ewScore|nsPoints|ewPoints".
struct TableResult {
  QString ns;
  QString ew;
  QString nsScore;   // as entered: "420", "-50", "n", "60%"
  QString ewScore;
  QString nsPoints;  // matchpoints: "2", "1.33" or "n"
  QString ewPoints;
  bool operator==(const TableResult&) const = default;
};

// Entry per board: the results of one completed board, tables in ascending NS order.
struct ScoreRecord {
  int board = 0;
  QVector<TableResult> tables;
  bool operator==(const ScoreRecord&) const = default;
};

// Entry per round: one table of a board, "3-8*" before scores are stored, "3-8*|420|-420" after.
struct SlipEntry {
  QString pairText;  // "3-8" as the schema cell has it (or swapped "8-3")
  bool stored = false;
  QString nsScore;
  QString ewScore;
  QString text() const;
  // nullopt when the text has no "*" after its pair text.
  static std::optional<SlipEntry> parse(const QString& text);
  bool operator==(const SlipEntry&) const = default;
};

// "07*" for board 7, "108*" for board 108: at least two digits and "*".
QString recordKey(int board);

// The record as one file line: key, then the tables joined by "@".
QString formatRecord(const ScoreRecord& record);

// Parses a record line; nullopt when it is not one (no key, or a table without eight fields).
std::optional<ScoreRecord> parseRecord(const QString& line);

// What made an event file unreadable: the file, the 1-based line (0 for the file as a whole)
// and a short English description.
struct EventFileError {
  QString file;
  int line = 0;
  QString what;
  QString describe() const;  // "<file>, line <n>: <what>"
};

// The whole event file in memory.
class EventFile {
 public:
  EventHeader header;
  QVector<ScoreRecord> records;       // mode 0: in the order boards were first completed
  QVector<QVector<SlipEntry>> boards;  // mode 1: index b-1 holds board b; empty = no stored line

  // The record of board b, or nullptr.
  const ScoreRecord* record(int board) const;
  // Replaces the record of the same board, or appends it.
  void setRecord(const ScoreRecord& record);
  // Removes the record of board b; false when there was none.
  bool removeRecord(int board);

  // Every line of the file, header first.
  QStringList lines() const;

  // Parses the lines of a file named fileName (used only in the error). Damage is returned as
  // the error, never thrown; nothing is guessed for a line that cannot be read.
  static std::optional<EventFile> fromLines(const QStringList& lines, const QString& fileName,
                                            EventFileError* error = nullptr);
};

// Checks the seven header lines alone (for a screen that shows an event before opening it).
std::optional<EventHeader> parseHeader(const QStringList& lines, const QString& fileName, EventFileError* error = nullptr);

// A date in the first ten characters, written "DD-MM-YYYY" or "YYYY-MM-DD"; nullopt otherwise.
std::optional<QDate> leadingDate(const QString& text);

// The date in the language's pattern (text 63: "DD-MM-YYYY" Dutch, "YYYY-MM-DD" English).
QString formatDate(const QDate& date, int language);

// The text with its leading date rewritten in the language's pattern; unchanged without a date.
QString rewriteLeadingDate(const QString& text, int language);

// Every line that contains resultWord ("Uitslag"/"Result") gets its leading date rewritten.
QStringList rewriteEventDates(const QStringList& lines, const QString& resultWord, int language);

// Reads and parses an event file, rewriting its dates for the language first (as entry screens
// load it). The error names the file and line when it cannot be read or is damaged.
std::optional<EventFile> loadEventFile(const QString& path, int language, EventFileError* error = nullptr);

// Writes the file whole (atomically); false when it could not be written.
bool saveEventFile(const QString& path, const EventFile& file);

// The event file name of a new event: the group name, " ", the result word, ".txt".
QString eventFileNameForGroup(const QString& groupName, const QString& resultWord);

}  // namespace mervalo
