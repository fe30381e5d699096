#pragma once

#include <QList>
#include <QString>
#include <QStringList>
#include <optional>

namespace mervalo {

// A group file "<date> Groep <letter>.txt": one line per entry, a pair written as
// "3| Dhr. Jan Smit+7| Mevr. Anna de Vries" or the sit-out line "***** Stilzit *****". This is
// the one reader and writer of group files and their ".mail" companions.

// " " + title + " " + first name + " " + last name: how a player appears in a group.
QString playerDescription(const QString& title, const QString& first, const QString& last);

// "***** " + word + " *****" (word: the language's text for the sit-out).
QString sitOutText(const QString& word);
bool isSitOutLine(const QString& line);

// number + "|" + description for both players, joined by "+".
QString pairLine(const QString& number1, const QString& description1, const QString& number2,
                 const QString& description2);

// The two descriptions as the group grid shows them.
QString pairDisplay(const QString& description1, const QString& description2);

// date (cut at its first ".") + " " + group word + " " + letter.
QString groupName(const QString& dateText, const QString& groupWord, const QString& letter);

// The date and the letter a group name was made of ("03-12-2026 Groep A"); nullopt when the
// name lacks " " + group word.
struct GroupNameParts {
  QString date;
  QString letter;
};
std::optional<GroupNameParts> splitGroupName(const QString& name, const QString& groupWord);

// group name + " " + result word + ".txt": the group's event file, among the events; its
// presence marks that the group has scores.
QString eventFileNameForGroup(const QString& groupName, const QString& resultWord);

// One entry of a group: a pair, the sit-out, or a line nobody can read (kept as it stands).
struct GroupEntry {
  enum class Kind { Pair, SitOut, Unreadable };
  Kind kind = Kind::Pair;
  int number = 0;           // the pair number: the entry's place in the file, from 1
  QString line;             // exactly as read; written back unchanged
  QString display;          // what the group grid shows
  QString players[2];       // "3| Dhr. Jan Smit" (pairs only)

  // The players' descriptions, trimmed ("Dhr. Jan Smit", "Mevr. Anna de Vries"); none for the
  // sit-out. A line without "+" gives the one description it holds.
  QStringList descriptions() const;
  // "Dhr. Jan Smit - Mevr. Anna de Vries", cut before any "[" (a name carried over from an
  // earlier result loses its old count); empty for the sit-out.
  QString name() const;
};

// A group file with its mail companion. Pairs are numbered in file order; blank lines do not
// count. The sit-out is the line holding "**"; a group has at most one, and a second one is
// left out (the group is then not complete). An odd number of entries makes room for a phantom
// pair, the one after the last, which sits out.
struct Group {
  QList<GroupEntry> entries;
  // False when something had to be left out (a second sit-out line).
  bool complete = true;
  // The companion's lines, one name-list line per player; none when it is missing or empty.
  std::optional<QStringList> mail;

  static Group parse(const QStringList& lines);

  // The number of pairs of the event, the phantom pair included.
  int pairCount() const;
  bool hasPhantom() const { return entries.size() % 2 != 0; }
  // The pair that sits out: the sit-out line's number, the phantom pair, or 0 when all play.
  int sitOutPair() const;
  // name() of every entry, in pair order.
  QStringList pairNames() const;
  // The descriptions of every player, in file order.
  QStringList playerDescriptions() const;
  QStringList lines() const;
};

GroupEntry parseGroupLine(const QString& line);
// The group file and its companion; nullopt when the group file is missing or unreadable.
std::optional<Group> readGroup(const QString& path);
// The companion of a group file: the same name with ".mail" for ".txt".
QString mailCompanionPath(const QString& groupPath);
// The companion's lines, whether or not the group file is still there; nullopt when it is
// missing, empty or unreadable.
std::optional<QStringList> readMailCompanion(const QString& groupPath);
// Gives a group without a companion one made from the group file itself (the players'
// descriptions then stand for their name-list lines). False only when it had to and could not.
bool ensureMailCompanion(const QString& groupPath);
// Writes the companion first (a group file is never newer than its addresses), then the group.
bool writeGroup(const QString& path, const QStringList& groupLines, const QStringList& mailLines);

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
