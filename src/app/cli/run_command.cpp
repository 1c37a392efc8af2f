// ondrix-cli run: runs a script headless with the whole routine library and the main window's logic
// registered as "MainForm"; its sessions are real telnet sessions, and events keep being processed
// after the script returns while a session is open or the script timer is pending, until
// CloseProgram. Exit status: 0 completed, 1 run-time error, 2 compile error, 64 usage
// error, 124 --timeout expired.

#include <sys/time.h>
#include <unistd.h>

#include <cerrno>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <memory>
#include <string>
#include <vector>

#include "app/cli/commands.h"
#include "app/cli/script_session.h"
#include "platform/paths.h"
#include "script/std_routines.h"
#include "store/stores/factory_data.h"

namespace ondrix::cli {
namespace {

struct RunOptions {
  std::string data;
  std::string answers;
  double timeout = 0;
  bool status = false;
  std::string script;
  std::vector<std::string> arguments;
};

constexpr char kTimeoutMessage[] = "Timeout expired\n";

// The run is one thread busy in the script: the alarm ends the process from the signal handler.
extern "C" void onTimeout(int) {
  const ssize_t ignored = write(STDERR_FILENO, kTimeoutMessage, sizeof kTimeoutMessage - 1);
  (void)ignored;
  _exit(kExitTimeout);
}

void startTimeout(double seconds) {
  if (seconds <= 0) return;
  struct sigaction action {};
  action.sa_handler = onTimeout;
  sigaction(SIGALRM, &action, nullptr);
  itimerval timer{};
  const auto whole = static_cast<long>(seconds);
  timer.it_value.tv_sec = whole;
  timer.it_value.tv_usec = static_cast<long>((seconds - static_cast<double>(whole)) * 1e6);
  if (timer.it_value.tv_sec == 0 && timer.it_value.tv_usec == 0) timer.it_value.tv_usec = 1;
  setitimer(ITIMER_REAL, &timer, nullptr);
}

int runScript(const RunOptions& o) {
  std::string source;
  if (!readScriptFile(o.script, source)) return kExitFailure;
  std::unique_ptr<std::ifstream> answers;
  if (!o.answers.empty()) {
    answers = std::make_unique<std::ifstream>(o.answers, std::ios::binary);
    if (!*answers) {
      std::fprintf(stderr, "Cannot read %s: %s\n", o.answers.c_str(), std::strerror(errno));
      return kExitUsage;
    }
  }
  if (!o.data.empty()) setenv("ONDRIX_DATA", o.data.c_str(), 1);
  std::vector<std::string> programArguments{platform::programPath()};
  programArguments.insert(programArguments.end(), o.arguments.begin(), o.arguments.end());
  script::setProgramArguments(std::move(programArguments));

  startTimeout(o.timeout);
  ScriptSession session(answers.get());
  const std::string data = platform::dataFolder();
  store::createFactoryData(data);
  SessionHost host(platform::programFolder(), data, o.status);
  script::THalComp component;
  component.setScriptText(source);
  const int status = session.run(component, host.ScriptObject());
  if (status == kExitOk) host.RunUntilIdle();
  return status;
}

}  // namespace

void addRunCommand(CLI::App& app, int& exitCode) {
  auto options = std::make_shared<RunOptions>();
  CLI::App* cmd = app.add_subcommand("run", "Run a script headless");
  cmd->add_option("--data", options->data, kDataFolderHelp);
  cmd->add_option("--answers", options->answers, "Answers for input dialogs, one line each");
  cmd->add_flag("--status", options->status, "Print each status-line text on standard error");
  cmd->add_option("--timeout", options->timeout, "End the run after this many seconds (exit 124)")
      ->check(CLI::NonNegativeNumber);
  cmd->add_option("script", options->script, "Script file (.oxs)")->required();
  cmd->add_option("args", options->arguments, "Arguments the script reads with PARAMSTR");
  cmd->positionals_at_end();
  cmd->callback([options, &exitCode] { exitCode = runScript(*options); });
}

}  // namespace ondrix::cli
