#pragma once

#include <QString>
#include <QStringView>
#include <optional>

namespace mervalo {

// A bid contract as the table reports it, and the North-South score it earns.

enum class Denomination { Clubs, Diamonds, Hearts, Spades, NoTrump };
enum class Doubling { None, Doubled, Redoubled };
enum class Declarer { North, East, South, West };

struct Contract {
  int level = 0;  // 1 … 7; 0 means the board was passed out
  Denomination denomination = Denomination::NoTrump;
  Doubling doubling = Doubling::None;
  bool passedOut() const { return level == 0; }
  bool operator==(const Contract&) const = default;
};

// "4S", "3NTX", "2HXX", "pass" (the form the contracts file keeps); nullopt for anything else.
std::optional<Contract> parseContract(QStringView text);
QString contractText(const Contract& contract);

// "N", "E", "S", "W".
std::optional<Declarer> parseDeclarer(QStringView text);
QChar declarerLetter(Declarer declarer);
inline bool isNorthSouth(Declarer declarer) { return declarer == Declarer::North || declarer == Declarer::South; }

// The declaring side's score for `tricks` tricks taken (0 … 13): positive when the contract made,
// negative by the penalty when it went down. 0 for a passed-out board.
int declarerScore(const Contract& contract, int tricks, bool vulnerable);

// North-South's score on a board (its vulnerability from the board number), as the score boxes
// take it. nullopt for a level, tricks or board out of range.
std::optional<int> nsContractScore(const Contract& contract, Declarer declarer, int tricks, int board);

}  // namespace mervalo
