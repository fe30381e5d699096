#pragma once

#include <QString>
#include <QStringList>

namespace mervalo {

// How a player of an event is named in the entry screens' player list and in the results
// screen's recipient list.
//
// Two lookups must find the player by plain substring search: the address collection of the
// results page searches the name-list lines ("3|Dhr.|Jan|Smit|jan@club.nl") and the mail loop
// searches the mailing-list entries ("Dhr. Jan Smit |jan@club.nl"). Names are joined by "|" in
// the one and by blanks in the other, so the only text both lines carry is the address itself,
// ended by the line: a player with an address is named "|" + address. The leading bar keeps
// "an@club.nl" from matching "jan@club.nl".
//
// A player whose group line has no address is named by his name-list fields
// "|title|first|last|": the mail loop then finds nobody (there is no address to send to) but
// the address collection still finds an address that was added to a name list after the group
// was made.
//
// Group companions are name-list lines, one per player; a group file without companion gives
// the players' descriptions as they stand, which only ever match by chance.
QStringList playersForMail(const QStringList& groupMailLines);

// What the recipient list shows for a player key: the names of the mailing-list entry it
// finds, or the key's names without bars.
QString playerDisplayName(const QString& key, const QStringList& mailingList);

// The mailing-list entries of a group companion: fields 1 to n-1 each followed by a blank,
// "|", field n. Blank lines and lines without names are skipped.
QStringList mailingListEntries(const QStringList& companionLines);

// The address lines of name-list companions: every line that is not blank and holds "@".
QStringList addressLines(const QStringList& nameListMailLines);

// For every player in order, the first address line containing the player's key gives its
// last field followed by "; " (unless that is no address, isSafeMailAddress); that line is then
// used up. Returns the collected text.
QString collectAddresses(const QStringList& players, QStringList& addressLines);

// The players of the event of a group file ("Dinsdag.txt" among the groups),
// from its companion, or from the group file itself when the companion is missing or empty.
QStringList eventPlayersForMail(const QString& programFolder, const QString& groupFileName);

}  // namespace mervalo
