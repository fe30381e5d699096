#include <QApplication>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QTableWidget>

#include "entrytest.h"
#include "event/movement.h"
#include "publish/screens/resultsscreen.h"
#include "scoring/eventsources.h"
#include "scoring/resultgrid.h"

using namespace mervalo;
using namespace mervalo::test;

namespace {

// One with the slip 3-8 (1-4) of the round screen's own examples.
const QStringList kSlipMovement = {
    QStringLiteral("08 Paren 03 Ronden Slip"),
    QStringLiteral("Ronde 1\t1-2 (1-4)\t3-8 (1-4)\t5-6 (5-8)\t7-4 (9-12)"),
    QStringLiteral("Ronde 2\t5-7 (1-4)\t1-8 (5-8)\t3-2 (5-8)\t4-6 (9-12)"),
    QStringLiteral("Ronde 3\t6-8 (1-4)\t4-3 (5-8)\t1-7 (9-12)\t2-5 (9-12)"),
};

class RoundEntryTest : public EntryTest {
 protected:
  RoundEntryTest() { writeFile(QStringLiteral("/schema/10/08 Paren 03 Ronden Slip.txt"), kSlipMovement); }

  static QStringList header(const char* movement, const char* sitOut = "Geen", const char* mode = "1") {
    return EntryTest::header(QByteArray(mode).toInt(), QString::fromLatin1(movement), QString::fromLatin1(sitOut));
  }
  RoundEntryScreen* start(const QStringList& lines) { return startScreen<RoundEntryScreen>(lines); }
  static QRadioButton* option(QWidget* s, int j) { return child<QRadioButton>(s, QStringLiteral("optRonde_%1").arg(j)); }
  // On the option's circle, where a click takes it.
  static void clickOption(QWidget* s, int j, Qt::MouseButton button) {
    QTest::mouseClick(option(s, j), button, {}, QPoint(8, option(s, j)->height() / 2));
  }

  // Types the NS scores of the chosen slip's rows (an empty text leaves the row) and stores it.
  void storeSlip(RoundEntryScreen* s, const QStringList& scores) {
    for (int row = 0; row < scores.size(); ++row) {
      if (scores[row].isEmpty()) continue;
      QTest::keyClick(ns(s, row), Qt::Key_C);
      type(ns(s, row), scores[row]);
    }
    QTest::mouseClick(child<QPushButton>(s, "cmdSpelKlaar"), Qt::LeftButton);
  }
};

}  // namespace

TEST_F(RoundEntryTest, ANewEventShowsItsRoundsAndSlipsAndSavesALinePerBoard) {
  RoundEntryScreen* s = start(header("08 Paren 03 Ronden Slip"));
  ASSERT_TRUE(s);
  EXPECT_EQ(s->windowTitle(), QStringLiteral("Invoer scores per ronde (Dinsdag.txt)"));
  EXPECT_EQ(child<QLabel>(s, "lblInformatie")->text(),
            QStringLiteral("8 paren. Stilzit: Geen. 3 ronden en 4 spellen. Speelschema: 08 Paren 03 Ronden Slip"));
  EXPECT_EQ(child<QPushButton>(s, "cmdRonde_2")->text(), QStringLiteral("Ronde 2"));
  EXPECT_TRUE(child<QPushButton>(s, "cmdRonde_1")->styleSheet().contains(QStringLiteral("255, 255, 192")));
  EXPECT_TRUE(child<QPushButton>(s, "cmdRonde_2")->styleSheet().contains(QStringLiteral("255, 255, 255")));
  EXPECT_EQ(option(s, 1)->text(), QStringLiteral("3-8 (1-4)"));
  EXPECT_TRUE(option(s, 0)->isChecked());
  EXPECT_EQ(child<QLabel>(s, "lblSPel_3")->text(), QStringLiteral("Spel: 4"));
  EXPECT_EQ(QApplication::focusWidget(), ns(s, 0));
  EXPECT_EQ(child<QLabel>(s, "lblRonde")->text(), QStringLiteral("Ronde 1 - Spel: 1"));
  EXPECT_EQ(s->missingScores().size(), 3 * 12);  // every board in every round
  EXPECT_FALSE(child<QPushButton>(s, "cmdUitslag")->isEnabled());
  EXPECT_FALSE(child<QPushButton>(s, "cmdVulSpellen")->isVisible());
  closeScreen(s);
  const QStringList lines = readLines(kEvent);
  ASSERT_EQ(lines.size(), 7 + 12);
  EXPECT_EQ(lines[7], QStringLiteral("1-2*~3-8*~5-7*~6-8*"));
  EXPECT_EQ(lines[18], QStringLiteral("7-4*~4-6*~1-7*~2-5*"));
}

TEST_F(RoundEntryTest, StoringASlipMirrorsItsScoresStrikesItThroughAndMovesOn) {
  RoundEntryScreen* s = start(header("08 Paren 03 Ronden Slip"));
  ASSERT_TRUE(s);
  clickOption(s, 1, Qt::LeftButton);
  storeSlip(s, {"420", "5-", "0", "n"});
  EXPECT_TRUE(option(s, 1)->font().strikeOut());
  EXPECT_EQ(option(s, 1)->accessibleDescription(), QStringLiteral("De slip is ingevoerd"));
  EXPECT_EQ(s->currentSlip(), 2);
  const QStringList stored = {"420|-420", "-50|50", "0|0", "n|n"};  // EW mirrored
  for (int b = 0; b < 4; ++b) EXPECT_EQ(s->savedLines()[7 + b], QStringLiteral("1-2*~3-8*|%1~5-7*~6-8*").arg(stored[b]));

  // A slip whose last row stays empty is stored but not struck through; its board is missing.
  clickOption(s, 0, Qt::LeftButton);
  storeSlip(s, {"420", "420", "-50", ""});
  EXPECT_FALSE(option(s, 0)->font().strikeOut());
  EXPECT_TRUE(s->missingScores().contains(QStringLiteral("Ronde 1 - Spel 4")));
  EXPECT_FALSE(s->missingScores().contains(QStringLiteral("Ronde 1 - Spel 3")));
  EXPECT_TRUE(s->savedLines()[10].startsWith(QStringLiteral("1-2*~3-8*|n|n")));

  // The overview shows the stored scores in brackets.
  auto* overview = child<QTableWidget>(s, "msfgScore");
  EXPECT_EQ(overview->item(2, 1)->text(), QStringLiteral("3 - 8[420]  [-420] "));
  EXPECT_EQ(overview->item(3, 1)->text(), QStringLiteral("5 - 7"));

  // The missing list shows only while the mouse button is held on its button.
  auto* notYet = child<QPushButton>(s, "cmdDitMoetNog");
  auto* list = child<QListWidget>(s, "lstNietGevuld");
  EXPECT_FALSE(list->isVisible());
  QTest::mousePress(notYet, Qt::LeftButton);
  EXPECT_TRUE(list->isVisible());
  QTest::mouseRelease(notYet, Qt::LeftButton);
  EXPECT_FALSE(list->isVisible());

  // Clearing the slip takes its scores away again.
  clickOption(s, 1, Qt::LeftButton);
  QTest::mouseClick(child<QPushButton>(s, "cmdWisSpel"), Qt::LeftButton);
  EXPECT_FALSE(option(s, 1)->font().strikeOut());
  EXPECT_EQ(s->savedLines()[7], QStringLiteral("1-2*|420|-420~3-8*~5-7*~6-8*"));
}

TEST_F(RoundEntryTest, TheLetterKeyStoresAndTheLastSlipOfARoundGoesToTheNextRound) {
  RoundEntryScreen* s = start(header("08 Paren 03 Ronden Slip"));
  ASSERT_TRUE(s);
  auto* klaar = child<QPushButton>(s, "cmdSpelKlaar");
  clickOption(s, 3, Qt::LeftButton);
  for (int row = 0; row < 4; ++row) type(ns(s, row), QStringLiteral("11"));
  EXPECT_TRUE(child<QLabel>(s, "lblLetterKlaar")->isVisible());
  EXPECT_TRUE(QTest::qWaitFor([&] { return klaar->hasFocus(); }));  // after the last row, as per board
  ns(s, 0)->setFocus();
  QTest::keyClick(ns(s, 0), Qt::Key_K);
  EXPECT_EQ(s->currentRound(), 2);
  EXPECT_EQ(s->currentSlip(), 0);
  EXPECT_TRUE(child<QPushButton>(s, "cmdRonde_2")->styleSheet().contains(QStringLiteral("255, 255, 192")));
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
  EXPECT_EQ(s->currentRound(), 1);
  EXPECT_EQ(s->currentSlip(), 0);
}

// A movement line without a usable table (all "-  -", or no line at all for the round) gives the
// round no slip: nothing is shown, enabled or stored there, whatever is typed or pressed.
TEST_F(RoundEntryTest, ARoundWithoutSlipsShowsNoneAndStoresNothing) {
  writeFile(QStringLiteral("/schema/10/08 Paren 03 Ronden Kort.txt"),
            {QStringLiteral("08 Paren 03 Ronden Kort"), QStringLiteral("Ronde 1\t1-2 (1-4)\t3-8 (1-4)\t5-6 (1-4)\t7-4 (1-4)"),
             QStringLiteral("Ronde 2\t-  - (5-8)\t-  - (5-8)")});
  RoundEntryScreen* s = start(header("08 Paren 03 Ronden Kort"));
  ASSERT_TRUE(s);
  auto* klaar = child<QPushButton>(s, "cmdSpelKlaar");
  for (int slip = 0; slip < 3; ++slip) storeSlip(s, {"110", "110", "110", "110"});
  // The last slip of round 1 stored by K leads into round 2, which has none.
  storeSlip(s, {"110", "110", "110", "110"});
  for (int round : {2, 3}) {
    if (round == 3) QTest::mouseClick(child<QPushButton>(s, "cmdRonde_3"), Qt::LeftButton);
    EXPECT_EQ(s->currentRound(), round);
    EXPECT_EQ(s->currentSlip(), -1);
    EXPECT_FALSE(option(s, 0)->isVisible());
    EXPECT_FALSE(klaar->isEnabled());
    for (int row = 0; row < 4; ++row) EXPECT_FALSE(ns(s, row)->isEnabled() || ns(s, row)->isVisible()) << row;
    const QStringList before = s->savedLines();
    QTest::keyClick(klaar, Qt::Key_K);
    QTest::keyClicks(ns(s, 0), QStringLiteral("110"));
    ns(s, 0)->setFocus();
    QTest::keyClick(ns(s, 0), Qt::Key_K);
    QTest::mouseClick(child<QPushButton>(s, "cmdWisSpel"), Qt::LeftButton);
    EXPECT_EQ(s->savedLines(), before);
  }
  closeScreen(s);
}

TEST_F(RoundEntryTest, SwappingASlipIsRefusedOnceStoredAndASecondSwapRestoresIt) {
  RoundEntryScreen* s = start(header("08 Paren 03 Ronden Slip"));
  ASSERT_TRUE(s);
  clickOption(s, 1, Qt::RightButton);
  ASSERT_EQ(prompter.count(), 1);
  EXPECT_EQ(prompter.last().text,
            QStringLiteral("De paren 3-8 zijn omgewisseld naar 8-3\n\nWilt u de wisseling omgedaan maken, klik dan nogmaals met de "
                           "rechtermuisknop op de paren"));
  EXPECT_EQ(option(s, 1)->text(), QStringLiteral("8-3 (1-4)"));
  EXPECT_EQ(child<QTableWidget>(s, "msfgScore")->item(2, 1)->text(), QStringLiteral("8 - 3"));
  clickOption(s, 1, Qt::RightButton);
  EXPECT_EQ(option(s, 1)->text(), QStringLiteral("3-8 (1-4)"));
  clickOption(s, 1, Qt::RightButton);  // swapped again, and kept so

  clickOption(s, 1, Qt::LeftButton);
  EXPECT_EQ(child<QLabel>(s, "lblPaar_0")->text(), QStringLiteral("8"));
  storeSlip(s, {"420", "420", "420", "420"});
  prompter.clear();
  clickOption(s, 1, Qt::RightButton);
  ASSERT_EQ(prompter.count(), 1);
  EXPECT_TRUE(prompter.last().text.startsWith(QStringLiteral("U kunt de paren alleen wisselen")));
  EXPECT_EQ(option(s, 1)->text(), QStringLiteral("8-3 (1-4)"));
  closeScreen(s);

  // Reopened the next day: every slip as it was stored, the swap included.
  RoundEntryScreen* again = start(readLines(kEvent));
  ASSERT_TRUE(again);
  EXPECT_EQ(prompter.count(), 1);  // nothing to report
  EXPECT_EQ(option(again, 1)->text(), QStringLiteral("8-3 (1-4)"));
  EXPECT_TRUE(option(again, 1)->font().strikeOut());
  clickOption(again, 1, Qt::LeftButton);
  EXPECT_EQ(ns(again, 2)->text(), QStringLiteral("420"));
  EXPECT_EQ(ew(again, 2)->text(), QStringLiteral("-420"));
}

TEST_F(RoundEntryTest, TheSitOutPairsSlipNeedsNothing) {
  RoundEntryScreen* s = start(header("08 Paren 03 Ronden Slip", "8"));
  ASSERT_TRUE(s);
  clickOption(s, 1, Qt::LeftButton);  // 3-8: pair 8 sits out
  EXPECT_FALSE(ns(s, 0)->isEnabled());
  child<QPushButton>(s, "cmdVulSpellen")->setVisible(true);
  QTest::mouseClick(child<QPushButton>(s, "cmdVulSpellen"), Qt::LeftButton);
  EXPECT_TRUE(s->missingScores().isEmpty());
  EXPECT_TRUE(child<QPushButton>(s, "cmdUitslag")->isEnabled());
  EXPECT_TRUE(child<QLabel>(s, "lblKlaar")->isVisible());
  EXPECT_TRUE(s->savedLines()[7].contains(QStringLiteral("3-8*~")));  // never given scores
}

TEST_F(RoundEntryTest, BadFilesAreReportedAndNothingReadIsLost) {
  // An event entered per board is refused and left as it is.
  const QStringList perBoard = header("08 Paren 03 Ronden Slip", "Geen", "0") << QStringLiteral("01*1|2|||420|-420|0|0");
  writeFile(kEvent, perBoard);
  const QByteArray before = readRaw(kEvent);
  EXPECT_FALSE(start(perBoard));
  ASSERT_EQ(prompter.count(), 1);
  EXPECT_TRUE(prompter.last().text.contains(QStringLiteral("per board")));
  EXPECT_EQ(readRaw(kEvent), before);

  // A part that is no table, a pair text the movement does not seat, a score that is none.
  prompter.clear();
  QStringList lines = header("08 Paren 03 Ronden Slip");
  lines << QStringLiteral("1-2*|420|-420~3-8*~rubbish~5-7*~6-8*") << QStringLiteral("1-2*~2-9*~5-7*~6-8*")
        << QStringLiteral("1-2*~3-8*~5-7*|4x|1~6-8*") << QStringLiteral("1-2*~1-4*|50|-50~5-7*~6-8*");
  RoundEntryScreen* s = start(lines);
  ASSERT_TRUE(s);
  ASSERT_EQ(prompter.count(), 1);
  const QString report = prompter.last().text;
  for (const char* named : {"8: ", "rubbish", "9: ", "2-9", "10: ", "4x", "fewer", "board 4: 1-4"})
    EXPECT_TRUE(report.contains(QLatin1String(named)) || (QByteArray(named) == "fewer" && report.contains(QStringLiteral("board lines"))))
        << named << " in " << report.toStdString();
  EXPECT_EQ(s->savedLines()[7], QStringLiteral("1-2*|420|-420~3-8*~5-7*~6-8*~rubbish"));
  closeScreen(s);
  const QStringList written = readLines(kEvent);
  ASSERT_EQ(written.size(), 7 + 12);
  for (const char* kept : {"rubbish", "2-9*", "5-7*|4x|1", "1-4*|50|-50"})
    EXPECT_TRUE(written.join(QLatin1Char('~')).contains(QLatin1String(kept))) << kept;
}

TEST_F(RoundEntryTest, TheWholeEveningSlipBySlipGivesThePageOfTheEntryPerBoard) {
  RoundEntryScreen* s = start(header("08 Paren 03 Ronden Test"));
  ASSERT_TRUE(s);
  const QStringList cells = tableCells(schemaRoundLines(kMovement), rangeMap(3, 4));
  const auto scoreOf = [&](int board, int nsPair) {
    const QVector<Pairing> tables = pairingsOfBoard(cells, board, 4);
    for (int k = 0; k < tables.size(); ++k)
      if (tables[k].ns == nsPair) return eveningScore(board, k);
    return QString();
  };
  for (int r = 1; r <= 3; ++r) {
    QTest::mouseClick(child<QPushButton>(s, QStringLiteral("cmdRonde_%1").arg(r)), Qt::LeftButton);
    for (int j = 0; j < s->slips().slips(r).size(); ++j) {
      const Slip& slip = s->slips().slip(r, j);
      clickOption(s, j, Qt::LeftButton);
      QStringList scores;
      for (int b = slip.firstBoard; b <= slip.lastBoard; ++b) scores << scoreOf(b, slip.ns);
      storeSlip(s, scores);
    }
  }
  EXPECT_TRUE(s->missingScores().isEmpty());
  auto* results = expectEveningPage(s);
  ASSERT_TRUE(results);
  closeScreen(results);

  // The command line computes the file the screen wrote alike.
  EventSources sources;
  sources.eventName = QStringLiteral("Dinsdag Uitslag");
  sources.groupName = QStringLiteral("Dinsdag");
  sources.eventLines = readLines(kEvent);
  sources.group = Group::parse(readLines(QStringLiteral("/groepen/Dinsdag.txt")));
  sources.language = kDutch;
  ResultError error;
  const auto result = computeEventResult(sources, &error);
  ASSERT_TRUE(result) << error.describe().toStdString();
  const Grid cli = resultsGrid(*result, ResultsHeadings::of(kDutch));
  ASSERT_EQ(cli.rows(), s->resultsGrid().rows());
  for (int r = 0; r < cli.rows(); ++r) EXPECT_EQ(cli.rowTexts(r), s->resultsGrid().rowTexts(r)) << r;
}
