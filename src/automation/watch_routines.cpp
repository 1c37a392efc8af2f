// Watches: texts awaited in the data a session receives, per page and global.

#include <algorithm>

#include "automation/page_checks.h"
#include "automation/routines.h"
#include "script/std_args.h"
#include "shell/main_form.h"

namespace ondrix::automation::routines {
namespace {

using script::intArg;
using script::textArg;

// Appends a watch to the active page's list (after the open-connection guard) or to the global
// list. The arguments are text, hits and, when `withScript`, the script file.
void addWatch(ParamCells& cells, bool global, bool withScript) {
  shell::TWatch watch;
  watch.Text = textArg(cells, 0);
  watch.MaxHits = intArg(cells, 1);
  if (withScript) watch.ScriptFile = textArg(cells, 2);
  watch.IsGlobal = global;
  shell::TMainForm& form = mainForm();
  if (global) {
    form.GlobalWatches().push_back(std::move(watch));
    return;
  }
  if (!requirePages(form)) return;
  if (shell::TTermPanel* panel = form.ActivePanel()) panel->WatchList.push_back(std::move(watch));
}

void removeFirst(std::vector<shell::TWatch>& list, const std::string& text) {
  const auto it = std::find_if(list.begin(), list.end(), [&](const shell::TWatch& w) { return w.Text == text; });
  if (it != list.end()) list.erase(it);
}

// The panel of page cells[0] after the guard and the page check, or null.
shell::TTermPanel* checkedPanel(ParamCells& cells) {
  shell::TMainForm& form = mainForm();
  const std::int32_t page = intArg(cells, 0);
  return requireOpenPage(form, page) ? &form.Panel(page) : nullptr;
}

}  // namespace

void AddWatch(ParamCells& cells, ScriptValue&) { addWatch(cells, false, false); }
void AddGlobalWatch(ParamCells& cells, ScriptValue&) { addWatch(cells, true, false); }
void AddWatchScript(ParamCells& cells, ScriptValue&) { addWatch(cells, false, true); }
void AddGlobalWatchScript(ParamCells& cells, ScriptValue&) { addWatch(cells, true, true); }

void ClearWatches(ParamCells& cells, ScriptValue&) {
  if (shell::TTermPanel* panel = checkedPanel(cells)) panel->WatchList.clear();
}

void ClearGlobalWatches(ParamCells&, ScriptValue&) { mainForm().GlobalWatches().clear(); }

void RemoveWatch(ParamCells& cells, ScriptValue&) {
  const std::string text = textArg(cells, 1);
  if (shell::TTermPanel* panel = checkedPanel(cells)) removeFirst(panel->WatchList, text);
}

void RemoveGlobalWatch(ParamCells& cells, ScriptValue&) {
  const std::string text = textArg(cells, 0);
  removeFirst(mainForm().GlobalWatches(), text);
}

void WatchText(ParamCells&, ScriptValue& result) { result = ScriptValue::string(mainForm().WatchText()); }

void StartTextWatch(ParamCells& cells, ScriptValue&) {
  const std::string script = textArg(cells, 1);
  if (shell::TTermPanel* panel = checkedPanel(cells)) {
    panel->TextWatchOn = true;
    panel->TextWatchScript = script;
  }
}

void StopTextWatch(ParamCells& cells, ScriptValue&) {
  if (shell::TTermPanel* panel = checkedPanel(cells)) {
    panel->TextWatchOn = false;
    panel->TextWatchScript.clear();
  }
}

}  // namespace ondrix::automation::routines
