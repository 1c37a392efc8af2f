#pragma once
// The connection manager's window ("Ondrix Connection Manager", a tool window centred on the
// screen), showing a TConnManForm: "Available connections:" with the list Names (pop-up menu
// "&Rename..."), "&Add new...", "De&lete...", "&Edit...", "&Done" (default) and "&Connect".

#include <QDialog>
#include <array>

#include "shell/conn_man_form.h"
#include "shell/ui/conn_settings_dialog.h"

class QListWidget;
class QMenu;
class QPushButton;

namespace ondrix::shell::ui {

class ConnManDialog : public QDialog, public TConnManView {
 public:
  ConnManDialog(std::string dataFolder, TConnectionHooks hooks, EventEditorOpener eventEditor,
                QWidget* parent);

  TConnManForm& form() { return form_; }
  QListWidget* names() const { return names_; }
  QPushButton* control(TControl c) const { return buttons_.at(static_cast<std::size_t>(c)); }
  QMenu* popupMenu() const { return popup_; }

  // Shows the manager modal: the list is rebuilt, and the book saved and closed afterwards.
  void run();

  // --- TConnManView
  void ShowNames(const std::vector<std::string>& names) override;
  void SetSelected(int index) override;
  void SetEnabled(TControl control, bool enabled) override;
  std::optional<store::ConnectionRecord> EditConnection(const store::ConnectionRecord& record) override;
  std::optional<std::string> AskNewName(const std::string& name) override;
  void Close() override;

 private:
  std::string dataFolder_;
  EventEditorOpener eventEditor_;
  QListWidget* names_;
  QMenu* popup_;
  // Indexed by TControl; kNames holds no button.
  std::array<QPushButton*, 4> buttons_{};
  TConnManForm form_;
};

}  // namespace ondrix::shell::ui
