#pragma once
// TScriptProcs: what the terminal procedures of scripts share for one run of the program: the main
// window they drive, the list windows, the message window and the files they opened. The program
// makes one after its main window and before any script runs; the procedures reach it through
// TScriptProcs::Current(). Destroying it closes the files scripts left open.

#include <cstdint>
#include <functional>
#include <memory>
#include <string>

#include "automation/file_handles.h"
#include "automation/ftp/ftp_client.h"
#include "automation/list_windows.h"
#include "automation/msg_form.h"

namespace ondrix::shell {
class TMainForm;
}

namespace ondrix::automation {

class TScriptProcs {
 public:
  // Gives the main window, making it when it does not exist yet; null when there is none.
  using MainFormSource = std::function<shell::TMainForm*()>;

  // `mainForm` may be null (a program without a main window): the procedures that need one then
  // fail with "No main window".
  explicit TScriptProcs(shell::TMainForm* mainForm);
  // The main window is asked for when a procedure first needs it (a headless run makes it only
  // then: an empty script starts no sessions, reads no record files).
  explicit TScriptProcs(MainFormSource source);
  ~TScriptProcs();
  TScriptProcs(const TScriptProcs&) = delete;
  TScriptProcs& operator=(const TScriptProcs&) = delete;

  // The instance of this run; throws EScriptError when none was made.
  static TScriptProcs& Current();
  static TScriptProcs* CurrentOrNull();

  // The main window; throws EScriptError "No main window" without one.
  shell::TMainForm& MainForm();
  // The main window if it has been made, without making it.
  shell::TMainForm* MadeMainForm() const { return mainForm_; }
  // The data folder (the main window's, or the platform's when there is none), ending in '/'.
  std::string DataFolder() const;
  std::string ProgramFolder() const;

  FileHandles& Files() { return files_; }
  ListWindows& Lists() { return lists_; }
  TMsgForm& MessageWindow() { return messageWindow_; }
  // The FTP client of the run (the main window's "FTP"), made on first use on the platform's
  // event loop: time-out 15 seconds, port "ftp", binary mode.
  TFtpClient& Ftp();

  // Ends the program at once with `code` (a quit request seen while waiting for a started
  // program). The default flushes the standard streams and exits the process.
  std::function<void(int code)> Quit;

 private:
  MainFormSource source_;
  shell::TMainForm* mainForm_ = nullptr;
  FileHandles files_;
  ListWindows lists_;
  TMsgForm messageWindow_;
  std::unique_ptr<TFtpClient> ftp_;
  TScriptProcs* previous_;
};

}  // namespace ondrix::automation
