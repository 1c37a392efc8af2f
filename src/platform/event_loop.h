#pragma once
// The event loop every engine runs on: one thread, descriptors watched for readiness, timers and
// posted calls. Sockets, timers of the shell and the record engine's progress steps all go through
// it. The headless implementation polls descriptors; the GUI one rides on the toolkit's loop.

#include <chrono>
#include <cstdint>
#include <functional>

namespace ondrix::platform {

// What a descriptor watch waits for; also what a readiness callback reports.
enum Readiness : unsigned {
  kNone = 0,
  kReadable = 1u << 0,
  kWritable = 1u << 1,
  kHangup = 1u << 2,  // peer closed or error condition on the descriptor
};

class EventLoop {
 public:
  using WatchId = std::uint64_t;
  using TimerId = std::uint64_t;
  using Task = std::function<void()>;
  using ReadyHandler = std::function<void(int fd, unsigned readiness)>;

  virtual ~EventLoop() = default;

  // Calls `handler` whenever `fd` is ready for one of `interest` (a Readiness mask). Hang-up is
  // always reported. The handler may change or remove any watch, including its own.
  virtual WatchId watch(int fd, unsigned interest, ReadyHandler handler) = 0;
  virtual void setInterest(WatchId id, unsigned interest) = 0;
  virtual void unwatch(WatchId id) = 0;

  // Calls `task` after `interval`, once or every interval until stopped.
  virtual TimerId startTimer(std::chrono::milliseconds interval, bool repeating, Task task) = 0;
  virtual void stopTimer(TimerId id) = 0;

  // Runs `task` on the loop's thread at the next round, after the calls posted before it.
  virtual void post(Task task) = 0;

  // One round without waiting: runs what is ready now (posted calls, due timers, ready
  // descriptors) and returns. This is the "process pending user-interface events" step.
  virtual void processPendingEvents() = 0;

  // Waits up to `timeout` for something to do, then runs one round. Returns false when nothing is
  // watched, scheduled or posted (a wait would never end).
  virtual bool runOnce(std::chrono::milliseconds timeout) = 0;
};

}  // namespace ondrix::platform
