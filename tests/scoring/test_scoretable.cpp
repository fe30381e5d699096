// Legal scores, vulnerability, the score box rules and the score of a contract: the score lists
// against every score a contract can give, and the contract's score against hand-worked cases.

#include <gtest/gtest.h>

#include <set>

#include "qtprint.h"
#include "scoring/contract.h"
#include "scoring/scoretable.h"

namespace {

using namespace mervalo;

std::set<int> listed(ScoreList list) {
  std::set<int> values;
  for (int v = 0; v <= 8000; v += 10)
    if (inScoreList(list, QString::number(v))) values.insert(v);
  return values;
}

// Every contract, doubling, declarer, board vulnerability and number of tricks gives a score the
// score boxes accept on that board: a legal score, and one of that vulnerability. The score lists
// hold those scores (the contract's score is pinned by the hand-worked cases below), and with
// their sizes pinned a value added or mistyped shows.
TEST(ScoreLists, HoldEveryContractScoreOfTheirVulnerabilityAndNothingElse) {
  std::set<int> made[2], penalties[2];  // by the declarer's vulnerability
  for (int board = 1; board <= 4; ++board)  // boards 1-4: nobody, NS, EW, both
    for (int level = 1; level <= 7; ++level)
      for (int strain = 0; strain < 5; ++strain)
        for (int dbl = 0; dbl < 3; ++dbl)
          for (int seat = 0; seat < 4; ++seat)
            for (int tricks = 0; tricks <= 13; ++tricks) {
              const Contract c{level, static_cast<Denomination>(strain), static_cast<Doubling>(dbl)};
              const auto score = nsContractScore(c, static_cast<Declarer>(seat), tricks, board);
              ASSERT_TRUE(score && *score != 0);
              ASSERT_EQ(checkScore(board, QString::number(*score)), ScoreVerdict::Accepted)
                  << qPrintable(contractText(c)) << " by " << seat << " " << tricks << " tricks, board " << board
                  << ": " << *score;
              const bool ns = seat % 2 == 0, vulnerable = board == 4 || board == (ns ? 2 : 3);
              const int declarers = ns ? *score : -*score;
              (declarers > 0 ? made : penalties)[vulnerable].insert(std::abs(declarers));
            }
  EXPECT_EQ(listed(ScoreList::UndertricksNotVulnerable), penalties[0]);
  EXPECT_EQ(listed(ScoreList::UndertricksVulnerable), penalties[1]);
  for (bool vul : {false, true}) {
    SCOPED_TRACE(vul ? "vulnerable" : "not vulnerable");
    const ScoreList l = vul ? ScoreList::MadeVulnerable : ScoreList::MadeNotVulnerable;
    const auto list = listed(l);
    for (int s : made[vul]) EXPECT_TRUE(list.count(s)) << s;
    // As many values as the list holds, none twice and none beyond the numbers looked up.
    EXPECT_EQ(static_cast<int>(list.size()), vul ? 172 : 148);
    EXPECT_EQ(scoreListSize(l), vul ? 172 : 148);
  }
  // The lookup is on the number as written.
  for (const char* text : {"0420", "420 ", "", "42x"})
    EXPECT_FALSE(inScoreList(ScoreList::MadeNotVulnerable, QLatin1String(text))) << text;
  EXPECT_FALSE(inScoreList(ScoreList::MadeVulnerable, QStringLiteral("99999999999")));
}

TEST(Vulnerability, FollowsTheSixteenBoardCycleUpToBoard192) {
  const int firstSixteen[] = {0, 1, 2, 3, 1, 2, 3, 0, 2, 3, 0, 1, 3, 0, 1, 2};
  for (int b = 1; b <= 192; ++b) EXPECT_EQ(vulnerabilityOf(b), firstSixteen[(b - 1) % 16]) << b;
  EXPECT_EQ(vulnerabilityOf(0), -1);
  EXPECT_EQ(vulnerabilityOf(193), -1);
}

// --- the check, and typing -------------------------------------------------------------------

TEST(ScoreCheck, WorkedExamples) {
  using enum ScoreVerdict;
  const struct {
    int board;
    const char* score;
    ScoreVerdict verdict;
  } cases[] = {
      {1, "420", Accepted},  {1, "620", WrongVulnerability},  {1, "435", Impossible},  {2, "-620", WrongVulnerability},
      {2, "-200", Accepted}, {4, "-50", WrongVulnerability},  {17, "620", WrongVulnerability},  {192, "-50", Accepted},
      {1, "7700", Impossible},  {3, "-7600", Accepted},  {1, "n", Accepted},  {1, "55%", Accepted},
      {1, "", Impossible},  {1, "--50", Impossible},
      // Each side is judged by its own vulnerability: on board 2 NS are vulnerable, on 3 EW.
      {2, "620", Accepted},  {3, "-50", Accepted},  {3, "50", WrongVulnerability},
  };
  for (const auto& c : cases)
    EXPECT_EQ(checkScore(c.board, QLatin1String(c.score)), c.verdict) << c.board << " " << c.score;
}

TEST(ScoreEntry, ShortFormsMirrorAndKeysTheBoxDoesNotTake) {
  const struct {
    const char* typed;
    const char* ns;
    const char* ew;
  } cases[] = {
      {"42", "420", "-420"},  {"5-", "-50", "50"},  {"420-", "-420", "420"},  {"0", "0", "0"},  {"N", "N", "n"},
      {"7", "70", "-70"},     {"69", "690", "-690"},  {"70", "70", "-70"},  {"60%", "60%", ""},  {"", "", ""},
  };
  for (const auto& c : cases) {
    const NormalisedScore s = normaliseNsScore(QLatin1String(c.typed));
    EXPECT_EQ(s.ns, QLatin1String(c.ns)) << c.typed;
    EXPECT_EQ(s.ew, QLatin1String(c.ew)) << c.typed;
  }
  // The command line's keys: "c" clears what came before (its test shows others swallowed).
  EXPECT_EQ(typedNsText(QStringLiteral("99c42")), QStringLiteral("42"));
}

// --- the score of a contract -----------------------------------------------------------------

TEST(ContractScore, HandWorkedCases) {
  const struct {
    const char* contract;
    const char* declarer;
    int tricks, board, ns;
  } cases[] = {
      {"pass", "N", 0, 1, 0},
      {"4S", "N", 10, 1, 420},      // game, nobody vulnerable
      {"4S", "S", 11, 2, 650},      // vulnerable game plus one
      {"3NT", "E", 9, 3, -600},     // EW vulnerable
      {"2HX", "N", 13, 1, 970},     // the made 2♥ doubled with five overtricks
      {"2CX", "S", 8, 1, 180},      // doubled into game
      {"1CXX", "N", 7, 4, 230},     // redoubled below game: 80 + 50 + 100
      {"2SXX", "N", 10, 2, 1640},   // redoubled into game, vulnerable: 240 + 500 + 100 + 2 × 400
      {"6D", "E", 12, 4, -1370},
      {"3NT", "N", 8, 2, -100},
      {"4HX", "E", 6, 1, 800},      // four down doubled, not vulnerable: 100 + 200 + 200 + 300
      {"4HX", "E", 7, 3, 800},      // three down doubled, vulnerable: 200 + 300 + 300
      {"7NTXX", "S", 0, 4, -7600},  // thirteen down redoubled vulnerable
  };
  for (const auto& c : cases) {
    const auto contract = parseContract(QString::fromLatin1(c.contract));
    const auto seat = parseDeclarer(QString::fromLatin1(c.declarer));
    ASSERT_TRUE(contract && seat) << c.contract;
    EXPECT_EQ(nsContractScore(*contract, *seat, c.tricks, c.board), c.ns) << c.contract << " " << c.tricks;
  }
  // Texts read back as written (the contracts file's lines show more), nonsense is refused.
  EXPECT_EQ(contractText(*parseContract(u"3ntx")), QStringLiteral("3NTX"));
  for (const char* text : {"", "0S", "4", "4SXXX", "4Z", "NT", "4N", "pas"})
    EXPECT_FALSE(parseContract(QString::fromLatin1(text))) << text;
  EXPECT_FALSE(nsContractScore(*parseContract(u"4S"), Declarer::North, 10, 193));
}

}  // namespace
