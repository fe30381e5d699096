#include "keystrokes.h"

#include <QHash>
#include <algorithm>

#include "numeric.h"

namespace mervalo {

namespace {

struct NamedKey {
  quint16 vk;
  bool extended;
};

const QHash<QString, NamedKey>& keyNames() {
  static const QHash<QString, NamedKey> table = [] {
    QHash<QString, NamedKey> t;
    auto add = [&t](std::initializer_list<const char*> names, quint16 vk, bool ext) {
      for (const char* n : names) t.insert(QString::fromLatin1(n), NamedKey{vk, ext});
    };
    add({"BACKSPACE", "BS", "BKSP"}, 8, false);
    add({"BREAK"}, 19, true);
    add({"CAPSLOCK"}, 20, false);
    add({"DELETE", "DEL"}, 46, true);
    add({"DOWN"}, 40, true);
    add({"END"}, 35, true);
    add({"ENTER"}, 13, false);
    add({"ESC"}, 27, false);
    add({"HELP"}, 47, false);
    add({"HOME"}, 36, true);
    add({"INS", "INSERT"}, 45, true);
    add({"LEFT"}, 37, true);
    add({"NUMLOCK"}, 144, true);
    add({"PGDN"}, 34, true);
    add({"PGUP"}, 33, true);
    add({"PAUSE"}, 19, false);
    add({"PRINT"}, 42, true);
    add({"PRTSC", "PRTSCN", "PRINTSCRN", "PRINTSCREEN"}, 44, true);
    add({"RIGHT"}, 39, true);
    add({"SCROLLLOCK"}, 145, false);
    add({"SELECT"}, 41, false);
    add({"TAB"}, 9, false);
    add({"UP"}, 38, true);
    for (int f = 1; f <= 16; ++f) t.insert(QStringLiteral("F%1").arg(f), NamedKey{static_cast<quint16>(111 + f), false});
    return t;
  }();
  return table;
}

constexpr int kShiftHeld = 1;
constexpr int kCtrlHeld = 2;
constexpr int kAltHeld = 4;
constexpr int kMaxRepeat = 1000;

class Parser {
 public:
  Parser(const QString& keys, const KeyboardLayout& layout) : keys_(keys), layout_(layout) {}

  std::vector<KeyInput> run() {
    while (pos_ < keys_.size()) parseToken();
    return std::move(events_);
  }

 private:
  void add(quint16 vk, quint16 scan, quint32 flags) {
    KeyInput k;
    k.vk = vk;
    k.scan = scan;
    k.flags = flags;
    events_.push_back(k);
  }

  void parseToken() {
    // Modifier prefixes each hold their key over the one token that follows; they are
    // collected in a loop rather than by recursion so that a long run of them cannot exhaust
    // the stack.
    std::vector<std::pair<quint16, int>> held;
    while (pos_ < keys_.size() && isModifier(keys_[pos_])) {
      const QChar m = keys_[pos_++];
      const quint16 vk = m == QLatin1Char('+') ? kVkShift : m == QLatin1Char('^') ? kVkControl : kVkMenu;
      const int bit = m == QLatin1Char('+') ? kShiftHeld : m == QLatin1Char('^') ? kCtrlHeld : kAltHeld;
      add(vk, 0, 0);
      held.emplace_back(vk, modifiers_);
      modifiers_ |= bit;
    }
    parseSimpleToken();
    for (auto it = held.rbegin(); it != held.rend(); ++it) {
      add(it->first, 0, KeyInput::kKeyUp);
      modifiers_ = it->second;
    }
  }

  static bool isModifier(QChar c) { return c == QLatin1Char('+') || c == QLatin1Char('^') || c == QLatin1Char('%'); }

  void parseSimpleToken() {
    if (pos_ >= keys_.size()) return;  // a modifier at the very end holds nothing
    const QChar c = keys_[pos_++];
    if (c == QLatin1Char('(')) {
      const qsizetype open = pos_ - 1;
      const qsizetype close = keys_.indexOf(QLatin1Char(')'), open);
      if (close < 0 || close == open + 1) return;
      for (qsizetype i = open + 1; i < close; ++i) plainChar(keys_[i], 1);
      pos_ = close + 1;
    } else if (c == QLatin1Char('{')) {
      const qsizetype open = pos_ - 1;
      const qsizetype close = keys_.indexOf(QLatin1Char('}'), open + 2);
      if (close < 0) return;
      const QStringList parts = keys_.mid(open + 1, close - open - 1).split(QLatin1Char(' '));
      const QString key = parts.value(0);
      // A repeat count beyond any sensible use is cut off rather than allowed to eat memory.
      const int count = parts.size() > 1 ? std::min(roundHalfEven(numericValue(parts[1])), kMaxRepeat) : 1;
      pos_ = close + 1;
      quint16 vk = 0;
      bool extended = false;
      if (lookupKeyName(key, &vk, &extended)) {
        for (int i = 0; i < count; ++i) keystroke(vk, false, extended, false);
      } else if (!key.isEmpty()) {
        plainChar(key[0], count);
      }
    } else {
      plainChar(c, 1);
    }
  }

  void plainChar(QChar c, int count) {
    if (count <= 0) return;
    const ushort code = c.unicode();
    if (code <= 255) {
      if (c == QLatin1Char('~')) {
        for (int i = 0; i < count; ++i) keystroke(kVkReturn, false, false, false);
        return;
      }
      const int key = layout_.keyForChar(c);
      if (key != -1) {
        const int state = (key >> 8) & 0xFF;
        bool shift = state & 1;
        const bool isLetter = (c >= QLatin1Char('A') && c <= QLatin1Char('Z')) || (c >= QLatin1Char('a') && c <= QLatin1Char('z'));
        if (isLetter && layout_.capsLock()) shift = !shift;
        const bool ctrlAlt = state & (2 | 4);
        for (int i = 0; i < count; ++i) keystroke(static_cast<quint16>(key & 0xFF), shift, false, ctrlAlt);
        return;
      }
    }
    for (int i = 0; i < count; ++i) {
      add(0, code, KeyInput::kUnicode);
      add(0, code, KeyInput::kUnicode | KeyInput::kKeyUp);
    }
  }

  void keystroke(quint16 vk, bool needShift, bool extended, bool needCtrlAlt) {
    const bool pressShift = needShift && !(modifiers_ & kShiftHeld);
    if (pressShift) add(kVkShift, 0, 0);
    if (needCtrlAlt) {
      add(kVkControl, 0, 0);
      add(kVkMenu, 0, 0);
    }
    const quint32 ext = extended ? KeyInput::kExtended : 0;
    add(vk, 0, ext);
    add(vk, layout_.scanCode(vk), KeyInput::kKeyUp | ext);
    if (needCtrlAlt) {
      add(kVkControl, 0, KeyInput::kKeyUp);
      add(kVkMenu, 0, KeyInput::kKeyUp);
    }
    if (pressShift) add(kVkShift, 0, KeyInput::kKeyUp);
  }

  const QString& keys_;
  const KeyboardLayout& layout_;
  qsizetype pos_ = 0;
  int modifiers_ = 0;
  std::vector<KeyInput> events_;
};

// US layout: the unshifted and shifted characters of the punctuation keys.
struct PunctKey {
  quint16 vk;
  char plain;
  char shifted;
};
constexpr PunctKey kPunct[] = {
    {0xBA, ';', ':'}, {0xBB, '=', '+'}, {0xBC, ',', '<'}, {0xBD, '-', '_'}, {0xBE, '.', '>'}, {0xBF, '/', '?'},
    {0xC0, '`', '~'}, {0xDB, '[', '{'}, {0xDC, '\\', '|'}, {0xDD, ']', '}'}, {0xDE, '\'', '"'},
};
constexpr char kShiftedDigits[] = ")!@#$%^&*(";

}  // namespace

bool lookupKeyName(const QString& name, quint16* vk, bool* extended) {
  const auto it = keyNames().constFind(name.toUpper());
  if (it == keyNames().cend()) return false;
  if (vk) *vk = it->vk;
  if (extended) *extended = it->extended;
  return true;
}

std::vector<KeyInput> keystrokesFor(const QString& keys, const KeyboardLayout& layout) {
  return Parser(keys, layout).run();
}

int UsKeyboardLayout::keyForChar(QChar c) const {
  const ushort u = c.unicode();
  if (u >= 'a' && u <= 'z') return u - 'a' + 'A';
  if (u >= 'A' && u <= 'Z') return 0x100 | u;
  if (u >= '0' && u <= '9') return u;
  if (u == ' ') return 0x20;
  if (u == '\b') return 0x08;
  if (u == '\t') return 0x09;
  if (u == '\r') return 0x0D;
  if (u == '\n') return 0x200 | 0x0D;
  if (u == 0x1B) return 0x200 | 0xDB;
  for (int d = 0; d < 10; ++d)
    if (u == static_cast<ushort>(kShiftedDigits[d])) return 0x100 | ('0' + d);
  for (const PunctKey& p : kPunct) {
    if (u == static_cast<ushort>(p.plain)) return p.vk;
    if (u == static_cast<ushort>(p.shifted)) return 0x100 | p.vk;
  }
  return -1;
}

QChar UsKeyboardLayout::charForKey(quint16 vk, bool shift) const {
  if (vk >= 'A' && vk <= 'Z') return QChar(shift ? vk : vk - 'A' + 'a');
  if (vk >= '0' && vk <= '9') return QLatin1Char(shift ? kShiftedDigits[vk - '0'] : static_cast<char>(vk));
  if (vk == 0x20) return QLatin1Char(' ');
  for (const PunctKey& p : kPunct)
    if (vk == p.vk) return QLatin1Char(shift ? p.shifted : p.plain);
  return {};
}

quint16 UsKeyboardLayout::scanCode(quint16 vk) const {
  // Set 1 scan codes of a US keyboard.
  static const QHash<quint16, quint16> codes = [] {
    QHash<quint16, quint16> t;
    const char* rows[] = {"QWERTYUIOP", "ASDFGHJKL", "ZXCVBNM"};
    const quint16 starts[] = {0x10, 0x1E, 0x2C};
    for (int r = 0; r < 3; ++r)
      for (int i = 0; rows[r][i]; ++i) t.insert(static_cast<quint16>(rows[r][i]), static_cast<quint16>(starts[r] + i));
    for (int d = 1; d <= 9; ++d) t.insert(static_cast<quint16>('0' + d), static_cast<quint16>(0x01 + d));
    t.insert('0', 0x0B);
    const std::pair<quint16, quint16> others[] = {
        {8, 0x0E},    {9, 0x0F},    {13, 0x1C},   {16, 0x2A},   {17, 0x1D},   {18, 0x38},   {19, 0x45},
        {20, 0x3A},   {27, 0x01},   {32, 0x39},   {33, 0x49},   {34, 0x51},   {35, 0x4F},   {36, 0x47},
        {37, 0x4B},   {38, 0x48},   {39, 0x4D},   {40, 0x50},   {44, 0x54},   {45, 0x52},   {46, 0x53},
        {144, 0x45},  {145, 0x46},  {0xBA, 0x27}, {0xBB, 0x0D}, {0xBC, 0x33}, {0xBD, 0x0C}, {0xBE, 0x34},
        {0xBF, 0x35}, {0xC0, 0x29}, {0xDB, 0x1A}, {0xDC, 0x2B}, {0xDD, 0x1B}, {0xDE, 0x28},
    };
    for (const auto& [vk, sc] : others) t.insert(vk, sc);
    const quint16 fkeys[] = {0x3B, 0x3C, 0x3D, 0x3E, 0x3F, 0x40, 0x41, 0x42, 0x43, 0x44, 0x57, 0x58,
                             0x64, 0x65, 0x66, 0x67};
    for (int f = 0; f < 16; ++f) t.insert(static_cast<quint16>(112 + f), fkeys[f]);
    return t;
  }();
  return codes.value(vk, 0);
}

}  // namespace mervalo
