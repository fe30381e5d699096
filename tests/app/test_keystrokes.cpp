#include <gtest/gtest.h>

#include "app/keystrokes.h"
#include "qtprint.h"

using namespace mervalo;

namespace {

constexpr quint32 kUp = KeyInput::kKeyUp;
constexpr quint32 kExt = KeyInput::kExtended;

// Compact form of the records for readable failures: "vk/scan/flags".
std::vector<std::string> brief(const std::vector<KeyInput>& events) {
  std::vector<std::string> out;
  for (const KeyInput& e : events) {
    EXPECT_EQ(e.type, 1u);
    EXPECT_EQ(e.time, 0u);
    out.push_back(std::to_string(e.vk) + "/" + std::to_string(e.scan) + "/" + std::to_string(e.flags));
  }
  return out;
}

std::string rec(int vk, int scan, quint32 flags) {
  return std::to_string(vk) + "/" + std::to_string(scan) + "/" + std::to_string(flags);
}

std::vector<std::string> keys(const char* text, bool capsLock = false) {
  return brief(keystrokesFor(QString::fromUtf8(text), UsKeyboardLayout(capsLock)));
}

const UsKeyboardLayout us;
const int kEndScan = us.scanCode(35);
const int kAScan = us.scanCode('A');

}  // namespace

TEST(Keystrokes, NamedKeysAndModifierPrefixes) {
  EXPECT_EQ(keys("{END}"), (std::vector{rec(35, 0, kExt), rec(35, kEndScan, kUp | kExt)}));
  EXPECT_EQ(keys("+{END}"),
            (std::vector{rec(16, 0, 0), rec(35, 0, kExt), rec(35, kEndScan, kUp | kExt), rec(16, 0, kUp)}));
  EXPECT_EQ(keys("{end}"), keys("{END}"));
  EXPECT_EQ(keys("{BREAK}")[0], rec(19, 0, kExt));
  EXPECT_EQ(keys("{PAUSE}")[0], rec(19, 0, 0));
  EXPECT_EQ(keys("{F16}")[0], rec(127, 0, 0));
  EXPECT_EQ(keys("{F1}")[0], rec(112, 0, 0));
  // Nested prefixes release in the reverse order.
  EXPECT_EQ(keys("+^{TAB}"), (std::vector{rec(16, 0, 0), rec(17, 0, 0), rec(9, 0, 0), rec(9, us.scanCode(9), kUp),
                                          rec(17, 0, kUp), rec(16, 0, kUp)}));
  // A prefix holds only the one token that follows.
  const auto two = keys("%ab");
  ASSERT_EQ(two.size(), 6u);
  EXPECT_EQ(two[3], rec(18, 0, kUp));
}

TEST(Keystrokes, RepeatCountsGroupsAndEnter) {
  const auto a3 = keys("{a 3}");
  ASSERT_EQ(a3.size(), 6u);
  for (size_t i = 0; i < 6; i += 2) {
    EXPECT_EQ(a3[i], rec('A', 0, 0));
    EXPECT_EQ(a3[i + 1], rec('A', kAScan, kUp));
  }
  EXPECT_EQ(keys("{LEFT 2}").size(), 4u);
  EXPECT_TRUE(keys("{a 0}").empty());
  EXPECT_EQ(keys("{a 99999999}").size(), 2000u);  // cut off, not a memory blow-up
  // Ctrl held over both letters of the group.
  EXPECT_EQ(keys("^(ab)"), (std::vector{rec(17, 0, 0), rec('A', 0, 0), rec('A', kAScan, kUp), rec('B', 0, 0),
                                        rec('B', us.scanCode('B'), kUp), rec(17, 0, kUp)}));
  EXPECT_EQ(keys("~"), (std::vector{rec(13, 0, 0), rec(13, us.scanCode(13), kUp)}));
  EXPECT_EQ(keys("{~}"), keys("~"));
  // "{}}" types a closing brace, which needs Shift on this layout.
  EXPECT_EQ(keys("{}}"), (std::vector{rec(16, 0, 0), rec(0xDD, 0, 0), rec(0xDD, us.scanCode(0xDD), kUp), rec(16, 0, kUp)}));
  // An unknown name types its first character.
  EXPECT_EQ(keys("{xyz}"), keys("x"));
}

TEST(Keystrokes, ShiftFollowsTheCharacterAndCapsLock) {
  EXPECT_EQ(keys("A"), (std::vector{rec(16, 0, 0), rec('A', 0, 0), rec('A', kAScan, kUp), rec(16, 0, kUp)}));
  EXPECT_EQ(keys("a").size(), 2u);
  EXPECT_EQ(keys("A", true).size(), 2u);
  EXPECT_EQ(keys("a", true).size(), 4u);
  EXPECT_EQ(keys("!", true).size(), 4u);  // Caps Lock changes letters only
  // Shift already held by "+" is not pressed a second time.
  EXPECT_EQ(keys("+A"), keys("+a"));
  EXPECT_EQ(keys("+A").size(), 4u);
}

TEST(Keystrokes, CharactersWithoutAKeyGoAsUnicode) {
  for (const char* text : {"\xc3\xa9", "\xe2\x82\xac"}) {  // é (no key on this layout), € (beyond 255)
    const QChar c = QString::fromUtf8(text)[0];
    EXPECT_EQ(keys(text), (std::vector{rec(0, c.unicode(), KeyInput::kUnicode),
                                       rec(0, c.unicode(), KeyInput::kUnicode | kUp)}))
        << text;
  }
}

TEST(Keystrokes, MalformedTextsSendWhatTheyCanAndNeverCrash) {
  EXPECT_TRUE(keys("").empty());
  EXPECT_EQ(keys("+"), (std::vector{rec(16, 0, 0), rec(16, 0, kUp)}));
  // An unclosed or empty group sends nothing for the bracket; what follows is typed as usual.
  EXPECT_EQ(keys("(a"), keys("a"));
  EXPECT_EQ(keys("()"), keys(")"));
  EXPECT_EQ(keys("{END"), keys("END"));
  EXPECT_TRUE(keys("{ 3}").empty());
  const QString many(200000, QLatin1Char('+'));
  EXPECT_EQ(keystrokesFor(many + QLatin1Char('a'), us).size(), 400002u);
}
