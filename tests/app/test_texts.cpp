#include <gtest/gtest.h>

#include "app/texts.h"
#include "qtprint.h"

using namespace mervalo;

namespace {
QString nl(int n) { return TextTable::builtin().lookup(n, kDutch); }
QString en(int n) { return TextTable::builtin().lookup(n, kEnglish); }
}  // namespace

// The captions the screens show are checked by their tests; here what a careless edit of the
// table would lose: backslashes, accents, and blanks and tabs at the edges.
TEST(TextTable, BuiltinKeepsSpecialCharactersBlanksAndTabs) {
  EXPECT_EQ(nl(43), QStringLiteral("<>#%$*&:;\\/?.,'=+`~@^"));
  EXPECT_EQ(en(43), QStringLiteral("<>#%$*&:;/?.,'=+`~@^"));
  EXPECT_EQ(en(53), QStringLiteral("Don't play"));
  EXPECT_EQ(nl(149), QStringLiteral("Geen geldig emailadres.|Verwijder ") + QChar(0xE9) + QChar(0xE9) +
                         QStringLiteral("n <#>"));
  EXPECT_EQ(nl(45), QStringLiteral(" "));
  EXPECT_TRUE(en(144).endsWith(QStringLiteral("change this email ")));
  EXPECT_EQ(en(168), QStringLiteral("Download from MAIL.TXT successful.\t"));
  EXPECT_EQ(nl(168), QStringLiteral("Download van MAIL.TXT gelukt."));
}

TEST(TextTable, EveryListedNumberExistsInBothLanguagesAndGapsAreEmpty) {
  int both = 0;
  for (int n = 0; n <= 178; ++n) {
    EXPECT_EQ(nl(n).isEmpty(), en(n).isEmpty()) << n;
    if (!nl(n).isEmpty()) ++both;
  }
  // Text 45 in Dutch is a single blank: present, though it looks empty.
  EXPECT_EQ(both, 165);
  EXPECT_TRUE(nl(7).isEmpty());
  EXPECT_TRUE(en(178).isEmpty());
  EXPECT_TRUE(TextTable::builtin().lookup(0, 12).isEmpty());
}

TEST(TextTable, MakerDetailsAreFilledInEverywhere) {
  for (int n : {1, 115, 152, 153}) {
    EXPECT_FALSE(nl(n).contains(QStringLiteral("{{"))) << n;
    EXPECT_FALSE(en(n).contains(QStringLiteral("{{"))) << n;
  }
  EXPECT_TRUE(nl(152).contains(QLatin1Char('@')));
  EXPECT_EQ(nl(152).section(QStringLiteral("naar "), 1).section(QLatin1Char('|'), 0, 0),
            en(152).section(QStringLiteral("to "), 1).section(QLatin1Char('|'), 0, 0));
  EXPECT_TRUE(en(115).endsWith(nl(115).section(QStringLiteral("website: "), 1)));
  const QString support = TextTable::builtin().detail(QStringLiteral("support"));
  EXPECT_TRUE(support.contains(QLatin1Char('@')));
  EXPECT_TRUE(en(153).contains(QStringLiteral("Send an email to ") + support + QLatin1Char('|')));
  EXPECT_TRUE(TextTable::builtin().detail(QStringLiteral("none")).isEmpty());
}

TEST(TextTable, FiveDigitNumbersAreIdentifiersOfTheirOwn) {
  EXPECT_EQ(TextTable::builtin().lookup(11004, kDutch), QStringLiteral("Enter &names"));
  EXPECT_EQ(TextTable::builtin().lookup(10004, kEnglish), QStringLiteral("&Namen invoeren"));
  EXPECT_EQ(TextTable::builtin().lookup(10002, 12), QStringLiteral("Mervalo"));
  EXPECT_TRUE(TextTable::builtin().lookup(12000, kDutch).isEmpty());
}

TEST(TextTable, ParseSkipsDamagedLinesAndUnknownValues) {
  const TextTable t = TextTable::parse(
      "# comment\r\n\r\nnot a line\r\n\tno id\r\nabc\tx\r\n{{a}}\tA\r\n10001\tx{{a}}y{{b}}\r\n10002\tlast");
  EXPECT_EQ(t.size(), 2);
  EXPECT_EQ(t.lookup(1, kDutch), QStringLiteral("xAy{{b}}"));
  EXPECT_EQ(t.lookup(2, kDutch), QStringLiteral("last"));
}
