#include "platform/script_windows.h"

#include "platform/services.h"

namespace ondrix::platform {
namespace {

ScriptWindows*& installed() {
  static ScriptWindows defaults;
  static ScriptWindows* current = &defaults;
  return current;
}

}  // namespace

std::optional<std::pair<std::string, std::string>> ScriptWindows::userPass(std::string_view title,
                                                                           std::string_view user) {
  return services().dialogs->userPassword(title, user);
}

int ScriptWindows::listOfValues(std::string_view title, std::string_view,
                                const std::vector<std::string>& items) {
  return services().dialogs->chooseFromList(title, items).value_or(-1);
}

void ScriptWindows::showMessageWindow(std::string_view, std::string_view) {}
void ScriptWindows::hideMessageWindow() {}
void ScriptWindows::setMainWindowState(WindowState) {}

ScriptWindows& scriptWindows() { return *installed(); }

ScopedScriptWindows::ScopedScriptWindows(ScriptWindows& windows) : previous_(installed()) { installed() = &windows; }
ScopedScriptWindows::~ScopedScriptWindows() { installed() = previous_; }

}  // namespace ondrix::platform
