#pragma once

#include <QList>
#include <QString>
#include <QStringList>
#include <optional>

namespace mervalo {

// A name list: "\namen\<name>.txt", one "|"-separated line of five fields per player after a
// heading line, and its ".mail" companion with the same lines.
inline constexpr int kNameFields = 5;

struct NameList {
  QStringList heading;             // the file's first line, as five fields
  QList<QStringList> players;      // five fields each: number, title, first, last, e-mail
  // False when some line held more than five fields and the rest had to be dropped: the list
  // on screen is then not the whole file and must not be saved over it unasked.
  bool complete = true;
};

// One line as five fields: one trailing "|" is ignored, missing fields are empty, fields
// beyond the fifth are dropped (cut is set when that happens).
QStringList splitNameLine(const QString& line, bool* cut = nullptr);

// Parses the lines of a name-list file. Blank lines are skipped; the first non-blank line is
// the heading. A file without lines gives an empty heading and no players.
NameList parseNameList(const QStringList& lines);

// nullopt when the file cannot be opened.
std::optional<NameList> readNameList(const QString& path);

// The heading a new list gets: "Nr.", "Dhr / Mevr", first name, last name, e-mail heading.
QStringList defaultNameHeading(const QString& text16, const QString& text20, const QString& text21,
                               const QString& text14, const QString& text15, const QString& text137);

// Writes folder/name.txt and folder/name.mail with the same lines. False when either fails.
bool writeNameList(const QString& folder, const QString& name, const QStringList& lines);

// The names of the files in folder matching pattern, each cut at its first ".", ascending by
// name without regard to case, or descending.
QStringList listFileNames(const QString& folder, const QString& pattern, bool descending);

// The key by which the group screen finds a player: the first "|" of his line becomes "*",
// every other "|" a blank ("3*Dhr. Jan Smit jan@club.nl").
QString pickKey(const QStringList& fields);

}  // namespace mervalo
