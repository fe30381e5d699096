// Any bytes as a name-list file and as a group file. Every player of the list comes out with
// exactly five fields, none holding the separator, and a list read whole survives being written
// and read again. The group has at most one sit-out, every entry is one of the file's own lines,
// and the lines kept read back to the same entries.
#include "fuzz.h"
#include "players/groupfile.h"
#include "players/namelist.h"

using namespace mervalo;
using fuzz::require;

void fuzzOne(const QByteArray& input) {
  const QStringList lines = fuzz::lines(input);
  const NameList list = parseNameList(lines);
  require(list.heading.size() == kNameFields);
  QStringList written{list.heading.join(QLatin1Char('|'))};
  bool blankPlayer = false;
  for (const QStringList& p : list.players) {
    require(p.size() == kNameFields);
    for (const QString& f : p) require(!f.contains(QLatin1Char('|')));
    written << p.join(QLatin1Char('|'));
    blankPlayer = blankPlayer || p.join(QString()).trimmed().isEmpty();
  }
  const NameList again = parseNameList(written);
  // A player whose fields are all blank writes a blank line, which is skipped on reading.
  const bool sameSize = again.players.size() == list.players.size();
  if (list.complete) require((sameSize && again.complete) || (!sameSize && blankPlayer));
  (void)pickKey(list.heading);

  const Group group = Group::parse(lines);
  int sitOuts = 0;
  QStringList kept;
  for (const GroupEntry& e : group.entries) {
    require(lines.contains(e.line) && !e.line.trimmed().isEmpty());
    if (e.kind == GroupEntry::Kind::SitOut) ++sitOuts;
    if (e.kind == GroupEntry::Kind::Pair) {
      require(e.players[0] + QLatin1Char('+') + e.players[1] == e.line);
      (void)groupPlayerKey(e.players[0]);
      (void)groupPlayerKey(e.players[1]);
    }
    kept << e.line;
  }
  require(sitOuts <= 1);
  const Group regrouped = Group::parse(kept);
  require(regrouped.entries.size() == group.entries.size() && regrouped.complete);
  for (qsizetype i = 0; i < kept.size(); ++i) require(regrouped.entries[i].display == group.entries[i].display);
  (void)findMailLine(kept, lines.value(0));
}
