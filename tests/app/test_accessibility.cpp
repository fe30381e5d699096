// Every window of the program, as a screen reader or an outside test driver meets it: a title,
// and a name for every control a user can reach.

#include <QAbstractButton>
#include <QAbstractItemView>
#include <QAbstractSlider>
#include <QAbstractSpinBox>
#include <QApplication>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPointer>
#include <QPushButton>
#include <QTest>

#include "app/screens/screen.h"
#include "scoring/screens/boardentryscreen.h"
#include "screentest.h"

using namespace mervalo;
using namespace mervalo::test;

namespace {

class Menu : public Screen {
 public:
  explicit Menu(AppContext& c) : Screen(c, nullptr) { setObjectName(QStringLiteral("menu")); }
};

// The names of the reachable controls of a window that a screen reader could not name.
QStringList unnamedControls(QWidget* window) {
  QSet<QWidget*> labelled;
  for (QLabel* l : window->findChildren<QLabel*>())
    if (l->buddy()) labelled.insert(l->buddy());
  QStringList unnamed;
  for (QWidget* w : window->findChildren<QWidget*>()) {
    if (!w->isVisibleTo(window) || w->focusPolicy() == Qt::NoFocus) continue;
    if (w->objectName().startsWith(QStringLiteral("qt_")) || w->objectName() == QStringLiteral("cmdSetfocus")) continue;
    QString name = w->accessibleName();
    if (auto* b = qobject_cast<QAbstractButton*>(w); b && name.isEmpty()) name = b->text();
    const bool input = qobject_cast<QLineEdit*>(w) || qobject_cast<QAbstractItemView*>(w) ||
                       qobject_cast<QComboBox*>(w) || qobject_cast<QAbstractSlider*>(w) ||
                       qobject_cast<QAbstractSpinBox*>(w) || qobject_cast<QAbstractButton*>(w);
    if (input && name.trimmed().isEmpty() && !labelled.contains(w)) unnamed << w->objectName();
  }
  return unnamed;
}

class AccessibilityTest : public ScreenTest {
 protected:
  AccessibilityTest() {
    registerAllScreens(ctx);
    writeFile(QStringLiteral("/namen/Club.txt"), {QStringLiteral("1|Dhr.|Jan|Smit|jan@club.nl")});
    writeFile(QStringLiteral("/schema/10/04 Paren 03 Ronden Test.txt"),
              {QStringLiteral("04 Paren 03 Ronden Test"), QStringLiteral("Ronde 1\t1-2 (1-2)\t3-4 (1-2)"),
               QStringLiteral("Ronde 2\t1-3 (3-4)\t2-4 (3-4)"), QStringLiteral("Ronde 3\t1-4 (5-6)\t2-3 (5-6)")});
    writeFile(QStringLiteral("/groepen/Dinsdag Groep A.txt"),
              {QStringLiteral("1| Dhr. A Een+2| Mevr. B Twee"), QStringLiteral("3| Dhr. C Drie+4| Mevr. D Vier"),
               QStringLiteral("5| Dhr. E Vijf+6| Mevr. F Zes"), QStringLiteral("7| Dhr. G Zeven+8| Mevr. H Acht")});
    ctx.values.groupFileName = QStringLiteral("Dinsdag Groep A.txt");
    ctx.values.eventFileName = QStringLiteral("Dinsdag Groep A Uitslag.txt");
    QStringList event = {"Dinsdag Groep A Uitslag", "4", "Geen", "3", "2", "04 Paren 03 Ronden Test", "0"};
    const QStringList tables[3] = {{"1|2", "3|4"}, {"1|3", "2|4"}, {"1|4", "2|3"}};
    for (int b = 1; b <= 6; ++b) {
      const QStringList& t = tables[(b - 1) / 2];
      event << QStringLiteral("%1*%2|||420|-420|0|0@%3|||400|-400|0|0").arg(b, 2, 10, QLatin1Char('0')).arg(t[0], t[1]);
    }
    writeFile(QStringLiteral("/invoer/Dinsdag Groep A Uitslag.txt"), event);
    menu = new Menu(ctx);
    menu->show();
  }
  ~AccessibilityTest() override { delete menu; }

  void expectNamed(QWidget* window) {
    ASSERT_TRUE(window);
    EXPECT_FALSE(window->windowTitle().trimmed().isEmpty()) << window->objectName().toStdString();
    EXPECT_EQ(unnamedControls(window), QStringList()) << window->objectName().toStdString();
  }

  Menu* menu = nullptr;
};

}  // namespace

TEST_F(AccessibilityTest, EveryWindowHasATitleAndEveryControlAName) {
  for (const char* name : {"frmMervalo02", "frmMervalo03", "frmMervalo04"}) {
    QPointer<Screen> s = menu->openChild(QString::fromLatin1(name));
    expectNamed(s);
    if (s) s->close();
    EXPECT_TRUE(QTest::qWaitFor([&] { return s.isNull(); }));
  }

  QPointer<Screen> groups = menu->openChild(QStringLiteral("frmMervalo03"));
  ASSERT_TRUE(groups);
  QPointer<Screen> calendar = groups->openChild(QStringLiteral("frmMervalo05"));
  expectNamed(calendar);
  if (calendar) calendar->close();
  EXPECT_TRUE(QTest::qWaitFor([&] { return calendar.isNull(); }));
  groups->close();
  EXPECT_TRUE(QTest::qWaitFor([&] { return groups.isNull(); }));

  ctx.screens.erase(QStringLiteral("frmMervalo04"));
  auto* entry = dynamic_cast<BoardEntryScreen*>(menu->openChild(QStringLiteral("frmMervalo06")));
  ASSERT_TRUE(entry);
  entry->activateWindow();
  EXPECT_TRUE(QTest::qWaitFor([&] { return entry->isActiveWindow(); }));
  expectNamed(entry);
  entry->cmdUitslag_Click();
  expectNamed(topLevel(QStringLiteral("frmMervalo08")));
  EXPECT_EQ(prompter.count(), 0) << (prompter.count() ? prompter.last().text.toStdString() : std::string());
}
