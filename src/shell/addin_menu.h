#pragma once
// The add-in menu as the main window builds it from ADDINS.QDB: entries taken in key order, each
// placed at the top level or under the first item, depth first, whose tag's low 16 bits are its
// parent number (which thereby becomes a submenu without an action of its own). An entry whose
// parent is not (yet) in the menu goes to the top level.

#include <cstdint>
#include <vector>

#include "shell/main_form_view.h"
#include "store/records/event_record.h"

namespace ondrix::shell {

inline constexpr std::int32_t kAddinParentShift = 65536;

// Adds add-in `number` with its stored entry to `menu`.
void placeAddinMenuItem(std::vector<TAddinMenuItem>& menu, std::int32_t number, const store::AddinItem& addin);

}  // namespace ondrix::shell
