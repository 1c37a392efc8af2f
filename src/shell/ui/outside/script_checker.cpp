#include "shell/ui/outside/script_checker.h"

#include "platform/codepage.h"
#include "script/compiler_error.h"
#include "script/hal_comp.h"

namespace ondrix::shell::ui {

ScriptChecker::ScriptChecker(script::TComponent& mainForm, QObject* mainWindow)
    : QObject(mainWindow), mainForm_(mainForm) {
  setObjectName(QString::fromLatin1(kScriptCheckerName));
}

QString ScriptChecker::check(const QString& text) {
  script::THalComp comp;
  comp.setScriptText(platform::utf8ToCp1252(text.toStdString()));
  try {
    comp.prepare("MainForm", &mainForm_);
    comp.runner()->compileOnly = true;
    comp.run();
    return {};
  } catch (const script::ECompilerError& e) {
    return QString::fromStdString(platform::cp1252ToUtf8(e.what()));
  }
}

}  // namespace ondrix::shell::ui
