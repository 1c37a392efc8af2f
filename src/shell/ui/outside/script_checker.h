#pragma once
// The main window's script check as the add-in manager library reaches it: a child object of the
// main window named "ondrixScriptChecker" whose invokable check(text) compiles a script with the
// names a real run sees (the program's routines, "MainForm") and returns "" or the compiler's
// message. The library finds it by name and calls it through Qt's meta-object system, so it needs
// none of the script engine itself.

#include <QObject>
#include <QString>

namespace ondrix::script {
class TComponent;
}

namespace ondrix::shell::ui {

inline constexpr const char* kScriptCheckerName = "ondrixScriptChecker";

class ScriptChecker final : public QObject {
  Q_OBJECT

 public:
  ScriptChecker(script::TComponent& mainForm, QObject* mainWindow);

  // `text` as the user wrote it (Unicode); "" when it compiles.
  Q_INVOKABLE QString check(const QString& text);

 private:
  script::TComponent& mainForm_;
};

}  // namespace ondrix::shell::ui
