#include "automation/page_checks.h"

#include <string>

#include "automation/messages.h"
#include "automation/script_procs.h"
#include "shell/main_form.h"

namespace ondrix::automation {
namespace {

bool pageExists(shell::TMainForm& form, std::int32_t page) { return page >= 0 && page < form.PageCount(); }

}  // namespace

shell::TMainForm& mainForm() { return TScriptProcs::Current().MainForm(); }

bool requirePages(shell::TMainForm& form) {
  if (form.PageCount() > 0) return true;
  showError("There are no open connections. Operation not permitted.");
  return false;
}

bool requirePage(shell::TMainForm& form, std::int32_t page) {
  if (pageExists(form, page)) return true;
  showInformation("No such page number " + std::to_string(page));
  return false;
}

bool requireOpenPage(shell::TMainForm& form, std::int32_t page) { return requirePages(form) && requirePage(form, page); }

bool requireValidPage(shell::TMainForm& form, std::int32_t page, std::string_view routine) {
  if (pageExists(form, page)) return true;
  showError(std::string(routine) + ": Invalid page number");
  return false;
}

}  // namespace ondrix::automation
