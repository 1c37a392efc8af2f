#pragma once
// TKeyboardForm: the keyboard editor's logic ("Keyboard editor - [name]"). It edits a working copy
// of one keylist: the buttons of the on-screen keyboard (keyboard_layout.h) build a combination in
// "Key:"; a completed combination becomes the current entry (an existing entry for the same
// combination, or a new one), whose text "Send:" shows; "&Accept" defines the current entry from
// "Key:" and "Send:" with its scan code from SCANCODES.QDB. There is no cancel: the caller takes
// the working copy when the editor closes.

#include <cstdint>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "store/records/keylist_record.h"

namespace ondrix::shell {

class TKeyboardView {
 public:
  virtual ~TKeyboardView() = default;
  virtual void SetCaption(const std::string& caption) = 0;
  virtual void SetKeyText(const std::string& text) = 0;
  // Shows `text` in "Send:", all of it selected when `selected`.
  virtual void SetSendText(const std::string& text, bool selected) = 0;
  virtual void FocusSendEdit() = 0;
  // A toggle button (modifier or Caps) shown down or up.
  virtual void SetButtonDown(int button, bool down) = 0;
  // Closes the window (the caller then takes KeyList()).
  virtual void CloseWindow() = 0;
};

class TKeyboardForm {
 public:
  static constexpr std::size_t kMaxLabel = 20;
  static constexpr std::size_t kMaxSendText = 255;

  // `scanCode` gives the SCANCODES.QDB value of a key name (-1 when unknown).
  TKeyboardForm(TKeyboardView& view, int position, store::TKeyItem keylist,
                std::function<std::int32_t(std::string_view)> scanCode);
  // The editor on keylist `position` with the scan codes of the data folder.
  TKeyboardForm(TKeyboardView& view, int position, store::TKeyItem keylist,
                const std::string& dataFolder);

  void FormShow();
  // A button of keyboardButtons() was clicked (a toggle button changes its state first).
  void KeyButtonClick(int button);
  // A key typed on the real keyboard while "Key:" has the focus: the held modifiers are pressed on
  // the on-screen keyboard (Ctrl, Alt, Shift), then the key's button.
  void KeyTyped(int button, bool ctrl, bool alt, bool shift);
  // The user edited "Send:".
  void SendEditChange(std::string text) { sendText_ = std::move(text); }
  void AcceptBtnClick();
  void DoneBtnClick();

  int Position() const { return position_; }
  const store::TKeyItem& KeyList() const { return keylist_; }
  const std::string& KeyText() const { return keyText_; }
  const std::string& SendText() const { return sendText_; }
  // Index into KeyList().Entries, -1 when there is no current entry.
  int CurrentEntry() const { return current_; }
  bool ButtonDown(int button) const { return down_.at(static_cast<std::size_t>(button)); }

 private:
  void setKeyText(std::string text);
  void setSendText(std::string text, bool selected);
  void setDown(int button, bool down);
  void releaseModifiers();
  void chooseCombination();

  TKeyboardView& view_;
  int position_;
  store::TKeyItem keylist_;
  std::function<std::int32_t(std::string_view)> scanCode_;
  std::string keyText_;
  std::string sendText_;
  int current_ = -1;
  bool newCombination_ = true;
  std::vector<bool> down_;  // per button of keyboardButtons()
};

}  // namespace ondrix::shell
