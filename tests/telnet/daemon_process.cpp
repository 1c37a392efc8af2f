#include "daemon_process.h"

#include <fcntl.h>
#include <signal.h>
#include <sys/prctl.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <fstream>
#include <sstream>
#include <thread>

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

  const pid_t parent = ::getpid();
  const pid_t pid = ::fork();
  if (pid < 0) {
    why = "cannot start " + argv[0];
    return nullptr;
  }
  if (pid == 0) {
    // Its own process group, killed with the test if the test dies first; no terminal, no output.
    ::setpgid(0, 0);
    ::prctl(PR_SET_PDEATHSIG, SIGKILL);
    if (::getppid() != parent) ::_exit(127);
    const int null = ::open("/dev/null", O_RDWR);
    ::dup2(null, 0);
    ::dup2(null, 1);
    ::dup2(null, 2);
    ::execvp(args[0], args.data());
    ::_exit(127);
  }
  ::setpgid(pid, pid);  // also from here, so the group exists before anyone signals it
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
