// ondrix-cli compile: compiles a script; a compile error prints the compiler's message on standard
// error (exit 2); --listing prints the program's constants, labels and instructions.

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <fstream>
#include <iterator>
#include <memory>
#include <string>

#include "app/cli/commands.h"
#include "platform/codepage.h"
#include "script/bin_prog.h"
#include "script/compiler.h"
#include "script/compiler_error.h"

namespace ondrix::cli {
namespace {

struct CompileOptions {
  bool listing = false;
  std::string script;
};

int runCompile(const CompileOptions& o) {
  std::ifstream file(o.script, std::ios::binary);
  std::string source;
  if (file) source.assign(std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>());
  if (!file || file.bad()) {
    std::fprintf(stderr, "Cannot read %s: %s\n", o.script.c_str(), std::strerror(errno));
    return kExitFailure;
  }
  script::HostTables& host = script::hostTables();
  std::string program;
  try {
    script::THalCompiler compiler(source, program, host);
    compiler.compile();
  } catch (const script::ECompilerError& e) {
    std::fprintf(stderr, "%s\n", e.what());
    return kExitCompileError;
  }
  if (o.listing) {
    // Listed from the written program read back, so the listing shows what the machine will run.
    const script::ProgramImage image = script::readProgram(program, host.routines);
    const std::string text = platform::cp1252ToUtf8(script::listProgram(image, &host.routines));
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
