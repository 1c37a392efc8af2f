#pragma once
// The sub-commands of ondrix-cli. Each registers itself on the application and returns the exit
// status through `exitCode` when it has run.

#include <CLI/CLI.hpp>
#include <string>

namespace ondrix::cli {

// Exit statuses shared by every sub-command.
inline constexpr int kExitOk = 0;
inline constexpr int kExitFailure = 1;
inline constexpr int kExitCompileError = 2;
inline constexpr int kExitUsage = 64;
inline constexpr int kExitTimeout = 124;

// The help text of every --data option.
inline constexpr const char* kDataFolderHelp =
    "Data folder (default: ONDRIX_DATA, else DATA/ beside the program when writable, "
    "else $XDG_DATA_HOME/ondrix/DATA)";

// Reads a script file whole into `text`; when it cannot be read, says so on standard error
// ("Cannot read FILE: reason") and returns false.
bool readScriptFile(const std::string& path, std::string& text);

// Each adds its sub-command to `app`; the sub-command's callback stores its exit status in
// `exitCode`. Engine errors may propagate as exceptions: main prints them and exits 1.
// (One declaration per sub-command, defined in <name>_command.cpp.)
void addReplayCommand(CLI::App& app, int& exitCode);
void addCompileCommand(CLI::App& app, int& exitCode);
void addQdbCommand(CLI::App& app, int& exitCode);
void addInitCommand(CLI::App& app, int& exitCode);
void addRunCommand(CLI::App& app, int& exitCode);
void addEvalCommand(CLI::App& app, int& exitCode);
void addCheckCommand(CLI::App& app, int& exitCode);

}  // namespace ondrix::cli
