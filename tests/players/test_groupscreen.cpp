#include <QDir>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

#include "app/screens/clicklabel.h"
#include "app/screens/printing.h"
#include "players/screens/groupscreen.h"
#include "playertest.h"
#include "screentest.h"

using namespace mervalo;
using namespace mervalo::test;

// Which players can be picked and how a pair's lines read is the composition's logic test; here
// what the screen adds: slots, keys, the count rule, questions, and the files it writes and removes.
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

  // Opens the screen with the name list Club loaded.
  void open() {
    screen = new GroupScreen(ctx, nullptr);
    screen->showAndActivate();
    clickEntry(list("lstNamenBestand"), "Club");
  }
  QPushButton* button(const char* name) { return child<QPushButton>(screen, name); }
  QListWidget* list(const char* name) { return child<QListWidget>(screen, name); }
  QLineEdit* edit(const char* name) { return child<QLineEdit>(screen, name); }
  QTableWidget* names() { return child<QTableWidget>(screen, "msfgNamen"); }
  QTableWidget* groups() { return child<QTableWidget>(screen, "msfgGroepen"); }
  bool warningShown() { return !child<QLabel>(screen, "lblKanNiet")->isHidden(); }
  bool playerAvailable(int row) { return !screen->namesGrid().text(row, 3).isEmpty(); }
  void openGroup(const QString& letter) { clickEntry(list("lstGroepBestand"), "03-12-2026 Groep " + letter); }
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

TEST_F(GroupScreenTest, AGroupIsComposedCountedAndSavedWithItsMailCompanion) {
  writeFile(kGroupFile, {"old"});
  open();
  ctx.values.sharedDate = "03-12-2026";  // as if the calendar had just given it
  screen->formActivate();
  ctx.values.sharedDate.clear();  // and as if it were then cancelled: the date stays
  screen->formActivate();

  // A picked player shows in his slot and leaves the grid; a click on the slot gives him back.
  auto* slot0 = child<ClickLabel>(screen, "lblNaam_0");
  pick(9, 4);
  EXPECT_FALSE(playerAvailable(9));
  QTest::mouseClick(slot0, Qt::LeftButton);
  QTest::mouseClick(child<ClickLabel>(screen, "lblNaam_1"), Qt::LeftButton);
  EXPECT_EQ(screen->namesGrid().rowTexts(9).join('|'), kPlayers[8]);
  addPair(1, 2);
  addPair(3, 7);
  addPair(5, 6);
  button("cmdStilzitter")->click();
  EXPECT_FALSE(warningShown()) << "three pairs and a sit-out";
  addPair(8, 4);
  EXPECT_TRUE(warningShown()) << "four pairs and a sit-out";
  button("cmdOpslaan")->click();
  EXPECT_TRUE(prompter.last().text.startsWith("Het aantal paren in de groep klopt niet!"));
  clickCell(groups(), 4, 1);  // the sit-out
  EXPECT_FALSE(warningShown());
  // Removing a pair gives its players back and numbers the pairs again.
  clickCell(groups(), 1, 1);
  EXPECT_TRUE(playerAvailable(1) && playerAvailable(2));
  EXPECT_EQ(screen->groupGrid().text(1, 0), "1");

  // An existing file is overwritten only on Yes.
  prompter.answerNo();
  button("cmdOpslaan")->click();
  EXPECT_EQ(readLines(kGroupFile), QStringList{"old"});
  prompter.answerYes();
  button("cmdOpslaan")->click();
  EXPECT_EQ(readLines(kGroupFile),
            (QStringList{"3| Dhr. Piet Jansen+7| Mevr. Truus Bakker", "5| Dhr. Kees Vis+6| Mevr. Ria Smit",
                         "8| Dhr. Henk Mol+4| Mevr. Els Bos"}));
  EXPECT_EQ(readLines("/groepen/03-12-2026 Groep A.mail"),
            (QStringList{kPlayers[2], kPlayers[6], kPlayers[4], kPlayers[5], kPlayers[7], kPlayers[3]}));
  // Ready for the next group of the same list.
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
  EXPECT_EQ(list("lstGroepBestand")->count(), 4) << "a group of the other language is not listed";
  openGroup("C");
  openGroup("A");
  EXPECT_EQ(edit("txtNaamBestand")->text(), "03-12-2026");
  EXPECT_TRUE(playerAvailable(1)) << "the group opened before gave its players back; number 1 of A is someone else";
  EXPECT_FALSE(playerAvailable(3) || playerAvailable(7) || playerAvailable(9));
  EXPECT_EQ(screen->mailLines(), (QStringList{kPlayers[2], kPlayers[6], kPlayers[8], kPlayers[4], kPlayers[5]}));
  // Saved again unchanged, the file stays the same.
  const QByteArray before = readRaw(kGroupFile);
  prompter.answerYes();
  button("cmdOpslaan")->click();
  EXPECT_EQ(readRaw(kGroupFile), before);

  openGroup("B");
  EXPECT_TRUE(screen->groupLines().isEmpty());

  openGroup("D");
  EXPECT_EQ(screen->groupLines().size(), 5) << "everything but the second sit-out";
  EXPECT_TRUE(playerAvailable(1)) << "'abc' is no player number";
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
  openGroup("A");
  ASSERT_FALSE(playerAvailable(3));
  prompter.answerYes();
  button("cmdWisGroepen")->click();
  EXPECT_FALSE(exists(kGroupFile) || exists("/groepen/03-12-2026 Groep A.mail"));
  EXPECT_TRUE(playerAvailable(3)) << "the name list is loaded again";

  openGroup("B");
  prompter.answerYes();
  button("cmdWisGroepen")->click();
  EXPECT_FALSE(exists("/groepen/03-12-2026 Groep B.txt") || exists("/groepen/03-12-2026 Groep B.mail") ||
               exists("/invoer/03-12-2026 Groep B Uitslag.txt"));

  openGroup("C");
  prompter.answerYes();
  button("cmdWisGroepen")->click();
  EXPECT_FALSE(exists("/groepen/03-12-2026 Groep C.txt")) << "what could be removed is gone";
  EXPECT_EQ(list("lstGroepBestand")->count(), 0);
}

// Deleting the name list is the name list screen's test.
TEST_F(GroupScreenTest, EmptyingTheGroupGivesEveryPlayerBack) {
  open();
  addPair(1, 2);
  addPair(3, 4);

  prompter.answerYes();
  button("cmdMaakLeeg")->click();
  EXPECT_TRUE(screen->groupLines().isEmpty() && screen->mailLines().isEmpty());
  for (int r = 1; r <= 4; ++r) EXPECT_TRUE(playerAvailable(r)) << r;
}
