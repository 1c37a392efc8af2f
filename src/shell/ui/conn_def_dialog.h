#pragma once
// The connection defaults window ("Connection defaults"), showing a TConnDefForm.

#include "shell/conn_def_form.h"
#include "shell/ui/conn_settings_dialog.h"

namespace ondrix::shell::ui {

class ConnDefDialog : public ConnSettingsDialog {
 public:
  ConnDefDialog(std::string dataFolder, QWidget* parent);

  TConnDefForm& form() { return form_; }

  // The dialog modal over `parent`: DEFAULTS.QDB is open while it is up and saved afterwards,
  // whatever the answer.
  static void run(const std::string& dataFolder, QWidget* parent);

 private:
  TConnDefForm form_;
};

}  // namespace ondrix::shell::ui
