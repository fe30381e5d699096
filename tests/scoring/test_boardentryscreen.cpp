#include <QApplication>
#include <QClipboard>
#include <QTableWidget>

#include "entrytest.h"
#include "savefaults.h"

using namespace mervalo;
using namespace mervalo::test;

namespace {

class BoardEntryTest : public EntryTest {
 protected:
  // Writes the event file with these board records and opens the entry screen on it.
  BoardEntryScreen* start(const QStringList& records = {}, const QString& sitOut = QStringLiteral("Geen")) {
    return startScreen<BoardEntryScreen>(header(0, kMovement[0], sitOut) + records);
  }
  // Types one NS score per enabled row of the current board.
  void typeBoard(BoardEntryScreen* s, const QStringList& scores) {
    int k = 0;
    for (int row = 0; row < s->tableRows() && k < scores.size(); ++row)
      if (ns(s, row)->isEnabled()) {
        QTest::keyClick(ns(s, row), Qt::Key_C);  // a stored score is cleared before retyping
        type(ns(s, row), scores[k++]);
      }
  }
  // Types the board's scores and completes it with the button's key.
  void finish(BoardEntryScreen* s, const QStringList& scores, Qt::Key key = Qt::Key_K) {
    typeBoard(s, scores);
    EXPECT_TRUE(QTest::qWaitFor([&] { return button(s, "cmdSpelKlaar")->isEnabled(); })) << s->currentBoard();
    QTest::keyClick(button(s, "cmdSpelKlaar"), key);
  }
  // The pairs of the table rows as "NS-EW".
  static QStringList pairsShown(BoardEntryScreen* s) {
    QStringList shown;
    for (int row = 0; row < s->tableRows(); ++row)
      shown << label(s, QStringLiteral("lblNZ_%1").arg(row)) + "-" + label(s, QStringLiteral("lblOW_%1").arg(row));
    return shown;
  }
  // Records of boards 1 to n, each with 420, 400, -50 and 170 at its tables (in ascending NS
  // order) and no matchpoints yet.
  static QStringList stored(int n) {
    static const QStringList pairs[3] = {
        {"1|2", "3|4", "5|7", "6|8"}, {"1|8", "3|2", "4|7", "5|6"}, {"1|3", "2|5", "4|6", "7|8"}};
    QStringList records;
    for (int b = 1; b <= n; ++b) {
      const QStringList& p = pairs[(b - 1) / 4];
      records << QStringLiteral("%1*%2|||420|-420|0|0@%3|||400|-400|0|0@%4|||-50|50|0|0@%5|||170|-170|0|0")
                     .arg(b, 2, 10, QLatin1Char('0'))
                     .arg(p[0], p[1], p[2], p[3]);
    }
    return records;
  }
};

}  // namespace

// A new event: what the screen shows, the rules of the score boxes, a board completed, and a
// swap kept over closing and reopening.
TEST_F(BoardEntryTest, ANewEventTypedCompletedSwappedAndReopened) {
  BoardEntryScreen* s = start();
  ASSERT_TRUE(s);
  EXPECT_EQ(label(s, "lblSpelNummer") + label(s, "lblKwetsbaar"), QStringLiteral("Spel: 1 Niemand "));
  EXPECT_EQ(pairsShown(s), (QStringList{"1-2", "3-4", "5-7", "6-8"}));

  // Short forms are written out and mirrored; Enter in an empty box copies the table above.
  type(ns(s, 0), QStringLiteral("42"));
  EXPECT_EQ(scores(s, 0), QStringLiteral("420|-420"));
  EXPECT_TRUE(ns(s, 1)->hasFocus());
  QTest::keyClick(ns(s, 1), Qt::Key_Return);
  EXPECT_EQ(scores(s, 1), QStringLiteral("420|-420"));
  // "c" clears the whole row and is not typed.
  QTest::keyClick(ns(s, 1), Qt::Key_C);
  EXPECT_EQ(scores(s, 1), QStringLiteral("|"));
  // Impossible: message 92 and both boxes emptied; wrong vulnerability: message 91, kept.
  type(ns(s, 3), QStringLiteral("435"));
  ASSERT_EQ(prompter.count(), 1);
  EXPECT_EQ(prompter.last().text, QStringLiteral("De score <435> bestaat niet."));
  EXPECT_EQ(scores(s, 3), QStringLiteral("|"));
  type(ns(s, 3), QStringLiteral("620"));
  ASSERT_EQ(prompter.count(), 2);
  EXPECT_TRUE(prompter.last().text.startsWith(QStringLiteral("De score <620> klopt niet met de kwetsbaarheid.")));
  EXPECT_EQ(ns(s, 3)->text(), QStringLiteral("620"));
  // Up and Down move between rows; an adjusted score leaves NS for the EW box.
  QTest::keyClick(ns(s, 3), Qt::Key_Up);
  EXPECT_TRUE(ns(s, 2)->hasFocus());
  ns(s, 1)->setFocus();
  type(ns(s, 1), QStringLiteral("60%"));
  EXPECT_TRUE(ew(s, 1)->hasFocus());
  EXPECT_EQ(scores(s, 1), QStringLiteral("60%|"));
  // Typed, pasted and dropped text keeps only the keys a box takes ("N" is no key of an EW box).
  QTest::keyClick(ns(s, 0), Qt::Key_C);
  QApplication::clipboard()->setText(QStringLiteral("4c2x0 N"));
  ns(s, 0)->setFocus();
  QTest::keyClick(ns(s, 0), Qt::Key_V, Qt::ControlModifier);
  ew(s, 0)->setFocus();
  QTest::keyClick(ew(s, 0), Qt::Key_V, Qt::ControlModifier);
  ew(s, 0)->insert(QStringLiteral("../%"));  // as a drop inserts it
  EXPECT_EQ(scores(s, 0), QStringLiteral("420N|420%"));

  // Completing board 1 scores it, stores it on disk at once and moves on.
  typeBoard(s, {"420", "", "-50", "10"});  // row 1 copies 420 from above
  EXPECT_TRUE(QTest::qWaitFor([&] { return button(s, "cmdSpelKlaar")->hasFocus(); }));
  QTest::keyClick(button(s, "cmdSpelKlaar"), Qt::Key_K);
  EXPECT_EQ(s->currentBoard(), 2);
  EXPECT_EQ(s->savedLines().last(),
            QStringLiteral("01*1|2|||420|-420|5|1@3|4|||420|-420|5|1@5|7|||-50|50|0|6@6|8|||100|-100|2|4"));
  EXPECT_TRUE(button(s, "cmdSpel_1")->property("Completed").toBool());
  EXPECT_TRUE(QTest::qWaitFor([&] { return readLines(kEvent) == s->savedLines(); }));
  // Clicking a board cell of the grid chooses that board with its stored scores.
  child<QTableWidget>(s, "msfgResultaat")->cellClicked(3, 2);
  EXPECT_EQ(s->currentBoard(), 1);
  EXPECT_EQ(ns(s, 2)->text(), QStringLiteral("-50"));
  EXPECT_EQ(label(s, "lblMPOW_2"), QStringLiteral("6"));

  // Board 2 with its first table swapped: asked on the pair label, and kept in the file.
  click(s, "cmdSpel_2");
  prompter.answerYes();
  QTest::mouseClick(child<QLabel>(s, "lblNZ_0"), Qt::LeftButton);
  EXPECT_TRUE(prompter.last().text.startsWith(QStringLiteral("Heeft OW het spel als NZ gespeeld?")));
  EXPECT_EQ(pairsShown(s)[0], QStringLiteral("2-1"));
  ns(s, 0)->setFocus();
  finish(s, {"420", "400", "-50", "170"});
  EXPECT_EQ(s->workingGrid().text(2, 3), QStringLiteral("6"));  // pair 2 sat NS with 420
  closeScreen(s);
  EXPECT_TRUE(readLines(kEvent).last().startsWith(QStringLiteral("02*2|1|||420|")));
  EXPECT_TRUE(menu->isEnabled());

  s = openScreen<BoardEntryScreen>();
  ASSERT_TRUE(s);
  click(s, "cmdSpel_2");
  EXPECT_EQ(s->workingGrid().text(2, 3), QStringLiteral("6"));
  prompter.answerNo();
  QTest::mouseClick(child<QLabel>(s, "lblNZ_0"), Qt::LeftButton);
  EXPECT_TRUE(prompter.last().text.startsWith(QStringLiteral("Moet OW weer NZ worden?")));
  // The keyboard way: F2 in a score box asks about that row's table and keeps the focus there.
  const int asked = prompter.count();
  prompter.answerYes();
  ew(s, 1)->setFocus();
  QTest::keyClick(ew(s, 1), Qt::Key_F2);
  ASSERT_EQ(prompter.count(), asked + 1);
  EXPECT_EQ(pairsShown(s).mid(0, 2), (QStringList{"2-1", "4-3"}));
  EXPECT_EQ(QApplication::focusWidget(), ew(s, 1));
}

// A reopened event: its stored boards completed again, the last board typed, one board
// completed a second time and one cleared.
TEST_F(BoardEntryTest, AReopenedEventIsFinishedRedoneAndCleared) {
  BoardEntryScreen* s = start(stored(11));
  ASSERT_TRUE(s);
  EXPECT_EQ(s->currentBoard(), 12);  // the first open one
  // The stored zeros were matchpoints of nothing: they are worked out again.
  EXPECT_EQ(s->savedLines()[7],
            QStringLiteral("01*1|2|||420|-420|6|0@3|4|||400|-400|4|2@5|7|||-50|50|0|6@6|8|||170|-170|2|4"));
  EXPECT_EQ(s->workingGrid().text(1, 6), QStringLiteral("6"));  // pair 1 on board 5
  EXPECT_EQ(prompter.count(), 0);

  // After the last board the focus is on the result, where a stray digit changes no board.
  finish(s, {"420", "400", "-50", "170"});
  auto* uitslag = button(s, "cmdUitslag");
  ASSERT_TRUE(QTest::qWaitFor([&] { return uitslag->isEnabled(); }));
  EXPECT_TRUE(QTest::qWaitFor([&] { return QApplication::focusWidget() == uitslag; }));
  const QStringList before = s->savedLines();
  QTest::keyClick(QApplication::focusWidget(), Qt::Key_5);
  EXPECT_EQ(s->savedLines(), before);

  click(s, "cmdSpel_3");
  finish(s, {"140", "130", "-100", "0"}, Qt::Key_Return);
  ASSERT_TRUE(s->boardCompleted(3));
  click(s, "cmdSpel_12");
  click(s, "cmdWisSpel");
  EXPECT_FALSE(uitslag->isEnabled());
  EXPECT_FALSE(s->boardCompleted(12));
  EXPECT_TRUE(s->workingGrid().text(1, 13).isEmpty());
  closeScreen(s);
  const QStringList lines = readLines(kEvent);
  ASSERT_EQ(lines.filter(QStringLiteral("03*")).size(), 1);
  EXPECT_TRUE(lines.filter(QStringLiteral("03*"))[0].startsWith(QStringLiteral("03*1|2|||140|-140|")));
  EXPECT_TRUE(lines.filter(QStringLiteral("12*")).isEmpty());
}

// The sit-out table needs no score; closing goes back to the event start.
TEST_F(BoardEntryTest, TheSitOutTableNeedsNoScoreAndClosingGoesBackToTheEventStart) {
  ctx.screens[ScreenId::EventStart] = [](AppContext& c, Screen*) -> Screen* {
    return new Menu(c, QStringLiteral("frmMervalo04"));
  };
  BoardEntryScreen* s = start({}, QStringLiteral("8"));
  ASSERT_TRUE(s);
  EXPECT_EQ(label(s, "lblNZ_3"), QStringLiteral("6"));
  EXPECT_FALSE(ns(s, 3)->isEnabled());
  finish(s, {"420", "420", "-50"});
  EXPECT_EQ(s->savedLines().last(), QStringLiteral("01*1|2|||420|-420|3|1@3|4|||420|-420|3|1@5|7|||-50|50|0|4"));
  QTest::keyClick(button(s, "cmdTerug"), Qt::Key_Space);
  EXPECT_TRUE(QTest::qWaitFor([] { return topLevel(QStringLiteral("frmMervalo04")) != nullptr; }));
  EXPECT_EQ(readLines(kEvent).size(), 8);
}

// A damaged event of a group that lost two pairs since the start: both are reported, every line
// the screen cannot use is kept, and the scores still go in.
TEST_F(BoardEntryTest, ADamagedEventOfAChangedGroupKeepsEveryLineItCannotUse) {
  writeFile(QStringLiteral("/groepen/Dinsdag.txt"), readLines(QStringLiteral("/groepen/Dinsdag.txt")).mid(0, 6));
  const QString pairNine = QStringLiteral("04*1|9|||420|-420|0|0");
  const QString unseated =
      QStringLiteral("03*1|8|||420|-420|0|0@3|4|||400|-400|0|0@5|7|||-50|50|0|0@6|2|||170|-170|0|0");
  BoardEntryScreen* s = start(stored(1) + QStringList{"02*this is not a record", unseated, "rubbish", pairNine});
  ASSERT_TRUE(s);
  // Each unusable line is named with its line number.
  QString report;
  for (const Prompt& p : prompter.shown()) report += p.text;
  for (const char* named : {"9: board 2", "11: not a board", "12: board 4", "1-9", "Paren in groep: 6 / 8"})
    EXPECT_TRUE(report.contains(QLatin1String(named))) << named << " in " << report.toStdString();
  EXPECT_EQ(s->workingGrid().text(6, 1), QStringLiteral("Dhr. Speler11 Een - Mevr. Speler12 Twee"));
  EXPECT_TRUE(s->workingGrid().text(8, 1).isEmpty());
  EXPECT_EQ(s->workingGrid().text(8, 2), QStringLiteral("4"));  // pair 8 still scored on board 1
  EXPECT_TRUE(s->boardCompleted(3));
  EXPECT_FALSE(s->boardCompleted(4));  // pair 9 is no pair of this event
  EXPECT_EQ(s->currentBoard(), 2);

  // Board 3's record seats 1-8 and 6-2, which the movement does not: those tables keep rows.
  click(s, "cmdSpel_3");
  ASSERT_EQ(s->tableRows(), 6);
  EXPECT_TRUE(pairsShown(s).contains(QStringLiteral("1-8")));
  closeScreen(s);

  const QStringList lines = readLines(kEvent);
  for (const QString& kept : {QStringLiteral("02*this is not a record"), QStringLiteral("rubbish"), pairNine})
    EXPECT_TRUE(lines.contains(kept)) << kept.toStdString();
  EXPECT_EQ(lines.filter(QStringLiteral("03*1|8|||420|-420|")).size(), 1);
  EXPECT_EQ(lines.size(), 7 + 5);
}

TEST_F(BoardEntryTest, AMissingEventFileIsReportedAndNothingIsWritten) {
  QPointer<BoardEntryScreen> alive(openScreen<BoardEntryScreen>());
  EXPECT_TRUE(QTest::qWaitFor([&] { return alive.isNull(); }));
  ASSERT_EQ(prompter.count(), 1);
  EXPECT_TRUE(prompter.last().text.startsWith(QStringLiteral("Bestand <")));
  EXPECT_FALSE(QFile::exists(path(kEvent)));
  EXPECT_TRUE(menu->isEnabled());
}

TEST_F(BoardEntryTest, WholeEventFromScoresToPageAndAddresses) {
  BoardEntryScreen* s = start();
  ASSERT_TRUE(s);
  for (int b = 1; b <= 12; ++b) {
    ASSERT_EQ(s->currentBoard(), b);
    finish(s, {eveningScore(b, 0), eveningScore(b, 1), eveningScore(b, 2), eveningScore(b, 3)});
  }
  auto* results = expectEveningPage(s);
  ASSERT_TRUE(results);
  EXPECT_EQ(readLines(kEvent).size(), 7 + 12);
  closeScreen(results);
  EXPECT_TRUE(s->isEnabled());
}

// A full disk is told once, not at every board, and the file keeps what was stored before;
// closing warns again and stays open once, so that nothing typed is thrown away unseen.
TEST_F(BoardEntryTest, AFullDiskIsReportedOnceAndTheEventFileKeepsTheBoardsStoredBefore) {
  if (!saveFaultsLoaded()) GTEST_SKIP() << "runs with the fault library preloaded (test_boardentryscreen_savefaults)";
  BoardEntryScreen* s = start();
  ASSERT_TRUE(s);
  int stored = 0;
  for (const char* step : {"MERVALO_FAIL_WRITE", "MERVALO_FAIL_SYNC"}) {
    finish(s, {"110", "140", "90", "120"});  // right whoever is vulnerable
    ++stored;
    ASSERT_TRUE(QTest::qWaitFor([&] { return readLines(kEvent).size() == 7 + stored; }));
    const QByteArray before = readRaw(kEvent);
    SaveFault fault(step, path(kEvent));
    for (int board = 0; board < 2; ++board) {
      finish(s, {"110", "140", "90", "120"});
      QCoreApplication::processEvents();  // the save that waits for an idle screen
      ++stored;
    }
    EXPECT_EQ(prompter.count(), 1) << step;
    EXPECT_TRUE(prompter.last().text.endsWith(QStringLiteral("kan niet worden opgeslagen."))) << step;
    EXPECT_EQ(readRaw(kEvent), before) << step;
    prompter.clear();
  }
  {
    SaveFault fault("MERVALO_FAIL_RENAME", path(kEvent));
    QPointer<BoardEntryScreen> alive(s);
    s->close();
    QCoreApplication::processEvents();
    EXPECT_FALSE(alive.isNull());
    EXPECT_EQ(prompter.count(), 1);
  }
  closeScreen(s);
  EXPECT_EQ(readLines(kEvent).size(), 7 + stored);
}
