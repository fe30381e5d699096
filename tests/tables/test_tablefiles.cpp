// The movement seen table by table, the table codes and the contracts file.

#include <gtest/gtest.h>

#include <QRegularExpression>

#include "app/textfile.h"
#include "qtprint.h"
#include "tables/tablefiles.h"
#include "tables/tableplan.h"
#include "tablesevent.h"

namespace {

using namespace mervalo;

TEST(TablePlan, TablesKeepTheirNumbersAndTheSitOutTablePlaysNothing) {
  EventHeader h;
  h.pairs = 8;
  h.sitOut = 8;
  h.rounds = 2;
  h.boardsPerRound = 3;
  const TablePlan plan({QStringLiteral("R1\t1-2 (1-4)\t-  -\t7-8 (1-4)"), QStringLiteral("R2\t2-1 (5-8)\t3-4 (1-4)\t8-5 (5-8)")}, h);
  EXPECT_EQ(plan.tables(), 3);
  EXPECT_EQ(plan.at(2, 1), nullptr);  // an empty table
  EXPECT_EQ(plan.at(1, 2)->boards, (QVector<int>{4, 5, 6}));
  EXPECT_EQ(plan.at(1, 2)->ns, 2);
  EXPECT_TRUE(plan.at(3, 1)->sitOut);
  EXPECT_FALSE(plan.at(3, 1)->plays(1));
  EXPECT_EQ(plan.seatingOf(2, 4, 3)->table, 2);
  EXPECT_EQ(plan.seatingOf(4, 1, 3), nullptr);
}

TEST(TableFiles, CodesSurviveAndOnlyMissingOnesAreMade) {
  TablesEvent e(4);
  const QString path = tableCodesPath(e.eventPath());
  EXPECT_TRUE(path.endsWith(QStringLiteral("/invoer/05-12-2026 Groep A Uitslag Tafels.txt")));
  bool ok = false;
  const auto first = ensureTableCodes(path, 3, &ok);
  ASSERT_TRUE(ok);
  ASSERT_EQ(first.size(), 3);
  for (const QString& code : first) EXPECT_TRUE(QRegularExpression(QStringLiteral("^[0-9]{4}$")).match(code).hasMatch());
  const auto more = ensureTableCodes(path, 4, &ok);
  EXPECT_EQ(more.value(2), first.value(2));
  EXPECT_EQ(readTextLines(path)->size(), 4);
  EXPECT_TRUE(isEventCompanionName(QStringLiteral("05-12-2026 Groep A Uitslag Contracten.txt")));
  EXPECT_FALSE(isEventCompanionName(QStringLiteral("05-12-2026 Groep A Uitslag.txt")));
}

TEST(TableFiles, ContractLinesRoundTripAndDamageIsRefused) {
  for (const char* text : {"3|1|5|4S|N|10|abc-1", "12|7|2|3NTX|W|6|x", "1|1|2|pass|N|0|id"})
    EXPECT_EQ(ContractLine::parse(QString::fromLatin1(text))->text(), QString::fromLatin1(text));
  for (const char* text : {"3|1|5|4S|N|14|a", "3|1|5|4S|Q|10|a", "3|1|5|9S|N|10|a", "3|1|5|4S|N|10", "x|1|5|4S|N|10|a",
                           "3|1|5|4S|N|10|a b"})
    EXPECT_FALSE(ContractLine::parse(QString::fromLatin1(text))) << text;
}

}  // namespace
