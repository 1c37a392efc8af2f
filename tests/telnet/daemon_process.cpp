#include "daemon_process.h"

#include <fcntl.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <fstream>
#include <sstream>
#include <thread>

extern char** environ;

namespace ondrix::telnet::testing {
namespace {

using Clock = std::chrono::steady_clock;

// Waits up to `limit` for `pid` to end; true when it has been reaped.
bool reap(pid_t pid, std::chrono::milliseconds limit) {
  const auto end = Clock::now() + limit;
  do {
    const pid_t r = ::waitpid(pid, nullptr, WNOHANG);
    if (r == pid || (r < 0 && errno == ECHILD)) return true;
    std::this_thread::sleep_for(std::chrono::milliseconds(20));
  } while (Clock::now() < end);
  return false;
}

}  // namespace

bool isListening(std::uint16_t port) {
  char wanted[16];
  std::snprintf(wanted, sizeof wanted, ":%04X", port);
  std::ifstream tcp("/proc/net/tcp");
  std::string line;
  std::getline(tcp, line);  // header
  while (std::getline(tcp, line)) {
    std::istringstream fields(line);
    std::string slot, local, remote, state;
    fields >> slot >> local >> remote >> state;
    if (state == "0A" && (local == std::string("0100007F") + wanted || local == std::string("00000000") + wanted))
      return true;
  }
  return false;
}

std::unique_ptr<DaemonProcess> DaemonProcess::start(const std::vector<std::string>& argv,
                                                    std::uint16_t port, std::string& why) {
  std::vector<char*> args;
  for (const auto& a : argv) args.push_back(const_cast<char*>(a.c_str()));
  args.push_back(nullptr);

  posix_spawn_file_actions_t files;
  posix_spawn_file_actions_init(&files);
  posix_spawn_file_actions_addopen(&files, 0, "/dev/null", O_RDONLY, 0);
  posix_spawn_file_actions_addopen(&files, 1, "/dev/null", O_WRONLY, 0);
  posix_spawn_file_actions_addopen(&files, 2, "/dev/null", O_WRONLY, 0);
  posix_spawnattr_t attr;
  posix_spawnattr_init(&attr);
  posix_spawnattr_setflags(&attr, POSIX_SPAWN_SETPGROUP);
  posix_spawnattr_setpgroup(&attr, 0);
  pid_t pid = -1;
  const int rc = ::posix_spawnp(&pid, args[0], &files, &attr, args.data(), environ);
  posix_spawn_file_actions_destroy(&files);
  posix_spawnattr_destroy(&attr);
  if (rc != 0) {
    why = "cannot start " + argv[0];
    return nullptr;
  }
  std::unique_ptr<DaemonProcess> daemon(new DaemonProcess(pid));
  const auto end = Clock::now() + std::chrono::seconds(10);
  while (Clock::now() < end) {
    if (isListening(port)) return daemon;
    if (::waitpid(pid, nullptr, WNOHANG) == pid) {
      daemon->pid_ = -1;
      why = argv[0] + " exited at once";
      return nullptr;
    }
    std::this_thread::sleep_for(std::chrono::milliseconds(20));
  }
  why = argv[0] + " did not listen on port " + std::to_string(port);
  return nullptr;
}

DaemonProcess::~DaemonProcess() { stop(); }

void DaemonProcess::stop() {
  if (pid_ <= 0) return;
  ::kill(-pid_, SIGTERM);
  if (!reap(pid_, std::chrono::seconds(3))) {
    ::kill(-pid_, SIGKILL);
    reap(pid_, std::chrono::seconds(3));
  }
  ::kill(-pid_, SIGKILL);  // anything of the group still left
  pid_ = -1;
}

}  // namespace ondrix::telnet::testing
