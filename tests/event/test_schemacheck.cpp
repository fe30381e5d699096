#include <gtest/gtest.h>

#include "event/schemacheck.h"
#include "qtprint.h"

using namespace mervalo;

namespace {

// A sound movement for 4 pairs over 3 rounds: every pair plays every set once; all tables of a
// round play the same set, as four pairs over three rounds cannot avoid.
QStringList fourPairs() {
  return {"04 Paren 03 Ronden", "Ronde 1\t1-2 (1-4)\t3-4 (1-4)",
          "Ronde 2\t1-3 (5-8)\t4-2 (5-8)", "Ronde 3\t4-1 (9-12)\t2-3 (9-12)"};
}

QString errorsOf(const SchemaCheck& c) {
  QStringList out;
  for (const SchemaIssue& i : c.issues)
    if (i.error) out << QStringLiteral("%1: %2").arg(i.line).arg(i.what);
  return out.join(QLatin1Char('\n'));
}

::testing::AssertionResult hasError(const SchemaCheck& c, int line, const char* words) {
  for (const SchemaIssue& i : c.issues)
    if (i.error && i.line == line && i.what.contains(QLatin1String(words))) return ::testing::AssertionSuccess();
  return ::testing::AssertionFailure() << "no error " << line << ": " << words << " among\n" << errorsOf(c).toStdString();
}

}  // namespace

TEST(SchemaCheck, ASoundMovementPassesWithItsSharedSetsAsWarnings) {
  const SchemaCheck c = checkSchema(fourPairs(), 4, 3);
  EXPECT_TRUE(c.ok()) << errorsOf(c).toStdString();
  EXPECT_EQ(c.issues.size(), 3);  // one shared set per round
  for (const SchemaIssue& i : c.issues) EXPECT_FALSE(i.error);
}

TEST(SchemaCheck, HardRulesAreErrors) {
  const auto withLine = [](int index, const char* line) {
    QStringList m = fourPairs();
    m[index] = QLatin1String(line);
    return checkSchema(m, 4, 3);
  };
  SchemaCheck c = withLine(2, "Ronde 2\t1-3 (1-4)\t4-2 (5-8)");  // pair 1 plays set 1 again, set 2 short
  EXPECT_TRUE(hasError(c, 3, "pair 1 plays board set 1"));
  EXPECT_TRUE(hasError(c, 0, "board set 2 (5-8) is played 1 times, not 2"));
  c = withLine(3, "Ronde 3\t4-1 (9-12)\t2-5 (9-12)");  // no pair 5; pair 3 left out
  EXPECT_TRUE(hasError(c, 4, "pair 5"));
  EXPECT_TRUE(hasError(c, 4, "pair 3 does not play in round 3"));
  EXPECT_TRUE(hasError(withLine(1, "Ronde 1 1-2 (1-4) 3-4 (1-4)"), 2, "no Tab"));  // blanks where Tabs belong
  c = withLine(1, "Ronde 1\t1-2 (13-16)\tx-4 (1-4)\t1-1 (2-5)");
  EXPECT_TRUE(hasError(c, 2, "(13-16) names no board set"));
  EXPECT_TRUE(hasError(c, 2, "not a table"));
  EXPECT_TRUE(hasError(c, 2, "(2-5) names no board set"));
  // Numbers too long for any movement are refused before any sum is made with them.
  EXPECT_TRUE(hasError(withLine(1, "Ronde 1\t1-2 (2147483645-2147483647)\t3-4 (1-4)"), 2, "not a table"));
  EXPECT_TRUE(hasError(withLine(1, "Ronde 1\t99999-2 (1-4)\t3-4 (1-4)"), 2, "not a table"));
  EXPECT_TRUE(hasError(checkSchema(fourPairs().mid(0, 1), 4, 3), 0, "0 round lines"));  // a header only
  EXPECT_FALSE(checkSchema({}, 4, 3).ok());
  EXPECT_TRUE(hasError(checkSchema(fourPairs() << "Ronde 4\t1-2 (1-4)", 4, 3), 5, "round line 4"));
}

TEST(SchemaCheck, MeetingTwiceIsAWarning) {
  QStringList m = fourPairs();
  m[3] = "Ronde 3\t2-1 (9-12)\t4-3 (9-12)";  // 1-2 and 3-4 again
  const SchemaCheck c = checkSchema(m, 4, 3);
  EXPECT_TRUE(c.ok()) << errorsOf(c).toStdString();
  int meetings = 0;
  for (const SchemaIssue& i : c.issues) meetings += i.what.contains("meet again") ? 1 : 0;
  EXPECT_EQ(meetings, 2);
}

TEST(SchemaCheck, NamesAndLineEnds) {
  int p = 0, r = 0;
  EXPECT_TRUE(parseSchemaFileName("/x/08 paren 03 ronden Mitchell.txt", &p, &r));
  EXPECT_EQ(std::pair(p, r), std::pair(8, 3));
  EXPECT_TRUE(parseSchemaFileName("14 Pairs 12 Rounds.TXT", &p, &r));
  EXPECT_EQ(std::pair(p, r), std::pair(14, 12));
  EXPECT_FALSE(parseSchemaFileName("8 Paren 3 Ronden.txt", &p, &r));
  EXPECT_FALSE(parseSchemaFileName("08 Paren 03 Ronden.doc", &p, &r));
  EXPECT_FALSE(checkSchemaBytes("movement.txt", "x").ok());

  const QByteArray crlf = fourPairs().join("\r\n").toLatin1();
  SchemaCheck c = checkSchemaBytes("04 Paren 03 Ronden.txt", crlf);
  EXPECT_TRUE(c.ok());
  EXPECT_EQ(c.issues.size(), 3);
  QByteArray unix = fourPairs().join("\n").toLatin1();
  c = checkSchemaBytes("04 Pairs 03 Rounds.txt", unix);
  EXPECT_TRUE(c.ok()) << errorsOf(c).toStdString();
  EXPECT_EQ(c.issues.size(), 4);  // one more: the line ends
}
