// Pages and sessions: open, close, select and drive them, read their screens, log them.

#include <algorithm>
#include <optional>
#include <vector>

#include "automation/messages.h"
#include "automation/page_checks.h"
#include "automation/routines.h"
#include "automation/script_procs.h"
#include "script/std_args.h"
#include "session/tnemulvt.h"
#include "shell/main_form.h"
#include "store/key_compare.h"
#include "store/stores/con_db_fcns.h"

namespace ondrix::automation::routines {
namespace {

using script::intArg;
using script::textArg;

constexpr int kScreenTextBuffer = 6700;

std::string upperCased(std::string text) {
  for (char& c : text) c = static_cast<char>(store::kUpperCase[static_cast<unsigned char>(c)]);
  return text;
}

// The position in the connection book of the first connection whose upper-cased name equals the
// upper-cased `name`.
std::optional<int> findConnection(store::ConDBFcns& book, const std::string& name) {
  const std::vector<std::string> names = book.ListNames();
  const std::string wanted = upperCased(name);
  for (std::size_t i = 0; i < names.size(); ++i)
    if (upperCased(names[i]) == wanted) return static_cast<int>(i);
  return std::nullopt;
}

// Makes the page active and closes it as "Disconnect current" does.
void disconnectPage(shell::TMainForm& form, int page) {
  form.SetActivePage(page);
  form.ClosePage(page);
}

void send(ParamCells& cells, const std::string& suffix) {
  shell::TMainForm& form = mainForm();
  const std::int32_t page = intArg(cells, 0);
  const std::string text = textArg(cells, 1) + suffix;
  if (!requireOpenPage(form, page)) return;
  form.Panel(page).Emu->SendStr(text);
}

}  // namespace

void OpenConnection(ParamCells& cells, ScriptValue& result) {
  const std::string name = textArg(cells, 0);
  shell::TMainForm& form = mainForm();
  store::ConDBFcns book(form.DataFolder());
  book.Open();
  const std::optional<int> index = findConnection(book, name);
  book.Close();
  if (!index) {
    result = ScriptValue::integer(-1);
    return;
  }
  // A connection that cannot be opened (no host) adds no page: -1, never the number of a page
  // that was already there.
  const int before = form.PageCount();
  form.OpenSession(*index);
  result = ScriptValue::integer(form.PageCount() > before ? form.PageCount() - 1 : -1);
}

void CloseConnection(ParamCells& cells, ScriptValue&) {
  const std::string name = textArg(cells, 0);
  shell::TMainForm& form = mainForm();
  for (int i = 0; i < form.PageCount(); ++i) {
    if (form.Page(i).Caption == name) {
      disconnectPage(form, i);
      return;
    }
  }
}

void ActiveConnection(ParamCells&, ScriptValue& result) {
  shell::TMainForm& form = mainForm();
  if (!requirePages(form)) {
    result = ScriptValue::string("");
    return;
  }
  const int active = form.ActivePageIndex();
  result = ScriptValue::string(active >= 0 ? form.Page(active).Caption : "");
}

void ClosePage(ParamCells& cells, ScriptValue&) {
  shell::TMainForm& form = mainForm();
  const std::int32_t page = intArg(cells, 0);
  if (requireOpenPage(form, page)) disconnectPage(form, page);
}

void ActivePage(ParamCells&, ScriptValue& result) {
  shell::TMainForm& form = mainForm();
  result = ScriptValue::integer(form.PageCount() == 0 ? -1 : form.ActivePageIndex());
}

void SetActivePage(ParamCells& cells, ScriptValue&) {
  shell::TMainForm& form = mainForm();
  const std::int32_t page = intArg(cells, 0);
  if (form.PageCount() == 0) return;
  form.SetActivePage(page >= 0 && page < form.PageCount() ? page : form.PageCount() - 1);
}

void SendText(ParamCells& cells, ScriptValue&) { send(cells, ""); }

void SendLine(ParamCells& cells, ScriptValue&) { send(cells, "\r"); }

void RunScript(ParamCells& cells, ScriptValue&) { mainForm().RunScriptFile(textArg(cells, 0)); }

void GlobalEvent(ParamCells& cells, ScriptValue&) {
  const std::int32_t kind = intArg(cells, 0);
  mainForm().RunEvent(kind, session::TTnEmulVT::kSystemOwner);
}

void ConnectionName(ParamCells&, ScriptValue& result) {
  result = ScriptValue::string(mainForm().LastConnectionName());
}

void CloseAllConnections(ParamCells&, ScriptValue&) {
  shell::TMainForm& form = mainForm();
  // From the last page down, so that each close leaves the pages before it where they are.
  for (int i = form.PageCount() - 1; i >= 0; --i) {
    if (i < form.PageCount()) disconnectPage(form, i);
  }
}

void HostName(ParamCells& cells, ScriptValue& result) {
  const std::string name = textArg(cells, 0);
  store::ConDBFcns book(mainForm().DataFolder());
  book.Open();
  const std::optional<int> index = findConnection(book, name);
  const std::string host = index ? book.Read(*index).Host : std::string();
  book.Close();
  result = ScriptValue::string(host);
}

void OnNetworkError(ParamCells& cells, ScriptValue&) {
  shell::TMainForm& form = mainForm();
  const std::int32_t page = intArg(cells, 0);
  const std::string script = textArg(cells, 1);
  if (requireValidPage(form, page, "OnNetworkError")) form.Panel(page).NetworkErrorScript = script;
}

void StartFileLog(ParamCells& cells, ScriptValue&) {
  shell::TMainForm& form = mainForm();
  const std::int32_t page = intArg(cells, 0);
  const std::string file = textArg(cells, 1);
  if (!requireValidPage(form, page, "StartFileLog")) return;
  session::TTnEmulVT& emu = *form.Panel(page).Emu;
  if (emu.Logging()) {
    showError("StartFileLog: Session already logging");
    return;
  }
  emu.StartLog(file);
  form.UpdateStatus();
}

void StopFileLog(ParamCells& cells, ScriptValue&) {
  shell::TMainForm& form = mainForm();
  const std::int32_t page = intArg(cells, 0);
  if (!requireValidPage(form, page, "StopFileLog")) return;
  session::TTnEmulVT& emu = *form.Panel(page).Emu;
  if (!emu.Logging()) {
    showError("StopFileLog: Session not logging");
    return;
  }
  emu.StopLog();
  form.UpdateStatus();
}

void GetScreenText(ParamCells& cells, ScriptValue& result) {
  shell::TMainForm& form = mainForm();
  const std::int32_t page = intArg(cells, 0);
  const std::int32_t firstRow = intArg(cells, 1), firstCol = intArg(cells, 2);
  const std::int32_t lastRow = intArg(cells, 3), lastCol = intArg(cells, 4);
  result = ScriptValue::string("");
  if (!requireValidPage(form, page, "GetScreenText")) return;
  std::vector<char> buffer(kScreenTextBuffer);
  const int n = form.Panel(page).Emu->GetScreenRegion(firstRow, firstCol, lastRow, lastCol, buffer.data(),
                                                      kScreenTextBuffer);
  result = ScriptValue::string(std::string_view(buffer.data(), static_cast<std::size_t>(std::max(0, n))));
}

}  // namespace ondrix::automation::routines
