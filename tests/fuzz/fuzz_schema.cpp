// Any bytes as a movement file: the checker and the pairing derivation never crash, every
// pairing names a positive NS pair, and pairings come in ascending NS order.
#include "event/movement.h"
#include "event/schemacheck.h"
#include "fuzz.h"

using namespace mervalo;
using fuzz::require;

void fuzzOne(const QByteArray& input) {
  if (input.size() < 2) return;
  // The first two bytes choose the event's rounds (3..12) and boards per round (1..9).
  const int rounds = 3 + static_cast<uint8_t>(input[0]) % 10;
  const int boards = 1 + static_cast<uint8_t>(input[1]) % 9;
  const QByteArray bytes = input.mid(2);
  const SchemaCheck check = checkSchemaBytes(QStringLiteral("08 Paren 03 Ronden x.txt"), bytes);
  require(check.ok() == (check.errors() == 0));
  const QStringList lines = schemaRoundLines(QString::fromLatin1(bytes).split(QLatin1Char('\n')));
  const QStringList cells = tableCells(lines, rangeMap(rounds, boards));
  for (int b = 1; b <= rounds * boards; ++b) {
    const auto pairings = pairingsOfBoard(cells, b, boards);
    for (qsizetype i = 0; i < pairings.size(); ++i)
      require(pairings[i].ns > 0 && (i == 0 || pairings[i - 1].key() <= pairings[i].key()));
  }
}
