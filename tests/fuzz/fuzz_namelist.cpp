// Any bytes as a name-list file: every player must come out with exactly five fields, none
// holding the separator, and a list read whole must survive being written and read again.
#include "fuzz.h"
#include "players/namelist.h"

using namespace mervalo;
using fuzz::require;

void fuzzOne(const QByteArray& input) {
  const NameList list = parseNameList(fuzz::lines(input));
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
}
