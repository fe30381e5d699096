#include <QApplication>
#include <QClipboard>
#include <QDir>
#include <QFile>
#include <QListWidget>
#include <QPushButton>
#include <QTest>

#include "publish/screens/resultsscreen.h"
#include "hands/dealgen.h"
#include "hands/handrecordfile.h"
#include "hands/pbn.h"
#include "hands/screens/handrecordimport.h"
#include "screentest.h"
#include "publishtest.h"

using namespace mervalo;
using namespace mervalo::test;

namespace {

class ResultsScreenTest : public ScreenTest {
 protected:
  ResultsScreenTest() {
    registerAllScreens(ctx);
    ctx.values.groupFileName = QStringLiteral("Dinsdag.txt");
  }

  ResultsScreen* open() {
    entry = new FakeEntryScreen(ctx);
    entry->result = result;
    entry->players = players;
    entry->show();
    auto* s = dynamic_cast<ResultsScreen*>(entry->openChild(ScreenId::Results));
    EXPECT_NE(s, nullptr);
    return s;
  }

  EventResult result = computedEventResult(11);
  QStringList players;
  FakeEntryScreen* entry = nullptr;
};

}  // namespace

// The page's cells are the page writer's and the results copy's tests; the evening's page is the
// entry screens' golden file.
TEST_F(ResultsScreenTest, ThePageForDinsdagIsMadeAndOldPagesGoOnlyOnYes) {
  for (const char* old : {"Maandag.HTML", "Vrijdag.html", "notities.txt"})
    writeFile(QStringLiteral("/HTML/") + QLatin1String(old), {"x"});
  ResultsScreen* s = open();
  ASSERT_TRUE(s);
  EXPECT_FALSE(entry->isEnabled());
  prompter.answerNo();  // keep old pages
  QTest::mouseClick(child<QPushButton>(s, "cmdMaakHTML"), Qt::LeftButton);
  ASSERT_EQ(prompter.count(), 2);
  EXPECT_TRUE(prompter.last().text.endsWith(QStringLiteral("Dinsdag.html")));
  EXPECT_TRUE(QFile::exists(path(QStringLiteral("/HTML/Maandag.HTML"))));
  prompter.answerYes();  // old pages of any case go, other files stay
  s->cmdMaakHTML_Click();
  EXPECT_EQ(QDir(path(QStringLiteral("/HTML"))).entryList(QDir::Files), (QStringList{"Dinsdag.html", "notities.txt"}));
}

TEST_F(ResultsScreenTest, EveryPlayerWithAnAddressGetsItOnceAndNobodyElses) {
  // Piet's address is inside Jaap's, which comes first; Jan and Ann share one address.
  const QStringList dinsdag = {"1|Dhr.|Jan|Smit|fam@club.nl", "2|Mevr.|Ann|Smit|fam@club.nl",
                               "3|Dhr.|Piet|Bos|piet@club.nl", "4|Mevr.|Els|Bos|"};
  writeFile(QStringLiteral("/namen/Club.mail"), QStringList{"Nr.|Dhr / Mevr|Voornaam|Achternaam|E-mailadres",
                                                            "9|Dhr.|Jaap|Bos|jpiet@club.nl"} +
                                                    dinsdag + QStringList{"5|Dhr.|Kees|Jansen|kees@club.nl"});
  writeFile(QStringLiteral("/namen/Dinsdagclub.mail"), {QStringLiteral("1|Dhr.|Piet|Bos|piet@club.nl")});
  writeFile(QStringLiteral("/namen/Club.txt"), {QStringLiteral("1|Dhr.|Zz|Zz|zz@club.nl")});  // not a companion
  writeFile(QStringLiteral("/groepen/Dinsdag.mail"), dinsdag);
  players = {"|fam@club.nl", "  ", "|fam@club.nl", "|piet@club.nl", "|Mevr.|Els|Bos|"};
  ResultsScreen* s = open();
  ASSERT_TRUE(s);

  auto* list = child<QListWidget>(s, "lstWieMailen");
  ASSERT_TRUE(list);
  ASSERT_EQ(list->count(), 4);  // the blank entry is left out

  prompter.answerNo();
  s->cmdMaakHTML_Click();
  const QString expected = QStringLiteral("fam@club.nl; fam@club.nl; piet@club.nl; ");
  EXPECT_EQ(s->collectedAddresses(), expected);
  EXPECT_EQ(QGuiApplication::clipboard()->text(), expected);
}

TEST_F(ResultsScreenTest, EscGivesTheEntryScreenBack) {
  ResultsScreen* s = open();
  ASSERT_TRUE(s);
  QPointer<ResultsScreen> alive(s);
  // The release of an Esc pressed elsewhere (a message box) does not close the screen.
  QTest::keyRelease(child<QPushButton>(s, "cmdMaakHTML"), Qt::Key_Escape);
  QCoreApplication::processEvents();
  ASSERT_FALSE(alive.isNull());
  QTest::keyClick(child<QPushButton>(s, "cmdMaakHTML"), Qt::Key_Escape);
  EXPECT_TRUE(QTest::qWaitFor([&] { return alive.isNull(); }));
  EXPECT_TRUE(entry->isEnabled());
}

TEST_F(ResultsScreenTest, OpeningReadsTheOwnAddressMakesAMissingCompanionAndOffersSending) {
  writeFile(QStringLiteral("/standaard.ini"),
            {"[standaard]", "eigen e-mail adres= ik@club.nl ", "Naam voor e-mail=Ik"});
  writeFile(QStringLiteral("/groepen/Dinsdag.txt"), {QStringLiteral("1| Dhr. Jan Smit+2| Mevr. Ann Bos")});
  ResultsScreen* s = open();
  ASSERT_TRUE(s);
  EXPECT_EQ(ctx.values.ownEmailAddress, QStringLiteral("ik@club.nl"));
  EXPECT_EQ(readLines(QStringLiteral("/groepen/Dinsdag.mail")), readLines(QStringLiteral("/groepen/Dinsdag.txt")));
  ctx.values.mailUnavailable = true;
  s->formActivate();
  EXPECT_FALSE(child<QPushButton>(s, "cmdVerstuur")->isEnabled()) << "no usable provider list";
}

// The faults a hand record can have are the hands test's; here the screen's way with one.
TEST_F(ResultsScreenTest, HandRecordIsCheckedAgainstTheEventAndReplacedOnlyOnYes) {
  ctx.values.eventFileName = QStringLiteral("Dinsdag Uitslag.txt");
  writeFile(QStringLiteral("/invoer/Dinsdag Uitslag.txt"), {"Dinsdag Uitslag", "8", "8", "3", "1", "08 Paren", "0"});
  SeededRandom random(5);
  HandRecord record = randomHandRecord(4, random);
  writeRaw(QStringLiteral("/elders/goed.pbn"), writePbn(record));
  record.boards[1].dealer = Seat::North;
  writeRaw(QStringLiteral("/elders/fout.pbn"), writePbn(record));
  QString chosen;
  setOpenFileDialog([&chosen](QWidget*, const QString&, const QString&) { return chosen; });
  ResultsScreen* s = open();
  auto* button = child<QPushButton>(s, "cmdSpelverdeling");
  ASSERT_TRUE(button);
  const QString target = path(QStringLiteral("/invoer/Dinsdag Uitslag.pbn"));

  chosen = path(QStringLiteral("/elders/fout.pbn"));
  QTest::mouseClick(button, Qt::LeftButton);
  EXPECT_EQ(prompter.last().text, QStringLiteral("De spelverdeling %1 is niet overgenomen:\n"
                                                 "Spel 2: de gever is niet die van het spelnummer.")
                                       .arg(QDir::toNativeSeparators(chosen)));
  EXPECT_FALSE(QFile::exists(target));

  chosen = path(QStringLiteral("/elders/goed.pbn"));
  QTest::mouseClick(button, Qt::LeftButton);
  EXPECT_TRUE(prompter.last().text.startsWith(QStringLiteral("De spelverdeling is overgenomen: 3 spellen.")));

  prompter.answerNo();  // the hand record there stays
  QTest::mouseClick(button, Qt::LeftButton);
  EXPECT_EQ(prompter.last().icon, PromptIcon::Question);
  const HandAnalysisOutcome analysed = startHandRecordAnalysis(target).result();
  ASSERT_TRUE(analysed.record);
  EXPECT_EQ(analysed.record->boards.size(), 3u);
  EXPECT_TRUE(readRaw(QStringLiteral("/invoer/Dinsdag Uitslag.pbn")).contains("[OptimumResultTable "));
  setOpenFileDialog({});
}
