#pragma once
// The checks the session and watch procedures make before they touch a page.

#include <cstdint>
#include <string_view>

namespace ondrix::shell {
class TMainForm;
}

namespace ondrix::automation {

// The main window of the run (TScriptProcs::Current().MainForm()).
shell::TMainForm& mainForm();

// The open-connection guard: with no page, the error "There are no open connections. Operation
// not permitted." and false.
bool requirePages(shell::TMainForm& form);
// The page check after the guard: a page outside 0..count-1 gives the information "No such page
// number " + the number, and false.
bool requirePage(shell::TMainForm& form, std::int32_t page);
// Both, in that order.
bool requireOpenPage(shell::TMainForm& form, std::int32_t page);
// The routines with their own check: a page outside 0..count-1 gives the error
// "<routine>: Invalid page number", and false.
bool requireValidPage(shell::TMainForm& form, std::int32_t page, std::string_view routine);

}  // namespace ondrix::automation
