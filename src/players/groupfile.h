#pragma once

#include <QList>
#include <QString>
#include <QStringList>
#include <optional>

namespace mervalo {

// A group file "\groepen\<date> Groep <letter>.txt": one line per entry, a pair written as
// "3| Dhr. Jan Smit+7| Mevr. Anna de Vries" or the sit-out line "***** Stilzit *****".

// " " + title + " " + first name + " " + last name: how a player appears in a group.
QString playerDescription(const QString& title, const QString& first, const QString& last);

// "***** " + word + " *****" (word: the language's text for the sit-out).
QString sitOutText(const QString& word);
bool isSitOutLine(const QString& line);  // the screen recognises it by "**"

// number + "|" + description for both players, joined by "+".
QString pairLine(const QString& number1, const QString& description1, const QString& number2,
                 const QString& description2);

// The two descriptions as the group grid shows them.
QString pairDisplay(const QString& description1, const QString& description2);

// date (cut at its first ".") + " " + group word + " " + letter.
QString groupName(const QString& dateText, const QString& groupWord, const QString& letter);

// "/invoer/" + group name + " " + result word + ".txt": the marker that the group has scores.
QString resultsRelativePath(const QString& groupName, const QString& resultWord);

struct GroupEntry {
  enum class Kind { Pair, SitOut, Unreadable };
  Kind kind = Kind::Pair;
  QString line;             // exactly as read; written back unchanged
  QString display;          // what the group grid shows
  QString players[2];       // "3| Dhr. Jan Smit" (pairs only)
};

struct GroupFile {
  QList<GroupEntry> entries;
  // False when something had to be left out (a second sit-out line).
  bool complete = true;
};

GroupEntry parseGroupLine(const QString& line);
GroupFile parseGroupFile(const QStringList& lines);
std::optional<GroupFile> readGroupFile(const QString& path);

// The key of one player of a group line for a prefix search among the pick keys: the first
// "| " becomes "*" ("3| Dhr. Jan Smit" -> "3*Dhr. Jan Smit").
QString groupPlayerKey(const QString& player);

// The group is consistent when the entry count is even, or odd without a sit-out.
bool groupConsistent(int entries, bool hasSitOut);

// "1 Paar in groep" or "<n> Paren in groep".
QString groupCountText(int entries, const QString& pairWord, const QString& pairsWord, const QString& inGroup);

// The first mail line holding every blank-separated word of the trimmed description; -1 when
// none does.
int findMailLine(const QStringList& mailLines, const QString& description);

// The group letter control: letters from "Z" (index 0) down to "A" (index 25); a value below
// 0 wraps to 25 and one beyond 25 to 0.
inline constexpr int kLastLetterIndex = 25;
int wrapLetterIndex(int value);
QString letterAt(int index);
// The index of the first letter not greater than the given one; "A" for anything else.
int letterIndexFor(const QString& letter);

}  // namespace mervalo
