#include <QApplication>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScrollBar>

#include "app/screens/clicklabel.h"
#include "app/screens/printing.h"
#include "players/screens/groupscreen.h"
#include "playertest.h"
#include "screentest.h"

using namespace mervalo;
using namespace mervalo::test;

namespace {
const QString kHeading = "Nr.|Dhr / Mevr|Voornaam|Achternaam|E-mailadres";
const QStringList kPlayers{"1|Dhr.|Jan|Smit|jan@smit.nl", "2|Mevr.|Anna|de Vries|anna@vries.nl",
                           "3|Dhr.|Piet|Jansen|piet@club.nl", "4|Mevr.|Els|Bos|", "5|Dhr.|Kees|Vis|kees@vis.nl",
                           "6|Mevr.|Ria|Smit|", "7|Mevr.|Truus|Bakker|truus@b.nl", "8|Dhr.|Henk|Mol|",
                           "9||Wim|Zon|", "10|Dhr.|Bram|Dijk|"};
const QString kGroupFile = "/groepen/03-12-2026 Groep A.txt";

class GroupScreenTest : public ScreenTest {
 protected:
  GroupScreenTest() {
    ctx.today = [] { return QDate(2026, 12, 3); };
    registerAllScreens(ctx);
    writeFile("/namen/Club.txt", QStringList{kHeading} + kPlayers);
    setPrinterDialog(cancelledPrinterDialog());
  }
  ~GroupScreenTest() override { setPrinterDialog({}); }

  // Opens the screen, by default with the name list Club loaded.
  void open(bool withClub = true) {
    screen = new GroupScreen(ctx, nullptr);
    screen->showAndActivate();
    if (withClub) clickEntry(list("lstNamenBestand"), "Club");
  }
  QPushButton* button(const char* name) { return child<QPushButton>(screen, name); }
  QListWidget* list(const char* name) { return child<QListWidget>(screen, name); }
  QLineEdit* edit(const char* name) { return child<QLineEdit>(screen, name); }
  QTableWidget* names() { return child<QTableWidget>(screen, "msfgNamen"); }
  QTableWidget* groups() { return child<QTableWidget>(screen, "msfgGroepen"); }
  bool warningShown() { return !child<QLabel>(screen, "lblKanNiet")->isHidden(); }
  QString pairCount() { return child<QLabel>(screen, "lblAanTalParen")->text(); }
  QString nameRow(int row) { return screen->namesGrid().rowTexts(row).join(QLatin1Char('|')); }
  bool playerAvailable(int row) { return !screen->namesGrid().text(row, 3).isEmpty(); }
  void pick(int a, int b) {
    clickCell(names(), a, 2);
    clickCell(names(), b, 2);
  }
  void addPair(int a, int b) {
    pick(a, b);
    ASSERT_TRUE(button("cmdToevoegen")->isEnabled());
    button("cmdToevoegen")->click();
  }

  GroupScreen* screen = nullptr;
};
}  // namespace

// Which rows can be picked is the composition's business; here the slots, the buttons, the count
// rule, giving players back and what a save writes.
TEST_F(GroupScreenTest, AGroupIsComposedCountedAndSavedWithItsMailCompanion) {
  writeFile(kGroupFile, {"old"});
  open(false);
  for (const char* b : {"cmdKalender", "cmdAfdrukken", "cmdToevoegen", "cmdMaakLeeg", "cmdStilzitter", "cmdOpslaan",
                        "cmdWisGroepen", "cmdWisNamen"})
    EXPECT_FALSE(button(b)->isEnabled()) << b;
  clickEntry(list("lstNamenBestand"), "Club");
  ctx.values.sharedDate = "03-12-2026";  // as if the calendar had just given it
  screen->formActivate();
  screen->activateWindow();
  ASSERT_TRUE(QTest::qWaitForWindowActive(screen));

  auto* slot0 = child<ClickLabel>(screen, "lblNaam_0");
  pick(9, 4);
  EXPECT_EQ(slot0->text(), "  Wim Zon");
  EXPECT_FALSE(playerAvailable(9));
  QTest::mouseClick(slot0, Qt::LeftButton);
  EXPECT_TRUE(slot0->text().isEmpty());
  EXPECT_EQ(nameRow(9), kPlayers[8]);
  EXPECT_FALSE(button("cmdToevoegen")->isEnabled());
  QTest::mouseClick(child<ClickLabel>(screen, "lblNaam_1"), Qt::LeftButton);

  // Both picks put the focus on the add button, where Return and Enter add the pair.
  pick(1, 2);
  ASSERT_TRUE(button("cmdToevoegen")->hasFocus());
  QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
  pick(3, 7);
  QTest::keyClick(QApplication::focusWidget(), Qt::Key_Enter);
  EXPECT_EQ(screen->groupLines().size(), 2);
  EXPECT_EQ(screen->namesGrid().text(3, 0), "3") << "a taken player keeps his number";
  addPair(5, 6);
  EXPECT_FALSE(warningShown()) << "three pairs, no sit-out";
  button("cmdStilzitter")->click();
  EXPECT_FALSE(warningShown()) << "three pairs and a sit-out";
  EXPECT_EQ(screen->groupGrid().text(4, 1), "***** Stilzit *****");
  addPair(8, 4);
  EXPECT_TRUE(warningShown()) << "four pairs and a sit-out";
  EXPECT_FALSE(button("cmdStilzitter")->isEnabled()) << "still one sit-out";
  button("cmdOpslaan")->click();
  EXPECT_EQ(prompter.last().text, "Het aantal paren in de groep klopt niet!\nPas het aantal paren aan.\n"
                                  "Daarna kunt u de groep opslaan.");
  EXPECT_EQ(readLines(kGroupFile), QStringList{"old"});
  clickCell(groups(), 4, 1);  // the sit-out
  EXPECT_FALSE(warningShown());
  EXPECT_TRUE(button("cmdStilzitter")->isEnabled());
  EXPECT_EQ(pairCount(), "4 Paren in groep");

  // Removing a pair gives its players back and numbers the pairs again.
  clickCell(groups(), 1, 1);
  EXPECT_EQ(nameRow(1), kPlayers[0]);
  EXPECT_EQ(screen->groupGrid().text(1, 0), "1");
  EXPECT_EQ(pairCount(), "3 Paren in groep");

  // An existing file is overwritten only on Yes.
  prompter.answerNo();
  button("cmdOpslaan")->click();
  EXPECT_EQ(prompter.last().text, "Het bestand 03-12-2026 Groep A.txt bestaat al\n\nWilt u dit overschrijven?");
  EXPECT_EQ(readLines(kGroupFile), QStringList{"old"});
  EXPECT_EQ(screen->groupLines().size(), 3) << "No leaves the group as it is";
  prompter.answerYes();
  button("cmdOpslaan")->click();
  EXPECT_EQ(readLines(kGroupFile),
            (QStringList{"3| Dhr. Piet Jansen+7| Mevr. Truus Bakker", "5| Dhr. Kees Vis+6| Mevr. Ria Smit",
                         "8| Dhr. Henk Mol+4| Mevr. Els Bos"}));
  EXPECT_EQ(readLines("/groepen/03-12-2026 Groep A.mail"),
            (QStringList{kPlayers[2], kPlayers[6], kPlayers[4], kPlayers[5], kPlayers[7], kPlayers[3]}));
  // Ready for the next group of the same list.
  EXPECT_EQ(screen->groupGrid().rows(), 2);
  EXPECT_TRUE(edit("txtNaamBestand")->text().isEmpty());
  EXPECT_TRUE(playerAvailable(3) && playerAvailable(7));
  EXPECT_EQ(listEntries(list("lstGroepBestand")), QStringList{"03-12-2026 Groep A"});
}

TEST_F(GroupScreenTest, CalendarDateAndLetterNameTheFile) {
  open();
  addPair(1, 2);
  // Day 5 and OK, then day 9 and Cancel: the group screen hides behind the calendar and keeps the accepted date.
  for (const auto& [day, answer] : {std::pair{"5", "cmdOK"}, std::pair{"9", "cmdTerug"}}) {
    button("cmdKalender")->click();
    EXPECT_FALSE(screen->isVisible());
    QWidget* calendar = topLevel("frmMervalo05");
    ASSERT_NE(calendar, nullptr);
    for (int i = 1; i <= 42; ++i) {
      auto* cell = child<ClickLabel>(calendar, QStringLiteral("lblDatum_%1").arg(i));
      if (cell->text() == QLatin1String(day)) QTest::mouseClick(cell, Qt::LeftButton);
    }
    child<QPushButton>(calendar, answer)->click();
    EXPECT_TRUE(screen->isVisible());
    EXPECT_EQ(edit("txtNaamBestand")->text(), "05-12-2026") << answer;
  }
  // The letter spins round the alphabet both ways: 26 steps up return to A, down from A gives Z.
  auto* spin = child<QScrollBar>(screen, "vscrGroepLetter");
  for (int i = 0; i < 26; ++i) spin->triggerAction(QAbstractSlider::SliderSingleStepSub);
  EXPECT_EQ(edit("txtGroepLetter")->text(), "A");
  spin->triggerAction(QAbstractSlider::SliderSingleStepAdd);
  EXPECT_EQ(edit("txtGroepLetter")->text(), "Z");
  spin->triggerAction(QAbstractSlider::SliderSingleStepSub);
  spin->triggerAction(QAbstractSlider::SliderSingleStepSub);
  button("cmdOpslaan")->click();
  EXPECT_TRUE(exists("/groepen/05-12-2026 Groep B.txt")) << "Z, A, B";
}

TEST_F(GroupScreenTest, SavedGroupsOpenAsFarAsTheyCanAndOnlyWithoutScores) {
  writeFile(kGroupFile, {"3| Dhr. Piet Jansen+7| Mevr. Truus Bakker", "***** Stilzit *****",
                         "1| Dhr. Onbekend Iemand+9|  Wim Zon", "5| Dhr. Kees Vis+6| Mevr. Ria Smit"});
  for (const char* f : {"/groepen/03-12-2026 Groep B.txt", "/invoer/03-12-2026 Groep B Uitslag.txt",
                        "/groepen/03-12-2026 Groep C.txt"})
    writeFile(f, {"1| Dhr. Jan Smit+2| Mevr. Anna de Vries"});
  writeRaw("/groepen/03-12-2026 Groep D.txt", QByteArray("3| Dhr. Piet Jansen+7| Mevr. Truus Bakker\r\n\r\n"
                                                        "zomaar een regel\r\n"
                                                        "abc| Dhr. Jan Smit+2| Mevr. Anna de Vries\r\n"
                                                        "***** Stilzit *****\r\n***** Stilzit *****\r\n"
                                                        "5| Dhr. Kees Vis+6| Mevr. Ri\xeb Smit|\n"));
  writeFile("/groepen/2026-12-03 Group A.txt", {"1| Mr. Jan Smit+2| Mrs. Anna de Vries"});
  open();
  EXPECT_EQ(listEntries(list("lstGroepBestand")),
            (QStringList{"03-12-2026 Groep A", "03-12-2026 Groep B", "03-12-2026 Groep C", "03-12-2026 Groep D"}))
      << "a group of the other language is not listed";
  clickEntry(list("lstGroepBestand"), "03-12-2026 Groep C");
  EXPECT_EQ(edit("txtGroepLetter")->text(), "C");
  EXPECT_EQ(screen->groupLines().size(), 1);
  clickEntry(list("lstGroepBestand"), "03-12-2026 Groep A");
  EXPECT_EQ(edit("txtNaamBestand")->text(), "03-12-2026");
  EXPECT_TRUE(playerAvailable(1)) << "the group opened before gave its players back; number 1 of A is someone else";
  EXPECT_FALSE(playerAvailable(3) || playerAvailable(7) || playerAvailable(9));
  EXPECT_EQ(screen->groupLines().size(), 4) << "the unknown player keeps his line";
  EXPECT_EQ(screen->mailLines(), (QStringList{kPlayers[2], kPlayers[6], kPlayers[8], kPlayers[4], kPlayers[5]}));
  EXPECT_FALSE(button("cmdStilzitter")->isEnabled()) << "the group has its sit-out";
  // Saved again unchanged, the file stays the same.
  const QByteArray before = readRaw(kGroupFile);
  prompter.answerYes();
  button("cmdOpslaan")->click();
  EXPECT_EQ(readRaw(kGroupFile), before);

  clickEntry(list("lstGroepBestand"), "03-12-2026 Groep B");
  ASSERT_EQ(prompter.count(), 2);
  EXPECT_EQ(prompter.last().text,
            "U kunt het groep bestand <03-12-2026 Groep B> niet wijzigen.\nEr zijn scores op ingevoerd.\n\n"
            "Wilt u de groep wijzigen, dan moet u eerst bij \"Voorbereiding\" het bestand wissen.");
  EXPECT_TRUE(screen->groupLines().isEmpty());
  EXPECT_TRUE(playerAvailable(1));

  clickEntry(list("lstGroepBestand"), "03-12-2026 Groep D");
  EXPECT_EQ(screen->groupLines().size(), 5) << "everything but the second sit-out";
  EXPECT_EQ(screen->groupGrid().text(2, 1), "zomaar een regel");
  EXPECT_FALSE(playerAvailable(3) || playerAvailable(2));
  EXPECT_TRUE(playerAvailable(1)) << "'abc' is no player number";
  EXPECT_TRUE(edit("txtNaamBestand")->text().isEmpty()) << "not offered for saving over itself";
  clickCell(groups(), 2, 1);  // the unreadable line can be removed
  EXPECT_EQ(screen->groupLines().size(), 4);
}

TEST_F(GroupScreenTest, DeletingAGroupTakesItsCompanionAndScoresAndGivesThePlayersBack) {
  for (const char* f : {"/groepen/03-12-2026 Groep A.txt", "/groepen/03-12-2026 Groep A.mail",
                        "/groepen/03-12-2026 Groep B.txt", "/groepen/03-12-2026 Groep B.mail",
                        "/invoer/03-12-2026 Groep B Uitslag.txt", "/groepen/03-12-2026 Groep C.txt"})
    writeFile(f, {"3| Dhr. Piet Jansen+7| Mevr. Truus Bakker"});
  // A folder in the companion's place cannot be removed as a file.
  QDir().mkpath(path("/groepen/03-12-2026 Groep C.mail/inhoud"));
  open();
  clickEntry(list("lstGroepBestand"), "03-12-2026 Groep A");
  ASSERT_FALSE(playerAvailable(3));
  prompter.answerYes();
  button("cmdWisGroepen")->click();
  EXPECT_EQ(prompter.last().text, "U gaat het groep bestand (03-12-2026 Groep A) wissen!\n\nZeker weten?");
  EXPECT_FALSE(exists(kGroupFile) || exists("/groepen/03-12-2026 Groep A.mail"));
  EXPECT_TRUE(playerAvailable(3)) << "the name list is loaded again";

  clickEntry(list("lstGroepBestand"), "03-12-2026 Groep B");
  prompter.answerNo();
  button("cmdWisGroepen")->click();
  EXPECT_TRUE(prompter.last().text.endsWith("Het groep bestand < 03-12-2026 Groep B> met al zijn gegevens wissen?"));
  EXPECT_TRUE(exists("/groepen/03-12-2026 Groep B.txt"));
  prompter.answerYes();
  button("cmdWisGroepen")->click();
  for (const char* f : {"/groepen/03-12-2026 Groep B.txt", "/groepen/03-12-2026 Groep B.mail",
                        "/invoer/03-12-2026 Groep B Uitslag.txt"})
    EXPECT_FALSE(exists(f)) << f;

  clickEntry(list("lstGroepBestand"), "03-12-2026 Groep C");
  prompter.answerYes();
  button("cmdWisGroepen")->click();
  EXPECT_EQ(prompter.last().text, "Het bestand 03-12-2026 Groep C.mail kan niet worden gewist.");
  EXPECT_FALSE(exists("/groepen/03-12-2026 Groep C.txt")) << "what could be removed is gone";
  EXPECT_TRUE(listEntries(list("lstGroepBestand")).isEmpty());
}

TEST_F(GroupScreenTest, EmptyingPrintingAndDeletingTheNameList) {
  writeFile("/namen/Club.mail", QStringList{kHeading} + kPlayers);
  open();
  addPair(1, 2);
  addPair(3, 4);
  // A cancelled print leaves the screen as it was, ready to try again; then the grid is printed.
  button("cmdAfdrukken")->click();
  EXPECT_TRUE(screen->isVisible() && screen->isEnabled());
  EXPECT_TRUE(button("cmdAfdrukken")->isEnabled());
  const QString pdf = path("/groep.pdf");
  setPrinterDialog(pdfPrinterDialog(pdf));
  button("cmdAfdrukken")->click();
  EXPECT_TRUE(screen->isVisible());
  EXPECT_GT(QFile(pdf).size(), 0);

  prompter.answerNo();
  button("cmdMaakLeeg")->click();
  EXPECT_EQ(screen->groupLines().size(), 2);
  prompter.answerYes();
  button("cmdMaakLeeg")->click();
  EXPECT_EQ(prompter.last().text, "Groeplijst leegmaken.\n\nZeker weten?");
  EXPECT_TRUE(screen->groupLines().isEmpty());
  EXPECT_TRUE(screen->mailLines().isEmpty());
  for (int r = 1; r <= 4; ++r) EXPECT_TRUE(playerAvailable(r)) << r;

  prompter.answerYes();
  button("cmdWisNamen")->click();
  EXPECT_EQ(prompter.last().text, "U gaat het namen bestand (Club) wissen!\n\nZeker weten?");
  EXPECT_FALSE(exists("/namen/Club.txt"));
  EXPECT_TRUE(exists("/namen/Club.mail"));
  EXPECT_EQ(screen->namesGrid().rows(), 2);
}
