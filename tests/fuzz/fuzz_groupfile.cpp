// Any bytes as a group file: at most one sit-out, every entry one of the file's own lines, and
// the lines kept read back to the same entries.
#include "fuzz.h"
#include "players/groupfile.h"

using namespace mervalo;
using fuzz::require;

void fuzzOne(const QByteArray& input) {
  const QStringList lines = fuzz::lines(input);
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
  const Group again = Group::parse(kept);
  require(again.entries.size() == group.entries.size() && again.complete);
  for (qsizetype i = 0; i < kept.size(); ++i) require(again.entries[i].display == group.entries[i].display);
  (void)findMailLine(kept, lines.value(0));
}
