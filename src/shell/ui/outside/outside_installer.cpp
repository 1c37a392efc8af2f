#include "shell/ui/outside/outside_installer.h"

#include <QWidget>

#include "shell/main_form.h"
#include "shell/outside_libraries.h"
#include "shell/ui/outside/outside_handle.h"

namespace ondrix::shell::ui {

void installOutsideComponents(TMainForm& form, QWidget* mainWindow) {
  mainWindow->setProperty(kDataFolderProperty, QString::fromStdString(form.DataFolder()));
  installOutsideLibraries(form, mainWindow);
}

}  // namespace ondrix::shell::ui
