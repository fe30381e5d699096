#include <QApplication>
#include <QCheckBox>
#include <QClipboard>
#include <QDir>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTableView>

#include "players/screens/namelistscreen.h"
#include "playertest.h"
#include "screentest.h"

using namespace mervalo;
using namespace mervalo::test;

namespace {
const QString kHeading = "Nr.|Dhr / Mevr|Voornaam|Achternaam|E-mailadres";

class NameListScreenTest : public ScreenTest {
 protected:
  void open() {
    screen = new NameListScreen(ctx, nullptr);
    screen->showAndActivate();
  }
  // Writes the list Club with the heading and `rows`, opens the screen and loads the list.
  void openClub(const QStringList& rows) {
    writeFile("/namen/Club.txt", QStringList{kHeading} + rows);
    open();
    clickEntry(files(), "Club");
  }
  QLineEdit* box(int i) { return child<QLineEdit>(screen, QStringLiteral("txtNaam_%1").arg(i)); }
  QLineEdit* fileBox() { return child<QLineEdit>(screen, "txtNaamBestand"); }
  QPushButton* button(const char* name) { return child<QPushButton>(screen, name); }
  QCheckBox* title(int i) { return child<QCheckBox>(screen, QStringLiteral("chkTitel_%1").arg(i)); }
  QTableWidget* table() { return child<QTableWidget>(screen, "msfgNamen"); }
  QListWidget* files() { return child<QListWidget>(screen, "lstNamenBestand"); }
  QStringList boxTexts() { return {box(0)->text(), box(1)->text(), box(2)->text()}; }
  // The non-empty texts of one column below the heading.
  QStringList column(int col) {
    QStringList out;
    for (int r = 1; r < screen->namesGrid().rows(); ++r)
      if (!screen->namesGrid().text(r, col).isEmpty()) out << screen->namesGrid().text(r, col);
    return out;
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

TEST_F(NameListScreenTest, ANewListIsTypedAndSavedAsIdenticalTxtAndMailFiles) {
  writeRaw("/namen/Club.txt", {});  // an empty file is overwritten without asking
  open();
  screen->activateWindow();
  ASSERT_TRUE(QTest::qWaitForWindowActive(screen));

  // Enter adds a player without a title once both names are there.
  QTest::keyClicks(box(1), "Smit");
  QTest::keyClick(box(1), Qt::Key_Return);
  EXPECT_TRUE(box(0)->hasFocus()) << "Enter with the first name blank goes there";
  QTest::keyClicks(box(0), "Jan");
  QTest::keyClick(box(1), Qt::Key_Return);
  ASSERT_EQ(screen->namesGrid().rows(), 3);
  EXPECT_EQ(boxTexts(), (QStringList{"", "", ""}));
  QTest::keyClicks(box(0), "Kees");
  QTest::keyClick(box(0), Qt::Key_Return);
  EXPECT_EQ(screen->namesGrid().rows(), 3) << "Enter with the last name blank only moves on";

  // The add button wants both names and one title; the hint asks for the title.
  QLabel* hint = child<QLabel>(screen, "lblTitel");
  QTest::keyClicks(box(1), "Vis");
  EXPECT_FALSE(hint->isHidden() || button("cmdToevoegen")->isEnabled()) << "both names but no title";
  title(0)->click();
  EXPECT_TRUE(hint->isHidden() && button("cmdToevoegen")->isEnabled());
  title(1)->click();
  EXPECT_FALSE(title(0)->isChecked()) << "at most one title";
  box(1)->clear();
  EXPECT_FALSE(button("cmdToevoegen")->isEnabled()) << "a last name is missing";
  addPlayer("", "Vis", "kees@vis.nl", 0);
  addPlayer("Els", "Bos", "", 1);

  fileBox()->insert("Club.txt");  // as pasted: "." cannot be typed
  button("cmdOpslaan")->click();
  EXPECT_EQ(prompter.count(), 0);
  EXPECT_EQ(readLines("/namen/Club.txt"),
            (QStringList{kHeading, "1|Mevr.|Els|Bos|", "2||Jan|Smit|", "3|Dhr.|Kees|Vis|kees@vis.nl"}));
  EXPECT_EQ(readRaw("/namen/Club.mail"), readRaw("/namen/Club.txt"));
  EXPECT_EQ(listEntries(files()), QStringList{"Club"}) << "saved under the bare name";
}

TEST_F(NameListScreenTest, AListIsSortedEditedAndSavedAfterTwoQuestions) {
  // A list written elsewhere may hold characters the boxes refuse when typed; taken into the
  // boxes for an edit they must come back unchanged, and so must the list's own name.
  openClub({"1|Mevr.|Els|Bos|els@bos.nl", "2|Dhr.|Jan-Willem|d'Hondt|jw@club.nl"});
  const QByteArray before = readRaw("/namen/Club.txt");
  addPlayer("Zoe", "bakker", "", 1);
  EXPECT_EQ(column(3), (QStringList{"bakker", "Bos", "d'Hondt"})) << "sorted by last name, whatever the case";
  // A heading press lands on the frozen pane that covers the grid's own heading.
  auto* headings = child<QTableView>(table(), "frozenRows");
  ASSERT_TRUE(headings->isVisible());
  const QRect firstName = headings->visualRect(headings->model()->index(0, 2));
  QTest::mouseClick(headings->viewport(), Qt::LeftButton, {}, firstName.center());
  EXPECT_EQ(prompter.count(), 0) << "no question for a heading press";
  EXPECT_EQ(column(2), (QStringList{"Els", "Jan-Willem", "Zoe"}));

  // A clicked row is removed on Yes, or taken into the boxes for an edit on No.
  prompter.answerNo();
  clickCell(table(), 2, 2);
  EXPECT_EQ(boxTexts(), (QStringList{"Jan-Willem", "d'Hondt", "jw@club.nl"}));
  EXPECT_EQ(fileBox()->text(), "Club");
  EXPECT_EQ(readRaw("/namen/Club.txt"), before) << "the file waits for a save";
  prompter.answerYes();
  clickCell(table(), 1, 3);
  EXPECT_EQ(column(3), QStringList{"bakker"});

  // Saving asks to add the name still in the boxes, then before overwriting.
  prompter.clear();
  prompter.answerYes();
  prompter.answerNo();
  button("cmdOpslaan")->click();
  ASSERT_EQ(prompter.count(), 2);
  EXPECT_EQ(readRaw("/namen/Club.txt"), before) << "No leaves the file alone";
  prompter.answerYes();
  button("cmdOpslaan")->click();
  EXPECT_EQ(readLines("/namen/Club.txt"),
            (QStringList{kHeading, "1|Mevr.|Zoe|bakker|", "2|Dhr.|Jan-Willem|d'Hondt|jw@club.nl"}));
}

TEST_F(NameListScreenTest, RefusedCharactersAreNotInsertedAndNamedAndDoubledOnesRepaired) {
  open();
  QTest::keyClicks(box(0), "Jan-Pi@et");
  EXPECT_EQ(box(0)->text(), "JanPiet");
  QTest::keyClicks(box(2), "jan-smit@club.nl|");
  EXPECT_EQ(box(2)->text(), "jan-smit@club.nl") << "the e-mail box takes '-', '.' and '@'";
  prompter.clear();
  addPlayer("", "Smit", "", 0);
  QTest::keyClicks(fileBox(), "Club.x-\"|");
  EXPECT_EQ(fileBox()->text(), "Clubx-");
  ASSERT_EQ(prompter.count(), 3);

  // The e-mail box (emptied by Add) repairs "..", "@@" and a second "@".
  QTest::keyClicks(box(2), "jan..smit@@club.nl");
  EXPECT_EQ(box(2)->text(), "jan.smit@club.nl");

  // Pasted text obeys the same refusals: no file name leaves the list folder.
  prompter.clear();
  QApplication::clipboard()->setText("../Uit\\ge|lekt\n");
  fileBox()->clear();
  fileBox()->setFocus();
  QTest::keyClick(fileBox(), Qt::Key_V, Qt::ControlModifier);
  EXPECT_EQ(fileBox()->text(), "Uitgelekt");
  EXPECT_EQ(prompter.count(), 0);
}

TEST_F(NameListScreenTest, TheFileListSortsDeletesAndLoadsHandEditedLists) {
  for (const char* n : {"/namen/b.txt", "/namen/A.txt"}) writeFile(n, {kHeading});
  writeFile("/namen/Club.mail", {kHeading, "1|Dhr.|Piet|Jansen|"});
  writeRaw("/namen/Oud.txt", QByteArray("Nr.|Dhr / Mevr|Voornaam|Achternaam|E-mailadres|\r\n"
                                        "\r\n   \r\n"
                                        "1|Mevr.|Ren\xe9" "e|M\xfcller|r@m.nl|\r\n"
                                        "x|Dhr.|Kees\r\n"
                                        "3|Dhr.|Piet|Jansen|p@j.nl|extra\n"));
  openClub({"1|Dhr.|Piet|Jansen|"});
  EXPECT_EQ(listEntries(files()), (QStringList{"A", "b", "Club", "Oud"}));
  child<QCheckBox>(screen, "chkSorteer")->click();
  EXPECT_EQ(listEntries(files()), (QStringList{"Oud", "Club", "b", "A"}));

  clickEntry(files(), "Oud");
  EXPECT_EQ(column(2), (QStringList{"Kees", "Piet", "Renée"}));
  EXPECT_EQ(column(4), (QStringList{"p@j.nl", "r@m.nl"})) << "extra fields cut, not the address";
  EXPECT_TRUE(fileBox()->text().isEmpty()) << "a file that lost a field is not offered for saving over itself";

  clickEntry(files(), "Club");
  prompter.answerYes();
  button("cmdWissen")->click();
  EXPECT_FALSE(exists("/namen/Club.txt"));
  EXPECT_TRUE(exists("/namen/Club.mail"));
  EXPECT_EQ(listEntries(files()), (QStringList{"Oud", "b", "A"}));
}

TEST_F(NameListScreenTest, ListThatCannotBeWrittenStaysOnTheScreen) {
  open();
  addPlayer("Piet", "Jansen", "", 0);
  // A folder where the list file should be makes the write fail.
  QDir().mkpath(path("/namen/Club.txt"));
  QDir().mkpath(path("/namen/Club.mail"));
  QTest::keyClicks(fileBox(), "Club");
  button("cmdOpslaan")->click();
  EXPECT_EQ(prompter.last().text, "Het bestand Club.txt kan niet worden opgeslagen.");
  EXPECT_EQ(column(3), QStringList{"Jansen"});
}
