#pragma once
// Runs or checks the text of a script editor the way every script run goes: the text into the
// window's script component (HalComp), the main window registered as "MainForm", compile, run.
// A failure is shown in an error box and the window stays as it is; after a compile error the
// caret goes to the error's line.

#include <optional>
#include <string>
#include <string_view>

#include "script/hal_comp.h"
#include "shell/script_editor.h"

namespace ondrix::shell {

// An error box of the script windows (caption kMessageCaption).
void showError(const std::string& text);

// The line a compiler message names ("Syntax error in  (12): ..."), if any.
std::optional<int> compileErrorLine(std::string_view message);

class TEditorScriptRunner {
 public:
  static constexpr const char* kMessageCaption = "Ondrix";
  static constexpr const char* kCheckedText = "The script compiles without errors.";

  explicit TEditorScriptRunner(script::TComponent& mainForm) : mainForm_(mainForm) {}

  // Runs the editor's text as it stands, saved or not. True when it ran to its end. A second run
  // asked for while one is going on (from events processed while compiling) is ignored.
  bool Run(TScriptEditor& editor);
  // Compiles the editor's text without running it and says so when it compiles.
  bool Check(TScriptEditor& editor);
  bool Running() const { return running_; }

  script::THalComp& HalComp() { return halComp_; }

 private:
  bool Execute(TScriptEditor& editor, bool compileOnly);

  script::TComponent& mainForm_;
  script::THalComp halComp_;
  bool running_ = false;
};

}  // namespace ondrix::shell
