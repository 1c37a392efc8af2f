#pragma once
// The main window's script text editors for windows that cannot link them: the add-in manager
// library makes its script editor and checks its script through this object, found by its name
// among the main window's children (the contract is in outside/host_script_editors.h).

#include <QObject>
#include <QString>
#include <string>

#include "shell/editor_script_runner.h"

class QWidget;

namespace ondrix::script {
class TComponent;
}

namespace ondrix::shell::ui {

class ScriptEditorService final : public QObject {
  Q_OBJECT

 public:
  // `mainForm`: the component scripts see as "MainForm"; the folders give the language
  // description and the editor options.
  ScriptEditorService(script::TComponent& mainForm, std::string programFolder, std::string dataFolder,
                      QObject* mainWindow);

  Q_INVOKABLE QWidget* createEditor(QWidget* parent, const QString& text);
  Q_INVOKABLE QString text(QWidget* editor) const;
  Q_INVOKABLE bool check(QWidget* editor);

 private:
  std::string programFolder_;
  std::string dataFolder_;
  TEditorScriptRunner runner_;
};

}  // namespace ondrix::shell::ui
