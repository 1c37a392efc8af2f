// ABOUTDLL.so: AboutOXPro shows the about box over the main window (its handle is the main window
// as a QWidget*) and returns when the user closes it.

#include <QWidget>

#include "shell/ui/outside/about_box.h"
#include "shell/ui/outside/outside_handle.h"

extern "C" __attribute__((visibility("default"))) void AboutOXPro(void* mainWindow) {
  auto* parent = static_cast<QWidget*>(mainWindow);
  ondrix::shell::ui::AboutBox box(ondrix::shell::ui::dataFolderOf(parent), parent);
  box.exec();
  // The main window comes back to the front afterwards.
  if (parent) parent->activateWindow();
}
