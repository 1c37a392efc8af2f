#pragma once
// TConnManForm: the connection manager ("Ondrix Connection Manager"). While it is up CONINFO.QDB
// stays open; each refresh sorts the book by name and numbers it without gaps, so a name's position
// in the list is its record number. The manager keeps the current record: a copy of the record of
// the selected name. Created on first use and kept by the main window.

#include <array>
#include <optional>
#include <string>
#include <vector>

#include "shell/conn_dialog_rules.h"
#include "store/stores/con_db_fcns.h"

namespace ondrix::shell {

class TConnManView {
 public:
  enum TControl { kNames, kDeleteBtn, kEditBtn, kConnBtn };

  virtual ~TConnManView() = default;
  // The list `Names`, nothing selected.
  virtual void ShowNames(const std::vector<std::string>& names) = 0;
  // Selects name `index` (the list reports no click for it).
  virtual void SetSelected(int index) = 0;
  virtual void SetEnabled(TControl control, bool enabled) = 0;
  // The connection editor on `record`; the edited copy, or nothing when cancelled.
  virtual std::optional<store::ConnectionRecord> EditConnection(
      const store::ConnectionRecord& record) = 0;
  // The rename dialog over the manager with `name` preset; the new name, or nothing.
  virtual std::optional<std::string> AskNewName(const std::string& name) = 0;
  // The manager closes (its modal run ends).
  virtual void Close() = 0;
};

class TConnManForm {
 public:
  TConnManForm(TConnManView& view, std::string dataFolder, TConnectionHooks hooks);

  void FormShow();                 // opens CONINFO.QDB, refreshes
  void NamesClick(int index);      // a name was selected
  void NewBtnClick();              // "&Add new..."
  void EditBtnClick();             // "&Edit..."
  void DeleteBtnClick();           // "De&lete..."
  void RenameClick();              // pop-up "&Rename..."
  void DoneBtnClick();             // "&Done"
  void ConnBtnClick();             // "&Connect", and a double-click on a name
  // The window was closed otherwise (its close box, Escape): the book is saved and closed and the
  // Connect submenu rebuilt, as "&Done" does. Nothing when "&Done" already did.
  void FormClose();

  const std::vector<std::string>& Names() const { return names_; }
  int Selected() const { return selected_; }
  const store::ConnectionRecord& Current() const { return current_; }
  bool Enabled(TConnManView::TControl control) const { return enabled_[control]; }

 private:
  void refresh();
  void select(int index);
  void setEnabled(TConnManView::TControl control, bool enabled);
  void closeBook();

  TConnManView& view_;
  std::string dataFolder_;
  TConnectionHooks hooks_;
  store::ConDBFcns book_;
  bool bookOpen_ = false;
  std::vector<std::string> names_;
  int selected_ = -1;
  store::ConnectionRecord current_;
  std::array<bool, 4> enabled_ = {true, true, true, true};
};

}  // namespace ondrix::shell
