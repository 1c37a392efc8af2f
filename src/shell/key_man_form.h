#pragma once
// TKeyManForm: the keylist manager's logic ("Ondrix Keylist Manager"). It keeps one keylist loaded
// as the current keylist (the selected one), which it writes back whenever another is selected, a
// new one is made, or the window closes. KEYS.QDB is opened for each step and closed after it,
// never held while the user works. Keylists 0-3
// are native and cannot be deleted; keylist 0 cannot be edited or renamed. Deleting a keylist
// renumbers the rest, and the connections and defaults that referred to keylists follow it so each
// keeps the keylist it had (the deleted one's users get keylist 0).

#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "store/records/keylist_record.h"
#include "store/stores/key_db_fcns.h"

namespace ondrix::shell {

class TKeyManView {
 public:
  virtual ~TKeyManView() = default;
  // The list `Names` holds `names` with item `selected` selected (-1: none).
  virtual void ShowNames(const std::vector<std::string>& names, int selected) = 0;
  // DeleteBtn, EditBtn and Names together.
  virtual void SetEditingEnabled(bool enabled) = 0;
  // The dialog "Rename keylist" over the manager, preset with `name`: the new name, or nothing
  // when it was closed without "&Ok".
  virtual std::optional<std::string> AskNewName(const std::string& name) = 0;
  // The keyboard editor, modal, on keylist `position`; it changes `keylist` (a working copy).
  virtual void EditKeys(int position, store::TKeyItem& keylist) = 0;
  // Closes the window; the window then calls FormClose.
  virtual void CloseWindow() = 0;
};

class TKeyManForm {
 public:
  static constexpr const char* kCaption = "Ondrix Keylist Manager";
  static constexpr int kNativeKeyLists = 4;

  TKeyManForm(TKeyManView& view, std::string dataFolder);

  // Runs after every close: the main window rebuilds its "Change keylist" submenu.
  std::function<void()> OnClosed;

  void FormShow();
  void NamesClick(int index);
  void EditBtnClick();  // also the list's double-click
  void NewBtnClick();
  void DeleteBtnClick();
  void RenameClick();
  void DoneBtnClick();
  // The window closed, whichever way: the current keylist is written back, OnClosed run. Does nothing when the window is not shown.
  void FormClose();

  const std::vector<std::string>& Names() const { return names_; }
  int Selected() const { return selected_; }
  // RecordNo -1 while none is loaded.
  const store::TKeyItem& Current() const { return current_; }

 private:
  bool loaded() const { return current_.RecordNo >= 0; }
  void load(int number);
  void writeBack();
  void release();
  void show();

  TKeyManView& view_;
  std::string dataFolder_;
  store::KeyDBFcns keys_;
  bool shown_ = false;
  std::vector<std::string> names_;
  int selected_ = -1;
  store::TKeyItem current_;
};

}  // namespace ondrix::shell
