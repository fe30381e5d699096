#pragma once

#include <QtGlobal>
#include <array>

#include "hands/handrecord.h"

namespace mervalo {

// Random numbers for dealing. A seeded source is our own (SplitMix64 seeding xoshiro256**), so
// a seed gives the same deals on every machine and compiler; the system source is the
// operating system's cryptographic generator.
class RandomSource {
 public:
  virtual ~RandomSource() = default;
  virtual quint64 next() = 0;
};

class SeededRandom : public RandomSource {
 public:
  explicit SeededRandom(quint64 seed);
  quint64 next() override;

 private:
  std::array<quint64, 4> s_{};
};

class SystemRandom : public RandomSource {
 public:
  quint64 next() override;  // aborts when the system has no randomness to give

 private:
  std::array<quint64, 32> buffer_{};
  size_t used_ = buffer_.size();
};

// A number in 0 … n-1, every one equally likely (n ≥ 1): draws that would favour the low
// numbers are thrown away.
quint64 uniformBelow(RandomSource& random, quint64 n);

// The 52 cards shuffled (Fisher–Yates) and dealt thirteen to each hand.
Deal randomDeal(RandomSource& random);

// Boards 1 … boards, each a random deal with the dealer and vulnerability of its number.
HandRecord randomHandRecord(int boards, RandomSource& random);

}  // namespace mervalo
