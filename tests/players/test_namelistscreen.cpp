#include <QApplication>
#include <QCheckBox>
#include <QClipboard>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScrollBar>
#include <QTableView>

#include "playertest.h"
#include "players/screens/namelistscreen.h"
#include "screentest.h"

using namespace mervalo;
using namespace mervalo::test;

namespace {
const QString kHeading = QStringLiteral("Nr.|Dhr / Mevr|Voornaam|Achternaam|E-mailadres");

class NameListScreenTest : public ScreenTest {
 protected:
  void open() {
    screen = new NameListScreen(ctx, nullptr);
    screen->showAndActivate();
  }
  QLineEdit* box(int i) { return child<QLineEdit>(screen, QStringLiteral("txtNaam_%1").arg(i)); }
  QLineEdit* fileBox() { return child<QLineEdit>(screen, QStringLiteral("txtNaamBestand")); }
  QPushButton* button(const char* name) { return child<QPushButton>(screen, QString::fromLatin1(name)); }
  QCheckBox* title(int i) { return child<QCheckBox>(screen, QStringLiteral("chkTitel_%1").arg(i)); }
  QTableWidget* table() { return child<QTableWidget>(screen, QStringLiteral("msfgNamen")); }
  QListWidget* files() { return child<QListWidget>(screen, QStringLiteral("lstNamenBestand")); }
  QStringList boxTexts() { return {box(0)->text(), box(1)->text(), box(2)->text()}; }
  // Writes the list Club with the heading and `rows`, opens the screen and loads the list.
  void openClub(const QStringList& rows) {
    writeFile(QStringLiteral("/namen/Club.txt"), QStringList{kHeading} + rows);
    open();
    clickEntry(files(), QStringLiteral("Club"));
  }

  void addPlayer(const QString& first, const QString& last, const QString& mail, int titleBox) {
    QTest::keyClicks(box(0), first);
    QTest::keyClicks(box(1), last);
    QTest::keyClicks(box(2), mail);
    if (titleBox >= 0) title(titleBox)->click();
    ASSERT_TRUE(button("cmdToevoegen")->isEnabled());
    button("cmdToevoegen")->click();
  }

  NameListScreen* screen = nullptr;
};
}  // namespace

TEST_F(NameListScreenTest, StartsWithOnlyTheEntrySideUsableAndSavesIdenticalTxtAndMailFiles) {
  writeRaw(QStringLiteral("/namen/Club.txt"), {});  // an empty file is overwritten without asking
  open();
  for (const char* name : {"cmdWissen", "cmdOpslaan", "cmdToevoegen"}) EXPECT_FALSE(button(name)->isEnabled()) << name;
  EXPECT_FALSE(fileBox()->isEnabled());

  addPlayer(QStringLiteral("Piet"), QStringLiteral("Jansen"), QStringLiteral("piet@club.nl"), 0);
  addPlayer(QStringLiteral("Els"), QStringLiteral("Bos"), QString(), 1);
  fileBox()->insert(QStringLiteral("Club.txt"));  // as pasted: "." cannot be typed
  button("cmdOpslaan")->click();
  EXPECT_EQ(prompter.count(), 0);
  EXPECT_EQ(readLines(QStringLiteral("/namen/Club.txt")),
            (QStringList{kHeading, "1|Mevr.|Els|Bos|", "2|Dhr.|Piet|Jansen|piet@club.nl"}));
  EXPECT_EQ(readRaw(QStringLiteral("/namen/Club.mail")), readRaw(QStringLiteral("/namen/Club.txt")));
  EXPECT_EQ(screen->namesGrid().rows(), 2) << "the grid is empty again after saving";
  EXPECT_EQ(listEntries(files()), QStringList{QStringLiteral("Club")}) << "saved under the bare name";
}

TEST_F(NameListScreenTest, AddedPlayerIsSortedByLastNameAndAHeadingPressSortsAndRenumbers) {
  openClub({"1|Dhr.|Piet|Jansen|"});
  addPlayer(QStringLiteral("Jan"), QStringLiteral("Smit"), QString(), 0);
  addPlayer(QStringLiteral("Anna"), QStringLiteral("bakker"), QString(), 1);
  const Grid& g = screen->namesGrid();
  EXPECT_EQ(column(g, 3), (QStringList{"bakker", "Jansen", "Smit"}));
  EXPECT_EQ(column(g, 0), (QStringList{"1", "2", "3"}));
  EXPECT_EQ(g.text(3, 1), QStringLiteral("Dhr."));

  clickCell(table(), 0, 2);
  EXPECT_EQ(prompter.count(), 0) << "no question for a heading press";
  EXPECT_EQ(column(g, 2), (QStringList{"Anna", "Jan", "Piet"}));
  EXPECT_EQ(column(g, 0), (QStringList{"1", "2", "3"}));
  EXPECT_TRUE(g.rowTexts(g.rows() - 1).join(QString()).isEmpty()) << "an empty row stays last";
}

TEST_F(NameListScreenTest, TitleBoxesAndTheAddButton) {
  open();
  QLabel* hint = child<QLabel>(screen, QStringLiteral("lblTitel"));
  QTest::keyClicks(box(0), QStringLiteral("Jan"));
  QTest::keyClicks(box(1), QStringLiteral("Smit"));
  EXPECT_FALSE(hint->isHidden()) << "both names but no title: the hint asks for one";
  EXPECT_FALSE(button("cmdToevoegen")->isEnabled());
  title(0)->click();
  EXPECT_TRUE(hint->isHidden());
  EXPECT_TRUE(button("cmdToevoegen")->isEnabled());
  title(1)->click();
  EXPECT_FALSE(title(0)->isChecked()) << "at most one title";
  EXPECT_TRUE(button("cmdToevoegen")->isEnabled());
  title(1)->click();
  EXPECT_FALSE(button("cmdToevoegen")->isEnabled());
  box(1)->clear();
  title(0)->click();
  EXPECT_FALSE(button("cmdToevoegen")->isEnabled()) << "a last name is still missing";
}

TEST_F(NameListScreenTest, RefusedCharactersAreNotInsertedAndNamedAndDoubledOnesRepaired) {
  open();
  const QString message = QStringLiteral("Deze tekens <>#%$*&:;\\/?.,'=+`~@^\"- zijn niet toegestaan!");
  QTest::keyClicks(box(0), QStringLiteral("Jan-Pi@et"));
  EXPECT_EQ(box(0)->text(), QStringLiteral("JanPiet"));
  ASSERT_EQ(prompter.count(), 2);
  EXPECT_EQ(prompter.last().icon, PromptIcon::Information);
  QTest::keyClicks(box(1), QStringLiteral("Sm|it."));
  EXPECT_EQ(box(1)->text(), QStringLiteral("Smit"));
  QTest::keyClicks(box(2), QStringLiteral("jan-smit@club.nl|"));
  EXPECT_EQ(box(2)->text(), QStringLiteral("jan-smit@club.nl")) << "the e-mail box takes '-', '.' and '@'";
  EXPECT_EQ(prompter.countText(message), 5);
  prompter.clear();
  addPlayer(QString(), QString(), QString(), 0);
  QTest::keyClicks(fileBox(), QStringLiteral("Club.x-\"|"));
  EXPECT_EQ(fileBox()->text(), QStringLiteral("Clubx-"));
  ASSERT_EQ(prompter.count(), 3);
  EXPECT_EQ(prompter.last().text, QStringLiteral("Deze tekens <>#%$*&:;\\/?.,'=+`~@^\" zijn niet toegestaan!"));

  // The e-mail box (emptied by Add) repairs "..", "@@" and a second "@".
  QTest::keyClicks(box(2), QStringLiteral("jan..smit@@club.nl"));
  EXPECT_EQ(box(2)->text(), QStringLiteral("jan.smit@club.nl"));
  QTest::keyClicks(box(2), QStringLiteral("@x"));
  EXPECT_EQ(box(2)->text(), QStringLiteral("jan.smit@club.nlx")) << "a second '@' cuts the text before it";
  EXPECT_EQ(box(2)->cursorPosition(), box(2)->text().size());

  // Pasted text obeys the same refusals: no file name leaves the list folder.
  prompter.clear();
  QApplication::clipboard()->setText(QStringLiteral("../Uit\\ge|lekt\n"));
  fileBox()->clear();
  fileBox()->setFocus();
  QTest::keyClick(fileBox(), Qt::Key_V, Qt::ControlModifier);
  EXPECT_EQ(fileBox()->text(), QStringLiteral("Uitgelekt"));
  QApplication::clipboard()->setText(QStringLiteral("Pi|e\"t-"));
  box(0)->clear();
  box(0)->setFocus();
  QTest::keyClick(box(0), Qt::Key_V, Qt::ControlModifier);
  EXPECT_EQ(box(0)->text(), QStringLiteral("Piet"));
  EXPECT_EQ(prompter.count(), 0);
}

TEST_F(NameListScreenTest, ClickedRowIsRemovedOrTurnedIntoAnEdit) {
  // A list written elsewhere may hold characters the boxes refuse when typed; taken into the
  // boxes for an edit they must come back unchanged, and so must the list's own name.
  openClub({"1|Mevr.|Els|Bos|els@bos.nl", "2|Dhr.|Jan-Willem|d'Hondt|jw@club.nl"});
  const QByteArray before = readRaw(QStringLiteral("/namen/Club.txt"));
  prompter.answerNo();
  clickCell(table(), 2, 2);
  ASSERT_EQ(prompter.count(), 1);
  EXPECT_EQ(prompter.last().text, QStringLiteral("Wilt u de naam 2 Dhr. Jan-Willem d'Hondt jw@club.nl verwijderen uit deze lijst?"));
  EXPECT_EQ(boxTexts(), (QStringList{"Jan-Willem", "d'Hondt", "jw@club.nl"}));
  EXPECT_EQ(fileBox()->text(), QStringLiteral("Club"));
  EXPECT_TRUE(title(0)->isChecked() && !title(1)->isChecked());
  EXPECT_EQ(column(screen->namesGrid(), 3), QStringList{QStringLiteral("Bos")});
  EXPECT_TRUE(button("cmdToevoegen")->isEnabled()) << "the edited player goes back with Add";
  EXPECT_EQ(readRaw(QStringLiteral("/namen/Club.txt")), before) << "the file waits for a save";

  prompter.answerYes();
  clickCell(table(), 1, 3);
  EXPECT_TRUE(column(screen->namesGrid(), 3).isEmpty());
  clickCell(table(), 1, 3);  // the empty entry row: no question
  EXPECT_EQ(prompter.count(), 2);
}

TEST_F(NameListScreenTest, SaveAsksAboutUnaddedNamesAndOverwriting) {
  openClub({"1|Dhr.|Piet|Jansen|"});
  QTest::keyClicks(box(0), QStringLiteral("Kees"));
  QTest::keyClicks(box(1), QStringLiteral("Vis"));
  prompter.answerYes();  // add the typed name after all
  prompter.answerNo();   // do not overwrite
  button("cmdOpslaan")->click();
  ASSERT_EQ(prompter.count(), 2);
  EXPECT_TRUE(prompter.shown()[0].text.startsWith(QStringLiteral("Er is een naam ingevuld")));
  EXPECT_EQ(prompter.shown()[1].text, QStringLiteral("Het bestand Club bestaat al\n\nWilt u dit overschrijven?"));
  EXPECT_EQ(readLines(QStringLiteral("/namen/Club.txt")).size(), 2) << "No leaves the file alone";
  EXPECT_EQ(column(screen->namesGrid(), 3), (QStringList{"Jansen", "Vis"}));
  EXPECT_EQ(fileBox()->text(), QStringLiteral("Club"));

  prompter.answerYes();
  button("cmdOpslaan")->click();
  EXPECT_EQ(readLines(QStringLiteral("/namen/Club.txt")).last(), QStringLiteral("2||Kees|Vis|"));
}

TEST_F(NameListScreenTest, SortBoxReversesTheFileListAndDeletingAListKeepsItsMailFile) {
  for (const char* n : {"/namen/b.txt", "/namen/A.txt"}) writeFile(QString::fromLatin1(n), {kHeading});
  writeFile(QStringLiteral("/namen/Club.mail"), {kHeading, "1|Dhr.|Piet|Jansen|"});
  openClub({"1|Dhr.|Piet|Jansen|"});
  EXPECT_EQ(listEntries(files()), (QStringList{"A", "b", "Club"}));
  child<QCheckBox>(screen, QStringLiteral("chkSorteer"))->click();
  EXPECT_EQ(listEntries(files()), (QStringList{"Club", "b", "A"}));
  EXPECT_EQ(child<QCheckBox>(screen, QStringLiteral("chkSorteer"))->text(), QStringLiteral("Sorteer van laag naar hoog"));
  prompter.answerNo();
  button("cmdWissen")->click();
  EXPECT_EQ(prompter.last().text, QStringLiteral("U gaat het namen bestand (Club) wissen!\n\nZeker weten?"));
  EXPECT_TRUE(exists(QStringLiteral("/namen/Club.txt")));
  prompter.answerYes();
  button("cmdWissen")->click();
  EXPECT_FALSE(exists(QStringLiteral("/namen/Club.txt")));
  EXPECT_TRUE(exists(QStringLiteral("/namen/Club.mail")));
  EXPECT_EQ(listEntries(files()), (QStringList{"b", "A"}));
  EXPECT_EQ(screen->namesGrid().rows(), 2);
}

TEST_F(NameListScreenTest, HandEditedFilesLoadWithoutLosingAnything) {
  writeRaw(QStringLiteral("/namen/Oud.txt"), QByteArray("Nr.|Dhr / Mevr|Voornaam|Achternaam|E-mailadres|\r\n"
                                                        "\r\n   \r\n"
                                                        "1|Mevr.|Ren\xe9" "e|M\xfcller|r@m.nl|\r\n"
                                                        "x|Dhr.|Kees\r\n"
                                                        "3|Dhr.|Piet|Jansen|p@j.nl|extra\n"));
  open();
  clickEntry(files(), QStringLiteral("Oud"));
  const Grid& g = screen->namesGrid();
  EXPECT_EQ(g.rowTexts(0).join(QLatin1Char('|')), kHeading) << "the trailing '|' is dropped";
  EXPECT_EQ(column(g, 2), (QStringList{"Kees", "Piet", QStringLiteral("Renée")}));
  EXPECT_EQ(column(g, 3), (QStringList{"Jansen", QStringLiteral("Müller")}));
  EXPECT_EQ(column(g, 4), (QStringList{"p@j.nl", "r@m.nl"})) << "extra fields cut, not the address";
  EXPECT_EQ(column(g, 0), (QStringList{"1", "2", "3"}));
  EXPECT_TRUE(fileBox()->text().isEmpty()) << "a file that lost a field is not offered for saving over itself";
}

TEST_F(NameListScreenTest, UpAndDownGoRoundTheBoxesAndEnterAddsAPlayerWithoutTitle) {
  open();
  screen->activateWindow();
  ASSERT_TRUE(QTest::qWaitForWindowActive(screen));
  box(0)->setFocus();
  QTest::keyClick(box(0), Qt::Key_Up);
  EXPECT_TRUE(box(2)->hasFocus()) << "from the first box up to the e-mail box";
  QTest::keyClick(box(2), Qt::Key_Down);
  EXPECT_TRUE(box(0)->hasFocus()) << "from the e-mail box down to the first";
  QTest::keyClick(box(0), Qt::Key_Down);
  EXPECT_TRUE(box(1)->hasFocus());
  QTest::keyClicks(box(1), QStringLiteral("Smit"));
  QTest::keyClick(box(1), Qt::Key_Return);
  EXPECT_TRUE(box(0)->hasFocus()) << "Enter with the first name blank goes there";
  QTest::keyClicks(box(0), QStringLiteral("Jan"));
  QTest::keyClick(box(2), Qt::Key_Return);
  EXPECT_EQ(screen->namesGrid().rows(), 2) << "Enter in the e-mail box does nothing";
  QTest::keyClick(box(1), Qt::Key_Return);
  ASSERT_EQ(screen->namesGrid().rows(), 3);
  EXPECT_EQ(screen->namesGrid().rowTexts(1), (QStringList{"1", "", "Jan", "Smit", ""}));
  EXPECT_EQ(boxTexts(), (QStringList{"", "", ""}));
  QTest::keyClicks(box(0), QStringLiteral("Kees"));
  QTest::keyClick(box(0), Qt::Key_Return);
  EXPECT_EQ(screen->namesGrid().rows(), 3) << "Enter with the last name blank only moves on";
}

TEST_F(NameListScreenTest, ListThatCannotBeWrittenStaysOnTheScreen) {
  open();
  addPlayer(QStringLiteral("Piet"), QStringLiteral("Jansen"), QString(), 0);
  // A folder where the list file should be makes the write fail.
  QDir().mkpath(path(QStringLiteral("/namen/Club.txt")));
  QDir().mkpath(path(QStringLiteral("/namen/Club.mail")));
  QTest::keyClicks(fileBox(), QStringLiteral("Club"));
  button("cmdOpslaan")->click();
  EXPECT_EQ(prompter.last().text, QStringLiteral("Het bestand Club.txt kan niet worden opgeslagen."));
  EXPECT_EQ(column(screen->namesGrid(), 3), QStringList{QStringLiteral("Jansen")});
  EXPECT_EQ(fileBox()->text(), QStringLiteral("Club"));
}

// The frozen panes' place over a scrolled grid is the grid view's test; here a heading press on
// the pane, which covers the grid's own heading, must sort as one on the grid does.
TEST_F(NameListScreenTest, AHeadingPressOnTheFrozenPaneOfALongListSorts) {
  QStringList rows;
  for (int i = 1; i <= 200; ++i) rows << QStringLiteral("%1|Dhr.|Speler%2|Naam%3|").arg(i).arg(i, 3, 10, QLatin1Char('0')).arg(200 - i, 3, 10, QLatin1Char('0'));
  openClub(rows);
  QTableWidget* t = table();
  ASSERT_TRUE(QTest::qWaitFor([&] { return t->verticalScrollBar()->maximum() > 0; })) << "the list must scroll";
  t->verticalScrollBar()->setValue(t->verticalScrollBar()->maximum());
  QApplication::processEvents();
  auto* headings = child<QTableView>(t, QStringLiteral("frozenRows"));
  ASSERT_TRUE(headings->isVisible());
  const QRect lastName = headings->visualRect(headings->model()->index(0, 3));
  QTest::mouseClick(headings->viewport(), Qt::LeftButton, {}, lastName.center());
  const Grid& g = screen->namesGrid();
  EXPECT_EQ(g.text(1, 3), QStringLiteral("Naam000"));
  EXPECT_EQ(g.text(1, 0), QStringLiteral("1"));
  EXPECT_EQ(prompter.count(), 0);
}
