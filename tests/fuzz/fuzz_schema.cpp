// Any bytes as a movement file: the checker and the pairing derivation never crash, every
// pairing names a positive NS pair, and pairings come in ascending NS order.
#include <cstdint>
#include <cstdlib>

#include "event/movement.h"
#include "event/schemacheck.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size < 2) return 0;
  // The first two bytes choose the event's rounds (3..12) and boards per round (1..9).
  const int rounds = 3 + data[0] % 10;
  const int boards = 1 + data[1] % 9;
  const QByteArray bytes(reinterpret_cast<const char*>(data + 2), static_cast<qsizetype>(size - 2));
  const mervalo::SchemaCheck check = mervalo::checkSchemaBytes(QStringLiteral("08 Paren 03 Ronden x.txt"), bytes);
  if (check.ok() != (check.errors() == 0)) std::abort();
  const QStringList lines = mervalo::schemaRoundLines(QString::fromLatin1(bytes).split(QLatin1Char('\n')));
  const QStringList cells = mervalo::tableCells(lines, mervalo::rangeMap(rounds, boards));
  for (int b = 1; b <= rounds * boards; ++b) {
    const auto pairings = mervalo::pairingsOfBoard(cells, b, boards);
    for (qsizetype i = 0; i < pairings.size(); ++i) {
      if (pairings[i].ns <= 0) std::abort();
      if (i > 0 && pairings[i - 1].key() > pairings[i].key()) std::abort();
    }
  }
  return 0;
}
