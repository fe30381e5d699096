#pragma once

// The fixture of the entry screen tests: a program folder with the group "Dinsdag" (8 pairs and
// their addresses), the movement both screens are tried on, and the ways to open, type on and
// close an entry screen.

#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QPointer>
#include <QPushButton>
#include <QRegularExpression>
#include <QTest>
#include <type_traits>

#include "app/screens/screen.h"
#include "publish/screens/resultsscreen.h"
#include "scoring/screens/boardentryscreen.h"
#include "scoring/screens/roundentryscreen.h"
#include "screentest.h"

namespace mervalo::test {

// 8 pairs, 3 rounds: every pair plays every board set once and every board is played at four
// tables, so the top is 6.
inline const QStringList kMovement = {
    QStringLiteral("08 Paren 03 Ronden Test"),
    QStringLiteral("Ronde 1\t1-2 (1-4)\t3-4 (1-4)\t5-6 (5-8)\t7-8 (9-12)"),
    QStringLiteral("Ronde 2\t5-7 (1-4)\t1-8 (5-8)\t3-2 (5-8)\t4-6 (9-12)"),
    QString(),
    QStringLiteral("Ronde 3\t6-8 (1-4)\t4-7 (5-8)\t1-3 (9-12)\t2-5 (9-12)"),
};

inline const QString kEvent = QStringLiteral("/invoer/Dinsdag Uitslag.txt");

// A menu stand-in that the entry screen goes back to.
class Menu : public Screen {
 public:
  explicit Menu(AppContext& c, const QString& name = QStringLiteral("menu")) : Screen(c, nullptr) {
    setObjectName(name);
  }
};

class EntryTest : public ScreenTest {
 protected:
  EntryTest() {
    registerAllScreens(ctx);
    ctx.screens.erase(ScreenId::EventStart);  // closing goes back to the menu only
    writeFile(QStringLiteral("/schema/10/08 Paren 03 Ronden Test.txt"), kMovement);
    QStringList group, mail;
    for (int p = 1; p <= 8; ++p) {
      const int a = 2 * p - 1, b = 2 * p;
      group << QStringLiteral("%1| Dhr. Speler%1 Een+%2| Mevr. Speler%2 Twee").arg(a).arg(b);
      mail << QStringLiteral("%1|Dhr.|Speler%1|Een|speler%1@club.nl").arg(a)
           << QStringLiteral("%1|Mevr.|Speler%1|Twee|speler%1@club.nl").arg(b);
    }
    writeFile(QStringLiteral("/groepen/Dinsdag.txt"), group);
    writeFile(QStringLiteral("/groepen/Dinsdag.mail"), mail);
    writeFile(QStringLiteral("/namen/Club.mail"),
              QStringList{QStringLiteral("Nr.|Titel|Voornaam|Achternaam|E-mail")} + mail);
    ctx.values.groupFileName = QStringLiteral("Dinsdag.txt");
    ctx.values.eventFileName = QStringLiteral("Dinsdag Uitslag.txt");
  }

  // The event file's seven header lines: mode 0 per board, 1 per round.
  static QStringList header(int mode, const QString& movement = kMovement[0],
                            const QString& sitOut = QStringLiteral("Geen"), int boardsPerRound = 4) {
    return {"Dinsdag Uitslag", "8", sitOut, "3", QString::number(boardsPerRound), movement, QString::number(mode)};
  }

  // Writes the event file and opens the entry screen S on it; nullptr when it closed itself.
  template <class S>
  S* startScreen(const QStringList& lines) {
    writeFile(kEvent, lines);
    return openScreen<S>();
  }
  template <class S>
  S* openScreen() {
    menu = new Menu(ctx);
    menu->show();
    const bool perBoard = std::is_same_v<S, BoardEntryScreen>;
    auto* s =
        dynamic_cast<S*>(menu->openChild(perBoard ? ScreenId::BoardEntry : ScreenId::RoundEntry));
    QPointer<S> alive(s);
    if (s) {
      s->activateWindow();
      // A screen that cannot load closes itself; it is not waited for.
      EXPECT_TRUE(QTest::qWaitFor([&] { return alive.isNull() || alive->isActiveWindow(); }));
    }
    return alive.data();
  }

  static void closeScreen(QWidget* s) {
    QPointer<QWidget> alive(s);
    s->close();
    EXPECT_TRUE(QTest::qWaitFor([&] { return alive.isNull(); }));
  }

  static QLineEdit* ns(QWidget* s, int row) { return child<QLineEdit>(s, QStringLiteral("txtScoreNZ_%1").arg(row)); }
  static QLineEdit* ew(QWidget* s, int row) { return child<QLineEdit>(s, QStringLiteral("txtScoreOW_%1").arg(row)); }
  // A row's two score boxes as "NS|EW".
  static QString scores(QWidget* s, int row) { return ns(s, row)->text() + QLatin1Char('|') + ew(s, row)->text(); }
  static QPushButton* button(QWidget* s, const QString& name) { return child<QPushButton>(s, name); }
  static void click(QWidget* s, const QString& name) { QTest::mouseClick(button(s, name), Qt::LeftButton); }
  static QString label(QWidget* s, const QString& name) { return child<QLabel>(s, name)->text(); }
  // Keys into a box, then Enter.
  static void type(QWidget* box, const QString& keys) {
    QTest::keyClicks(box, keys);
    QTest::keyClick(box, Qt::Key_Return);
  }

  // The scores of the evening both screens are typed with: board b's at its k-th table (in
  // ascending NS order), every vulnerability accepting them, one not-played table among them.
  static QString eveningScore(int board, int k) {
    static const QStringList scores[4] = {{"400", "140", "-100", "170"},
                                          {"-110", "-110", "140", "-600"},
                                          {"100", "n", "-200", "130"},
                                          {"0", "90", "-90", "600"}};
    return scores[(board - 1) % 4][k];
  }
  // Uitslag on a screen holding that evening: the results screen, whose page is the one worked
  // out by hand (pair 7 first with 52 of 72, pairs 2 and 3 sharing fifth place over 10 played
  // boards). Column widths depend on the fonts of the machine and are left out.
  ResultsScreen* expectEveningPage(EntryScreen* s) {
    click(s, "cmdUitslag");
    auto* results = dynamic_cast<ResultsScreen*>(topLevel(QStringLiteral("frmMervalo08")));
    EXPECT_TRUE(results);
    if (!results) return nullptr;
    prompter.answerNo();
    results->cmdMaakHTML_Click();
    QString page = QString::fromLatin1(readRaw(QStringLiteral("/HTML/Dinsdag.html")));
    page.replace(QRegularExpression(QStringLiteral("width=\"\\d+\"")), QStringLiteral("width=\"W\""));
    QFile expected(QStringLiteral(MERVALO_TEST_DATA "/publish/dinsdag_event.html"));
    EXPECT_TRUE(expected.open(QIODevice::ReadOnly));
    EXPECT_EQ(page, QString::fromLatin1(expected.readAll()));
    return results;
  }

  Menu* menu = nullptr;
};

}  // namespace mervalo::test
