#pragma once
// The small windows the script procedures open, and the main window's size state they set: the
// user name and password dialog, the "List of values" dialog, the script message window. The GUI
// installs Qt windows (platform/qt/script_windows_qt.h); without one, the defaults route the
// dialogs through the installed platform Dialogs (so a headless run takes their answers from its
// answers file) and the message window and window state have nothing to show.

#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace ondrix::platform {

enum class WindowState { Normal, Minimized, Maximized };

class ScriptWindows {
 public:
  virtual ~ScriptWindows() = default;

  // The modal "Enter user name and password" dialog titled `title`; `user` pre-fills the user
  // name (the password field then has the focus) unless it is empty. The two fields, or nothing
  // when the user cancelled.
  virtual std::optional<std::pair<std::string, std::string>> userPass(std::string_view title, std::string_view user);
  // The modal "List of values" dialog with its title, label and items, no item selected; the
  // chosen index, or -1 when it was cancelled or closed without a selection.
  virtual int listOfValues(std::string_view title, std::string_view label, const std::vector<std::string>& items);
  // The non-modal message window, centred on the screen: shows it with the title and text (or
  // changes them while it shows), or hides it.
  virtual void showMessageWindow(std::string_view title, std::string_view text);
  virtual void hideMessageWindow();
  // The main window maximised, minimised or normal.
  virtual void setMainWindowState(WindowState state);
};

// The installed windows (the defaults until something is installed).
ScriptWindows& scriptWindows();

// Installs `windows` for the lifetime of this object, then restores what was there before.
class ScopedScriptWindows {
 public:
  explicit ScopedScriptWindows(ScriptWindows& windows);
  ~ScopedScriptWindows();
  ScopedScriptWindows(const ScopedScriptWindows&) = delete;
  ScopedScriptWindows& operator=(const ScopedScriptWindows&) = delete;

 private:
  ScriptWindows* previous_;
};

}  // namespace ondrix::platform
