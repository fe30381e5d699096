// Any bytes as a name-list file: every player must come out with exactly five fields, none
// holding the separator, and a list read whole must survive being written and read again.
#include <QRegularExpression>
#include <cstdint>
#include <cstdlib>

#include "app/textfile.h"
#include "players/namelist.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const QByteArray bytes(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
  const QStringList lines = mervalo::fromCp1252(bytes).split(QRegularExpression(QStringLiteral("\r\n|\n|\r")));
  const mervalo::NameList list = mervalo::parseNameList(lines);
  if (list.heading.size() != mervalo::kNameFields) std::abort();
  QStringList written{list.heading.join(QLatin1Char('|'))};
  for (const QStringList& p : list.players) {
    if (p.size() != mervalo::kNameFields) std::abort();
    for (const QString& f : p)
      if (f.contains(QLatin1Char('|'))) std::abort();
    written << p.join(QLatin1Char('|'));
  }
  const mervalo::NameList again = mervalo::parseNameList(written);
  if (list.complete && again.players.size() != list.players.size()) {
    // A player whose fields are all blank writes a blank line, which is skipped on reading.
    for (const QStringList& p : list.players)
      if (p.join(QString()).trimmed().isEmpty()) return 0;
    std::abort();
  }
  if (list.complete && !again.complete) std::abort();
  (void)mervalo::pickKey(list.heading);
  return 0;
}
