// Any bytes as an event file: reading either refuses with a line inside the header or gives an
// event whose lines read back to the same event, with nothing that was read left out.
#include <QRegularExpression>
#include <cstdint>
#include <cstdlib>

#include "app/textfile.h"
#include "event/eventmodel.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const QByteArray bytes(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
  const QStringList lines = mervalo::fromCp1252(bytes).split(QRegularExpression(QStringLiteral("\r\n|\n|\r")));
  mervalo::EventFileError error;
  const auto event = mervalo::EventModel::fromLines(lines, QStringLiteral("f.txt"), &error);
  if (!event) {
    if (error.line < 1 || error.line > mervalo::kHeaderLines) std::abort();
    return 0;
  }
  for (const mervalo::EventFileError& p : event->problems())
    if (p.line <= mervalo::kHeaderLines || p.line > lines.size()) std::abort();
  const QStringList written = event->lines();
  const auto again = mervalo::EventModel::fromLines(written, QStringLiteral("f.txt"));
  if (!again || again->header() != event->header() || again->lines() != written) std::abort();
  for (int b : event->recordedBoards()) {
    if (b < 1 || b > event->header().boards()) std::abort();
    if (*again->record(b) != *event->record(b)) std::abort();
  }
  return 0;
}
