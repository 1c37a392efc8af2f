#pragma once
// Event loop over poll(2): the loop of ondrix-cli and of the engine tests.

#include <chrono>
#include <deque>
#include <map>
#include <vector>

#include "platform/event_loop.h"

namespace ondrix::platform {

class PollEventLoop final : public EventLoop {
 public:
  WatchId watch(int fd, unsigned interest, ReadyHandler handler) override;
  void setInterest(WatchId id, unsigned interest) override;
  void unwatch(WatchId id) override;
  TimerId startTimer(std::chrono::milliseconds interval, bool repeating, Task task) override;
  void stopTimer(TimerId id) override;
  void post(Task task) override;
  void processPendingEvents() override;
  bool runOnce(std::chrono::milliseconds timeout) override;

  // True while any watch, timer or posted call exists.
  bool hasWork() const;

 private:
  using Clock = std::chrono::steady_clock;
  struct Watch {
    int fd;
    unsigned interest;
    ReadyHandler handler;
  };
  struct Timer {
    Clock::time_point due;
    std::chrono::milliseconds interval;
    bool repeating;
    Task task;
  };

  void round(std::chrono::milliseconds wait);
  void runPosted();
  void runDueTimers();
  std::chrono::milliseconds untilNextTimer(std::chrono::milliseconds cap) const;

  std::map<WatchId, Watch> watches_;
  std::map<TimerId, Timer> timers_;
  std::deque<Task> posted_;
  std::uint64_t nextId_ = 1;
};

}  // namespace ondrix::platform
