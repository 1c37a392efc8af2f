// Starting programs: ExecuteFile does not wait; ExecuteFileWithWait waits with the program's
// events running, and ends the program at once should a quit request arrive meanwhile.

#include <chrono>

#include "automation/program_start.h"
#include "automation/routines.h"
#include "automation/script_procs.h"
#include "platform/services.h"
#include "script/std_args.h"
#include "shell/main_form.h"

namespace ondrix::automation::routines {
namespace {

using script::textArg;

// How long one wait for events lasts while a started program runs.
constexpr std::chrono::milliseconds kWaitStep{20};

}  // namespace

// The show mode (argument 3) has no meaning for programs started here: a program's own windows
// decide how they open.
void ExecuteFile(ParamCells& cells, ScriptValue& result) {
  const std::string file = textArg(cells, 0), parameters = textArg(cells, 1), folder = textArg(cells, 2);
  result = ScriptValue::integer(StartProgram(file, parameters, folder));
}

void ExecuteFileWithWait(ParamCells& cells, ScriptValue& result) {
  const std::string commandLine = textArg(cells, 0) + " " + textArg(cells, 1);
  TScriptProcs& procs = TScriptProcs::Current();
  const bool ran = RunProgramAndWait(commandLine, [&procs] {
    platform::services().loop->runOnce(kWaitStep);
    const shell::TMainForm* form = procs.MadeMainForm();
    if (form != nullptr && (form->CloseRequested() || form->ShutDown())) procs.Quit(0);
  });
  result = ScriptValue::boolean(ran);
}

}  // namespace ondrix::automation::routines
