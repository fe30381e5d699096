#include <QRadioButton>
#include <QTableWidget>

#include "entrytest.h"
#include "event/movement.h"

using namespace mervalo;
using namespace mervalo::test;

namespace {

class RoundEntryTest : public EntryTest {
 protected:
  RoundEntryTest() {
    // One with the slip 3-8 (1-4) of the round screen's own examples.
    writeFile(QStringLiteral("/schema/10/08 Paren 03 Ronden Slip.txt"),
              {"08 Paren 03 Ronden Slip", "Ronde 1\t1-2 (1-4)\t3-8 (1-4)\t5-6 (5-8)\t7-4 (9-12)",
               "Ronde 2\t5-7 (1-4)\t1-8 (5-8)\t3-2 (5-8)\t4-6 (9-12)",
               "Ronde 3\t6-8 (1-4)\t4-3 (5-8)\t1-7 (9-12)\t2-5 (9-12)"});
  }
  RoundEntryScreen* start(const char* movement, const char* sitOut = "Geen", const QStringList& records = {}) {
    return startScreen<RoundEntryScreen>(header(1, QLatin1String(movement), QLatin1String(sitOut)) + records);
  }
  static QRadioButton* option(QWidget* s, int j) {
    return child<QRadioButton>(s, QStringLiteral("optRonde_%1").arg(j));
  }
  // On the option's circle, where a click takes it.
  static void clickOption(QWidget* s, int j, Qt::MouseButton button = Qt::LeftButton) {
    QTest::mouseClick(option(s, j), button, {}, QPoint(8, option(s, j)->height() / 2));
  }
  // Types the NS scores of the chosen slip's rows (an empty text leaves the row) and stores it.
  void storeSlip(RoundEntryScreen* s, const QStringList& scores) {
    for (int row = 0; row < scores.size(); ++row) {
      if (scores[row].isEmpty()) continue;
      QTest::keyClick(ns(s, row), Qt::Key_C);
      type(ns(s, row), scores[row]);
    }
    click(s, "cmdSpelKlaar");
  }
};

}  // namespace

// A new event slip by slip: what the screen shows, a swap, stored and partial slips, the letter
// key, an adjusted score, and the slips as they were after reopening.
TEST_F(RoundEntryTest, ANewEventSlipBySlip) {
  RoundEntryScreen* s = start("08 Paren 03 Ronden Slip");
  ASSERT_TRUE(s);
  EXPECT_EQ(option(s, 1)->text(), QStringLiteral("3-8 (1-4)"));
  EXPECT_EQ(s->missingScores().size(), 3 * 12);  // every board in every round

  // A right click swaps the slip's pairs and says so.
  clickOption(s, 1, Qt::RightButton);
  ASSERT_EQ(prompter.count(), 1);
  EXPECT_TRUE(prompter.last().text.startsWith(QStringLiteral("De paren 3-8 zijn omgewisseld naar 8-3\n")));
  EXPECT_EQ(option(s, 1)->text(), QStringLiteral("8-3 (1-4)"));

  // Storing a slip mirrors its scores, strikes it through and moves on; then it cannot be swapped.
  clickOption(s, 1);
  storeSlip(s, {"420", "5-", "0", "n"});
  EXPECT_TRUE(option(s, 1)->font().strikeOut());
  EXPECT_EQ(option(s, 1)->accessibleDescription(), QStringLiteral("De slip is ingevoerd"));
  EXPECT_EQ(s->currentSlip(), 2);
  EXPECT_EQ(s->savedLines()[8], QStringLiteral("1-2*~8-3*|-50|50~5-7*~6-8*"));
  EXPECT_EQ(s->savedLines()[10], QStringLiteral("1-2*~8-3*|n|n~5-7*~6-8*"));
  prompter.clear();
  clickOption(s, 1, Qt::RightButton);
  ASSERT_EQ(prompter.count(), 1);
  EXPECT_TRUE(prompter.last().text.startsWith(QStringLiteral("U kunt de paren alleen wisselen")));
  EXPECT_EQ(option(s, 1)->text(), QStringLiteral("8-3 (1-4)"));

  // A slip whose last row stays empty is stored but not struck through; its board is missing.
  clickOption(s, 0);
  storeSlip(s, {"420", "420", "-50", ""});
  EXPECT_FALSE(option(s, 0)->font().strikeOut());
  EXPECT_TRUE(s->missingScores().contains(QStringLiteral("Ronde 1 - Spel 4")));
  EXPECT_TRUE(s->savedLines()[10].startsWith(QStringLiteral("1-2*~8-3*|n|n")));
  // The overview follows the swap and the stores (its cells are the slips overview's own test).
  EXPECT_EQ(child<QTableWidget>(s, "msfgScore")->item(2, 1)->text(), QStringLiteral("8 - 3[420]  [-420] "));

  // The letter key stores, and the last slip of a round goes on to the next round.
  auto* klaar = button(s, "cmdSpelKlaar");
  clickOption(s, 3);
  for (int row = 0; row < 4; ++row) type(ns(s, row), QStringLiteral("11"));
  EXPECT_TRUE(QTest::qWaitFor([&] { return klaar->hasFocus(); }));  // after the last row, as per board
  ns(s, 0)->setFocus();
  QTest::keyClick(ns(s, 0), Qt::Key_K);
  EXPECT_EQ(std::pair(s->currentRound(), s->currentSlip()), std::pair(2, 0));
  EXPECT_EQ(s->savedLines()[15], QStringLiteral("7-4*|110|-110~4-6*~1-7*~2-5*"));
  // An adjusted score in the last row: Enter in its EW box goes to Klaar too, where K stores.
  for (int row = 0; row < 4; ++row) type(ns(s, row), row < 3 ? QStringLiteral("11") : QStringLiteral("60%"));
  ASSERT_TRUE(ew(s, 3)->hasFocus());
  type(ew(s, 3), QStringLiteral("40%"));
  ASSERT_TRUE(QTest::qWaitFor([&] { return klaar->hasFocus(); }));
  QTest::keyClick(klaar, Qt::Key_K);
  EXPECT_EQ(s->currentSlip(), 1);
  EXPECT_TRUE(s->savedLines()[7].contains(QStringLiteral("~5-7*|110|-110~")));  // boards 1 to 4
  EXPECT_TRUE(s->savedLines()[10].contains(QStringLiteral("~5-7*|60%|40%~")));
  // Coming back to the screen (from the results) starts again at round 1.
  s->formActivate();
  EXPECT_EQ(std::pair(s->currentRound(), s->currentSlip()), std::pair(1, 0));
  closeScreen(s);
  const QStringList lines = readLines(kEvent);
  ASSERT_EQ(lines.size(), 7 + 12);
  EXPECT_EQ(lines[11], QStringLiteral("5-6*~1-8*~3-2*~4-3*"));

  // Reopened the next day: every slip as it was stored, the swap included; clearing a slip
  // takes its scores away again.
  prompter.clear();
  s = openScreen<RoundEntryScreen>();
  ASSERT_TRUE(s);
  EXPECT_EQ(prompter.count(), 0);  // nothing to report
  EXPECT_EQ(option(s, 1)->text(), QStringLiteral("8-3 (1-4)"));
  EXPECT_TRUE(option(s, 1)->font().strikeOut());
  clickOption(s, 1);
  EXPECT_EQ(scores(s, 1), QStringLiteral("-50|50"));
  click(s, "cmdWisSpel");
  EXPECT_FALSE(option(s, 1)->font().strikeOut());
  EXPECT_EQ(s->savedLines()[7], QStringLiteral("1-2*|420|-420~8-3*~5-7*|110|-110~6-8*"));
}

// A movement line without a usable table (all "-  -", or no line at all for the round) gives the
// round no slip: nothing is shown, enabled or stored there, whatever is typed or pressed.
TEST_F(RoundEntryTest, ARoundWithoutSlipsShowsNoneAndStoresNothing) {
  writeFile(QStringLiteral("/schema/10/08 Paren 03 Ronden Kort.txt"),
            {"08 Paren 03 Ronden Kort", "Ronde 1\t1-2 (1-4)\t3-8 (1-4)\t5-6 (1-4)\t7-4 (1-4)",
             "Ronde 2\t-  - (5-8)\t-  - (5-8)"});
  RoundEntryScreen* s = start("08 Paren 03 Ronden Kort");
  ASSERT_TRUE(s);
  // The last slip of round 1 stored leads into round 2, which has none.
  for (int slip = 0; slip < 4; ++slip) storeSlip(s, {"110", "110", "110", "110"});
  for (int round : {2, 3}) {
    if (round == 3) click(s, "cmdRonde_3");
    EXPECT_EQ(std::pair(s->currentRound(), s->currentSlip()), std::pair(round, -1));
    EXPECT_FALSE(option(s, 0)->isVisible());
    EXPECT_FALSE(ns(s, 0)->isEnabled() || ns(s, 0)->isVisible());
    const QStringList before = s->savedLines();
    s->cmdSpelKlaar_Click();
    click(s, "cmdWisSpel");
    EXPECT_EQ(s->savedLines(), before);
  }
}

TEST_F(RoundEntryTest, TheSitOutPairsSlipNeedsNothing) {
  RoundEntryScreen* s = start("08 Paren 03 Ronden Slip", "8");
  ASSERT_TRUE(s);
  clickOption(s, 1);  // 3-8: pair 8 sits out
  EXPECT_FALSE(ns(s, 0)->isEnabled());
  button(s, "cmdVulSpellen")->setVisible(true);
  click(s, "cmdVulSpellen");
  EXPECT_TRUE(s->missingScores().isEmpty());
  EXPECT_TRUE(button(s, "cmdUitslag")->isEnabled());
  EXPECT_TRUE(s->savedLines()[7].contains(QStringLiteral("3-8*~")));  // never given scores
}

TEST_F(RoundEntryTest, BadFilesAreReportedAndNothingReadIsLost) {
  // An event entered per board is refused and left as it is.
  writeFile(kEvent, header(0, QStringLiteral("08 Paren 03 Ronden Slip")) << QStringLiteral("01*1|2|||420|-420|0|0"));
  const QByteArray before = readRaw(kEvent);
  EXPECT_FALSE(openScreen<RoundEntryScreen>());
  ASSERT_EQ(prompter.count(), 1);
  EXPECT_TRUE(prompter.last().text.contains(QStringLiteral("per board")));
  EXPECT_EQ(readRaw(kEvent), before);

  // A part that is no table, a pair text the movement does not seat, a score that is none.
  prompter.clear();
  RoundEntryScreen* s = start("08 Paren 03 Ronden Slip", "Geen",
                              {"1-2*|420|-420~3-8*~rubbish~5-7*~6-8*", "1-2*~2-9*~5-7*~6-8*",
                               "1-2*~3-8*~5-7*|4x|1~6-8*", "1-2*~1-4*|50|-50~5-7*~6-8*"});
  ASSERT_TRUE(s);
  ASSERT_EQ(prompter.count(), 1);
  const QString report = prompter.last().text;
  for (const char* named : {"8: ", "rubbish", "9: ", "2-9", "10: ", "4x", "board lines", "board 4: 1-4"})
    EXPECT_TRUE(report.contains(QLatin1String(named))) << named << " in " << report.toStdString();
  EXPECT_EQ(s->savedLines()[7], QStringLiteral("1-2*|420|-420~3-8*~5-7*~6-8*~rubbish"));
  closeScreen(s);
  const QString written = readLines(kEvent).join(QLatin1Char('~'));
  EXPECT_EQ(readLines(kEvent).size(), 7 + 12);
  for (const char* kept : {"rubbish", "2-9*", "5-7*|4x|1", "1-4*|50|-50"})
    EXPECT_TRUE(written.contains(QLatin1String(kept))) << kept;
}

TEST_F(RoundEntryTest, TheWholeEveningSlipBySlipGivesThePageOfTheEntryPerBoard) {
  RoundEntryScreen* s = start("08 Paren 03 Ronden Test");
  ASSERT_TRUE(s);
  const QStringList cells = tableCells(schemaRoundLines(kMovement), rangeMap(3, 4));
  for (int r = 1; r <= 3; ++r) {
    click(s, QStringLiteral("cmdRonde_%1").arg(r));
    for (int j = 0; j < s->slips().slips(r).size(); ++j) {
      const Slip& slip = s->slips().slip(r, j);
      clickOption(s, j);
      QStringList scores;
      for (int b = slip.firstBoard; b <= slip.lastBoard; ++b) {
        const QVector<Pairing> tables = pairingsOfBoard(cells, b, 4);
        for (int k = 0; k < tables.size(); ++k)
          if (tables[k].ns == slip.ns) scores << eveningScore(b, k);
      }
      storeSlip(s, scores);
    }
  }
  EXPECT_TRUE(s->missingScores().isEmpty());
  auto* results = expectEveningPage(s);
  ASSERT_TRUE(results);
  closeScreen(results);
}
