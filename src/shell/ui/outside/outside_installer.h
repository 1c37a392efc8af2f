#pragma once
// Hands the main window's add-in manager and about commands to the libraries of the program
// folder (ADDINMGR.so, ABOUTDLL.so), giving them `mainWindow` (with its data folder) as handle.

class QWidget;

namespace ondrix::shell {
class TMainForm;
}

namespace ondrix::shell::ui {

void installOutsideComponents(TMainForm& form, QWidget* mainWindow);

}  // namespace ondrix::shell::ui
