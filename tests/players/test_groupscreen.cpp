#include <QApplication>
#include <QCheckBox>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScrollBar>
#include <utility>

#include "playertest.h"
#include "app/screens/clicklabel.h"
#include "players/screens/groupscreen.h"
#include "app/screens/printing.h"
#include "screentest.h"

using namespace mervalo;
using namespace mervalo::test;

namespace {
const QString kHeading = QStringLiteral("Nr.|Dhr / Mevr|Voornaam|Achternaam|E-mailadres");
const QStringList kPlayers{
    QStringLiteral("1|Dhr.|Jan|Smit|jan@smit.nl"),   QStringLiteral("2|Mevr.|Anna|de Vries|anna@vries.nl"),
    QStringLiteral("3|Dhr.|Piet|Jansen|piet@club.nl"), QStringLiteral("4|Mevr.|Els|Bos|"),
    QStringLiteral("5|Dhr.|Kees|Vis|kees@vis.nl"),     QStringLiteral("6|Mevr.|Ria|Smit|"),
    QStringLiteral("7|Mevr.|Truus|Bakker|truus@b.nl"), QStringLiteral("8|Dhr.|Henk|Mol|"),
    QStringLiteral("9||Wim|Zon|"),                      QStringLiteral("10|Dhr.|Bram|Dijk|")};
const QString kGroupFile = QStringLiteral("/groepen/03-12-2026 Groep A.txt");

class GroupScreenTest : public ScreenTest {
 protected:
  GroupScreenTest() {
    ctx.today = [] { return QDate(2026, 12, 3); };
    registerAllScreens(ctx);
    writeFile(QStringLiteral("/namen/Club.txt"), QStringList{kHeading} + kPlayers);
    setPrinterDialog(cancelledPrinterDialog());
  }
  ~GroupScreenTest() override { setPrinterDialog({}); }

  void open() {
    screen = new GroupScreen(ctx, nullptr);
    screen->showAndActivate();
  }
  void openWithClub() {
    open();
    clickEntry(list("lstNamenBestand"), QStringLiteral("Club"));
  }
  // As if the calendar had just given 03-12-2026.
  void openWithClubAndDate() {
    ctx.values.sharedDate = QStringLiteral("03-12-2026");
    openWithClub();
    screen->formActivate();
  }
  QPushButton* button(const char* name) { return child<QPushButton>(screen, QString::fromLatin1(name)); }
  QListWidget* list(const char* name) { return child<QListWidget>(screen, QString::fromLatin1(name)); }
  QLineEdit* edit(const char* name) { return child<QLineEdit>(screen, QString::fromLatin1(name)); }
  QTableWidget* names() { return child<QTableWidget>(screen, QStringLiteral("msfgNamen")); }
  QTableWidget* groups() { return child<QTableWidget>(screen, QStringLiteral("msfgGroepen")); }
  bool warningShown() { return !child<QLabel>(screen, QStringLiteral("lblKanNiet"))->isHidden(); }
  QString pairCount() { return child<QLabel>(screen, QStringLiteral("lblAanTalParen"))->text(); }
  QString nameRow(int row) { return screen->namesGrid().rowTexts(row).join(QLatin1Char('|')); }

  void addPair(int a, int b) {
    clickCell(names(), a, 2);
    clickCell(names(), b, 2);
    ASSERT_TRUE(button("cmdToevoegen")->isEnabled());
    button("cmdToevoegen")->click();
  }
  bool playerAvailable(int row) { return !screen->namesGrid().text(row, 3).isEmpty(); }

  GroupScreen* screen = nullptr;
};
}  // namespace

TEST_F(GroupScreenTest, RemovingAPairGivesItsPlayersBackAndSavingAsksBeforeOverwritingAndWritesTheMailCompanion) {
  writeFile(kGroupFile, {QStringLiteral("old")});
  openWithClubAndDate();
  addPair(5, 6);
  addPair(3, 7);
  addPair(1, 2);
  EXPECT_EQ(screen->groupGrid().text(2, 1), QStringLiteral(" Dhr. Piet Jansen -  Mevr. Truus Bakker"));
  EXPECT_FALSE(playerAvailable(5));
  EXPECT_EQ(screen->namesGrid().text(5, 0), QStringLiteral("5")) << "a taken player keeps his number";
  clickCell(groups(), 1, 1);
  EXPECT_EQ(nameRow(5), kPlayers[4]);
  EXPECT_EQ(nameRow(6), kPlayers[5]);
  EXPECT_EQ(screen->groupGrid().text(1, 0), QStringLiteral("1")) << "the pairs are numbered again";
  EXPECT_EQ(pairCount(), QStringLiteral("2 Paren in groep"));
  prompter.answerNo();
  button("cmdOpslaan")->click();
  EXPECT_EQ(prompter.last().text, QStringLiteral("Het bestand 03-12-2026 Groep A.txt bestaat al\n\nWilt u dit overschrijven?"));
  EXPECT_EQ(readLines(kGroupFile), QStringList{QStringLiteral("old")});
  EXPECT_EQ(screen->groupLines().size(), 2) << "No leaves the group as it is";
  prompter.answerYes();
  button("cmdOpslaan")->click();
  EXPECT_EQ(readLines(kGroupFile),
            (QStringList{"3| Dhr. Piet Jansen+7| Mevr. Truus Bakker", "1| Dhr. Jan Smit+2| Mevr. Anna de Vries"}));
  EXPECT_EQ(readLines(QStringLiteral("/groepen/03-12-2026 Groep A.mail")),
            (QStringList{kPlayers[2], kPlayers[6], kPlayers[0], kPlayers[1]}));
  // Ready for the next group of the same list.
  EXPECT_EQ(screen->groupGrid().rows(), 2);
  EXPECT_TRUE(edit("txtNaamBestand")->text().isEmpty());
  EXPECT_FALSE(button("cmdOpslaan")->isEnabled());
  EXPECT_TRUE(playerAvailable(3) && playerAvailable(7));
  EXPECT_EQ(listEntries(list("lstGroepBestand")), QStringList{QStringLiteral("03-12-2026 Groep A")});
}

TEST_F(GroupScreenTest, CountRuleWithAndWithoutSitOut) {
  openWithClubAndDate();
  addPair(1, 2);
  addPair(3, 4);
  addPair(5, 6);
  EXPECT_FALSE(warningShown()) << "three pairs, no sit-out";
  button("cmdStilzitter")->click();
  EXPECT_FALSE(warningShown()) << "three pairs and a sit-out";
  EXPECT_EQ(screen->groupGrid().text(4, 1), QStringLiteral("***** Stilzit *****"));
  addPair(7, 8);
  EXPECT_TRUE(warningShown()) << "four pairs and a sit-out";
  EXPECT_FALSE(button("cmdKalender")->isEnabled());
  EXPECT_FALSE(button("cmdStilzitter")->isEnabled()) << "still one sit-out";
  button("cmdOpslaan")->click();
  EXPECT_EQ(prompter.last().text, QStringLiteral("Het aantal paren in de groep klopt niet!\nPas het aantal paren aan.\n"
                                                 "Daarna kunt u de groep opslaan."));
  EXPECT_FALSE(exists(kGroupFile));
  clickCell(groups(), 4, 1);  // the sit-out
  EXPECT_FALSE(warningShown());
  EXPECT_TRUE(button("cmdStilzitter")->isEnabled());
  EXPECT_EQ(pairCount(), QStringLiteral("4 Paren in groep"));
  button("cmdOpslaan")->click();
  EXPECT_EQ(readLines(kGroupFile).size(), 4);
}

// Which rows can be picked is the composition's business; here the slots and the add button.
TEST_F(GroupScreenTest, StartsWithOnlyTheNameListsUsableAndPickSlotsFillAndGiveBack) {
  open();
  for (const char* b : {"cmdKalender", "cmdAfdrukken", "cmdToevoegen", "cmdMaakLeeg", "cmdStilzitter", "cmdOpslaan",
                        "cmdWisGroepen", "cmdWisNamen"})
    EXPECT_FALSE(button(b)->isEnabled()) << b;
  EXPECT_FALSE(child<QWidget>(screen, QStringLiteral("fraGroepBestanden"))->isEnabled());
  EXPECT_EQ(edit("txtGroepLetter")->text(), QStringLiteral("A"));
  EXPECT_FALSE(warningShown());
  clickEntry(list("lstNamenBestand"), QStringLiteral("Club"));
  auto* slot0 = child<ClickLabel>(screen, QStringLiteral("lblNaam_0"));
  clickCell(names(), 9, 2);
  EXPECT_EQ(slot0->text(), QStringLiteral("  Wim Zon"));
  EXPECT_FALSE(playerAvailable(9));
  clickCell(names(), 4, 2);
  EXPECT_TRUE(button("cmdToevoegen")->isEnabled());
  QTest::mouseClick(slot0, Qt::LeftButton);
  EXPECT_TRUE(slot0->text().isEmpty());
  EXPECT_EQ(nameRow(9), kPlayers[8]);
  EXPECT_FALSE(button("cmdToevoegen")->isEnabled());
}

TEST_F(GroupScreenTest, CalendarDateAndLetterNameTheFile) {
  openWithClub();
  addPair(1, 2);
  // Day 5 and OK, then day 9 and Cancel: the group screen hides behind the calendar and keeps the accepted date.
  for (const auto& [day, answer] : {std::pair{"5", "cmdOK"}, std::pair{"9", "cmdTerug"}}) {
    button("cmdKalender")->click();
    EXPECT_FALSE(screen->isVisible());
    QWidget* calendar = topLevel(QStringLiteral("frmMervalo05"));
    ASSERT_NE(calendar, nullptr);
    for (int i = 1; i <= 42; ++i) {
      auto* cell = child<ClickLabel>(calendar, QStringLiteral("lblDatum_%1").arg(i));
      if (cell->text() == QLatin1String(day)) QTest::mouseClick(cell, Qt::LeftButton);
    }
    child<QPushButton>(calendar, QString::fromLatin1(answer))->click();
    EXPECT_TRUE(screen->isVisible());
    EXPECT_EQ(edit("txtNaamBestand")->text(), QStringLiteral("05-12-2026")) << answer;
  }
  // The letter spins round the alphabet both ways: 26 steps up return to A, down from A gives Z.
  auto* spin = child<QScrollBar>(screen, QStringLiteral("vscrGroepLetter"));
  for (int i = 0; i < 26; ++i) spin->triggerAction(QAbstractSlider::SliderSingleStepSub);
  EXPECT_EQ(edit("txtGroepLetter")->text(), QStringLiteral("A"));
  spin->triggerAction(QAbstractSlider::SliderSingleStepAdd);
  EXPECT_EQ(edit("txtGroepLetter")->text(), QStringLiteral("Z"));
  spin->triggerAction(QAbstractSlider::SliderSingleStepSub);
  spin->triggerAction(QAbstractSlider::SliderSingleStepSub);
  button("cmdOpslaan")->click();
  EXPECT_TRUE(exists(QStringLiteral("/groepen/05-12-2026 Groep B.txt"))) << "Z, A, B";
}

TEST_F(GroupScreenTest, OpeningASavedGroupTakesItsPlayersAndDeletingItGivesThemBack) {
  writeFile(kGroupFile, {"3| Dhr. Piet Jansen+7| Mevr. Truus Bakker", "***** Stilzit *****",
                         "1| Dhr. Onbekend Iemand+9|  Wim Zon", "5| Dhr. Kees Vis+6| Mevr. Ria Smit"});
  writeFile(QStringLiteral("/groepen/03-12-2026 Groep C.txt"), {"1| Dhr. Jan Smit+2| Mevr. Anna de Vries"});
  writeFile(QStringLiteral("/groepen/2026-12-03 Group A.txt"), {"1| Mr. Jan Smit+2| Mrs. Anna de Vries"});
  openWithClub();
  EXPECT_EQ(listEntries(list("lstGroepBestand")), (QStringList{"03-12-2026 Groep A", "03-12-2026 Groep C"}))
      << "a group of the other language is not listed";
  clickEntry(list("lstGroepBestand"), QStringLiteral("03-12-2026 Groep C"));
  EXPECT_EQ(edit("txtGroepLetter")->text(), QStringLiteral("C"));
  EXPECT_EQ(screen->groupLines().size(), 1);
  clickEntry(list("lstGroepBestand"), QStringLiteral("03-12-2026 Groep A"));
  EXPECT_EQ(edit("txtNaamBestand")->text(), QStringLiteral("03-12-2026"));
  EXPECT_TRUE(playerAvailable(1)) << "the group opened before gave its players back; number 1 of A is someone else";
  EXPECT_FALSE(playerAvailable(3) || playerAvailable(7) || playerAvailable(9));
  EXPECT_EQ(screen->groupLines().size(), 4) << "the unknown player keeps his line";
  EXPECT_EQ(screen->mailLines(), (QStringList{kPlayers[2], kPlayers[6], kPlayers[8], kPlayers[4], kPlayers[5]}));
  EXPECT_FALSE(button("cmdStilzitter")->isEnabled()) << "the group has its sit-out";
  EXPECT_TRUE(button("cmdKalender")->isEnabled());
  EXPECT_FALSE(button("cmdMaakLeeg")->isEnabled());
  // Saved again unchanged, the file stays the same.
  const QByteArray before = readRaw(kGroupFile);
  prompter.answerYes();
  button("cmdOpslaan")->click();
  EXPECT_EQ(readRaw(kGroupFile), before);
  // A group without results is deleted after one question, and its players come back.
  clickEntry(list("lstGroepBestand"), QStringLiteral("03-12-2026 Groep A"));
  ASSERT_FALSE(playerAvailable(3));
  prompter.answerYes();
  button("cmdWisGroepen")->click();
  EXPECT_EQ(prompter.last().text, QStringLiteral("U gaat het groep bestand (03-12-2026 Groep A) wissen!\n\nZeker weten?"));
  EXPECT_FALSE(exists(kGroupFile));
  EXPECT_TRUE(playerAvailable(3)) << "the name list is loaded again";
  EXPECT_FALSE(button("cmdKalender")->isEnabled());
}

TEST_F(GroupScreenTest, GroupWithResultsCannotBeOpenedAndGoesWithThemWhenDeleted) {
  const QStringList files{kGroupFile, "/groepen/03-12-2026 Groep A.mail", "/invoer/03-12-2026 Groep A Uitslag.txt"};
  for (const QString& f : files) writeFile(f, {"1| Dhr. Jan Smit+2| Mevr. Anna de Vries"});
  openWithClub();
  clickEntry(list("lstGroepBestand"), QStringLiteral("03-12-2026 Groep A"));
  ASSERT_EQ(prompter.count(), 1);
  EXPECT_EQ(prompter.last().text,
            QStringLiteral("U kunt het groep bestand <03-12-2026 Groep A> niet wijzigen.\nEr zijn scores op ingevoerd.\n\n"
                           "Wilt u de groep wijzigen, dan moet u eerst bij \"Voorbereiding\" het bestand wissen."));
  EXPECT_EQ(prompter.last().icon, PromptIcon::Information);
  EXPECT_TRUE(screen->groupLines().isEmpty());
  EXPECT_TRUE(playerAvailable(1));

  prompter.answerNo();
  button("cmdWisGroepen")->click();
  EXPECT_TRUE(prompter.last().text.endsWith(QStringLiteral("Het groep bestand < 03-12-2026 Groep A> met al zijn gegevens wissen?")));
  EXPECT_TRUE(exists(kGroupFile));
  prompter.answerYes();
  button("cmdWisGroepen")->click();
  for (const QString& f : files) EXPECT_FALSE(exists(f)) << f.toStdString();
  EXPECT_TRUE(listEntries(list("lstGroepBestand")).isEmpty());
}

TEST_F(GroupScreenTest, EmptyingTheGroupGivesEveryoneBackAndADeletedNameListKeepsItsMailFile) {
  writeFile(QStringLiteral("/namen/Club.mail"), QStringList{kHeading} + kPlayers);
  openWithClub();
  addPair(1, 2);
  addPair(3, 4);
  prompter.answerNo();
  button("cmdMaakLeeg")->click();
  EXPECT_EQ(screen->groupLines().size(), 2);
  prompter.answerYes();
  button("cmdMaakLeeg")->click();
  EXPECT_EQ(prompter.last().text, QStringLiteral("Groeplijst leegmaken.\n\nZeker weten?"));
  EXPECT_TRUE(screen->groupLines().isEmpty());
  EXPECT_TRUE(screen->mailLines().isEmpty());
  for (int r = 1; r <= 4; ++r) EXPECT_TRUE(playerAvailable(r)) << r;
  EXPECT_FALSE(button("cmdMaakLeeg")->isEnabled());

  prompter.answerYes();
  button("cmdWisNamen")->click();
  EXPECT_EQ(prompter.last().text, QStringLiteral("U gaat het namen bestand (Club) wissen!\n\nZeker weten?"));
  EXPECT_FALSE(exists(QStringLiteral("/namen/Club.txt")));
  EXPECT_TRUE(exists(QStringLiteral("/namen/Club.mail")));
  EXPECT_TRUE(listEntries(list("lstNamenBestand")).isEmpty());
  EXPECT_EQ(screen->namesGrid().rows(), 2);
}

TEST_F(GroupScreenTest, DamagedGroupFilesOpenAsFarAsTheyCan) {
  writeRaw(kGroupFile, QByteArray("3| Dhr. Piet Jansen+7| Mevr. Truus Bakker\r\n"
                                  "\r\n"
                                  "zomaar een regel\r\n"
                                  "abc| Dhr. Jan Smit+2| Mevr. Anna de Vries\r\n"
                                  "***** Stilzit *****\r\n"
                                  "***** Stilzit *****\r\n"
                                  "5| Dhr. Kees Vis+6| Mevr. Ri\xeb Smit|\n"));
  openWithClub();
  clickEntry(list("lstGroepBestand"), QStringLiteral("03-12-2026 Groep A"));
  EXPECT_EQ(screen->groupLines().size(), 5) << "everything but the second sit-out";
  EXPECT_EQ(screen->groupGrid().text(2, 1), QStringLiteral("zomaar een regel"));
  EXPECT_FALSE(playerAvailable(3) || playerAvailable(2));
  EXPECT_TRUE(playerAvailable(1)) << "'abc' is no player number";
  EXPECT_TRUE(edit("txtNaamBestand")->text().isEmpty()) << "not offered for saving over itself";
  clickCell(groups(), 2, 1);  // the unreadable line can be removed
  EXPECT_EQ(screen->groupLines().size(), 4);
}

TEST_F(GroupScreenTest, PrintCancelledLeavesTheScreenAsItWasThenPrintsTheGroupGrid) {
  openWithClub();
  addPair(1, 2);
  button("cmdAfdrukken")->click();
  EXPECT_TRUE(screen->isVisible() && screen->isEnabled());
  EXPECT_TRUE(button("cmdAfdrukken")->isEnabled()) << "ready to try again";

  const QString pdf = path(QStringLiteral("/groep.pdf"));
  setPrinterDialog(pdfPrinterDialog(pdf));
  button("cmdAfdrukken")->click();
  EXPECT_TRUE(screen->isVisible());
  EXPECT_TRUE(QFile(pdf).size() > 0);
}

TEST_F(GroupScreenTest, EnterOrReturnOnTheFocusedAddButtonAddsThePair) {
  openWithClub();
  screen->activateWindow();
  ASSERT_TRUE(QTest::qWaitForWindowActive(screen));
  clickCell(names(), 1, 2);
  clickCell(names(), 2, 2);
  ASSERT_TRUE(button("cmdToevoegen")->hasFocus()) << "both picks put the focus on the add button";
  QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
  EXPECT_EQ(screen->groupLines().size(), 1);
  clickCell(names(), 3, 2);
  clickCell(names(), 4, 2);
  QTest::keyClick(QApplication::focusWidget(), Qt::Key_Enter);
  EXPECT_EQ(screen->groupLines().size(), 2);
}

TEST_F(GroupScreenTest, NamesAreLeftAlignedAndAFileThatCannotBeDeletedIsReported) {
  writeFile(kGroupFile, {"3| Dhr. Piet Jansen+7| Mevr. Truus Bakker"});
  // A folder in the companion's place cannot be removed as a file.
  QDir().mkpath(path(QStringLiteral("/groepen/03-12-2026 Groep A.mail/inhoud")));
  openWithClub();
  EXPECT_TRUE(names()->item(1, 3)->textAlignment() & Qt::AlignLeft);
  EXPECT_TRUE(names()->item(1, 0)->textAlignment() & Qt::AlignHCenter);
  clickEntry(list("lstGroepBestand"), QStringLiteral("03-12-2026 Groep A"));
  prompter.answerYes();
  button("cmdWisGroepen")->click();
  EXPECT_EQ(prompter.last().text, QStringLiteral("Het bestand 03-12-2026 Groep A.mail kan niet worden gewist."));
  EXPECT_FALSE(exists(kGroupFile)) << "what could be removed is gone";
}
