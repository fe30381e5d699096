// Legal scores, vulnerability and the score box rules, checked against the duplicate scoring
// table worked out independently here.

#include <gtest/gtest.h>

#include <set>

#include "qtprint.h"
#include "scoring/scoretable.h"

namespace {

using namespace mervalo;

// --- the scoring table, from the laws ------------------------------------------------------

std::set<int> madeContractScores(bool vulnerable) {
  std::set<int> scores;
  for (int level = 1; level <= 7; ++level) {
    for (int strain = 0; strain < 3; ++strain) {  // minor, major, no trumps
      for (int doubling = 1; doubling <= 4; doubling *= 2) {
        const int perTrick = strain == 0 ? 20 : 30;
        const int tricks = (perTrick * level + (strain == 2 ? 10 : 0)) * doubling;
        int score = tricks + (tricks >= 100 ? (vulnerable ? 500 : 300) : 50);
        if (level == 6) score += vulnerable ? 750 : 500;
        if (level == 7) score += vulnerable ? 1500 : 1000;
        if (doubling == 2) score += 50;
        if (doubling == 4) score += 100;
        const int over = doubling == 1 ? perTrick : (vulnerable ? 200 : 100) * doubling / 2;
        for (int extra = 0; level + extra <= 7; ++extra) scores.insert(score + extra * over);
      }
    }
  }
  return scores;
}

std::set<int> undertrickPenalties(bool vulnerable) {
  std::set<int> scores;
  for (int down = 1; down <= 13; ++down) {
    scores.insert(down * (vulnerable ? 100 : 50));
    int doubled = 0;
    for (int t = 1; t <= down; ++t) {
      if (vulnerable) doubled += t == 1 ? 200 : 300;
      else doubled += t == 1 ? 100 : (t <= 3 ? 200 : 300);
    }
    scores.insert(doubled);
    scores.insert(doubled * 2);
  }
  return scores;
}

std::set<int> listed(ScoreList list) {
  std::set<int> values;
  for (int v = 0; v <= 8000; v += 10)
    if (inScoreList(list, QString::number(v))) values.insert(v);
  return values;
}

TEST(ScoreLists, UndertricksAreThePenaltiesOfTheLaws) {
  EXPECT_EQ(listed(ScoreList::UndertricksNotVulnerable), undertrickPenalties(false));
  EXPECT_EQ(listed(ScoreList::UndertricksVulnerable), undertrickPenalties(true));
}

TEST(ScoreLists, EveryMadeContractIsListed) {
  for (bool vul : {false, true}) {
    const ScoreList l = vul ? ScoreList::MadeVulnerable : ScoreList::MadeNotVulnerable;
    const auto list = listed(l);
    for (int s : madeContractScores(vul)) EXPECT_TRUE(list.count(s)) << s << (vul ? " vulnerable" : " not vulnerable");
    // As many values as the list holds, none twice and none beyond the numbers looked up.
    EXPECT_EQ(static_cast<int>(list.size()), vul ? 172 : 148);
    EXPECT_EQ(scoreListSize(l), vul ? 172 : 148);
  }
  // Besides the made contracts, the vulnerable list holds 0 and the named penalties only.
  std::set<int> extra = listed(ScoreList::MadeVulnerable);
  for (int s : madeContractScores(true)) extra.erase(s);
  const std::set<int> allowed = {0,    100,  300,  400,  500,  700,  800,  900,  1100, 1300, 1700, 2300, 2800,
                                 2900, 3200, 3400, 3500, 3800, 4000, 4600, 5200, 5800, 6400, 7000, 7600};
  for (int s : extra) EXPECT_TRUE(allowed.count(s)) << s;
}

TEST(ScoreLists, LookupIsOnTheWrittenNumber) {
  EXPECT_TRUE(inScoreList(ScoreList::MadeNotVulnerable, QStringLiteral("420")));
  EXPECT_FALSE(inScoreList(ScoreList::MadeNotVulnerable, QStringLiteral("0420")));
  EXPECT_FALSE(inScoreList(ScoreList::MadeNotVulnerable, QStringLiteral("420 ")));
  EXPECT_FALSE(inScoreList(ScoreList::MadeNotVulnerable, QStringLiteral("")));
  EXPECT_FALSE(inScoreList(ScoreList::MadeNotVulnerable, QStringLiteral("42x")));
  EXPECT_FALSE(inScoreList(ScoreList::MadeVulnerable, QStringLiteral("99999999999")));
}

// --- vulnerability --------------------------------------------------------------------------

TEST(Vulnerability, FollowsTheSixteenBoardCycleUpToBoard192) {
  const int firstSixteen[] = {0, 1, 2, 3, 1, 2, 3, 0, 2, 3, 0, 1, 3, 0, 1, 2};
  for (int b = 1; b <= 192; ++b) EXPECT_EQ(vulnerabilityOf(b), firstSixteen[(b - 1) % 16]) << b;
  EXPECT_EQ(vulnerabilityOf(0), -1);
  EXPECT_EQ(vulnerabilityOf(193), -1);
  EXPECT_EQ(vulnerabilityTextNumber(vulnerabilityOf(4)), 89);
}

// --- the check ------------------------------------------------------------------------------

TEST(ScoreCheck, WorkedExamples) {
  const struct {
    int board;
    const char* score;
    ScoreVerdict verdict;
  } cases[] = {
      {1, "420", ScoreVerdict::Accepted},          {1, "620", ScoreVerdict::WrongVulnerability},
      {1, "435", ScoreVerdict::Impossible},        {2, "-620", ScoreVerdict::WrongVulnerability},
      {2, "-420", ScoreVerdict::Accepted},         {2, "-200", ScoreVerdict::Accepted},
      {4, "-100", ScoreVerdict::Accepted},         {4, "-50", ScoreVerdict::WrongVulnerability},
      {1, "970", ScoreVerdict::Accepted},          {17, "620", ScoreVerdict::WrongVulnerability},
      {17, "420", ScoreVerdict::Accepted},         {192, "-50", ScoreVerdict::Accepted},
      {192, "50", ScoreVerdict::WrongVulnerability}, {1, "7700", ScoreVerdict::Impossible},
      {3, "-7600", ScoreVerdict::Accepted},        {1, "0", ScoreVerdict::Accepted},
      {1, "n", ScoreVerdict::Accepted},            {1, "N", ScoreVerdict::Accepted},
      {1, "55%", ScoreVerdict::Accepted},          {1, "", ScoreVerdict::Impossible},
      {1, "--50", ScoreVerdict::Impossible},
      // Each side is judged by its own vulnerability: on board 2 NS are vulnerable, on 3 EW.
      {2, "620", ScoreVerdict::Accepted},          {3, "100", ScoreVerdict::Accepted},
      {3, "-50", ScoreVerdict::Accepted},          {3, "50", ScoreVerdict::WrongVulnerability},
  };
  for (const auto& c : cases) EXPECT_EQ(checkScore(c.board, QLatin1String(c.score)), c.verdict) << c.board << " " << c.score;
}

// --- typing and Enter -----------------------------------------------------------------------

TEST(ScoreEntry, ShortFormsAndMirror) {
  const struct {
    const char* typed;
    const char* ns;
    const char* ew;
  } cases[] = {
      {"42", "420", "-420"}, {"420", "420", "-420"}, {"5-", "-50", "50"},   {"-5", "-50", "50"},
      {"420-", "-420", "420"}, {"11", "110", "-110"}, {"50", "50", "-50"},  {"-50", "-50", "50"},
      {"0", "0", "0"},       {"n", "n", "n"},       {"N", "N", "n"},      {"7", "70", "-70"},
      {"69", "690", "-690"}, {"70", "70", "-70"},   {"60%", "60%", ""},   {"", "", ""},
  };
  for (const auto& c : cases) {
    const NormalisedScore s = normaliseNsScore(QLatin1String(c.typed));
    EXPECT_EQ(s.ns, QLatin1String(c.ns)) << c.typed;
    EXPECT_EQ(s.ew, QLatin1String(c.ew)) << c.typed;
  }
}

TEST(ScoreEntry, KeysTheBoxDoesNotTakeAreSwallowedAndCClears) {
  // The entry screen test shows letters swallowed and an impossible score refused.
  EXPECT_EQ(typedNsText(QStringLiteral("62.5%")), QStringLiteral("625%"));
  EXPECT_EQ(typedNsText(QStringLiteral("99c42")), QStringLiteral("42"));
  EXPECT_EQ(typedNsText(QStringLiteral("Nn-%")), QStringLiteral("Nn-%"));
}

}  // namespace
