#pragma once
// Host-name resolution for the socket: a blocking lookup (used by Connect) and an asynchronous
// one that runs the same lookup on a worker thread and reports on the event loop's thread.

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "platform/event_loop.h"

namespace ondrix::telnet {

// Every IPv4 address of `name` as dotted text, in the resolver's order without repeats.
// Returns 0 or a socket error code (11001 "Host not found", ...).
int resolveHost(const std::string& name, std::vector<std::string>& addresses);

// One asynchronous lookup. `done` runs on the loop's thread with the error code and the
// addresses; destroying the job first cancels it, and `done` then never runs. The worker thread
// may outlive the job (a resolver cannot be interrupted); its result is dropped.
class DnsLookupJob {
 public:
  using Done = std::function<void(int error, std::vector<std::string> addresses)>;

  // Throws std::system_error when the worker cannot be started.
  DnsLookupJob(platform::EventLoop& loop, const std::string& name, Done done);
  ~DnsLookupJob();
  DnsLookupJob(const DnsLookupJob&) = delete;
  DnsLookupJob& operator=(const DnsLookupJob&) = delete;

 private:
  struct Shared;
  void finish();

  platform::EventLoop& loop_;
  std::shared_ptr<Shared> shared_;
  platform::EventLoop::WatchId watch_ = 0;
  Done done_;
};

}  // namespace ondrix::telnet
