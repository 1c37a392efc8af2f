#include "shell/editor_script_runner.h"

#include <charconv>
#include <exception>

#include "platform/services.h"
#include "script/compiler_error.h"

namespace ondrix::shell {

void showError(const std::string& text) {
  platform::services().dialogs->messageBox(text, TEditorScriptRunner::kMessageCaption,
                                           platform::MessageStyle::Error, platform::MessageButtons::Ok);
}

std::optional<int> compileErrorLine(std::string_view message) {
  constexpr std::string_view kFrame = "Syntax error in  (";
  if (!message.starts_with(kFrame)) return std::nullopt;
  message.remove_prefix(kFrame.size());
  int line = 0;
  const auto [end, error] = std::from_chars(message.data(), message.data() + message.size(), line);
  if (error != std::errc() || end == message.data() + message.size() || *end != ')' || line < 1)
    return std::nullopt;
  return line;
}

bool TEditorScriptRunner::Run(TScriptEditor& editor) { return Execute(editor, false); }

bool TEditorScriptRunner::Check(TScriptEditor& editor) {
  if (!Execute(editor, true)) return false;
  platform::services().dialogs->messageBox(kCheckedText, kMessageCaption, platform::MessageStyle::Information,
                                           platform::MessageButtons::Ok);
  return true;
}

bool TEditorScriptRunner::Execute(TScriptEditor& editor, bool compileOnly) {
  if (running_) return false;
  running_ = true;
  struct Reset {
    bool& flag;
    ~Reset() { flag = false; }
  } reset{running_};

  // Clearing first marks the script changed even when the text is the same, so a run after a
  // check (or a check after a run) compiles afresh.
  halComp_.clearScript();
  halComp_.setScriptText(editor.Text());
  try {
    halComp_.prepare("MainForm", &mainForm_);
    halComp_.runner()->compileOnly = compileOnly;
    halComp_.run();
    return true;
  } catch (const script::ECompilerError& e) {
    const std::optional<int> line = compileErrorLine(e.what());
    if (line) editor.GoToLine(*line);
    showError(e.what());
  } catch (const std::exception& e) {
    showError(e.what());
  }
  return false;
}

}  // namespace ondrix::shell
