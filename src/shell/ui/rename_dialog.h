#pragma once
// The rename dialogs of the managers ("Rename keylist", "Rename palette"): "New name:" with the
// current name, focused, and "&Ok"; centred over the manager.

#include <QDialog>
#include <optional>
#include <string>

class QLineEdit;

namespace ondrix::shell::ui {

class RenameDialog : public QDialog {
 public:
  RenameDialog(const QString& caption, const std::string& name, QWidget* parent);

  QLineEdit* nameEdit() const { return nameEdit_; }

  // Shows the dialog modally over `parent`: the new name, or nothing when it was closed without
  // "&Ok".
  static std::optional<std::string> ask(const QString& caption, const std::string& name, QWidget* parent);

 private:
  QLineEdit* nameEdit_;
};

}  // namespace ondrix::shell::ui
