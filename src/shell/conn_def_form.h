#pragma once
// TConnDefForm: the connection defaults dialog ("Connection defaults"). It edits the values of
// DEFAULTS.QDB that seed a new connection; the store is open while the dialog is up. Colours and
// font are written the moment their own dialogs are confirmed, so they stay even when this dialog
// is then cancelled.

#include <string>

#include "shell/conn_settings_view.h"
#include "store/stores/def_db_fcns.h"

namespace ondrix::shell {

class TConnDefForm {
 public:
  TConnDefForm(TConnSettingsView& view, std::string dataFolder);

  // Opens DEFAULTS.QDB; the lists and every control from the stored values.
  void FormShow();
  // "&Ok": writes the controls to the store (columns checked before lines). The dialog closes.
  void OkBtnClick();
  void Button3Click();  // "&Color settings...": the ten colour keys, written at once on OK
  void Button5Click();  // "Default &font...": the five font keys, written at once on OK
  // The dialog closed (OK or not): DEFAULTS.QDB is saved and closed.
  void FormClose();

 private:
  TConnSettingsView& view_;
  std::string dataFolder_;
  store::DefDBFcns defaults_;
};

}  // namespace ondrix::shell
