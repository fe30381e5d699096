// Any bytes as an event file: reading either refuses with a line inside the file or gives an
// event whose lines read back to the same event.
#include <QRegularExpression>
#include <cstdint>
#include <cstdlib>

#include "app/textfile.h"
#include "event/eventfile.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const QByteArray bytes(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
  const QStringList lines = mervalo::fromCp1252(bytes).split(QRegularExpression(QStringLiteral("\r\n|\n|\r")));
  mervalo::EventFileError error;
  const auto event = mervalo::EventFile::fromLines(lines, QStringLiteral("f.txt"), &error);
  if (!event) {
    if (error.line < 0 || error.line > lines.size() + 1) std::abort();
    return 0;
  }
  const auto again = mervalo::EventFile::fromLines(event->lines(), QStringLiteral("f.txt"));
  if (!again || again->header != event->header || again->records != event->records) std::abort();
  for (const mervalo::ScoreRecord& r : event->records)
    if (r.board < 1 || r.board > event->header.boards()) std::abort();
  return 0;
}
