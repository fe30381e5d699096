// Any bytes as a PBN file: reading either refuses or gives whole deals with distinct board
// numbers, and what is written from them reads back to the same boards.
#include <cstdint>
#include <cstdlib>
#include <set>

#include "hands/pbn.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const QByteArray bytes(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
  mervalo::PbnError error;
  const auto record = mervalo::readPbn(bytes, &error);
  if (!record) {
    (void)error.describe();
    return 0;
  }
  std::set<int> numbers;
  for (const mervalo::BoardHand& b : record->boards) {
    if (b.board < 1 || !numbers.insert(b.board).second) std::abort();
    int cards = 0;
    for (int suit = 0; suit < 4; ++suit) {
      mervalo::Holding all = 0;
      for (int seat = 0; seat < 4; ++seat) {
        if (all & b.deal.cards[seat][suit]) std::abort();
        all |= b.deal.cards[seat][suit];
        cards += __builtin_popcount(b.deal.cards[seat][suit]);
      }
    }
    if (cards != 52) std::abort();
  }
  const auto again = mervalo::readPbn(mervalo::writePbn(*record));
  if (!again || again->boards.size() != record->boards.size()) std::abort();
  for (size_t i = 0; i < record->boards.size(); ++i) {
    const mervalo::BoardHand& a = record->boards[i];
    const mervalo::BoardHand& b = again->boards[i];
    if (a.board != b.board || !(a.deal == b.deal) || a.dealer != b.dealer || a.vulnerability != b.vulnerability ||
        a.table != b.table || a.par != b.par)
      std::abort();
  }
  return 0;
}
