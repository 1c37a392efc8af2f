#pragma once
// TScriptProcs: what the terminal procedures of scripts share for one run of the program: the main
// window they drive, the list windows, the message window and the files they opened. The program
// makes one after its main window and before any script runs; the procedures reach it through
// TScriptProcs::Current(). Destroying it closes the files scripts left open.

#include <cstdint>
#include <functional>
#include <string>

#include "automation/file_handles.h"
#include "automation/list_windows.h"
#include "automation/msg_form.h"

namespace ondrix::shell {
class TMainForm;
}

namespace ondrix::automation {

class TScriptProcs {
 public:
  // `mainForm` may be null (a program without a main window): the procedures that need one then
  // fail with "No main window".
  explicit TScriptProcs(shell::TMainForm* mainForm);
  ~TScriptProcs();
  TScriptProcs(const TScriptProcs&) = delete;
  TScriptProcs& operator=(const TScriptProcs&) = delete;

  // The instance of this run; throws EScriptError when none was made.
  static TScriptProcs& Current();
  static TScriptProcs* CurrentOrNull();

  // The main window; throws EScriptError "No main window" without one.
  shell::TMainForm& MainForm();
  bool HasMainForm() const { return mainForm_ != nullptr; }
  // The data folder (the main window's, or the platform's when there is none), ending in '/'.
  std::string DataFolder() const;
  std::string ProgramFolder() const;

  FileHandles& Files() { return files_; }
  ListWindows& Lists() { return lists_; }
  TMsgForm& MessageWindow() { return messageWindow_; }

  // Ends the program at once with `code` (a quit request seen while waiting for a started
  // program). The default flushes the standard streams and exits the process.
  std::function<void(int code)> Quit;

 private:
  shell::TMainForm* mainForm_;
  FileHandles files_;
  ListWindows lists_;
  TMsgForm messageWindow_;
  TScriptProcs* previous_;
};

}  // namespace ondrix::automation
