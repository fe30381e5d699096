// The solver's answers on deals whose tables are known, its order of strains and seats mapped to
// ours, par for each vulnerability, and an event's file analysed once.

#include <QTemporaryDir>
#include <gtest/gtest.h>

#include "hands/dealgen.h"
#include "hands/doubledummy.h"
#include "hands/handrecordfile.h"
#include "hands/pbn.h"
#include "scoring/scoretable.h"

namespace {

using namespace mervalo;

// Three deals the solver's own distribution publishes with their tables, and one whose hands
// each hold a whole suit (North spades, East hearts, South diamonds, West clubs): the side with
// the trumps takes all thirteen, and in no trump the opening leader's side takes every trick.
// Tables in the solver's order: strains S, H, D, C, NT, each for N, E, S, W.
TEST(DoubleDummy, KnownDealsGiveTheirTablesAndPar) {
  const struct {
    const char* deal;
    int vulnerability;
    int table[20];
    int par;
    const char* parContracts;
  } known[] = {
      {"N:QJ6.K652.J85.T98 873.J97.AT764.Q4 K5.T83.KQ9.A7652 AT942.AQ4.32.KJ3", kNobody,
       {5, 8, 5, 8, 6, 6, 6, 6, 5, 7, 5, 7, 7, 5, 7, 5, 6, 6, 6, 6}, -110, "EW 2S"},
      {"E:QJT5432.T.6.QJ82 .J97543.K7532.94 87.A62.QJT4.AT75 AK96.KQ8.A98.K63", kNorthSouth,
       {4, 9, 4, 9, 10, 2, 10, 2, 8, 3, 8, 3, 6, 7, 6, 7, 9, 3, 9, 3}, 100, "EW 4SX"},
      {"N:73.QJT.AQ54.T752 QT6.876.KJ9.AQ84 5.A95432.7632.K6 AKJ9842.K.T8.J93", kNobody,
       {3, 10, 3, 10, 9, 4, 9, 4, 8, 4, 8, 4, 3, 9, 3, 9, 4, 8, 4, 8}, -300, "NS 5HX"},
      {"N:AKQJT98765432... .AKQJT98765432.. ..AKQJT98765432. ...AKQJT98765432", kNobody,
       {13, 0, 13, 0, 0, 13, 0, 13, 13, 0, 13, 0, 0, 13, 0, 13, 0, 0, 0, 0}, 1510, "NS 7S"},
  };
  const Strain order[5] = {Strain::Spades, Strain::Hearts, Strain::Diamonds, Strain::Clubs, Strain::NoTrump};
  for (const auto& k : known) {
    SCOPED_TRACE(k.deal);
    QString error;
    const auto solved = solveDeals({*parseDeal(QLatin1String(k.deal))}, {k.vulnerability}, &error);
    ASSERT_TRUE(solved) << error.toStdString();
    const DealAnalysis& a = solved->front();
    for (int s = 0; s < 5; ++s)
      for (int h = 0; h < 4; ++h) EXPECT_EQ(a.table.at(kSeats[h], order[s]), k.table[4 * s + h]) << s << h;
    EXPECT_EQ(a.par.score, k.par);
    EXPECT_EQ(a.par.contracts.toStdString(), k.parContracts);
  }
}

TEST(DoubleDummy, TurningTheDealTurnsTheTable) {
  // A random deal turned one seat clockwise, and with spades and hearts swapped: the table must
  // turn and swap with it, which a slip in either order would break.
  SeededRandom random(11);
  const Deal d = randomDeal(random);
  Deal turned, swapped;
  for (int seat = 0; seat < 4; ++seat)
    for (int suit = 0; suit < 4; ++suit) {
      turned.cards[(seat + 1) % 4][suit] = d.cards[seat][suit];
      swapped.cards[seat][suit < 2 ? 1 - suit : suit] = d.cards[seat][suit];
    }
  QString error;
  const auto solved = solveDeals({d, turned, swapped}, {kNobody, kNobody, kNobody}, &error);
  ASSERT_TRUE(solved) << error.toStdString();
  for (int seat = 0; seat < 4; ++seat)
    for (Strain strain : kStrains) {
      const int tricks = (*solved)[0].table.at(kSeats[seat], strain);
      EXPECT_EQ((*solved)[1].table.at(kSeats[(seat + 1) % 4], strain), tricks);
      const Strain other = strain == Strain::Spades ? Strain::Hearts : strain == Strain::Hearts ? Strain::Spades : strain;
      EXPECT_EQ((*solved)[2].table.at(kSeats[seat], other), tricks);
    }
}

TEST(DoubleDummy, ParFollowsTheVulnerability) {
  // North-South make ten tricks in spades and eight elsewhere; East-West's best sacrifice
  // (five tricks) costs more than the game at any vulnerability.
  DoubleDummyTable t;
  const int nsTricks[5] = {8, 10, 8, 8, 8};
  for (Seat seat : kSeats)
    for (Strain strain : kStrains)
      t.tricks[int(seat)][int(strain)] =
          seat == Seat::North || seat == Seat::South ? nsTricks[int(strain)] : 13 - nsTricks[int(strain)];
  const int expected[4] = {420, 620, 420, 620};  // nobody, NS, EW, both
  for (int code = kNobody; code <= kBoth; ++code) {
    const auto par = parOfTable(t, code);
    ASSERT_TRUE(par);
    EXPECT_EQ(par->score, expected[code]) << code;
    EXPECT_EQ(par->contracts.toStdString(), "NS 4S") << code;
  }
  // The solver numbers the vulnerabilities none, both, NS, EW.
  for (const auto& [ours, solver] : {std::pair(kNorthSouth, 2), std::pair(kEastWest, 3), std::pair(kBoth, 1)})
    EXPECT_EQ(solverVulnerability(ours), solver) << ours;
}

TEST(DoubleDummy, AnEventsFileIsAnalysedOnceAndATableThereIsKept) {
  QTemporaryDir dir;
  const QString path = dir.filePath(QStringLiteral("e.pbn"));
  SeededRandom random(3);
  HandRecord record = randomHandRecord(3, random);
  DoubleDummyTable given;  // not the deal's: it must be used as it stands
  given.tricks[0][0] = 13;
  record.boards[2].table = given;
  ASSERT_TRUE(writeHandRecord(path, record));

  // A page that cannot wait gets all the tables or none of them.
  const auto early = handRecordForPage(path, false);
  ASSERT_TRUE(early);
  for (const BoardHand& b : early->record.boards) EXPECT_EQ(b.table.has_value(), !early->analysisPending);
  const auto page = handRecordForPage(path, true);
  ASSERT_TRUE(page);
  EXPECT_FALSE(page->analysisPending);
  EXPECT_TRUE(page->record.analysed());
  EXPECT_EQ(page->record.boards[2].table, given);

  const HandAnalysisOutcome again = analyseHandRecordFile(path);  // the file holds it all now
  ASSERT_TRUE(again.record);
  EXPECT_FALSE(again.written);
  EXPECT_EQ(again.record->boards[0].table, page->record.boards[0].table);
  EXPECT_EQ(again.record->boards[0].par, page->record.boards[0].par);
}

}  // namespace
