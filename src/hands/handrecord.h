#pragma once

#include <QString>
#include <array>
#include <optional>
#include <vector>

namespace mervalo {

// The hands of an event's boards, what can be made double dummy and the par. Seats, suits and
// strains are numbered in the order the program shows them; the solver's own order is mapped
// in doubledummy.cpp alone.
enum class Seat : int { North = 0, East = 1, South = 2, West = 3 };
enum class Suit : int { Spades = 0, Hearts = 1, Diamonds = 2, Clubs = 3 };
enum class Strain : int { NoTrump = 0, Spades = 1, Hearts = 2, Diamonds = 3, Clubs = 4 };

constexpr std::array<Seat, 4> kSeats = {Seat::North, Seat::East, Seat::South, Seat::West};
constexpr std::array<Suit, 4> kSuits = {Suit::Spades, Suit::Hearts, Suit::Diamonds, Suit::Clubs};
constexpr std::array<Strain, 5> kStrains = {Strain::NoTrump, Strain::Spades, Strain::Hearts, Strain::Diamonds,
                                            Strain::Clubs};

QChar seatLetter(Seat seat);      // 'N', 'E', 'S', 'W'
QString strainText(Strain strain);  // "NT", "S", "H", "D", "C"

// A suit held by one hand: bit r set for the card of rank r (2 … 14, the ace 14).
using Holding = quint16;

// Fifty-two cards in four hands; a deal is whole when every card is in exactly one hand and
// every hand holds thirteen.
struct Deal {
  std::array<std::array<Holding, 4>, 4> cards{};  // [seat][suit]

  Holding holding(Seat seat, Suit suit) const { return cards[int(seat)][int(suit)]; }
  // The PBN text "N:AKQ.JT9.876.5432 …", North first.
  QString pbn() const;
  // The cards of one hand as PBN writes them ("AKQ.JT9.876.5432", a void as nothing).
  QString handText(Seat seat) const;
  bool operator==(const Deal&) const = default;
};

// Tricks each seat takes as declarer in each strain, double dummy.
struct DoubleDummyTable {
  std::array<std::array<int, 5>, 4> tricks{};  // [seat][strain]
  int at(Seat seat, Strain strain) const { return tricks[int(seat)][int(strain)]; }
  bool operator==(const DoubleDummyTable&) const = default;
};

// The par of a deal from North-South's side: the score and the contract(s) as the solver
// gives them ("NS 4S", "EW 23H", "NS 4S*-EW-1" …).
struct ParResult {
  int score = 0;
  QString contracts;
  bool operator==(const ParResult&) const = default;
};

struct BoardHand {
  int board = 0;
  Seat dealer = Seat::North;  // the file's tag, else the board number's
  int vulnerability = 0;      // a Vulnerability code (scoring/scoretable.h): the tag's, else the board's
  Deal deal;
  std::optional<DoubleDummyTable> table;
  std::optional<ParResult> par;
  int line = 0;               // where the board's tags begin in the file it was read from
};

struct HandRecord {
  std::vector<BoardHand> boards;  // in file order

  // The board with that number, or nullptr.
  const BoardHand* board(int number) const;
  // True when every board has its table and par.
  bool analysed() const;
};

// The dealer of a board: North, East, South, West in turn from board 1.
Seat dealerOfBoard(int board);
// The vulnerability code of a board by the program's 16-board cycle, for any board from 1.
int vulnerabilityOfBoard(int board);
// PBN's words for a vulnerability code: "None", "NS", "EW", "All".
QString vulnerabilityTag(int code);

}  // namespace mervalo
