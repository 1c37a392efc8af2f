#include "shell/ui/script_editor_service.h"

#include <utility>

#include "platform/codepage.h"
#include "shell/editor_options.h"
#include "shell/script_language.h"
#include "shell/ui/outside/host_script_editors.h"
#include "shell/ui/script_editor_widget.h"

namespace ondrix::shell::ui {

ScriptEditorService::ScriptEditorService(script::TComponent& mainForm, std::string programFolder,
                                         std::string dataFolder, QObject* mainWindow)
    : QObject(mainWindow),
      programFolder_(std::move(programFolder)),
      dataFolder_(std::move(dataFolder)),
      runner_(mainForm) {
  setObjectName(QString::fromLatin1(kScriptEditorsName));
}

QWidget* ScriptEditorService::createEditor(QWidget* parent, const QString& text) {
  // The language file and the options are read afresh, so the editor looks as the other editors
  // do after any change of options.
  auto* editor = new ScriptEditorWidget(loadScriptLanguage(programFolder_ + std::string(kScriptLanguageFileName)),
                                        loadEditorOptions(dataFolder_), parent);
  editor->LoadText(platform::utf8ToCp1252(text.toStdString()));
  return editor;
}

QString ScriptEditorService::text(QWidget* editor) const {
  const auto* e = qobject_cast<const ScriptEditorWidget*>(editor);
  return e ? QString::fromStdString(platform::cp1252ToUtf8(e->Text())) : QString();
}

bool ScriptEditorService::check(QWidget* editor) {
  auto* e = qobject_cast<ScriptEditorWidget*>(editor);
  return e != nullptr && runner_.Check(*e);
}

}  // namespace ondrix::shell::ui
