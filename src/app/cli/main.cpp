// ondrix-cli: the engines without a display. See docs/cli.md for the contract of each sub-command.

#include <CLI/CLI.hpp>
#include <cstdio>
#include <exception>
#include <string>

#include "app/cli/commands.h"
#include "automation/routine_table.h"
#include "script/script_engine.h"

int main(int argc, char** argv) {
  CLI::App app{"Ondrix headless tool: replays terminal streams, edits record files, runs scripts"};
  app.require_subcommand(1);
  app.set_version_flag("--version", std::string("ondrix-cli ") + ONDRIX_VERSION);
  int exitCode = ondrix::cli::kExitOk;
  // The script engine's tables (with the standard routines) for run, eval and compile.
  ondrix::script::ScriptEngine scriptEngine;
  // The terminal procedures, registered once before any script runs.
  ondrix::automation::registerAutomationRoutines();
  ondrix::cli::addReplayCommand(app, exitCode);
  ondrix::cli::addCompileCommand(app, exitCode);
  ondrix::cli::addQdbCommand(app, exitCode);
  ondrix::cli::addInitCommand(app, exitCode);
  ondrix::cli::addRunCommand(app, exitCode);
  ondrix::cli::addEvalCommand(app, exitCode);
  ondrix::cli::addCheckCommand(app, exitCode);

  try {
    app.parse(argc, argv);
  } catch (const CLI::CallForHelp& e) {
    return app.exit(e);
  } catch (const CLI::CallForAllHelp& e) {
    return app.exit(e);
  } catch (const CLI::CallForVersion& e) {
    return app.exit(e);
  } catch (const CLI::ParseError& e) {
    app.exit(e);
    return ondrix::cli::kExitUsage;
  } catch (const std::exception& e) {
    std::fprintf(stderr, "%s\n", e.what());
    return ondrix::cli::kExitFailure;
  }
  return exitCode;
}
