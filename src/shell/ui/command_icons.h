#pragma once
// The toolbar icons of the main window's commands. Each command names the freedesktop theme icon
// a Linux desktop offers for it; where the desktop's theme has none (or no theme is installed), a
// small icon drawn here in the same flat style stands in, so the button bar never shows a blank.

#include <QIcon>

#include "shell/command_table.h"

namespace ondrix::shell::ui {

// The theme icon of the command, or the drawn one. Commands without a button get an empty icon.
QIcon commandIcon(CommandId id);

}  // namespace ondrix::shell::ui
