#pragma once
// The connection dialogs on the main window: installs the handlers of "&Quick connect...",
// "&Connection manager...", "&Connection defaults..." and "Modify &Colors..." on the form. The
// connection manager is created on first use and kept; the other dialogs live for one use.

#include <QWidget>

#include "shell/ui/conn_settings_dialog.h"

namespace ondrix::shell {
class TMainForm;
}

namespace ondrix::shell::ui {

// `parent` (the main window) owns the dialogs; `eventEditor` opens the event handler editor from
// the connection editor's "&Event handlers..." (left empty, that button stays disabled).
void installConnectionDialogs(TMainForm& form, QWidget* parent, EventEditorOpener eventEditor = {});

}  // namespace ondrix::shell::ui
