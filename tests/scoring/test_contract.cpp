// The score of a contract, checked against the legal-score lists and by hand-worked cases.

#include <gtest/gtest.h>

#include "qtprint.h"
#include "scoring/contract.h"
#include "scoring/scoretable.h"

namespace {

using namespace mervalo;

// Every contract, doubling, declarer, board vulnerability and number of tricks gives a score the
// score boxes accept on that board: a legal score, and one of that vulnerability.
TEST(ContractScore, EveryResultIsALegalScoreOfItsVulnerability) {
  int checked = 0;
  for (int board = 1; board <= 4; ++board) {  // boards 1-4: nobody, NS, EW, both
    for (int level = 1; level <= 7; ++level)
      for (int strain = 0; strain < 5; ++strain)
        for (int dbl = 0; dbl < 3; ++dbl)
          for (int seat = 0; seat < 4; ++seat)
            for (int tricks = 0; tricks <= 13; ++tricks) {
              const Contract c{level, static_cast<Denomination>(strain), static_cast<Doubling>(dbl)};
              const auto score = nsContractScore(c, static_cast<Declarer>(seat), tricks, board);
              ASSERT_TRUE(score);
              const QString text = QString::number(*score);
              ASSERT_EQ(checkScore(board, text), ScoreVerdict::Accepted)
                  << qPrintable(contractText(c)) << " by " << seat << " " << tricks << " tricks, board " << board
                  << ": " << qPrintable(text);
              ASSERT_NE(*score, 0);
              ++checked;
            }
  }
  EXPECT_EQ(checked, 4 * 7 * 5 * 3 * 4 * 14);
}

TEST(ContractScore, HandWorkedCases) {
  struct Case {
    const char* contract;
    const char* declarer;
    int tricks;
    int board;
    int ns;
  };
  const Case cases[] = {
      {"pass", "N", 0, 1, 0},
      {"4S", "N", 10, 1, 420},      // game, nobody vulnerable
      {"4S", "S", 11, 2, 650},      // vulnerable game plus one
      {"3NT", "E", 9, 3, -600},     // EW vulnerable
      {"1NT", "W", 7, 1, -90},
      {"2H", "N", 8, 1, 110},
      {"2HX", "N", 13, 1, 970},     // the made 2♥ doubled with five overtricks
      {"2CX", "S", 8, 1, 180},      // doubled into game
      {"1CXX", "N", 7, 4, 230},     // redoubled below game: 80 + 50 + 100
      {"7NTXX", "N", 13, 4, 2980},
      {"6D", "E", 12, 4, -1370},
      {"3NT", "N", 8, 1, -50},
      {"3NT", "N", 8, 2, -100},
      {"4HX", "E", 6, 1, 800},      // four down doubled, not vulnerable: 100 + 200 + 200 + 300
      {"4HX", "E", 7, 3, 800},      // three down doubled, vulnerable: 200 + 300 + 300
      {"7NTXX", "S", 0, 4, -7600},  // thirteen down redoubled vulnerable
      {"7NTXX", "W", 0, 1, 7000},
  };
  for (const Case& c : cases) {
    const auto contract = parseContract(QString::fromLatin1(c.contract));
    const auto seat = parseDeclarer(QString::fromLatin1(c.declarer));
    ASSERT_TRUE(contract && seat) << c.contract;
    EXPECT_EQ(nsContractScore(*contract, *seat, c.tricks, c.board), c.ns) << c.contract << " " << c.tricks;
  }
}

TEST(ContractScore, TextsRoundTripAndRefuseNonsense) {
  for (const char* text : {"4S", "3NTX", "2HXX", "pass", "7C", "1D"})
    EXPECT_EQ(contractText(*parseContract(QString::fromLatin1(text))), QString::fromLatin1(text));
  EXPECT_EQ(contractText(*parseContract(u"3ntx")), QStringLiteral("3NTX"));
  for (const char* text : {"", "0S", "8NT", "4", "4SXXX", "4Z", "NT", "4N", "pas"})
    EXPECT_FALSE(parseContract(QString::fromLatin1(text))) << text;
  EXPECT_FALSE(parseDeclarer(u"X"));
  EXPECT_FALSE(nsContractScore(*parseContract(u"4S"), Declarer::North, 14, 1));
  EXPECT_FALSE(nsContractScore(*parseContract(u"4S"), Declarer::North, 10, 193));
}

}  // namespace
