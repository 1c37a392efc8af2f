#pragma once
// Find and replace for the script text editor: a small non-modal dialog working on whichever
// editor is active when a button is pressed. "Find next" repeats the last search without it.

#include <QDialog>
#include <functional>

class QCheckBox;
class QLineEdit;
class QLabel;
class QPushButton;

namespace ondrix::shell::ui {

class ScriptEditorWidget;

class FindReplaceDialog final : public QDialog {
 public:
  using EditorSource = std::function<ScriptEditorWidget*()>;

  FindReplaceDialog(EditorSource activeEditor, QWidget* parent);

  // Shows the dialog for finding only or for replacing too, preset with the editor's selection.
  void showFor(bool replace);
  // Searches the active editor again for the last text, forwards; false when not found (or no text).
  bool findNext();

  QString findText() const;

 private:
  bool find(bool fromStart);
  void replaceOne();
  void replaceAll();
  void report(const QString& text);

  EditorSource activeEditor_;
  QLineEdit* findEdit_;
  QLineEdit* replaceEdit_;
  QLabel* replaceLabel_;
  QCheckBox* matchCase_;
  QCheckBox* wholeWords_;
  QPushButton* replaceButton_;
  QPushButton* replaceAllButton_;
  QLabel* result_;
};

}  // namespace ondrix::shell::ui
