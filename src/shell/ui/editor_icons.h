#pragma once
// The toolbar icons of the script windows' commands: the desktop theme's icon where it has one,
// else the widget style's own, else a small icon drawn here, so no button is left blank.

#include <QIcon>

#include "shell/editor_commands.h"

namespace ondrix::shell::ui {

// An empty icon for commands without a toolbar button.
QIcon editorCommandIcon(EditorCommand id);

}  // namespace ondrix::shell::ui
