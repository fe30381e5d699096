#include "guidewalk.h"

#include <QAbstractButton>
#include <QApplication>
#include <QDeadlineTimer>
#include <QDir>
#include <QImageWriter>
#include <QLineEdit>
#include <QListWidget>
#include <QMessageBox>
#include <QPointer>
#include <QTableWidget>
#include <QTest>
#include <QTimer>
#include <QWindow>
#include <cstdio>
#include <cstdlib>
#include <memory>

namespace mervalo::guide {

void Walk::fail(const QString& why) const {
  std::fprintf(stderr, "screenshots: %s: %s\n", qPrintable(step_), qPrintable(why));
  std::fflush(stderr);
  if (cleanUp_) cleanUp_();
  // The failure may come from inside a message box's own event loop: end here rather than
  // unwind through Qt.
  std::_Exit(1);
}

void Walk::guardAgainstStrayWindows() {
  auto* timer = new QTimer(qApp);
  timer->setInterval(1'000);
  auto since = std::make_shared<QPair<QPointer<QWidget>, int>>();
  QObject::connect(timer, &QTimer::timeout, timer, [this, since] {
    QWidget* modal = QApplication::activeModalWidget();
    if (modal != since->first) {
      *since = {modal, 0};
      return;
    }
    if (modal && ++since->second >= 20)
      fail(QStringLiteral("a window nobody answers blocks the walk: %1 \"%2\"")
               .arg(QLatin1String(modal->metaObject()->className()), modal->windowTitle()));
  });
  timer->start();
}

QWidget* Walk::window(const QString& name) {
  QWidget* found = nullptr;
  waitUntil(
      [&] {
        for (QWidget* w : QApplication::topLevelWidgets())
          if (w->objectName() == name && w->isVisible() && w->isEnabled()) found = w;
        return found != nullptr;
      },
      QStringLiteral("window %1 to appear").arg(name));
  if (!QTest::qWaitForWindowExposed(found)) fail(QStringLiteral("window %1 is never drawn").arg(name));
  return found;
}

void Walk::waitGone(const QString& name) {
  waitUntil(
      [&] {
        for (QWidget* w : QApplication::topLevelWidgets())
          if (w->objectName() == name && w->isVisible()) return false;
        return true;
      },
      QStringLiteral("window %1 to close").arg(name));
}

void Walk::waitUntil(const std::function<bool()>& condition, const QString& what, int ms) {
  if (!QTest::qWaitFor(condition, ms)) fail(QStringLiteral("waited in vain for ") + what);
}

QWidget* Walk::control(QWidget* window, const QString& name) const {
  auto* w = window->findChild<QWidget*>(name);
  if (!w) fail(QStringLiteral("no control %1 in %2").arg(name, window->objectName()));
  return w;
}

QWidget* Walk::usable(QWidget* window, const QString& name) const {
  QWidget* w = control(window, name);
  if (!w->isVisible()) fail(QStringLiteral("%1 in %2 is hidden").arg(name, window->objectName()));
  if (!w->isEnabled()) fail(QStringLiteral("%1 in %2 is disabled").arg(name, window->objectName()));
  return w;
}

void Walk::click(QWidget* window, const QString& name) {
  QWidget* w = usable(window, name);
  if (!qobject_cast<QAbstractButton*>(w)) fail(QStringLiteral("%1 in %2 is not a button").arg(name, window->objectName()));
  QTest::mouseClick(w, Qt::LeftButton);
}

void Walk::type(QWidget* window, const QString& box, const QString& text) {
  auto* edit = qobject_cast<QLineEdit*>(usable(window, box));
  if (!edit) fail(QStringLiteral("%1 in %2 is not a text box").arg(box, window->objectName()));
  edit->setFocus(Qt::OtherFocusReason);
  QTest::keyClicks(edit, text);
}

void Walk::key(QWidget* window, const QString& box, Qt::Key k) { QTest::keyClick(usable(window, box), k); }

void Walk::pick(QWidget* window, const QString& list, const QString& entry) {
  auto* l = qobject_cast<QListWidget*>(usable(window, list));
  if (!l) fail(QStringLiteral("%1 in %2 is not a list").arg(list, window->objectName()));
  const auto found = l->findItems(entry, Qt::MatchExactly);
  if (found.isEmpty()) {
    QStringList there;
    for (int i = 0; i < l->count(); ++i) there << l->item(i)->text();
    fail(QStringLiteral("%1 has no entry \"%2\" (it holds: %3)").arg(list, entry, there.join(QStringLiteral(", "))));
  }
  l->scrollToItem(found.first());
  QTest::mouseClick(l->viewport(), Qt::LeftButton, {}, l->visualItemRect(found.first()).center());
}

void Walk::pickCell(QWidget* window, const QString& table, int row, int col) {
  auto* t = qobject_cast<QTableWidget*>(usable(window, table));
  if (!t) fail(QStringLiteral("%1 in %2 is not a grid").arg(table, window->objectName()));
  if (row < 0 || row >= t->rowCount() || col < 0 || col >= t->columnCount())
    fail(QStringLiteral("%1 has no cell %2,%3").arg(table).arg(row).arg(col));
  const QModelIndex index = t->model()->index(row, col);
  t->scrollTo(index);
  QTest::mouseClick(t->viewport(), Qt::LeftButton, {}, t->visualRect(index).center());
}

int Walk::rowWith(QWidget* window, const QString& table, int col, const QString& text) const {
  auto* t = control<QTableWidget>(window, table);
  for (int r = 0; r < t->rowCount(); ++r)
    if (const QTableWidgetItem* item = t->item(r, col); item && item->text() == text) return r;
  fail(QStringLiteral("%1 has no row with \"%2\" in column %3").arg(table, text).arg(col));
}

void Walk::shoot(QWidget* widget, const QString& slug, bool settle) {
  // Whatever the last action changed must be laid out before the picture.
  if (settle) QCoreApplication::processEvents();
  const QImage picture = widget->grab().toImage();
  const QString file = QDir(outDir_).filePath(QStringLiteral("%1-%2.png").arg(++shots_, 2, 10, QLatin1Char('0')).arg(slug));
  QImageWriter writer(file, "png");
  writer.setQuality(0);  // the strongest compression: the pictures live in the repository
  if (!writer.write(picture)) fail(QStringLiteral("cannot write %1: %2").arg(file, writer.errorString()));
}

void whenModal(Walk& walk, const QString& what, std::function<bool(QWidget*)> act) {
  auto* timer = new QTimer(qApp);
  timer->setInterval(20);
  const QDeadlineTimer deadline(15'000);
  QObject::connect(timer, &QTimer::timeout, timer, [&walk, timer, what, deadline, act = std::move(act)] {
    QWidget* modal = QApplication::activeModalWidget();
    if (modal && modal->isVisible() && modal->windowHandle() && modal->windowHandle()->isExposed() && act(modal)) {
      timer->stop();
      timer->deleteLater();
      return;
    }
    if (deadline.hasExpired()) walk.fail(QStringLiteral("no %1 appeared").arg(what));
  });
  timer->start();
}

void GuidePrompter::expect(int textNumber, PromptAnswer answer, const QString& slug) {
  expected_.push_back({textNumber, answer, slug});
}

void GuidePrompter::checkAllShown() const {
  if (!expected_.empty())
    walk_.fail(QStringLiteral("the message \"%1\" was never shown").arg(values_->message(expected_.front().textNumber)));
}

PromptAnswer GuidePrompter::ask(const Prompt& prompt, QWidget* parent) {
  if (expected_.empty()) walk_.fail(QStringLiteral("unexpected message: ") + prompt.text);
  const Expected e = expected_.front();
  expected_.pop_front();
  // The fixed part of the text: up to the first place where the screen puts a name or value.
  QString fixed = values_->message(e.textNumber);
  for (const QChar mark : {QLatin1Char('~'), QLatin1Char('#'), QLatin1Char('<')})
    if (const qsizetype at = fixed.indexOf(mark); at >= 0) fixed.truncate(at);
  if (!prompt.text.startsWith(fixed))
    walk_.fail(QStringLiteral("expected message %1 (\"%2\"), got \"%3\"").arg(e.textNumber).arg(fixed, prompt.text));

  QMessageBox::StandardButton button = QMessageBox::Ok;
  switch (e.answer) {
    case PromptAnswer::Yes: button = QMessageBox::Yes; break;
    case PromptAnswer::No: button = QMessageBox::No; break;
    case PromptAnswer::Cancel: button = QMessageBox::Cancel; break;
    case PromptAnswer::Ok: button = QMessageBox::Ok; break;
  }
  whenModal(walk_, QStringLiteral("message box"), [this, e, button](QWidget* modal) {
    auto* box = qobject_cast<QMessageBox*>(modal);
    if (!box) return false;
    if (!e.slug.isEmpty()) walk_.shoot(box, e.slug);
    QAbstractButton* b = box->button(button);
    if (!b) walk_.fail(QStringLiteral("the message box has no button for the answer"));
    QTest::mouseClick(b, Qt::LeftButton);
    return true;
  });
  return real_.ask(prompt, parent);
}

}  // namespace mervalo::guide
