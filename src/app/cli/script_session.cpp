#include "app/cli/script_session.h"

#include <cstdio>
#include <exception>

#include "app/cli/commands.h"
#include "script/compiler_error.h"

namespace ondrix::cli {
namespace {

void printError(const char* text) {
  std::fflush(stdout);
  std::fprintf(stderr, "%s\n", text);
}

}  // namespace

ScriptSession::ScriptSession(std::istream* answers)
    : dialogs_(answers, stdout), services_({nullptr, nullptr, nullptr, nullptr, &dialogs_}) {}

int ScriptSession::run(script::THalComp& component) {
  try {
    component.prepare("MainForm", &mainForm_);
    component.run();
  } catch (const script::ECompilerError& e) {
    // The machine raises the same class ("Invalid opcode"); only a failed compilation is exit 2.
    printError(e.what());
    const bool compiled = component.runner() != nullptr && component.runner()->compiled();
    return compiled ? kExitFailure : kExitCompileError;
  } catch (const std::exception& e) {
    printError(e.what());
    return kExitFailure;
  }
  std::fflush(stdout);
  return kExitOk;
}

}  // namespace ondrix::cli
