#pragma once

#include <QDate>
#include <QString>
#include <QStringView>
#include <QStringList>
#include <QVector>
#include <optional>
#include <utility>

namespace mervalo {

// The pieces of the event file "\invoer\<group name> Uitslag.txt": seven header lines, then the
// scores. Entry per board (mode 0) keeps one score record per board, keyed "07*", "12*", "108*";
// entry per round (mode 1) keeps one positional line per board: line 7 + b holds board b.
// The file as a whole is read and written through EventModel (eventmodel.h).

inline constexpr int kEntryPerBoard = 0;
inline constexpr int kEntryPerRound = 1;
inline constexpr int kMinRounds = 3;
inline constexpr int kMaxRounds = 12;
inline constexpr int kMinBoardsPerRound = 1;
inline constexpr int kMaxBoardsPerRound = 9;
inline constexpr int kMaxPairs = 99;
// Lines 1 to 7 of every event file are its header; the scores start on line 8.
inline constexpr int kHeaderLines = 7;

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
  int ns = 0;
  int ew = 0;
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

// The board number a record line names (the digits before its "*"), 0 when it names none.
int recordLineBoard(QStringView line);

// Parses a record line of an event of `pairs` pairs. nullopt, with the reason in *why, when it
// is not one: no key, a table without eight fields, a pair outside 1 to pairs, a score text
// that no score box can hold.
std::optional<ScoreRecord> parseRecord(QStringView line, int pairs = kMaxPairs, QString* why = nullptr);

// A pair number as the files write it: decimal digits only (blanks around allowed), 1 to pairs.
std::optional<int> pairNumberText(QStringView text, int pairs);

// The NS and EW pair of a slip's pair text "3-8" (two pairs of the event joined by "-").
std::optional<std::pair<int, int>> slipPairs(QStringView pairText, int pairs);

// A score text an entry screen can have stored: only the keys a score box accepts, not empty.
bool isScoreText(QStringView text);

// What made (part of) an event file unusable: the file, the 1-based line (0 for the file as a
// whole) and a short English description.
struct EventFileError {
  QString file;
  int line = 0;
  QString what;
  QString describe() const;  // "<file>, line <n>: <what>"
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

// The files the table server keeps beside an event "<event>.txt": "<event> Tafels.txt" (the
// tables' codes) and "<event> Contracten.txt" (the contracts the tables sent).
QString tableCodesPath(const QString& eventPath);
QString contractsPath(const QString& eventPath);
// True for such a companion's name (with or without ".txt"): it is no event of its own.
bool isEventCompanionName(const QString& fileName);

}  // namespace mervalo
