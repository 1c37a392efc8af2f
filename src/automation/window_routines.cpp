// The main window as scripts drive it: the user toolbar, the main toolbars, the status line, the
// window state, closing the program and the script timer.

#include <algorithm>
#include <fstream>

#include "automation/messages.h"
#include "automation/routines.h"
#include "automation/script_procs.h"
#include "platform/script_windows.h"
#include "script/std_args.h"
#include "shell/main_form.h"

namespace ondrix::automation::routines {
namespace {

using script::intArg;
using script::textArg;

shell::TMainForm& form() { return TScriptProcs::Current().MainForm(); }

void setToolbars(bool visible) {
  shell::TMainForm& f = form();
  if (f.CommandChecked(shell::CommandId::ShowToolbar) != visible) f.Execute(shell::CommandId::ShowToolbar);
}

bool hasButton(std::int32_t id) {
  const std::vector<shell::TToolBtn>& buttons = form().UserButtons();
  return std::any_of(buttons.begin(), buttons.end(), [id](const shell::TToolBtn& b) { return b.Id == id; });
}

// True when `file` holds a Windows bitmap (its "BM" signature and a header).
bool isBitmapFile(const std::string& file) {
  std::ifstream in(file, std::ios::binary);
  char header[14] = {};
  return in.read(header, sizeof header) && header[0] == 'B' && header[1] == 'M';
}

}  // namespace

// The width (argument 0) is the button's own: buttons here size to their caption.
void AddToolbarButton(ParamCells& cells, ScriptValue& result) {
  const std::string hint = textArg(cells, 1), script = textArg(cells, 2);
  result = ScriptValue::integer(form().AddUserButton("", hint, script, intArg(cells, 0)));
}

// The toolbar hides itself when nothing is left on it.
void RemoveToolbarButton(ParamCells& cells, ScriptValue&) { form().RemoveUserButton(intArg(cells, 0)); }

void SetToolbarButtonText(ParamCells& cells, ScriptValue&) {
  const std::int32_t id = intArg(cells, 0);
  const std::string text = textArg(cells, 1);
  if (!form().SetUserButtonCaption(id, text)) showError("SetToolbarButtonText: No such button");
}

void SetToolbarButtonGlyph(ParamCells& cells, ScriptValue&) {
  const std::int32_t id = intArg(cells, 0);
  const std::string file = textArg(cells, 1);
  if (!hasButton(id)) {
    showError("SetToolbarButtonGlyph: No such button");
    return;
  }
  if (!isBitmapFile(file)) {
    showError("Cannot load BMP file: " + file);
    return;
  }
  form().SetUserButtonGlyph(id, file);
}

void AddToolbarSpacer(ParamCells&, ScriptValue& result) { result = ScriptValue::integer(form().AddUserSpacer()); }

void RemoveToolbarSpacer(ParamCells& cells, ScriptValue&) { form().RemoveUserSpacer(intArg(cells, 0)); }

void ShowUserToolbar(ParamCells&, ScriptValue&) { form().View().SetUserToolbarVisible(true); }
void HideUserToolbar(ParamCells&, ScriptValue&) { form().View().SetUserToolbarVisible(false); }
void ShowToolbar(ParamCells&, ScriptValue&) { setToolbars(true); }
void HideToolbar(ParamCells&, ScriptValue&) { setToolbars(false); }

void WriteStatus(ParamCells& cells, ScriptValue&) { form().WriteStatus(textArg(cells, 0)); }
void ClearStatus(ParamCells&, ScriptValue&) { form().WriteStatus(""); }

void Maximize(ParamCells&, ScriptValue&) { platform::scriptWindows().setMainWindowState(platform::WindowState::Maximized); }
void Minimize(ParamCells&, ScriptValue&) { platform::scriptWindows().setMainWindowState(platform::WindowState::Minimized); }
void Restore(ParamCells&, ScriptValue&) { platform::scriptWindows().setMainWindowState(platform::WindowState::Normal); }

void CloseProgram(ParamCells&, ScriptValue&) { form().CloseProgram(); }

void SetTimer(ParamCells& cells, ScriptValue&) {
  const std::int32_t seconds = intArg(cells, 0);
  form().SetScriptTimer(seconds, textArg(cells, 1));
}

void ClearTimer(ParamCells&, ScriptValue&) { form().ClearScriptTimer(); }

}  // namespace ondrix::automation::routines
