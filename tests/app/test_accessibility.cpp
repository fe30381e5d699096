// Every window of the program, as a screen reader or an outside test driver meets it: a title,
// and a name for every control a user can reach.

#include <QAbstractButton>
#include <QAbstractItemView>
#include <QAbstractSlider>
#include <QAbstractSpinBox>
#include <QCheckBox>
#include <QRadioButton>
#include <QTableWidget>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPointer>
#include <QTest>

#include "app/screens/screen.h"
#include "scoring/screens/boardentryscreen.h"
#include "screentest.h"

using namespace mervalo;
using namespace mervalo::test;

namespace {

// The names of the reachable controls of a window that a screen reader could not name.
QStringList unnamedControls(QWidget* window) {
  QSet<QWidget*> labelled;
  for (QLabel* l : window->findChildren<QLabel*>())
    if (l->buddy()) labelled.insert(l->buddy());
  QStringList unnamed;
  for (QWidget* w : window->findChildren<QWidget*>()) {
    if (!w->isVisibleTo(window) || w->focusPolicy() == Qt::NoFocus) continue;
    if (w->objectName().startsWith("qt_") || w->objectName() == "cmdSetfocus") continue;
    QString name = w->accessibleName();
    if (auto* b = qobject_cast<QAbstractButton*>(w); b && name.isEmpty()) name = b->text();
    const bool input = qobject_cast<QLineEdit*>(w) || qobject_cast<QAbstractItemView*>(w) ||
                       qobject_cast<QComboBox*>(w) || qobject_cast<QAbstractSlider*>(w) ||
                       qobject_cast<QAbstractSpinBox*>(w) || qobject_cast<QAbstractButton*>(w);
    if (input && name.trimmed().isEmpty() && !labelled.contains(w)) unnamed << w->objectName();
  }
  return unnamed;
}

// The captions, boxes and grid cells of a window whose text does not fit the room it has, each
// as "object name: text"; a hidden or empty one is never cut.
QStringList cutTexts(QWidget* window) {
  QStringList cut;
  const auto report = [&](const QWidget* w, const QString& text) {
    cut << w->objectName() + ": " + text;
  };
  for (QLabel* l : window->findChildren<QLabel*>()) {
    const QString text = QString(l->text()).remove(QLatin1Char('&'));
    if (!l->isVisibleTo(window) || text.trimmed().isEmpty() || Qt::mightBeRichText(text) || !l->pixmap().isNull()) continue;
    const QRect room = l->contentsRect();
    const int flags = static_cast<int>(l->alignment()) | (l->wordWrap() ? Qt::TextWordWrap : 0);
    const QRect needed = l->fontMetrics().boundingRect(room, flags, text);
    if (needed.width() > room.width() || (l->wordWrap() && needed.height() > room.height())) report(l, text);
  }
  for (QAbstractButton* b : window->findChildren<QAbstractButton*>()) {
    const QString text = QString(b->text()).remove(QLatin1Char('&'));
    if (!b->isVisibleTo(window) || text.trimmed().isEmpty()) continue;
    const bool indicator = qobject_cast<QCheckBox*>(b) || qobject_cast<QRadioButton*>(b);
    // A check box needs its indicator as well; a push button its frame on both sides.
    const int needed = indicator ? b->sizeHint().width() : b->fontMetrics().horizontalAdvance(text) + 6;
    if (needed > b->width()) report(b, text);
  }
  // A control the window's edge cuts through (the focus parking buttons lie wholly outside).
  for (QWidget* w : window->findChildren<QWidget*>()) {
    if (!w->isVisibleTo(window) || !(qobject_cast<QAbstractButton*>(w) || qobject_cast<QLabel*>(w))) continue;
    if (qobject_cast<QAbstractItemView*>(w->parentWidget()) || qobject_cast<QAbstractItemView*>(w->parentWidget() ? w->parentWidget()->parentWidget() : nullptr)) continue;
    const QRect place(w->mapTo(window, QPoint(0, 0)), w->size());
    if (window->rect().intersects(place) && !window->rect().contains(place)) report(w, "beyond the window's edge");
  }
  for (QTableWidget* t : window->findChildren<QTableWidget*>()) {
    if (!t->isVisibleTo(window) || t->objectName().isEmpty()) continue;  // not the frozen panes
    // The item's text sits between the view's margins of about three pixels on each side.
    for (int c = 0; c < t->columnCount(); ++c) {
      if (t->isColumnHidden(c) || t->columnWidth(c) <= 1) continue;
      for (int r = 0; r < t->rowCount(); ++r) {
        const QTableWidgetItem* item = t->item(r, c);
        if (!item || item->text().isEmpty() || t->isRowHidden(r)) continue;
        if (t->fontMetrics().horizontalAdvance(item->text()) + 6 > t->columnWidth(c))
          report(t, QStringLiteral("(%1,%2) ").arg(r).arg(c) + item->text());
      }
    }
  }
  return cut;
}

class AccessibilityTest : public ScreenTest {
 protected:
  AccessibilityTest() {
    registerAllScreens(ctx);
    writeFile("/namen/Club.txt", {"1|Dhr.|Jan|Smit|jan@club.nl"});
    writeFile("/schema/10/04 Paren 03 Ronden Test.txt",
              {"04 Paren 03 Ronden Test", "Ronde 1\t1-2 (1-4)\t3-4 (1-4)",
               "Ronde 2\t1-3 (5-8)\t2-4 (5-8)", "Ronde 3\t1-4 (9-12)\t2-3 (9-12)"});
    writeFile("/groepen/Dinsdag Groep A.txt",
              {"1| Dhr. A Een+2| Mevr. B Twee", "3| Dhr. C Drie+4| Mevr. D Vier",
               "5| Dhr. E Vijf+6| Mevr. F Zes", "7| Dhr. G Zeven+8| Mevr. H Acht"});
    ctx.values.groupFileName = "Dinsdag Groep A.txt";
    ctx.values.eventFileName = "Dinsdag Groep A Uitslag.txt";
    // Twelve boards: a full line of board buttons.
    QStringList event = {"Dinsdag Groep A Uitslag", "4", "Geen", "3", "4", "04 Paren 03 Ronden Test", "0"};
    const QStringList tables[3] = {{"1|2", "3|4"}, {"1|3", "2|4"}, {"1|4", "2|3"}};
    for (int b = 1; b <= 12; ++b) {
      const QStringList& t = tables[(b - 1) / 4];
      event << QStringLiteral("%1*%2|||420|-420|0|0@%3|||400|-400|0|0").arg(b, 2, 10, QLatin1Char('0')).arg(t[0], t[1]);
    }
    writeFile("/invoer/Dinsdag Groep A Uitslag.txt", event);
    menu = new Screen(ctx, nullptr);
    menu->setObjectName("menu");
    menu->show();
  }

  // A title and every control named; unless told otherwise, no text cut off either.
  void check(QWidget* window, bool cutOff = true) {
    ASSERT_TRUE(window);
    SCOPED_TRACE(window->objectName().toStdString());
    EXPECT_FALSE(window->windowTitle().trimmed().isEmpty());
    EXPECT_EQ(unnamedControls(window), QStringList());
    if (cutOff) {
      EXPECT_EQ(cutTexts(window), QStringList());
    }
  }

  Screen* menu = nullptr;
};

}  // namespace

// Run at scale 1 and, as a second test, at a scale factor of 1.5 as a HiDPI desktop has it.
TEST_F(AccessibilityTest, EveryWindowIsNamedAndNoCaptionOrCellIsCutOff) {
  const auto closeAndWait = [](QPointer<Screen> s) {
    if (s) s->close();
    EXPECT_TRUE(QTest::qWaitFor([&] { return s.isNull(); }));
  };
  for (const ScreenId id : {ScreenId::NameLists, ScreenId::Groups, ScreenId::EventStart, ScreenId::MailSettings}) {
    QPointer<Screen> s = menu->openChild(id);
    check(s);
    closeAndWait(s);
  }

  QPointer<Screen> groups = menu->openChild(ScreenId::Groups);
  ASSERT_TRUE(groups);
  QPointer<Screen> calendar = groups->openChild(ScreenId::DatePicker);
  check(calendar, false);
  closeAndWait(calendar);
  closeAndWait(groups);

  ctx.screens.erase(ScreenId::EventStart);
  auto* entry = dynamic_cast<BoardEntryScreen*>(menu->openChild(ScreenId::BoardEntry));
  ASSERT_TRUE(entry);
  entry->activateWindow();
  EXPECT_TRUE(QTest::qWaitFor([&] { return entry->isActiveWindow(); }));
  check(entry);
  entry->cmdUitslag_Click();
  check(topLevel("frmMervalo08"));
  EXPECT_EQ(prompter.count(), 0) << (prompter.count() ? prompter.last().text.toStdString() : std::string());
}
