#pragma once
// What every script run of ondrix-cli shares: the engine's global tables and the dialogs of a
// headless run (script messages to standard output, system messages to standard error, input
// dialogs answered from a file); and, for `run`, the main window's logic with a headless view,
// whose real telnet sessions keep running after the script returns.

#include <istream>
#include <memory>

#include "platform/headless/answer_dialogs.h"
#include "platform/services.h"
#include "script/hal_comp.h"
#include "script/host_object.h"
#include "script/script_engine.h"

namespace ondrix::shell {
class TMainForm;
}
namespace ondrix::automation {
class TScriptProcs;
}

namespace ondrix::cli {

class ScriptSession {
 public:
  // `answers` may be null: every input dialog is cancelled.
  explicit ScriptSession(std::istream* answers);

  // Prepares the component with `mainForm` as "MainForm" and runs it. A compile error prints the
  // compiler's message on standard error and gives kExitCompileError; any other error prints its
  // text and gives kExitFailure; a completed run gives kExitOk.
  int run(script::THalComp& component, script::TComponent& mainForm);
  // The same with a plain object as "MainForm" (eval).
  int run(script::THalComp& component) { return run(component, plainMainForm_); }

 private:
  script::ScriptEngine engine_;
  script::TComponent plainMainForm_{nullptr, "TMainForm", "MainForm"};
  platform::AnswerDialogs dialogs_;
  platform::ScopedServices services_;
};

// The main window of a headless run: TMainForm with a view that keeps everything in memory and,
// when `printStatus`, writes each text of status panel 0 and a line feed on standard error. The
// terminal procedures are bound to it while it lives; it is made when the first of them needs it,
// so a script that drives no session costs no record-file work.
class SessionHost {
 public:
  SessionHost(std::string programFolder, std::string dataFolder, bool printStatus);
  ~SessionHost();

  // The object the top-level script knows as "MainForm".
  script::TComponent& ScriptObject() { return scriptObject_; }
  // Processes events while a session is open or connecting, a script runs or the script timer
  // is pending, until CloseProgram is called.
  void RunUntilIdle();

 private:
  class View;
  shell::TMainForm* form();

  std::string programFolder_;
  std::string dataFolder_;
  script::TComponent scriptObject_{nullptr, "TMainForm", "MainForm"};
  std::unique_ptr<View> view_;
  std::unique_ptr<shell::TMainForm> form_;
  std::unique_ptr<automation::TScriptProcs> procs_;
};

}  // namespace ondrix::cli
