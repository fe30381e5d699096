#include "hands/dealgen.h"

#include <sys/random.h>

#include <cerrno>
#include <cstdlib>
#include <numeric>

namespace mervalo {

namespace {
quint64 rotl(quint64 x, int k) { return (x << k) | (x >> (64 - k)); }
}  // namespace

SeededRandom::SeededRandom(quint64 seed) {
  for (quint64& word : s_) {
    seed += 0x9e3779b97f4a7c15ULL;
    quint64 z = seed;
    z = (z ^ (z >> 30)) * 0xbf58476d1ce4e5b9ULL;
    z = (z ^ (z >> 27)) * 0x94d049bb133111ebULL;
    word = z ^ (z >> 31);
  }
}

quint64 SeededRandom::next() {
  const quint64 result = rotl(s_[1] * 5, 7) * 9;
  const quint64 t = s_[1] << 17;
  s_[2] ^= s_[0];
  s_[3] ^= s_[1];
  s_[1] ^= s_[2];
  s_[0] ^= s_[3];
  s_[2] ^= t;
  s_[3] = rotl(s_[3], 45);
  return result;
}

quint64 SystemRandom::next() {
  if (used_ == buffer_.size()) {
    auto* bytes = reinterpret_cast<char*>(buffer_.data());
    size_t got = 0;
    while (got < sizeof buffer_) {
      const ssize_t n = getrandom(bytes + got, sizeof buffer_ - got, 0);
      if (n < 0 && errno == EINTR) continue;
      if (n <= 0) std::abort();  // no deal is better than a predictable one
      got += size_t(n);
    }
    used_ = 0;
  }
  return buffer_[used_++];
}

quint64 uniformBelow(RandomSource& random, quint64 n) {
  // 2^64 mod n draws at the bottom would make the low results more likely.
  const quint64 threshold = (0 - n) % n;
  for (;;) {
    const quint64 r = random.next();
    if (r >= threshold) return r % n;
  }
}

Deal randomDeal(RandomSource& random) {
  std::array<int, 52> cards{};
  std::iota(cards.begin(), cards.end(), 0);
  for (int i = 51; i > 0; --i) std::swap(cards[i], cards[uniformBelow(random, quint64(i) + 1)]);
  Deal deal;
  for (int k = 0; k < 52; ++k) {
    const int card = cards[k];
    deal.cards[k / 13][card / 13] |= Holding(1u << (card % 13 + 2));
  }
  return deal;
}

HandRecord randomHandRecord(int boards, RandomSource& random) {
  HandRecord record;
  for (int n = 1; n <= boards; ++n) {
    BoardHand b;
    b.board = n;
    b.dealer = dealerOfBoard(n);
    b.vulnerability = vulnerabilityOfBoard(n);
    b.deal = randomDeal(random);
    record.boards.push_back(b);
  }
  return record;
}

}  // namespace mervalo
