#pragma once
// The connection editor's window ("Connection Editor - [name]"), showing a TConnEditForm.

#include <optional>

#include "shell/ui/conn_settings_dialog.h"

namespace ondrix::shell::ui {

class ConnEditDialog : public ConnSettingsDialog {
 public:
  ConnEditDialog(std::string dataFolder, const store::ConnectionRecord& record,
                 EventEditorOpener eventEditor, QWidget* parent);

  TConnEditForm& form() { return form_; }

  // The editor modal over `parent` on a copy of `record`: the edited record, or nothing.
  static std::optional<store::ConnectionRecord> edit(const std::string& dataFolder,
                                                     const store::ConnectionRecord& record,
                                                     const EventEditorOpener& eventEditor,
                                                     QWidget* parent);

 private:
  TConnEditForm form_;
};

}  // namespace ondrix::shell::ui
