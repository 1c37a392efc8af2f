// ondrix-cli compile: compiles a script; a compile error prints the compiler's message on standard
// error (exit 2); --listing prints the program's constants, labels and instructions.

#include <cstdio>
#include <memory>
#include <string>

#include "app/cli/commands.h"
#include "automation/script_compile.h"
#include "platform/codepage.h"
#include "script/bin_prog.h"
#include "script/compiler_error.h"
#include "script/hal_runer.h"

namespace ondrix::cli {
namespace {

struct CompileOptions {
  bool listing = false;
  std::string script;
};

int runCompile(const CompileOptions& o) {
  std::string source;
  if (!readScriptFile(o.script, source)) return kExitFailure;
  script::THalRuner runner(std::move(source));
  try {
    automation::compileOnly(runner);
  } catch (const script::ECompilerError& e) {
    std::fprintf(stderr, "%s\n", e.what());
    return kExitCompileError;
  }
  if (o.listing) {
    // Listed from the program as the machine read it back.
    const script::TFunList& routines = script::hostTables().routines;
    const std::string text = platform::cp1252ToUtf8(script::listProgram(runner.program()->image(), &routines));
    std::fwrite(text.data(), 1, text.size(), stdout);
  }
  return kExitOk;
}

}  // namespace

void addCompileCommand(CLI::App& app, int& exitCode) {
  auto options = std::make_shared<CompileOptions>();
  CLI::App* cmd = app.add_subcommand("compile", "Compile a script; report its first error or list the program");
  cmd->add_flag("--listing", options->listing, "Print the constant pool, label table and instructions");
  cmd->add_option("script", options->script, "Script file (.oxs)")->required();
  cmd->callback([options, &exitCode] { exitCode = runCompile(*options); });
}

}  // namespace ondrix::cli
