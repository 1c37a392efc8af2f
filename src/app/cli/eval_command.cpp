// ondrix-cli eval: runs an expression as a component's Expression and prints Result as text.
// Exit status as for run: 0, 1 run-time error, 2 compile error.

#include <cstdio>
#include <exception>
#include <memory>
#include <string>

#include "app/cli/commands.h"
#include "app/cli/script_session.h"
#include "script/internal_var.h"

namespace ondrix::cli {
namespace {

int evaluate(const std::string& expression) {
  ScriptSession session(nullptr);
  script::THalComp component;
  component.setExpression(expression);
  const int status = session.run(component);
  if (status != kExitOk) return status;
  try {
    const std::string text = script::internalVar().result().toText();
    std::fwrite(text.data(), 1, text.size(), stdout);
    std::fputc('\n', stdout);
  } catch (const std::exception& e) {
    std::fprintf(stderr, "%s\n", e.what());
    return kExitFailure;
  }
  return kExitOk;
}

}  // namespace

void addEvalCommand(CLI::App& app, int& exitCode) {
  auto expression = std::make_shared<std::string>();
  CLI::App* cmd = app.add_subcommand("eval", "Evaluate an expression and print its value");
  cmd->add_option("expression", *expression, "The expression")->required();
  cmd->callback([expression, &exitCode] { exitCode = evaluate(*expression); });
}

}  // namespace ondrix::cli
