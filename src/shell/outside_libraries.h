#pragma once
// The libraries the main window loads by path from the program folder: the add-in manager
// (ADDINMGR.so, export AddinManager) and the about box (ABOUTDLL.so, export AboutOXPro). Each
// export is called with the main window's handle (the Qt main window as a QWidget*) and returns
// when the user is done; the library is unloaded afterwards.

#include <string>

namespace ondrix::shell {

class TMainForm;

inline constexpr const char* kAddinManagerLibrary = "ADDINMGR.so";
inline constexpr const char* kAddinManagerExport = "AddinManager";
inline constexpr const char* kAboutLibrary = "ABOUTDLL.so";
inline constexpr const char* kAboutExport = "AboutOXPro";
inline constexpr const char* kAddinManagerNotFound = "Add-in manager not found.";

// The signature of both exports.
using TOutsideEntry = void (*)(void* mainWindow);

// Installs the handlers of "&Add-in manager..." and "&About..." on `form`. The add-in manager
// command: load the library, or say "Add-in manager not found." and stop; close ADDINS.QDB, call
// the export, unload, reopen ADDINS.QDB and rebuild the add-in menu (also when the call fails). The
// about command: call the export when the library loads; nothing at all otherwise.
void installOutsideLibraries(TMainForm& form, void* mainWindow);

}  // namespace ondrix::shell
