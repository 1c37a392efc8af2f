#pragma once
// The dialog that edits one add-in: its caption, the add-in it goes under and its script.

#include <QDialog>

#include <vector>

#include "shell/addin_editor_view.h"

class QComboBox;
class QLineEdit;
class QPlainTextEdit;

namespace ondrix::shell::ui {

class AddinEditDialog final : public QDialog {
 public:
  // `choices`: the add-ins it may go under ("(top level)" is always offered first). `checker`: the
  // main window's script checker (see script_checker.h); without one there is no "C&heck" button.
  AddinEditDialog(const QString& title, const store::AddinItem& item, const std::vector<TAddinEntry>& choices,
                  QObject* checker, QWidget* parent);

  store::AddinItem item() const;

 private:
  // Compiles the script through the checker; says that it compiles, or shows the error and puts
  // the caret on its line.
  void check();

  QObject* checker_;
  QLineEdit* caption_;
  QComboBox* parent_;
  QPlainTextEdit* script_;
};

}  // namespace ondrix::shell::ui
