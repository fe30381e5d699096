// Any bytes as a PBN file: reading either refuses or gives whole deals with distinct board
// numbers, and what is written from them reads back to the same boards.
#include <set>

#include "fuzz.h"
#include "hands/pbn.h"

using namespace mervalo;
using fuzz::require;

void fuzzOne(const QByteArray& input) {
  PbnError error;
  const auto record = readPbn(input, &error);
  if (!record) {
    (void)error.describe();
    return;
  }
  std::set<int> numbers;
  for (const BoardHand& b : record->boards) {
    require(b.board >= 1 && numbers.insert(b.board).second);
    int cards = 0;
    for (int suit = 0; suit < 4; ++suit) {
      Holding all = 0;
      for (int seat = 0; seat < 4; ++seat) {
        require(!(all & b.deal.cards[seat][suit]));
        all |= b.deal.cards[seat][suit];
        cards += __builtin_popcount(b.deal.cards[seat][suit]);
      }
    }
    require(cards == 52);
  }
  const auto again = readPbn(writePbn(*record));
  require(again && again->boards.size() == record->boards.size());
  for (size_t i = 0; i < record->boards.size(); ++i) {
    const BoardHand& a = record->boards[i];
    const BoardHand& b = again->boards[i];
    require(a.board == b.board && a.deal == b.deal && a.dealer == b.dealer && a.vulnerability == b.vulnerability &&
            a.table == b.table && a.par == b.par);
  }
}
