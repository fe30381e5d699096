#include "publish/eventextras.h"

#include <QStringList>

#include "app/paths.h"
#include "event/eventfile.h"
#include "hands/handrecordfile.h"

namespace mervalo {

QString BoardHands::pbnDeal() const {
  QStringList hands;
  for (int seat = 0; seat < 4; ++seat) {
    QStringList suits;
    for (int suit = 0; suit < 4; ++suit) suits << cards[seat][suit];
    hands << suits.join(QLatin1Char('.'));
  }
  return QStringLiteral("N:") + hands.join(QLatin1Char(' '));
}

namespace {

QString ranksOf(Holding holding) {
  static const char kRanks[] = "AKQJT98765432";
  QString ranks;
  for (int rank = 14; rank >= 2; --rank)
    if (holding & (1u << rank)) ranks += QLatin1Char(kRanks[14 - rank]);
  return ranks;
}

}  // namespace

EventExtras readEventExtras(const QString& programFolder, const QString& eventName, bool wait, bool* analysisPending) {
  EventExtras extras;
  if (analysisPending) *analysisPending = false;
  extras.contracts = readContractLines(contractsPath(filePath(programFolder, DataFolder::Events, eventName + QStringLiteral(".txt"))));
  const auto record = handRecordForPage(handRecordPath(programFolder, eventName + QStringLiteral(".txt")), wait);
  if (!record) return extras;
  if (analysisPending) *analysisPending = record->analysisPending;
  for (const BoardHand& b : record->record.boards) {
    BoardHands h;
    h.board = b.board;
    h.dealer = static_cast<int>(b.dealer);
    h.vulnerability = b.vulnerability;
    for (const Seat seat : kSeats)
      for (const Suit suit : kSuits) h.cards[static_cast<size_t>(seat)][static_cast<size_t>(suit)] = ranksOf(b.deal.holding(seat, suit));
    if (b.table) {
      std::array<std::array<int, 5>, 4> tricks{};
      for (const Seat seat : kSeats)
        for (const Strain strain : kStrains) tricks[static_cast<size_t>(seat)][static_cast<size_t>(strain)] = b.table->at(seat, strain);
      h.tricks = tricks;
    }
    if (b.par) {
      h.parScore = b.par->score;
      h.parContracts = b.par->contracts;
    }
    extras.hands[b.board] = h;
  }
  return extras;
}

}  // namespace mervalo
