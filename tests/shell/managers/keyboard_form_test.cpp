#include <gtest/gtest.h>

#include <string>

#include "manager_fixture.h"
#include "shell/keyboard_form.h"
#include "shell/keyboard_layout.h"
#include "store/factory/scan_codes.h"
#include "store/stores/key_db_fcns.h"

namespace ondrix::shell {
namespace {

using testing::ManagerTest;

struct FakeKeyboardView : TKeyboardView {
  void SetCaption(const std::string& text) override { caption = text; }
  void SetKeyText(const std::string& text) override { keyText = text; }
  void SetSendText(const std::string& text, bool isSelected) override {
    sendText = text;
    selected = isSelected;
  }
  void FocusSendEdit() override { ++sendFocused; }
  void SetButtonDown(int button, bool down) override { shownDown.at(button) = down; }
  void CloseWindow() override { closed = true; }

  std::string caption, keyText, sendText;
  bool selected = false;
  int sendFocused = 0;
  bool closed = false;
  std::array<bool, 128> shownDown{};
};

int button(std::string_view name) {
  const int b = findKeyButton(name);
  EXPECT_GE(b, 0) << name;
  return b;
}

class KeyboardFormTest : public ManagerTest {
 protected:
  // The editor on a copy of the default keylist, as the manager opens it for a new keylist.
  TKeyboardForm& open() {
    store::KeyDBFcns keys(folder());
    keys.Open();
    store::TKeyItem keylist = keys.Read(0);
    keys.Close();
    keylist.Name = "Mine";
    form_ = std::make_unique<TKeyboardForm>(view, 4, std::move(keylist), folder());
    form_->FormShow();
    return *form_;
  }
  void click(std::initializer_list<int> buttons) {
    for (int b : buttons) form_->KeyButtonClick(b);
  }
  const store::KeyEntry& current() {
    return form_->KeyList().Entries.at(static_cast<std::size_t>(form_->CurrentEntry()));
  }

  FakeKeyboardView view;
  const int lCtrl = modifierButton("Ctrl");
  const int rCtrl = modifierButton("Ctrl", true);
  const int lShift = modifierButton("Shift");
  const int lAlt = modifierButton("Alt");
  std::unique_ptr<TKeyboardForm> form_;
};

TEST_F(KeyboardFormTest, ModifiersThenAKeyMakeANewEntryAndPopUp) {
  TKeyboardForm& form = open();
  EXPECT_EQ(view.caption, "Keyboard editor - [Mine]");
  const std::size_t before = form.KeyList().Entries.size();
  click({lCtrl, lShift});
  EXPECT_EQ(view.keyText, "Ctrl+Shift+");
  EXPECT_TRUE(view.shownDown[lCtrl] && view.shownDown[lShift]);
  click({button("f1")});
  EXPECT_EQ(view.keyText, "Ctrl+Shift+f1");
  EXPECT_FALSE(view.shownDown[lCtrl] || view.shownDown[lShift] || form.ButtonDown(lCtrl));
  EXPECT_EQ(view.sendFocused, 1);
  ASSERT_EQ(form.KeyList().Entries.size(), before + 1);
  EXPECT_EQ(form.CurrentEntry(), static_cast<int>(before));
  EXPECT_EQ(current().KeyLabel, "Ctrl+Shift+f1");
  EXPECT_EQ(view.sendText, "");
}

TEST_F(KeyboardFormTest, ReleasingAModifierClearsKeyAndASecondKeyReplaces) {
  open();
  click({lCtrl});
  EXPECT_EQ(view.keyText, "Ctrl+");
  click({lCtrl});
  EXPECT_EQ(view.keyText, "");
  EXPECT_FALSE(view.shownDown[lCtrl]);
  click({button("a"), button("b")});
  EXPECT_EQ(view.keyText, "b");
  click({lAlt, button("x"), button("y")});
  EXPECT_EQ(view.keyText, "y");
  click({rCtrl, button("Caps")});
  EXPECT_EQ(view.keyText, "Ctrl+Caps");
}

TEST_F(KeyboardFormTest, AnExistingCombinationShowsItsTextSelected) {
  TKeyboardForm& form = open();
  const std::size_t before = form.KeyList().Entries.size();
  click({button("Up")});  // stored by the installed keylist as "UP"
  EXPECT_EQ(view.sendText, "\\e[A");
  EXPECT_TRUE(view.selected);
  EXPECT_EQ(current().KeyLabel, "UP");
  click({lShift, button("Tab")});
  EXPECT_EQ(view.sendText, "\\e[Z");
  // The same combination clicked in another modifier order is the same entry.
  click({lShift, lCtrl, button("f9")});
  click({lCtrl, lShift, button("f9")});
  EXPECT_EQ(form.KeyList().Entries.size(), before + 1);
}

TEST_F(KeyboardFormTest, AcceptDefinesTheEntryFromKeyAndSend) {
  struct Case {
    std::vector<std::string_view> keys;
    std::uint8_t scanCode;
    bool shift, ctrl, alt, extended;
  };
  const Case cases[] = {
      {{"Ctrl", "Shift", "f1"}, 59, true, true, false, false},
      {{"Shift", "a"}, 30, true, false, false, false},
      {{"Alt", "Home"}, 71, false, false, true, true},  // stored as 171: extended
      {{"KP8"}, 72, false, false, false, true},         // keypad 8: extended by its scan code
      {{"KP5"}, 76, false, false, false, false},
      {{"Num"}, 255, false, false, false, false},       // no scan code: 255, not extended
  };
  for (const Case& c : cases) {
    TKeyboardForm& form = open();
    for (std::string_view key : c.keys)
      form.KeyButtonClick(key == "Ctrl" || key == "Shift" || key == "Alt" ? modifierButton(key)
                                                                           : button(key));
    const std::string label = view.keyText;
    form.SendEditChange("\\e[99~");
    form.AcceptBtnClick();
    const store::KeyEntry& e = current();
    EXPECT_EQ(e.KeyLabel, label);
    EXPECT_EQ(e.SendText, "\\e[99~") << label;
    EXPECT_EQ(e.ScanCode, c.scanCode) << label;
    EXPECT_EQ(e.ShiftKey, c.shift) << label;
    EXPECT_EQ(e.CtrlKey, c.ctrl) << label;
    EXPECT_EQ(e.AltKey, c.alt) << label;
    EXPECT_EQ(e.ExtendedKey, c.extended) << label;
  }
  EXPECT_TRUE(dialogs.messages.empty());
}

TEST_F(KeyboardFormTest, AcceptRefusesWithoutACurrentCombination) {
  TKeyboardForm& form = open();
  form.AcceptBtnClick();
  click({button("f2")});
  const store::KeyEntry chosen = current();
  click({lCtrl});  // a new combination begins: f2 is no longer what "Key:" names
  form.SendEditChange("lost");
  form.AcceptBtnClick();
  click({lCtrl});  // released: "Key:" is empty
  form.AcceptBtnClick();
  EXPECT_EQ(dialogs.messages,
            (std::vector<std::string>{"You must choose a key sequence first",
                                      "You must choose a key sequence first",
                                      "You must set a value for this sequence first"}));
  EXPECT_EQ(current(), chosen);
  EXPECT_EQ(dialogs.styles.front(), platform::MessageStyle::Information);
}

TEST_F(KeyboardFormTest, AcceptCutsTheTextTo255AndKeepsTheLabel) {
  TKeyboardForm& form = open();
  click({lShift, button("f3")});
  form.SendEditChange(std::string(300, 'z'));
  form.AcceptBtnClick();
  EXPECT_EQ(current().SendText, std::string(255, 'z'));
  EXPECT_EQ(current().KeyLabel, "Shift+f3");
  click({button("f4"), lShift, button("f3")});  // chosen again: its stored text, selected
  EXPECT_EQ(view.sendText, std::string(255, 'z'));
}

TEST_F(KeyboardFormTest, LongCombinationsAreCutToTwentyAndFoundAgain) {
  TKeyboardForm& form = open();
  click({lCtrl, lAlt, lShift, rCtrl, button("PgDn")});
  EXPECT_EQ(view.keyText, "Ctrl+Alt+Shift+Ctrl+PgDn");
  const std::size_t count = form.KeyList().Entries.size();
  EXPECT_EQ(current().KeyLabel, "Ctrl+Alt+Shift+Ctrl+");
  click({lCtrl, lAlt, lShift, rCtrl, button("PgDn")});
  EXPECT_EQ(form.KeyList().Entries.size(), count);
}

TEST_F(KeyboardFormTest, AFullKeylistTakesNoNewCombination) {
  store::TKeyItem full;
  full.Name = "Full";
  for (int i = 0; i < store::TKeyItem::kMaxEntries; ++i) {
    store::KeyEntry e;
    e.KeyLabel = i == 0 ? "UP" : "ALT+K" + std::to_string(i);
    e.SendText = i == 0 ? "\\e[A" : "";
    full.Entries.push_back(e);
  }
  form_ = std::make_unique<TKeyboardForm>(view, 5, full, folder());
  TKeyboardForm& form = *form_;
  form.FormShow();
  click({button("Up")});  // existing: still found
  EXPECT_EQ(form.CurrentEntry(), 0);
  click({lAlt, button("Del")});
  EXPECT_EQ(dialogs.messages, (std::vector<std::string>{"This keylist is full (250 keys)"}));
  EXPECT_EQ(form.KeyList(), full);
  EXPECT_EQ(form.CurrentEntry(), -1);
  form.AcceptBtnClick();
  EXPECT_EQ(dialogs.messages.back(), "You must choose a key sequence first");
  EXPECT_EQ(form.KeyList(), full);
}

TEST_F(KeyboardFormTest, TypingOnTheRealKeyboardFillsKeyTheSameWay) {
  TKeyboardForm& form = open();
  form.KeyTyped(button("f1"), true, false, true);
  EXPECT_EQ(view.keyText, "Ctrl+Shift+f1");
  EXPECT_FALSE(form.ButtonDown(lCtrl));
  click({rCtrl});  // already down on the screen: not pressed again
  form.KeyTyped(button("KPENTER"), true, true, false);
  EXPECT_EQ(view.keyText, "Ctrl+Alt+KPENTER");
  form.KeyTyped(button("x"), false, false, false);
  EXPECT_EQ(view.keyText, "x");
  form.DoneBtnClick();
  EXPECT_TRUE(view.closed);
}

TEST(KeyboardLayout, EveryKeyIsKnownToTheScanCodesButNumLockAndButtonsDoNotOverlap) {
  const auto buttons = keyboardButtons();
  for (const TKeyButton& b : buttons) {
    if (b.Group == TKeyGroup::Modifier || b.Name == "Num") continue;
    std::string upper(b.Name);
    for (char& c : upper) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    bool known = false;
    for (const store::ScanCodeName& s : store::factoryScanCodes()) known = known || s.name == upper;
    EXPECT_TRUE(known) << b.Name;
  }
  for (std::size_t i = 0; i < buttons.size(); ++i) {
    EXPECT_LE(buttons[i].Column + buttons[i].Width, kKeyboardColumns) << buttons[i].Caption;
    EXPECT_LT(buttons[i].Row, kKeyboardRows);
    for (std::size_t j = i + 1; j < buttons.size(); ++j) {
      const bool overlap = buttons[i].Row == buttons[j].Row &&
                           buttons[i].Column < buttons[j].Column + buttons[j].Width &&
                           buttons[j].Column < buttons[i].Column + buttons[i].Width;
      EXPECT_FALSE(overlap) << buttons[i].Caption << " / " << buttons[j].Caption;
    }
  }
  EXPECT_EQ(buttons[static_cast<std::size_t>(findKeyButton("Ins"))].Group, TKeyGroup::Named);
  EXPECT_NE(modifierButton("Alt"), modifierButton("Alt", true));
}

}  // namespace
}  // namespace ondrix::shell
