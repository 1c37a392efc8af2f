#include "automation/program_start.h"

#include <fcntl.h>
#include <spawn.h>
#include <sys/stat.h>
#include <sys/syscall.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <cstring>

#include "automation/command_words.h"

extern char** environ;

namespace ondrix::automation {
namespace {

std::vector<pid_t>& startedPrograms() {
  static std::vector<pid_t> pids;
  return pids;
}

int resultOf(int error) {
  switch (error) {
    case 0: return kStartOk;
    case EACCES:
    case EPERM: return kStartAccessDenied;
    default: return kStartFileNotFound;
  }
}

bool isAddress(const std::string& file) {
  const std::size_t colon = file.find(':');
  if (colon == std::string::npos || colon < 2) return false;  // "C:" style drive letters are not schemes
  for (std::size_t i = 0; i < colon; ++i) {
    const char c = file[i];
    const bool ok = (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (i > 0 && ((c >= '0' && c <= '9') || c == '+' || c == '-' || c == '.'));
    if (!ok) return false;
  }
  return true;
}

// The program file of `name`: itself when it has a '/', else the first executable on PATH.
std::string findOnPath(const std::string& name) {
  if (name.find('/') != std::string::npos) return name;
  const char* path = std::getenv("PATH");
  std::string dirs = path != nullptr ? path : "/usr/bin:/bin";
  std::size_t start = 0;
  while (start <= dirs.size()) {
    std::size_t end = dirs.find(':', start);
    if (end == std::string::npos) end = dirs.size();
    const std::string dir = end == start ? "." : dirs.substr(start, end - start);
    const std::string candidate = dir + "/" + name;
    struct stat st {};
    if (::stat(candidate.c_str(), &st) == 0 && S_ISREG(st.st_mode) && ::access(candidate.c_str(), X_OK) == 0)
      return candidate;
    start = end + 1;
  }
  return {};
}

// Spawns argv[0] (a path) with the arguments in `folder`; the errno of the failure, or 0.
int spawn(const std::vector<std::string>& args, const std::string& folder, pid_t& pid) {
  std::vector<char*> argv;
  for (const std::string& a : args) argv.push_back(const_cast<char*>(a.c_str()));
  argv.push_back(nullptr);
  posix_spawn_file_actions_t actions;
  posix_spawn_file_actions_init(&actions);
  // The program gets the standard streams only, never our sockets or record files.
  posix_spawn_file_actions_addclosefrom_np(&actions, 3);
  if (!folder.empty()) posix_spawn_file_actions_addchdir_np(&actions, folder.c_str());
  posix_spawnattr_t attributes;
  posix_spawnattr_init(&attributes);
  // A new process group: a terminal's interrupt meant for us does not reach it.
  posix_spawnattr_setflags(&attributes, POSIX_SPAWN_SETPGROUP);
  posix_spawnattr_setpgroup(&attributes, 0);
  const int error = posix_spawn(&pid, argv[0], &actions, &attributes, argv.data(), environ);
  posix_spawnattr_destroy(&attributes);
  posix_spawn_file_actions_destroy(&actions);
  return error;
}

}  // namespace

void ReapStartedPrograms() {
  std::vector<pid_t>& pids = startedPrograms();
  std::erase_if(pids, [](pid_t pid) { return ::waitpid(pid, nullptr, WNOHANG) != 0; });
}

int StartProgram(const std::string& file, const std::string& parameters, const std::string& folder) {
  ReapStartedPrograms();
  if (file.empty()) return kStartFileNotFound;
  struct stat st {};
  if (!folder.empty() && (::stat(folder.c_str(), &st) != 0 || !S_ISDIR(st.st_mode))) return kStartPathNotFound;
  std::vector<std::string> args;
  const bool exists = ::stat(file.c_str(), &st) == 0;
  const bool executable = exists && S_ISREG(st.st_mode) && ::access(file.c_str(), X_OK) == 0;
  if (executable || (!exists && !isAddress(file))) {
    const std::string program = executable && file.find('/') == std::string::npos ? "./" + file : findOnPath(file);
    if (program.empty()) return kStartFileNotFound;
    args.push_back(program);
    for (std::string& word : splitCommandWords(parameters)) args.push_back(std::move(word));
  } else {
    // A document, a folder or an address: the desktop's default action.
    const std::string opener = findOnPath("xdg-open");
    if (opener.empty()) return kStartNoAssociation;
    args = {opener, file};
  }
  pid_t pid = 0;
  const int error = spawn(args, folder, pid);
  if (error == 0) startedPrograms().push_back(pid);
  return resultOf(error);
}

bool RunProgramAndWait(const std::string& commandLine, const std::function<void()>& step) {
  std::vector<std::string> args = splitCommandWords(commandLine);
  if (args.empty()) return false;
  args[0] = findOnPath(args[0]);
  if (args[0].empty()) return false;
  pid_t pid = 0;
  if (spawn(args, {}, pid) != 0) return false;
  for (;;) {
    int status = 0;
    const pid_t done = ::waitpid(pid, &status, WNOHANG);
    if (done == pid || (done < 0 && errno != EINTR)) return true;
    step();
  }
}

}  // namespace ondrix::automation
