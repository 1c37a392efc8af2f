#pragma once
// Hands the main window's outside components their commands: "&Add-in manager..." and "&About..."
// to the libraries of the program folder (ADDINMGR.so, ABOUTDLL.so, given `mainWindow` with its
// data folder as handle); "&Contents...", "&Index..." and "&Scripting help..." to the help viewer
// (OXPRO.md, OXPSCRIPT.md beside the program); "&Ondrix news page..." to the desktop's viewer of
// NEWS.md beside the program.

class QWidget;

namespace ondrix::shell {
class TMainForm;
}

namespace ondrix::shell::ui {

void installOutsideComponents(TMainForm& form, QWidget* mainWindow);

}  // namespace ondrix::shell::ui
