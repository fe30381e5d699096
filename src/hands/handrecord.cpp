#include "hands/handrecord.h"

#include <QStringList>

#include "scoring/scoretable.h"

namespace mervalo {

namespace {
constexpr char kRanksHighFirst[] = "AKQJT98765432";
}

QChar seatLetter(Seat seat) { return QLatin1Char("NESW"[int(seat)]); }

QString strainText(Strain strain) {
  static const char* const texts[] = {"NT", "S", "H", "D", "C"};
  return QLatin1String(texts[int(strain)]);
}

QString Deal::handText(Seat seat) const {
  QStringList suits;
  for (Suit suit : kSuits) {
    QString s;
    for (int i = 0; i < 13; ++i)
      if (holding(seat, suit) & (1u << (14 - i))) s += QLatin1Char(kRanksHighFirst[i]);
    suits << s;
  }
  return suits.join(QLatin1Char('.'));
}

QString Deal::pbn() const {
  QStringList hands;
  for (Seat seat : kSeats) hands << handText(seat);
  return QStringLiteral("N:") + hands.join(QLatin1Char(' '));
}

const BoardHand* HandRecord::board(int number) const {
  for (const BoardHand& b : boards)
    if (b.board == number) return &b;
  return nullptr;
}

bool HandRecord::analysed() const {
  for (const BoardHand& b : boards)
    if (!b.table || !b.par) return false;
  return true;
}

Seat dealerOfBoard(int board) { return kSeats[((board - 1) % 4 + 4) % 4]; }

int vulnerabilityOfBoard(int board) {
  // The program's cycle repeats every 16 boards; its table ends at 192, a PBN file need not.
  return board < 1 ? kNobody : vulnerabilityOf((board - 1) % 16 + 1);
}

QString vulnerabilityTag(int code) {
  static const char* const tags[] = {"None", "NS", "EW", "All"};
  return QLatin1String(tags[code >= 0 && code <= 3 ? code : 0]);
}

}  // namespace mervalo
