#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include "app/textfile.h"
#include "publish/addresses.h"
#include "publish/htmlpage.h"
#include "qtprint.h"
#include "testfiles.h"

using namespace mervalo;

namespace {

using test::readBytes;

// A small results copy with every alignment form and colour the page distinguishes.
Grid smallResult() {
  Grid g(3, 4);
  g.setFontName(QStringLiteral("Verdana"));
  g.setFontSize(9);
  const int widths[4] = {600, 2400, 615, 1514};  // 40, 160, 41 (remainder dropped), 100 pixels
  for (int c = 0; c < 4; ++c) g.setColumnWidth(c, widths[c]);
  const QStringList texts = {QStringLiteral("Nr"), QStringLiteral("Paren"), QStringLiteral("MP"),
                             QStringLiteral("Percentage"), QStringLiteral("1"),
                             QStringLiteral("Jan & <b>Ren") + QChar(0xE9) + QStringLiteral("e</b>"),
                             QStringLiteral("40"), QStringLiteral("55.56%"), QStringLiteral("(2)"),
                             QStringLiteral("Ann"), QStringLiteral("38"), QStringLiteral("52.78%")};
  const int aligns[12] = {4, 1, 9, 7, 4, 0, 6, 5, 3, 2, 8, 9};
  for (int i = 0; i < 12; ++i) {
    g.setText(i / 4, i % 4, texts[i]);
    g.setAlignment(i / 4, i % 4, aligns[i]);
  }
  g.setForeColour(1, 1, rgb(255, 0, 0));
  for (int c = 0; c < 4; ++c) g.setBackColour(2, c, kRowYellow);
  g.setBackColour(2, 2, rgb(0x12, 0x34, 0x56));
  return g;
}

}  // namespace

// The expected page pins the colours (red first) and 9 points as size 3; an empty grid is a whole page.
TEST(HtmlPage, MatchesTheExpectedPageByteForByteAndAnEmptyGrid) {
  QTemporaryDir dir;
  const QString out = dir.filePath(QStringLiteral("Dinsdag.html"));
  ASSERT_TRUE(writeHtmlPage(out, smallResult(), QStringLiteral("Uitslag (Dinsdag)")));
  const QByteArray expected = readBytes(QStringLiteral(MERVALO_TEST_DATA "/publish/small_page.html"));
  ASSERT_NE(expected, QByteArray("<missing>"));
  EXPECT_EQ(readBytes(out), expected);

  const QStringList lines = htmlPageLines(Grid(), QStringLiteral("T"));
  ASSERT_EQ(lines.size(), 12);
  EXPECT_EQ(lines.last(), QStringLiteral("</html>"));
}

// The copy's columns, alignment and stripes are in the evening's golden page (the entry screens'
// test); here the fitted widths, which that page leaves out, and degenerate grids.
TEST(ResultsCopy, FitsTheNamesColumnAndDegenerateGridsGiveNoRows) {
  Grid results(13, 16);  // 11 pairs over 12 boards: rank, names, boards, MP, percentage, totals row
  for (int p = 1; p <= 11; ++p) results.setText(p, 1, QStringLiteral("Paar %1 [12]").arg(p));
  const Grid copy = resultsScreenGrid(results, [](const QString& s) { return 100 * static_cast<int>(s.size()); });
  EXPECT_EQ(copy.columnWidth(1), 100 * 13);  // widest text "Paar 10 [12]" and one "W"
  EXPECT_EQ(resultsScreenGrid(Grid(), [](const QString&) { return 1; }).rows(), 0);
  EXPECT_EQ(resultsScreenGrid(Grid(1, 6), [](const QString&) { return 1; }).rows(), 0);
}

// The results screen's test shows the address lines of the name lists used up one by one; this
// one how the players of an event are named.
TEST(Addresses, EventPlayersComeFromTheCompanionOrElseTheGroupFile) {
  QTemporaryDir dir;
  ASSERT_TRUE(QDir(dir.path()).mkpath(QStringLiteral("groepen")));
  const QString group = dir.path() + QStringLiteral("/groepen/Dinsdag");
  const QStringList pairs = {"3| Dhr. Jan Smit+7| Mevr. Anna de Vries", "***** Stilzit *****", QString()};
  ASSERT_TRUE(writeTextLines(group + QStringLiteral(".txt"), pairs));
  const QStringList descriptions = {"Dhr. Jan Smit", "Mevr. Anna de Vries"};
  EXPECT_EQ(eventPlayersForMail(dir.path(), QStringLiteral("Dinsdag.txt")), descriptions);
  // A companion that is a copy of the group file is read the same way, and shown as it is.
  ASSERT_TRUE(writeTextLines(group + QStringLiteral(".mail"), pairs));
  EXPECT_EQ(eventPlayersForMail(dir.path(), QStringLiteral("Dinsdag.txt")), descriptions);

  // A real companion: "|" and the address, or the name fields of a player without one.
  const QStringList companion = {"1|Dhr.|Jan|Smit|jan@club.nl", QString(), "3||Piet|de Vries|",
                                 "4|Mevr.|Ann|Bos| ann@club.nl "};
  ASSERT_TRUE(writeTextLines(group + QStringLiteral(".mail"), companion));
  const QStringList keys = eventPlayersForMail(dir.path(), QStringLiteral("Dinsdag.txt"));
  EXPECT_EQ(keys, (QStringList{"|jan@club.nl", "||Piet|de Vries|", "|ann@club.nl"}));
  const QStringList mailing = mailingListEntries(companion);
  EXPECT_EQ(mailing, (QStringList{"Dhr. Jan Smit |jan@club.nl", " Piet de Vries |", "Mevr. Ann Bos | ann@club.nl "}));
  // Without an address of its own, a later address in a name list counts.
  QStringList names = {QStringLiteral("7||Piet|de Vries|piet@club.nl")};
  EXPECT_EQ(collectAddresses({keys[1]}, names), QStringLiteral("piet@club.nl; "));
  // An address that would split into two on the clipboard is left off.
  names = {QStringLiteral("7||Piet|de Vries|piet@club.nl, boef@elders.nl")};
  EXPECT_EQ(collectAddresses({keys[1]}, names), QString());
  EXPECT_EQ(playerDisplayName(keys[1], mailing), QStringLiteral("Piet de Vries"));
  EXPECT_TRUE(eventPlayersForMail(dir.path(), QStringLiteral("Missing.txt")).isEmpty());
}
