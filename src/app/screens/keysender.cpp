#include "keysender.h"

#include <QApplication>
#include <QKeyEvent>
#include <QPointer>
#include <QWidget>

namespace mervalo {

namespace {

const UsKeyboardLayout& defaultLayout() {
  static const UsKeyboardLayout layout;
  return layout;
}

struct QtKey {
  int key;
  QString text;
};

// The Qt key and typed text of a virtual key under the given Shift state.
QtKey qtKeyFor(const KeyInput& e, bool shift, const KeyboardLayout& layout) {
  if (e.flags & KeyInput::kUnicode) {
    const QChar c(e.scan);
    return {c.isLetter() ? static_cast<int>(c.toUpper().unicode()) : static_cast<int>(Qt::Key_unknown), QString(c)};
  }
  switch (e.vk) {
    case 8: return {Qt::Key_Backspace, QStringLiteral("\b")};
    case 9: return {shift ? Qt::Key_Backtab : Qt::Key_Tab, QStringLiteral("\t")};
    case 13: return {Qt::Key_Return, QStringLiteral("\r")};
    case 16: return {Qt::Key_Shift, {}};
    case 17: return {Qt::Key_Control, {}};
    case 18: return {Qt::Key_Alt, {}};
    case 19: return {Qt::Key_Pause, {}};
    case 20: return {Qt::Key_CapsLock, {}};
    case 27: return {Qt::Key_Escape, QString(QChar(27))};
    case 33: return {Qt::Key_PageUp, {}};
    case 34: return {Qt::Key_PageDown, {}};
    case 35: return {Qt::Key_End, {}};
    case 36: return {Qt::Key_Home, {}};
    case 37: return {Qt::Key_Left, {}};
    case 38: return {Qt::Key_Up, {}};
    case 39: return {Qt::Key_Right, {}};
    case 40: return {Qt::Key_Down, {}};
    case 41: return {Qt::Key_Select, {}};
    case 42: return {Qt::Key_Print, {}};
    case 44: return {Qt::Key_Print, {}};
    case 45: return {Qt::Key_Insert, {}};
    case 46: return {Qt::Key_Delete, {}};
    case 47: return {Qt::Key_Help, {}};
    case 144: return {Qt::Key_NumLock, {}};
    case 145: return {Qt::Key_ScrollLock, {}};
    default: break;
  }
  if (e.vk >= 112 && e.vk <= 127) return {Qt::Key_F1 + (e.vk - 112), {}};
  const QChar c = layout.charForKey(e.vk, shift);
  if (c.isNull()) return {Qt::Key_unknown, {}};
  // Qt names a printable key by its unshifted, upper-case character.
  const QChar base = layout.charForKey(e.vk, false);
  return {static_cast<int>(base.toUpper().unicode()), QString(c)};
}

}  // namespace

void deliverKeystrokes(const std::vector<KeyInput>& events, QWidget* target, const KeyboardLayout* layout) {
  const KeyboardLayout& lay = layout ? *layout : defaultLayout();
  QPointer<QWidget> fixed(target);
  Qt::KeyboardModifiers mods;
  for (const KeyInput& e : events) {
    const bool up = e.flags & KeyInput::kKeyUp;
    Qt::KeyboardModifier changed = Qt::NoModifier;
    if (!(e.flags & KeyInput::kUnicode)) {
      if (e.vk == kVkShift) changed = Qt::ShiftModifier;
      if (e.vk == kVkControl) changed = Qt::ControlModifier;
      if (e.vk == kVkMenu) changed = Qt::AltModifier;
    }
    // A modifier's own press carries itself; its release no longer does.
    if (changed != Qt::NoModifier && !up) mods |= changed;
    // The focus may move while typing (Tab, Enter): follow it unless a target was given.
    QWidget* to = target ? fixed.data() : QApplication::focusWidget();
    if (to) {
      const QtKey k = qtKeyFor(e, mods.testFlag(Qt::ShiftModifier), lay);
      const bool isModifierKey = changed != Qt::NoModifier;
      const QString text = isModifierKey || mods.testFlag(Qt::ControlModifier) || mods.testFlag(Qt::AltModifier)
                               ? QString()
                               : k.text;
      QKeyEvent ev(up ? QEvent::KeyRelease : QEvent::KeyPress, k.key, mods, e.scan, e.vk, 0, text);
      QCoreApplication::sendEvent(to, &ev);
    }
    if (changed != Qt::NoModifier && up) mods &= ~changed;
    if (target && !fixed) return;  // the target went away while typing
  }
}

void sendKeys(const QString& keys, QWidget* target) {
  if (keys.isEmpty()) return;
  deliverKeystrokes(keystrokesFor(keys, defaultLayout()), target);
}

}  // namespace mervalo
