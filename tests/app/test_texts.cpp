#include <gtest/gtest.h>

#include "app/texts.h"
#include "qtprint.h"

using namespace mervalo;

namespace {
QString nl(int n) { return TextTable::builtin().lookup(n, kDutch); }
QString en(int n) { return TextTable::builtin().lookup(n, kEnglish); }
}  // namespace

// The captions the screens show are checked by their tests; here what a careless edit of the
// table would lose: a translation, accents, and blanks and tabs at the edges.
TEST(TextTable, EveryNumberExistsInBothLanguagesAndKeepsItsSpecialCharacters) {
  int both = 0;
  for (int n = 0; n <= 178; ++n) {
    EXPECT_EQ(nl(n).isEmpty(), en(n).isEmpty()) << n;
    if (!nl(n).isEmpty()) ++both;
  }
  EXPECT_EQ(both, 165);  // text 45 in Dutch is a single blank: present, though it looks empty
  EXPECT_EQ(nl(45), " ");
  EXPECT_EQ(nl(149), "Geen geldig emailadres.|Verwijder één <#>");
  EXPECT_EQ(en(168), "Download from MAIL.TXT successful.\t");
}

TEST(TextTable, MakerDetailsAreFilledInEverywhere) {
  for (int n : {1, 115, 152, 153}) EXPECT_FALSE(nl(n).contains("{{") || en(n).contains("{{")) << n;
  const QString support = TextTable::builtin().detail("support");
  EXPECT_TRUE(en(153).contains("Send an email to " + support + '|'));
}
