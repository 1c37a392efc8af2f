#pragma once
// The dialog that edits one add-in: its caption, the add-in it goes under and its script.

#include <QDialog>

#include <vector>

#include "shell/addin_editor_view.h"

class QComboBox;
class QLineEdit;

namespace ondrix::shell::ui {

class AddinEditDialog final : public QDialog {
 public:
  // `choices`: the add-ins it may go under ("(top level)" is always offered first). `editors`: the
  // main window's script editors (host_script_editors.h): the script is edited in the program's
  // script text editor with a "C&heck" button (Ctrl+F9); without them, in a plain text box.
  AddinEditDialog(const QString& title, const store::AddinItem& item, const std::vector<TAddinEntry>& choices,
                  QObject* editors, QWidget* parent);

  store::AddinItem item() const;

 private:
  QString scriptText() const;

  QObject* editors_;
  QLineEdit* caption_;
  QComboBox* parent_;
  QWidget* script_;
};

}  // namespace ondrix::shell::ui
