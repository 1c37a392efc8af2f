#pragma once
// The add-in manager window of ADDINMGR.so: the add-ins as a tree, their menu as the main window
// will show it, and the commands to add, edit and delete them.

#include <QDialog>

#include "shell/addin_editor_form.h"

class QPushButton;
class QTreeWidget;

namespace ondrix::shell::ui {

class AddinManagerWindow final : public QDialog, public TAddinEditorView {
 public:
  AddinManagerWindow(const std::string& dataFolder, QWidget* parent);

  TAddinEditorForm& form() { return form_; }

  // TAddinEditorView
  void ShowAddins(const std::vector<TAddinEntry>& addins, const std::vector<TAddinMenuItem>& menu) override;
  bool Confirm(const std::string& question) override;
  void ShowMessage(const std::string& text) override;

 private:
  // The main window's script editors, when there are any (host_script_editors.h).
  QObject* scriptEditors() const;
  // The number of the selected add-in; 0 when none is selected.
  std::int32_t selected() const;
  void addClicked();
  void editClicked();
  void deleteClicked();
  void updateButtons();

  QTreeWidget* addins_;
  QTreeWidget* preview_;
  QPushButton* edit_;
  QPushButton* delete_;
  TAddinEditorForm form_;
};

}  // namespace ondrix::shell::ui
