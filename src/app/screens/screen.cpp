#include "screen.h"

#include "app/fileops.h"

#include <QCloseEvent>
#include <QKeyEvent>
#include <QLineEdit>
#include <QFileInfo>
#include <QGuiApplication>
#include <QPushButton>
#include <QShortcut>
#include <QScreen>

namespace mervalo {

Screen::Screen(AppContext& ctx, Screen* opener, QWidget* parent) : QWidget(parent), ctx_(ctx), opener_(opener) {
  setAttribute(Qt::WA_DeleteOnClose);
}

Screen::~Screen() = default;

Screen* AppContext::open(ScreenId id, Screen* opener) {
  const auto it = screens.find(id);
  if (it == screens.end()) return nullptr;
  Screen* s = it->second(*this, opener);
  if (s) s->showAndActivate();
  return s;
}

Screen* Screen::openChild(ScreenId id) {
  if (!ctx_.hasScreen(id)) return nullptr;
  setEnabled(false);
  Screen* child = ctx_.open(id, this);
  if (!child) setEnabled(true);
  return child;
}

void Screen::returnFromChild() {
  setEnabled(true);
  if (!isVisible()) show();
  activateWindow();
  formActivate();
}

void Screen::parkFocus() {
  if (focusSink_) safeFocus(focusSink_);
}

void Screen::safeFocus(QWidget* control) {
  if (!control || !isVisible() || !isEnabled()) return;
  if (!control->isVisible() || !control->isEnabled()) return;
  control->setFocus(Qt::OtherFocusReason);
}

void Screen::caretToEnd(QLineEdit* box) {
  safeFocus(box);
  if (box && box->isVisible() && box->isEnabled()) box->end(false);
}

void Screen::centreOnScreen() {
  const QScreen* scr = screen() ? screen() : QGuiApplication::primaryScreen();
  if (!scr) return;
  const QRect area = scr->geometry();
  move(area.x() + (area.width() - width()) / 2, area.y() + (area.height() - height()) / 2);
}

void Screen::showAndActivate() {
  show();
  raise();
  activateWindow();
  formActivate();
}

bool Screen::removeFilesOrReport(const QStringList& paths) {
  QStringList failed = removeFiles(paths);
  if (failed.isEmpty()) return true;
  for (QString& f : failed) f = QFileInfo(f).fileName();
  inform(message(183).replace(QLatin1Char('~'), failed.join(QStringLiteral(", "))));
  return false;
}

void Screen::inform(const QString& text, PromptIcon icon) {
  if (ctx_.prompter) ctx_.prompter->inform(text, windowTitle(), icon, this);
}

bool Screen::askYesNo(const QString& text) {
  return ctx_.prompter && ctx_.prompter->yesNo(text, windowTitle(), this);
}

QPushButton* Screen::makeFocusSink(const QString& objectName) {
  focusSink_ = new QPushButton(this);
  focusSink_->setObjectName(objectName);
  focusSink_->setAccessibleName(QStringLiteral("focus"));
  focusSink_->setFixedSize(1, 1);
  focusSink_->move(width() + 100, 0);
  return focusSink_;
}

void Screen::resizeEvent(QResizeEvent* event) {
  QWidget::resizeEvent(event);
  if (focusSink_) focusSink_->move(width() + 100, 0);
}

void Screen::setTabChain(std::initializer_list<QWidget*> order) {
  QWidget* previous = nullptr;
  for (QWidget* w : order) {
    if (previous) setTabOrder(previous, w);
    previous = w;
  }
}

void Screen::closeOnKeys(EscapeKey escape, bool ctrlF4, std::function<void()> closer) {
  escape_ = escape;
  closer_ = closer ? std::move(closer) : [this] { close(); };
  if (ctrlF4) {
    auto* shortcut = new QShortcut(QKeySequence(Qt::CTRL | Qt::Key_F4), this);
    connect(shortcut, &QShortcut::activated, this, [this] { closer_(); });
  }
}

bool Screen::closingKey(QKeyEvent* event, bool press) {
  if (escape_ == EscapeKey::Ignored || event->key() != Qt::Key_Escape || event->isAutoRepeat() || !isEnabled())
    return false;
  if (press && escape_ == EscapeKey::ClosesOnRelease) {
    escapePressed_ = true;
    return false;
  }
  if (!press && (escape_ != EscapeKey::ClosesOnRelease || !escapePressed_)) return false;
  escapePressed_ = false;
  closer_();
  return true;
}

bool Screen::eventFilter(QObject* watched, QEvent* event) {
  if ((event->type() == QEvent::KeyPress || event->type() == QEvent::KeyRelease) &&
      closingKey(static_cast<QKeyEvent*>(event), event->type() == QEvent::KeyPress))
    return true;
  return QWidget::eventFilter(watched, event);
}

void Screen::keyReleaseEvent(QKeyEvent* event) {
  if (closingKey(event, false)) return;
  QWidget::keyReleaseEvent(event);
}

void Screen::keyPressEvent(QKeyEvent* event) {
  if (closingKey(event, true)) return;
  if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) {
    // Push buttons only: Enter must not tick a check box or pick an option.
    auto* button = qobject_cast<QPushButton*>(focusWidget());
    if (button && button != focusSink_ && button->isEnabled() && button->isVisible()) {
      button->click();
      return;
    }
  }
  QWidget::keyPressEvent(event);
}

void Screen::closeEvent(QCloseEvent* event) {
  if (!formQueryUnload()) {
    event->ignore();
    return;
  }
  event->accept();
  if (opener_) opener_->returnFromChild();
}

}  // namespace mervalo
