// ADDINMGR.so: the add-in manager the main window loads by path. AddinManager shows the manager
// over the main window (its handle is the main window as a QWidget*) and returns when the user
// closes it. The data folder is the main window's "ondrixDataFolder" property.

#include <QMessageBox>
#include <QWidget>

#include <exception>

#include "shell/ui/outside/addin_manager_window.h"
#include "shell/ui/outside/outside_handle.h"

extern "C" __attribute__((visibility("default"))) void AddinManager(void* mainWindow) {
  auto* parent = static_cast<QWidget*>(mainWindow);
  // Nothing may leave the library as an exception: the program has its own copy of the types.
  try {
    ondrix::shell::ui::AddinManagerWindow window(ondrix::shell::ui::dataFolderOf(parent), parent);
    window.exec();
  } catch (const std::exception& e) {
    QMessageBox::critical(parent, QStringLiteral("Add-in manager"), QString::fromLocal8Bit(e.what()));
  }
}
