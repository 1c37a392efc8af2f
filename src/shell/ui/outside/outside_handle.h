#pragma once
// What the libraries loaded by the main window learn from its handle: the handle is the main
// window (a QWidget*), which carries the data folder in use as its "ondrixDataFolder" property.

#include <QVariant>
#include <QWidget>

#include <string>

#include "platform/paths.h"

namespace ondrix::shell::ui {

inline constexpr const char* kDataFolderProperty = "ondrixDataFolder";

// The main window's data folder; without one, where the program keeps it by default.
inline std::string dataFolderOf(const QWidget* mainWindow) {
  const std::string folder =
      mainWindow ? mainWindow->property(kDataFolderProperty).toString().toStdString() : std::string();
  return folder.empty() ? platform::dataFolder() : folder;
}

}  // namespace ondrix::shell::ui
