#pragma once
// What every script run of ondrix-cli shares: the engine's global tables, the main controller
// registered as "MainForm", and the dialogs of a headless run (script messages to standard
// output, system messages to standard error, input dialogs answered from a file).

#include <istream>

#include "platform/headless/answer_dialogs.h"
#include "platform/services.h"
#include "script/hal_comp.h"
#include "script/host_object.h"
#include "script/script_engine.h"

namespace ondrix::cli {

class ScriptSession {
 public:
  // `answers` may be null: every input dialog is cancelled.
  explicit ScriptSession(std::istream* answers);

  // Prepares the component with the main controller as "MainForm" and runs it. A compile error
  // prints the compiler's message on standard error and gives kExitCompileError; any other error
  // prints its text and gives kExitFailure; a completed run gives kExitOk.
  int run(script::THalComp& component);

 private:
  script::ScriptEngine engine_;
  // The main controller. For now a plain named object the script can refer to; the session
  // procedures that act on it are registered by the automation library.
  script::TComponent mainForm_{nullptr, "TMainForm", "MainForm"};
  platform::AnswerDialogs dialogs_;
  platform::ScopedServices services_;
};

}  // namespace ondrix::cli
