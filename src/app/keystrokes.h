#pragma once

#include <QString>
#include <cstdint>
#include <vector>

namespace mervalo {

// One keyboard input record as the system's input queue takes it.
struct KeyInput {
  static constexpr quint32 kExtended = 1;
  static constexpr quint32 kKeyUp = 2;
  static constexpr quint32 kUnicode = 4;

  quint32 type = 1;  // keyboard
  quint16 vk = 0;    // virtual-key code; 0 for a Unicode character
  quint16 scan = 0;  // scan code, or the character for a Unicode record
  quint32 flags = 0;
  quint32 time = 0;
  quintptr extraInfo = 0;

  bool operator==(const KeyInput& o) const = default;
};

// Virtual-key codes the sender itself uses.
inline constexpr quint16 kVkShift = 16;
inline constexpr quint16 kVkControl = 17;
inline constexpr quint16 kVkMenu = 18;  // Alt
inline constexpr quint16 kVkReturn = 13;

// What the sender needs to know about the keyboard layout.
class KeyboardLayout {
 public:
  virtual ~KeyboardLayout() = default;
  // The key that types c: low byte the virtual key, high byte the shift state needed (1 Shift,
  // 2 Ctrl, 4 Alt); -1 when the layout has no key for it.
  virtual int keyForChar(QChar c) const = 0;
  // The scan code of a virtual key; 0 when unknown.
  virtual quint16 scanCode(quint16 vk) const = 0;
  // The character a virtual key types with or without Shift; a null QChar when none.
  virtual QChar charForKey(quint16 vk, bool shift) const = 0;
  virtual bool capsLock() const { return false; }
};

// The US keyboard layout.
class UsKeyboardLayout : public KeyboardLayout {
 public:
  explicit UsKeyboardLayout(bool capsLock = false) : capsLock_(capsLock) {}
  int keyForChar(QChar c) const override;
  quint16 scanCode(quint16 vk) const override;
  QChar charForKey(quint16 vk, bool shift) const override;
  bool capsLock() const override { return capsLock_; }

 private:
  bool capsLock_;
};

// Turns a key text into the input records that type it. The key text grammar: "+", "^", "%"
// hold Shift, Ctrl, Alt over the next token; "(...)" groups characters under one held modifier;
// "{NAME}" or "{NAME n}" presses a named key (or a character) n times, "{}}" types "}"; "~" is
// Enter; every other character is typed as the layout types it, or sent as a Unicode character
// when the layout has no key for it.
std::vector<KeyInput> keystrokesFor(const QString& keys, const KeyboardLayout& layout);

// The virtual-key code and extended mark of a key name ("END", "f5"), as the braces take it;
// false when the name is unknown.
bool lookupKeyName(const QString& name, quint16* vk, bool* extended);

}  // namespace mervalo
