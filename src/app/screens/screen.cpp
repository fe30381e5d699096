#include "screen.h"

#include <QCloseEvent>
#include <QGuiApplication>
#include <QPushButton>
#include <QScreen>

namespace mervalo {

Screen::Screen(AppContext& ctx, Screen* opener, QWidget* parent) : QWidget(parent), ctx_(ctx), opener_(opener) {
  setAttribute(Qt::WA_DeleteOnClose);
}

Screen::~Screen() = default;

Screen* AppContext::open(const QString& name, Screen* opener) {
  const auto it = screens.find(name);
  if (it == screens.end()) return nullptr;
  Screen* s = it->second(*this, opener);
  if (s) s->showAndActivate();
  return s;
}

Screen* Screen::openChild(const QString& formName) {
  if (!ctx_.hasScreen(formName)) return nullptr;
  setEnabled(false);
  Screen* child = ctx_.open(formName, this);
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

void Screen::closeEvent(QCloseEvent* event) {
  if (!formQueryUnload()) {
    event->ignore();
    return;
  }
  event->accept();
  if (opener_) opener_->returnFromChild();
}

}  // namespace mervalo
