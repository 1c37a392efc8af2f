// Key definitions and the key-down algorithm: what a key stroke sends.

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "term/emulvt.h"

namespace ondrix::term {
namespace {

// A control whose key-press path records what it types.
class KeyVT : public TCustomEmulVT {
 public:
  KeyVT() {
    SetConnected(true);
    OnKeyBuffer = [this](TCustomEmulVT*, const char* b, int n) { sent.append(b, static_cast<std::size_t>(n)); };
  }
  void connect(bool on) { SetConnected(on); }
  std::string sent;

 protected:
  void KeyPress(char& key) override {
    TCustomEmulVT::KeyPress(key);
    sent.push_back(key);
  }
};

constexpr int kVkBack = 8, kVkReturn = 13, kVkEscape = 27, kVkUp = 0x26, kVkDead = 0xDD, kVkF10 = 0x79,
              kVkShift = 0x10, kVkMultiply = 0x6A, kVkF1 = 0x70, kVk1 = '1';

TKeyStroke key(int vk, std::uint8_t scan, unsigned shift = 0, bool ext = false, bool caps = false) {
  TKeyStroke k;
  k.VirtualKey = vk;
  k.ScanCode = scan;
  k.Shift = shift;
  k.Extended = ext;
  k.CapsLock = caps;
  k.SystemKey = (shift & kAlt) != 0;
  return k;
}

TEST(KeyText, EscapesAndCaretNotation) {
  struct Case {
    std::string text;
    std::string bytes;
  };
  const std::vector<Case> cases = {
      {"\\e[A", "\x1b[A"},
      {"\\t\\b\\s\\\\\\^", std::string("\t\b \\^")},
      {"\\q", "q"},             // an unknown escape keeps the character
      {"^M^[^@x", std::string("\r\x1b\0x", 4)},
      {"^", ""},                // a lone caret gives nothing
      {"ab\\", "ab"},           // so does a trailing backslash
      {"plain", "plain"},
      {std::string(60, 'x'), std::string(50, 'x')},
      {std::string(48, 'x') + "^M", std::string(48, 'x') + "\r"},
      {std::string(49, 'x') + "^M", std::string(49, 'x')},        // the M is cut off at 50
      {std::string(49, 'x') + "\\e", std::string(49, 'x')},       // the escape is cut off at 50
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.text);
    EXPECT_EQ(ParseKeyText(c.text).Text(), c.bytes);
  }
}

TEST(KeyList, FirstMatchWinsAndTheListHoldsAtMost499) {
  TKeyList list;
  list.AddKey(0x3B, false, "one", false, false, false);
  list.AddKey(0x3B, false, "two", false, false, false);
  list.AddKey(0x3B, true, "ctrl", false, true, true);
  ASSERT_NE(list.Find(0x3B, 0, false), nullptr);
  EXPECT_EQ(list.Find(0x3B, 0, false)->Text(), "one");
  EXPECT_EQ(list.Find(0x3B, kShift | kAlt | kCtrl, false)->Text(), "ctrl");
  EXPECT_EQ(list.Find(0x3B, 0, true), nullptr);
  EXPECT_EQ(list.Find(0x3B, kShift, false), nullptr);
  for (int i = 0; i < 600; ++i) list.AddKey(0x10, false, "x", false, false, false);
  EXPECT_EQ(list.Count(), kMaxKeys);
  list.ClearKeys();
  EXPECT_EQ(list.Count(), 0);
  list.AddKey(0, false, "never", false, false, false);
  EXPECT_EQ(list.Find(0, 0, false), nullptr);
}

TEST(KeyDown, WithoutAKeylist) {
  struct Case {
    const char* name;
    TKeyStroke stroke;
    TKeyResult result;
    std::string sent;
  };
  const std::vector<Case> cases = {
      {"arrow sends nothing", key(kVkUp, 0x48, 0, true), TKeyResult::NotHandled, ""},
      {"F1 sends nothing", key(kVkF1, 0x3B), TKeyResult::NotHandled, ""},
      {"backspace", key(kVkBack, 0x0E), TKeyResult::Handled, "\b"},
      {"enter", key(kVkReturn, 0x1C), TKeyResult::Handled, "\r"},
      {"esc", key(kVkEscape, 0x01), TKeyResult::Handled, "\x1b"},
      {"letter", key('A', 0x1E), TKeyResult::Handled, "a"},
      {"shift letter", key('A', 0x1E, kShift), TKeyResult::Handled, "A"},
      {"caps letter", key('A', 0x1E, 0, false, true), TKeyResult::Handled, "A"},
      {"caps and shift stay upper", key('A', 0x1E, kShift, false, true), TKeyResult::Handled, "A"},
      {"ctrl c", key('C', 0x2E, kCtrl), TKeyResult::Handled, "\x03"},
      {"ctrl shift z", key('Z', 0x2C, kCtrl | kShift), TKeyResult::Handled, "\x1a"},
      {"ctrl alt keypad star swallowed", key(kVkMultiply, 0x37, kCtrl | kAlt), TKeyResult::Handled, ""},
      {"alt letter refused", key('X', 0x2D, kAlt), TKeyResult::Refused, ""},
      {"alt f10 not refused", key(kVkF10, 0x44, kAlt), TKeyResult::NotHandled, ""},
      {"digit typed by the keyboard", key(kVk1, 0x02), TKeyResult::NotHandled, ""},
      {"shift itself", key(kVkShift, 0x2A, kShift), TKeyResult::NotHandled, ""},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    KeyVT vt;
    EXPECT_EQ(vt.KeyDown(c.stroke), c.result);
    EXPECT_EQ(vt.sent, c.sent);
  }
}

TEST(KeyDown, Definitions) {
  KeyVT vt;
  vt.AddKey(0x48, false, "\\e[A", true, false, false);  // cursor up, extended
  vt.AddKey(0x3B, false, "\\eOP", false, false, false);  // F1
  vt.AddKey(0x1E, true, "ctrl-a", false, true, false);   // Ctrl+Shift+A
  vt.AddKey(0x44, false, "alt-f10", false, false, true);
  vt.AddKey(0x3C, false, "^", false, false, false);      // an empty definition
  vt.AddKey(0x1F, false, "caps-s", false, true, false);  // S with Shift (Caps Lock adds it)

  struct Case {
    const char* name;
    TKeyStroke stroke;
    TKeyResult result;
    std::string sent;
  };
  const std::vector<Case> cases = {
      {"arrow", key(kVkUp, 0x48, 0, true), TKeyResult::Handled, "\x1b[A"},
      {"keypad 8 retried as extended", key(kVkUp, 0x48, 0, false), TKeyResult::Handled, "\x1b[A"},
      {"shifted arrow has no definition", key(kVkUp, 0x48, kShift, true), TKeyResult::NotHandled, ""},
      {"F1", key(kVkF1, 0x3B), TKeyResult::Handled, "\x1b" "OP"},
      {"definition before the letter rule", key('A', 0x1E, kCtrl | kShift), TKeyResult::Handled, "ctrl-a"},
      {"alt f10 looked up", key(kVkF10, 0x44, kAlt), TKeyResult::Handled, "alt-f10"},
      {"empty definition", key(0x71, 0x3C), TKeyResult::Handled, ""},
      {"caps lock adds shift before the lookup", key('S', 0x1F, 0, false, true), TKeyResult::Handled,
       "caps-s"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    vt.sent.clear();
    EXPECT_EQ(vt.KeyDown(c.stroke), c.result);
    EXPECT_EQ(vt.sent, c.sent);
  }
}

TEST(KeyDown, NothingIsSentWhileNotConnected) {
  KeyVT vt;
  vt.AddKey(0x48, false, "\\e[A", true, false, false);
  vt.connect(false);
  for (const TKeyStroke& k : {key(kVkUp, 0x48, 0, true), key('A', 0x1E), key(kVkReturn, 0x1C),
                              key(kVk1, 0x02), key(kVkDead, 0x1B)}) {
    EXPECT_EQ(vt.KeyDown(k), TKeyResult::Handled);
  }
  EXPECT_EQ(vt.sent, "");
  EXPECT_FALSE(vt.CircumflexPending());
}

TEST(KeyDown, DeadKeys) {
  struct Case {
    std::vector<TKeyStroke> strokes;
    std::string sent;
  };
  const std::vector<Case> cases = {
      {{key(kVkDead, 0x1B), key('E', 0x12)}, "\xEA"},
      {{key(kVkDead, 0x1B, kShift), key('U', 0x16)}, "\xFC"},
      {{key(kVkDead, 0x1B), key('X', 0x2D)}, "x"},
      {{key(kVkDead, 0x1B), key('X', 0x2D), key('A', 0x1E)}, "xa"},  // cleared by the non-vowel
      {{key(kVkDead, 0x1B), key('A', 0x1E, kShift)}, "A"},           // upper case is not accented
      // Both pending: the circumflex applies, the diaeresis finds no plain vowel left.
      {{key(kVkDead, 0x1B), key(kVkDead, 0x1B, kShift), key('O', 0x18)}, "\xF4"},
      {{key(kVkDead, 0x1B, kAlt)}, ""},
  };
  for (const Case& c : cases) {
    KeyVT vt;
    for (const TKeyStroke& k : c.strokes) vt.KeyDown(k);
    EXPECT_EQ(vt.sent, c.sent);
  }
  KeyVT alt;
  TKeyStroke deadAlt = key(kVkDead, 0x1B, kAlt);
  deadAlt.SystemKey = false;  // Alt in the state of an ordinary key-down
  EXPECT_EQ(alt.KeyDown(deadAlt), TKeyResult::NotHandled);
  EXPECT_FALSE(alt.CircumflexPending());
}

TEST(KeyBuffer, WithoutHandlerTheBytesAreTypedOneByOne) {
  KeyVT vt;
  vt.OnKeyBuffer = nullptr;
  std::string pressed;
  vt.OnKeyPress = [&](TCustomEmulVT*, char& k) { pressed.push_back(k); };
  vt.AddKey(0x3B, false, "ab^C", false, false, false);
  EXPECT_EQ(vt.KeyDown(key(kVkF1, 0x3B)), TKeyResult::Handled);
  EXPECT_EQ(pressed, "ab\x03");
  EXPECT_EQ(vt.sent, "ab\x03");
}

}  // namespace
}  // namespace ondrix::term
