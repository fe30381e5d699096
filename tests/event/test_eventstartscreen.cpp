#include <QCheckBox>
#include <QDir>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollBar>
#include <QTest>

#include "../players/playertest.h"  // clicks on list entries and reading them back
#include "event/screens/eventstartscreen.h"
#include "screentest.h"

using namespace mervalo;
using namespace mervalo::test;

namespace {

class EventStartTest : public ScreenTest {
 protected:
  EventStartTest() {
    QDir().mkpath(path("/invoer"));
    for (const char* name : {"08 Paren 06 Ronden Howell", "08 Paren 03 Ronden Howell", "06 Paren 06 Ronden Howell"})
      addSchema(name);
  }

  void addSchema(const QString& name) { writeFile("/schema/10/" + name + ".txt", {"kop"}); }

  void open() {
    screen = new EventStartScreen(ctx, nullptr);
    screen->showAndActivate();
  }

  static QStringList pairs(int n) {
    QStringList lines;
    for (int i = 1; i <= n; ++i) lines << QStringLiteral("%1| Dhr. A%1+%2| Mevr. B%2").arg(i).arg(i + 100);
    return lines;
  }

  // Presses the spin control `bar` `steps` times (up when steps < 0) and gives the number it shows.
  static QString spin(QScrollBar* bar, QLineEdit* shown, int steps) {
    for (int i = 0; i < qAbs(steps); ++i)
      bar->triggerAction(steps < 0 ? QAbstractSlider::SliderSingleStepSub : QAbstractSlider::SliderSingleStepAdd);
    return shown->text();
  }

  QString chooseGroup(const QString& name) {
    clickEntry(screen->groupFiles.list, name);
    return screen->lblParen->text() + QLatin1Char('/') + screen->lblStilzit->text();
  }

  // The header of an event of 8 pairs, 6 rounds of 3 boards, entry mode 0, with line `index` (from 0) replaced.
  static QStringList eventHeader(int index = -1, const QString& text = {}) {
    QStringList h = {"12-03-2024 Groep A Uitslag", "8", "Geen", "6", "3", "08 Paren 06 Ronden Howell", "0"};
    if (index >= 0) h[index] = text;
    return h;
  }

  EventStartScreen* screen = nullptr;
};

}  // namespace

TEST_F(EventStartTest, CountsPairsFindsTheSitOutAndTheSpinControlsWrapAround) {
  writeFile("/groepen/12-03-2024 Groep A.txt", pairs(7) << QString() << "   ");
  writeFile("/groepen/12-03-2024 Groep B.txt", pairs(4) << "***** Stilzit *****" << pairs(8).mid(5));
  open();
  EXPECT_EQ(chooseGroup("12-03-2024 Groep A"), "8/8");
  EXPECT_EQ(chooseGroup("12-03-2024 Groep B"), "8/5");

  // The spin controls (6 rounds of 4 boards to begin with) wrap round and rebuild the schema list.
  chooseGroup("12-03-2024 Groep A");
  EXPECT_EQ(listEntries(screen->lstSchema), QStringList{"08 Paren 06 Ronden Howell"});
  clickEntry(screen->lstSchema, "08 Paren 06 Ronden Howell");
  EXPECT_TRUE(screen->cmdStart->isEnabled());

  // Up raises the number; up from 12 rounds gives 3, down from 3 gives 12; boards wrap between 9 and 1.
  EXPECT_EQ(spin(screen->vscrRonden, screen->txtRonden, -6), "12");
  EXPECT_FALSE(screen->cmdStart->isEnabled());  // a new number of rounds drops the movement
  EXPECT_EQ(spin(screen->vscrRonden, screen->txtRonden, -1), "3");
  EXPECT_EQ(listEntries(screen->lstSchema), QStringList{"08 Paren 03 Ronden Howell"});
  EXPECT_EQ(spin(screen->vscrRonden, screen->txtRonden, 1), "12");
  EXPECT_EQ(spin(screen->vscrSpellen, screen->txtSpellen, -5), "9");
  EXPECT_EQ(spin(screen->vscrSpellen, screen->txtSpellen, -1), "1");
}

TEST_F(EventStartTest, StartWritesTheHeaderAndOpensTheEntryScreenOfTheMode) {
  writeFile("/groepen/12-03-2024 Groep A.txt", pairs(6));
  ctx.screens[ScreenId::RoundEntry] = [](AppContext& c, Screen* o) -> Screen* {  // stands in for the entry screen
    auto* entry = new Screen(c, o);
    entry->setObjectName("frmMervalo07");
    return entry;
  };
  open();
  chooseGroup("12-03-2024 Groep A");
  clickEntry(screen->lstSchema, "06 Paren 06 Ronden Howell");
  screen->vscrSpellen->triggerAction(QAbstractSlider::SliderSingleStepAdd);  // 3 boards a round
  screen->optInvoer[1]->click();
  QTest::mouseClick(screen->cmdStart, Qt::LeftButton);

  EXPECT_EQ(readLines("/invoer/12-03-2024 Groep A Uitslag.txt"),
            (QStringList{"12-03-2024 Groep A Uitslag", "6", "Geen", "6", "3", "06 Paren 06 Ronden Howell", "1"}));
  EXPECT_TRUE(QTest::qWaitFor([] { return topLevel("frmMervalo07") != nullptr; }));
}

TEST_F(EventStartTest, ReopeningFixesModeAndSchemaKeepsTheScoresAndDeletingAsksFirst) {
  addSchema("08 Paren 04 Ronden Howell");
  addSchema("08 Paren 04 Ronden Mitchell");
  const QString event = "/invoer/12-03-2024 Groep A Uitslag.txt";
  QStringList lines = eventHeader(5, "08 Paren 04 Ronden Mitchell");
  lines[3] = "4";
  writeFile(event, lines << "01*1|2|||420|-420|2|0@3|4|||400|-400|0|2");
  writeFile("/groepen/12-03-2024 Groep A.txt", pairs(8));
  writeFile("/groepen/12-03-2024 Groep B.txt", pairs(6));
  const QByteArray before = readRaw(event);
  writeFile("/start.txt", {" 1 "});
  open();
  EXPECT_TRUE(screen->optInvoer[1]->isChecked());

  clickEntry(screen->eventFiles.list, "12-03-2024 Groep A Uitslag");
  EXPECT_EQ((QStringList{screen->lblGroep->text(), screen->txtRonden->text(), screen->txtSpellen->text(),
                         screen->lblStilzit->text()}),
            (QStringList{"12-03-2024 Groep A", "4", "3", "Geen"}));
  EXPECT_EQ(screen->lstSchema->currentItem()->text(), "08 Paren 04 Ronden Mitchell");
  EXPECT_TRUE(screen->optInvoer[0]->isChecked());
  EXPECT_FALSE(screen->optInvoer[0]->isEnabled() || screen->optInvoer[1]->isEnabled() || screen->fraSchema->isEnabled())
      << "mode and movement are fixed";

  QTest::mouseClick(screen->cmdStart, Qt::LeftButton);
  EXPECT_EQ(readRaw(event), before);
  EXPECT_EQ(readLines("/start.txt"), QStringList{"0"});

  // A group whose event exists is refused until the event is deleted.
  open();
  clickEntry(screen->groupFiles.list, "12-03-2024 Groep A");
  EXPECT_EQ(prompter.last().text.count("12-03-2024 Groep A"), 2);
  EXPECT_TRUE(screen->lblGroep->text().isEmpty());
  EXPECT_EQ(chooseGroup("12-03-2024 Groep B"), "6/Geen");

  clickEntry(screen->eventFiles.list, "12-03-2024 Groep A Uitslag");
  prompter.answerYes();
  QTest::mouseClick(screen->eventFiles.remove, Qt::LeftButton);
  EXPECT_FALSE(exists(event));
  EXPECT_TRUE(screen->fraSchema->isEnabled());  // no longer fixed by the deleted event

  EXPECT_EQ(chooseGroup("12-03-2024 Groep A"), "8/Geen");
  prompter.answerYes();
  QTest::mouseClick(screen->groupFiles.remove, Qt::LeftButton);
  EXPECT_FALSE(exists("/groepen/12-03-2024 Groep A.txt"));
  EXPECT_EQ(listEntries(screen->groupFiles.list), QStringList{"12-03-2024 Groep B"});
}

TEST_F(EventStartTest, DamagedOrForeignFilesAreReportedAndLeftAlone) {
  writeFile("/groepen/12-03-2024 Groep A.txt", {QString(), "  ", QString()});
  writeFile("/groepen/12-03-2024 groep Z.txt", pairs(4));
  writeFile("/invoer/12-03-2024 Groep Z Result.txt", eventHeader());
  // Which header lines are refused and why is the event model's test.
  writeFile("/invoer/12-03-2024 Groep B Uitslag.txt", eventHeader(3, "40"));
  open();

  chooseGroup("12-03-2024 Groep A");
  ASSERT_EQ(prompter.count(), 1);
  EXPECT_TRUE(prompter.last().text.contains("geen paren")) << prompter.last().text.toStdString();

  const QByteArray before = readRaw("/invoer/12-03-2024 Groep B Uitslag.txt");
  clickEntry(screen->eventFiles.list, "12-03-2024 Groep B Uitslag");
  ASSERT_EQ(prompter.count(), 2);
  EXPECT_TRUE(prompter.last().text.contains("Groep B Uitslag.txt, line 4")) << prompter.last().text.toStdString();
  EXPECT_EQ(readRaw("/invoer/12-03-2024 Groep B Uitslag.txt"), before);

  // Names that do not follow this language's pattern are refused with the word they lack.
  prompter.clear();
  clickEntry(screen->groupFiles.list, "12-03-2024 groep Z");
  ASSERT_EQ(prompter.count(), 1);
  EXPECT_TRUE(prompter.last().text.endsWith("Groep")) << prompter.last().text.toStdString();
  clickEntry(screen->eventFiles.list, "12-03-2024 Groep Z Result");
  ASSERT_EQ(prompter.count(), 2);
  EXPECT_TRUE(prompter.last().text.endsWith("Uitslag"));
}

TEST_F(EventStartTest, GroupFilesFollowTheLanguagesDatePattern) {
  setLanguage(kEnglish);
  writeFile("/schema/11/06 Pairs 06 Rounds Howell.txt", {"head"});
  writeFile("/groepen/12-03-2024 Group A.txt", pairs(6));
  writeFile("/groepen/12-03-2024 Group A.mail", {"a@b.nl"});
  writeFile("/groepen/01-04-2024 Group B.txt", pairs(6));
  writeFile("/groepen/2024-04-01 Group B.txt", pairs(4));  // taken: left as it is
  open();
  EXPECT_EQ(listEntries(screen->groupFiles.list),
            (QStringList{"01-04-2024 Group B", "2024-03-12 Group A", "2024-04-01 Group B"}));
  EXPECT_TRUE(exists("/groepen/2024-03-12 Group A.mail"));

  chooseGroup("2024-03-12 Group A");
  clickEntry(screen->lstSchema, "06 Pairs 06 Rounds Howell");
  QTest::mouseClick(screen->cmdStart, Qt::LeftButton);
  EXPECT_EQ(readLines("/invoer/2024-03-12 Group A Result.txt"),
            (QStringList{"2024-03-12 Group A Result", "6", "No", "6", "4", "06 Pairs 06 Rounds Howell", "0"}));
}
