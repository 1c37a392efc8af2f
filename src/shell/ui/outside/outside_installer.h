#pragma once
// Hands the main window's outside components their commands: "&Add-in manager..." and "&About..."
// to the libraries of the program folder (ADDINMGR.so, ABOUTDLL.so, given `mainWindow` with its
// data folder as handle); "&Contents...", "&Index..." and "&Scripting help..." to the help viewer
// (OXPRO.md, OXPSCRIPT.md beside the program); "&Ondrix news page..." to the desktop's web
// browser with NEWS.html beside the program.

#include <QString>

#include "shell/ui/outside/help_viewer.h"

class QWidget;

namespace ondrix::shell {
class TMainForm;
}

namespace ondrix::shell::ui {

void installOutsideComponents(TMainForm& form, QWidget* mainWindow);

// Shows help file `file` ("OXPSCRIPT.md") of `folder` in the main window's help viewer (made on
// first use, one per main window; while a modal window is open, that window's own viewer) at its
// contents, or at its index filtered by `keyword`; a file that cannot be read is reported in a
// message box. The script windows' help commands and F1 use
// it with OXPSCRIPT.md.
void openHelp(QWidget* mainWindow, const QString& folder, const QString& file, HelpViewer::Page page,
              const QString& keyword = {});

}  // namespace ondrix::shell::ui
