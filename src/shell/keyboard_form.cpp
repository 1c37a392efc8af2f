#include "shell/keyboard_form.h"

#include "shell/keyboard_layout.h"
#include "shell/manager_messages.h"
#include "store/stores/key_db_fcns.h"

namespace ondrix::shell {

namespace {
const TKeyButton& buttonAt(int button) { return keyboardButtons()[static_cast<std::size_t>(button)]; }
}  // namespace

TKeyboardForm::TKeyboardForm(TKeyboardView& view, int position, store::TKeyItem keylist,
                             std::function<std::int32_t(std::string_view)> scanCode)
    : view_(view),
      position_(position),
      keylist_(std::move(keylist)),
      scanCode_(std::move(scanCode)),
      down_(keyboardButtons().size(), false) {}

TKeyboardForm::TKeyboardForm(TKeyboardView& view, int position, store::TKeyItem keylist,
                             const std::string& dataFolder)
    : TKeyboardForm(view, position, std::move(keylist), [dataFolder](std::string_view name) {
        return store::KeyDBFcns(dataFolder).LookupScanCode(name);
      }) {}

void TKeyboardForm::setKeyText(std::string text) {
  keyText_ = std::move(text);
  view_.SetKeyText(keyText_);
}

void TKeyboardForm::setSendText(std::string text, bool selected) {
  sendText_ = std::move(text);
  view_.SetSendText(sendText_, selected);
}

void TKeyboardForm::setDown(int button, bool down) {
  down_.at(static_cast<std::size_t>(button)) = down;
  view_.SetButtonDown(button, down);
}

void TKeyboardForm::releaseModifiers() {
  const auto buttons = keyboardButtons();
  for (std::size_t i = 0; i < buttons.size(); ++i)
    if (buttons[i].Group == TKeyGroup::Modifier && down_[i]) setDown(static_cast<int>(i), false);
}

void TKeyboardForm::FormShow() {
  view_.SetCaption("Keyboard editor - [" + keylist_.Name + "]");
  setKeyText({});
  setSendText({}, false);
  current_ = -1;
  newCombination_ = true;
}

void TKeyboardForm::KeyButtonClick(int button) {
  if (button < 0 || button >= static_cast<int>(keyboardButtons().size())) return;
  const TKeyButton& key = buttonAt(button);
  if (newCombination_) {
    setKeyText({});
    newCombination_ = false;
  }
  setSendText({}, false);
  switch (key.Group) {
    case TKeyGroup::Modifier:
      setDown(button, !ButtonDown(button));
      setKeyText(ButtonDown(button) ? keyText_ + std::string(key.Caption) + "+" : std::string());
      return;
    case TKeyGroup::Caps:
      setDown(button, !ButtonDown(button));
      setKeyText(keyText_ + std::string(key.Caption));
      return;
    case TKeyGroup::Named:
    case TKeyGroup::Character:
      if (keyText_.size() < 2 || keyText_.find('+') == std::string::npos)
        setKeyText(std::string(key.Name));
      else
        setKeyText(keyText_ + std::string(key.Name));
      chooseCombination();
      return;
  }
}

void TKeyboardForm::chooseCombination() {
  newCombination_ = true;
  view_.FocusSendEdit();
  releaseModifiers();
  const std::string label = keyText_.substr(0, kMaxLabel);
  auto& entries = keylist_.Entries;
  for (std::size_t i = 0; i < entries.size(); ++i) {
    if (!store::sameCombination(entries[i].KeyLabel, label)) continue;
    current_ = static_cast<int>(i);
    setSendText(entries[i].SendText, true);
    return;
  }
  if (entries.size() >= static_cast<std::size_t>(store::TKeyItem::kMaxEntries)) {
    current_ = -1;
    showNotice("This keylist is full (250 keys)");
    return;
  }
  store::KeyEntry entry;
  entry.KeyLabel = label;
  entries.push_back(std::move(entry));
  current_ = static_cast<int>(entries.size()) - 1;
}

void TKeyboardForm::KeyTyped(int button, bool ctrl, bool alt, bool shift) {
  const auto press = [this](std::string_view caption, bool held) {
    const int left = modifierButton(caption);
    if (held && !ButtonDown(left) && !ButtonDown(modifierButton(caption, true)))
      KeyButtonClick(left);
  };
  press("Ctrl", ctrl);
  press("Alt", alt);
  press("Shift", shift);
  KeyButtonClick(button);
}

void TKeyboardForm::AcceptBtnClick() {
  if (current_ < 0) {
    showNotice("You must choose a key sequence first");
    return;
  }
  if (keyText_.empty()) {
    showNotice("You must set a value for this sequence first");
    return;
  }
  store::KeyEntry& entry = keylist_.Entries[static_cast<std::size_t>(current_)];
  // A combination begun after the current entry was chosen is not that entry's: defining the
  // entry from it would give the entry another key.
  if (!store::sameCombination(entry.KeyLabel, keyText_.substr(0, kMaxLabel))) {
    showNotice("You must choose a key sequence first");
    return;
  }
  store::KeyEntry defined =
      store::defineKeyEntry(keyText_, sendText_.substr(0, kMaxSendText), scanCode_);
  defined.KeyLabel = entry.KeyLabel;
  entry = std::move(defined);
  releaseModifiers();
}

void TKeyboardForm::DoneBtnClick() { view_.CloseWindow(); }

}  // namespace ondrix::shell
