// Any bytes as a group file: at most one sit-out, every entry one of the file's own lines, and
// the lines kept read back to the same entries.
#include <QRegularExpression>
#include <cstdint>
#include <cstdlib>

#include "app/textfile.h"
#include "players/groupfile.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const QByteArray bytes(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
  const QStringList lines = mervalo::fromCp1252(bytes).split(QRegularExpression(QStringLiteral("\r\n|\n|\r")));
  const mervalo::Group group = mervalo::Group::parse(lines);
  int sitOuts = 0;
  QStringList kept;
  for (const mervalo::GroupEntry& e : group.entries) {
    if (!lines.contains(e.line) || e.line.trimmed().isEmpty()) std::abort();
    if (e.kind == mervalo::GroupEntry::Kind::SitOut) ++sitOuts;
    if (e.kind == mervalo::GroupEntry::Kind::Pair) {
      if (e.players[0] + QLatin1Char('+') + e.players[1] != e.line) std::abort();
      (void)mervalo::groupPlayerKey(e.players[0]);
      (void)mervalo::groupPlayerKey(e.players[1]);
    }
    kept << e.line;
  }
  if (sitOuts > 1) std::abort();
  const mervalo::Group again = mervalo::Group::parse(kept);
  if (again.entries.size() != group.entries.size() || !again.complete) std::abort();
  for (qsizetype i = 0; i < kept.size(); ++i)
    if (again.entries[i].display != group.entries[i].display) std::abort();
  (void)mervalo::findMailLine(kept, lines.value(0));
  return 0;
}
