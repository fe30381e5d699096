#pragma once

#include <QByteArray>
#include <QString>
#include <optional>

#include "hands/handrecord.h"

namespace mervalo {

// Why a PBN file or one of its boards was refused.
enum class PbnFault {
  NoBoards,           // no deal in the file
  BoardNumber,        // a deal without a readable board number
  DuplicateBoard,     // a board number a second time
  NoDeal,             // a board without a deal
  DealUnreadable,     // not "N:" and four hands of four suits of card letters
  DealCardCount,      // a hand without thirteen cards
  DealDuplicateCard,  // a card in two places
  DealerTag,          // a dealer PBN does not know
  VulnerableTag,      // a vulnerability PBN does not know
  BoardMissing,       // the event plays a board the file lacks
  WrongDealer,        // not the dealer of the board number
  WrongVulnerability, // not the vulnerability of the board number
};

struct PbnError {
  PbnFault fault = PbnFault::NoBoards;
  int board = 0;  // 0 when the fault has no board number to name
  int line = 0;   // where the board's tags begin (0: the file as a whole)
  QString describe() const;  // "board 3: a hand does not hold 13 cards"
};

// The text that tells the organiser of the fault, "~" standing for the board number (for
// BoardNumber: the line).
int pbnFaultTextNumber(PbnFault fault);

// Reads PBN (ISO 8859-1 or ASCII, CR LF or LF): tags in any order, comments and tags it does
// not use passed over, a tag value "#" repeating the previous board's. Every deal must be
// whole. A complete and readable [OptimumResultTable] with its 20 lines is kept, and so are
// [OptimumScore] and [ParContract]. Nothing here trusts the input.
std::optional<HandRecord> readPbn(const QByteArray& bytes, PbnError* error = nullptr);

// The deal text of a [Deal] tag ("E:… … … …", any hand first) as a whole deal.
std::optional<Deal> parseDeal(const QString& text, PbnFault* fault = nullptr);

// PBN 2.1 with CR LF: per board Board, Dealer, Vulnerable, Deal and, where known, OptimumScore,
// ParContract and the 20-line OptimumResultTable (N, E, S, W × NT, S, H, D, C).
QByteArray writePbn(const HandRecord& record);

// The boards 1 … boards of the record, in order, when each is there with the dealer and the
// vulnerability of its number. leftOut counts the boards beyond the event's.
std::optional<HandRecord> handRecordForEvent(const HandRecord& read, int boards, int* leftOut = nullptr,
                                             PbnError* error = nullptr);

}  // namespace mervalo
