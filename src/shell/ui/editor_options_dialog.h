#pragma once
// The script text editor's options dialog: font and size, tab width, line numbers, the background
// and the colour of each style, with a preview in the editor itself.

#include <QDialog>

#include "shell/editor_options.h"

class QCheckBox;
class QFontComboBox;
class QListWidget;
class QSpinBox;

namespace ondrix::shell::ui {

class ScriptEditorWidget;

class EditorOptionsDialog final : public QDialog {
 public:
  EditorOptionsDialog(const TScriptEditorOptions& options, const TScriptLanguage& language, QWidget* parent);

  const TScriptEditorOptions& options() const { return options_; }

 private:
  void readControls();
  void chooseColor();
  void chooseBackground();
  void refreshStyles();

  TScriptEditorOptions options_;
  QFontComboBox* font_;
  QSpinBox* size_;
  QSpinBox* tabWidth_;
  QCheckBox* lineNumbers_;
  QListWidget* styles_;
  ScriptEditorWidget* preview_;
};

}  // namespace ondrix::shell::ui
