#pragma once
// Starting programs for scripts, without a shell in between: the parameters are split into words
// (command_words.h) and the program is started directly. Documents, folders and addresses open
// with the desktop's default action (xdg-open).

#include <sys/types.h>

#include <functional>
#include <string>
#include <vector>

namespace ondrix::automation {

// Result codes of StartProgram, as scripts know them: above 32 means started.
inline constexpr int kStartOk = 42;
inline constexpr int kStartFileNotFound = 2;
inline constexpr int kStartPathNotFound = 3;
inline constexpr int kStartAccessDenied = 5;
inline constexpr int kStartNoAssociation = 31;

// Starts `file` with `parameters` in `folder` (empty: the current folder) and does not wait. An
// executable file (or a program found on PATH) runs directly; a document, a folder or an address
// ("scheme:...") opens through xdg-open. The started process is reaped by later calls or by
// ReapStartedPrograms.
int StartProgram(const std::string& file, const std::string& parameters, const std::string& folder);

// Collects the exit of programs StartProgram started that have ended.
void ReapStartedPrograms();

// Starts the program of `commandLine` (its first word the program, found on PATH when it has no
// '/') and waits for it to end, running `step` repeatedly while it runs (the caller processes its
// events there). False when it cannot be started.
bool RunProgramAndWait(const std::string& commandLine, const std::function<void()>& step);

}  // namespace ondrix::automation
