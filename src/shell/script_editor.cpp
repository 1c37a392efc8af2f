#include "shell/script_editor.h"

namespace ondrix::shell {

TEditorStatus TEditorStatus::Of(const TScriptEditor* editor) {
  if (editor == nullptr) return {};
  return {std::to_string(editor->CaretLine()) + ":" + std::to_string(editor->CaretColumn()),
          editor->Modified() ? "Modified" : "", editor->Overwrite() ? "Overwrite" : "Insert"};
}

}  // namespace ondrix::shell
