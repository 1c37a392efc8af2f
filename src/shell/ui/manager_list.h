#pragma once
// The name lists of the managers: filled from the logic without echoing the selection back to it,
// and given their pop-up menu.

#include <string>
#include <vector>

class QAction;
class QListWidget;

namespace ondrix::shell::ui {

// `list` holds `names` with row `selected` current (-1: none); no selection signal reaches the
// logic, which chose the row itself.
void showListNames(QListWidget* list, const std::vector<std::string>& names, int selected);
// The list's pop-up menu holds `action`.
void addListPopup(QListWidget* list, QAction* action);

}  // namespace ondrix::shell::ui
