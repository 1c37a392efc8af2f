// Dialogs: user name and password, file choice, the list windows and the message window.

#include "automation/messages.h"
#include "automation/routines.h"
#include "automation/script_procs.h"
#include "platform/script_windows.h"
#include "platform/services.h"
#include "script/std_args.h"

namespace ondrix::automation::routines {
namespace {

using script::intArg;
using script::textArg;

ListWindows& lists() { return TScriptProcs::Current().Lists(); }
TMsgForm& messageWindow() { return TScriptProcs::Current().MessageWindow(); }

void chooseFile(ParamCells& cells, ScriptValue& result, platform::FileChoice kind) {
  const std::string folder = textArg(cells, 0), filter = textArg(cells, 1);
  result = ScriptValue::string(platform::services().dialogs->chooseFile(kind, folder, filter).value_or(""));
}

}  // namespace

void GetUserPass(ParamCells& cells, ScriptValue& result) {
  std::string user = textArg(cells, 0);
  const std::string title = textArg(cells, 2);
  if (user == "0") user.clear();
  const auto answer = platform::scriptWindows().userPass(title, user);
  if (answer) {
    script::cell(cells, 0) = ScriptValue::string(answer->first);
    script::cell(cells, 1) = ScriptValue::string(answer->second);
  }
  result = ScriptValue::boolean(!answer.has_value());
}

void ChooseFileOpen(ParamCells& cells, ScriptValue& result) { chooseFile(cells, result, platform::FileChoice::Open); }
void ChooseFileSave(ParamCells& cells, ScriptValue& result) { chooseFile(cells, result, platform::FileChoice::Save); }

void CreateListWindow(ParamCells& cells, ScriptValue& result) {
  std::string title = textArg(cells, 0);
  result = ScriptValue::integer(lists().Create(std::move(title), textArg(cells, 1)));
}

void DeleteListWindow(ParamCells& cells, ScriptValue&) { lists().Delete(intArg(cells, 0)); }

void AddListWindowItem(ParamCells& cells, ScriptValue& result) {
  const std::int32_t id = intArg(cells, 0);
  result = ScriptValue::integer(lists().AddItem(id, textArg(cells, 1)));
}

void DeleteListWindowItem(ParamCells& cells, ScriptValue&) {
  const std::int32_t id = intArg(cells, 0);
  lists().DeleteItem(id, intArg(cells, 1));
}

void ShowListWindow(ParamCells& cells, ScriptValue& result) {
  result = ScriptValue::integer(lists().Show(intArg(cells, 0)));
}

void GetListWindowItem(ParamCells& cells, ScriptValue& result) {
  const std::int32_t id = intArg(cells, 0);
  result = ScriptValue::string(lists().Item(id, intArg(cells, 1)));
}

void ShowMessageWindow(ParamCells& cells, ScriptValue&) {
  const std::string title = textArg(cells, 0), text = textArg(cells, 1);
  if (!messageWindow().Show(title, text)) showError("Message window is already showing!");
}

void HideMessageWindow(ParamCells&, ScriptValue&) {
  if (!messageWindow().Hide()) showError("Message window is not showing!");
}

void SetMessageWindowText(ParamCells& cells, ScriptValue&) {
  const std::string title = textArg(cells, 0), text = textArg(cells, 1);
  messageWindow().SetText(title, text);
}

}  // namespace ondrix::automation::routines
