#pragma once
// Hands the main window's "&Keylist manager..." and "&Palette manager..." commands to the keylist
// and palette manager windows.

class QWidget;

namespace ondrix::shell {
class TMainForm;
}

namespace ondrix::shell::ui {

// Installs the handlers of CommandId::KeylistManager and CommandId::PaletteManager on `form`. Each
// manager window is made on first use as a child of `parent`, kept, and shown modally; after the
// keylist manager closes, the form rebuilds its "Change keylist" submenu.
void installKeyAndPaletteManagers(TMainForm& form, QWidget* parent);

}  // namespace ondrix::shell::ui
