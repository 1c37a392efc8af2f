#pragma once
// A real server started for a test: its own process group, no terminal, output discarded, killed
// by the system should the test process die first.
// Stopping it (or destroying the object) ends the whole group and reaps the process.

#include <sys/types.h>

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

namespace ondrix::telnet::testing {

class DaemonProcess {
 public:
  // Starts `argv` and waits (at most 10 s) until 127.0.0.1:`port` is listening. Returns null with
  // `why` set when the program cannot be started or does not listen in time.
  static std::unique_ptr<DaemonProcess> start(const std::vector<std::string>& argv,
                                              std::uint16_t port, std::string& why);
  ~DaemonProcess();
  DaemonProcess(const DaemonProcess&) = delete;
  DaemonProcess& operator=(const DaemonProcess&) = delete;

  void stop();

 private:
  explicit DaemonProcess(pid_t pid) : pid_(pid) {}
  pid_t pid_;
};

// True when some process listens on 127.0.0.1:`port` (or on every address at that port).
bool isListening(std::uint16_t port);

}  // namespace ondrix::telnet::testing
