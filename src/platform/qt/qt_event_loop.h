#pragma once
// The event loop of the GUI: descriptor watches as QSocketNotifiers, timers as QTimers and posted
// calls as queued calls, all on Qt's own loop. Readiness is read back with a zero-timeout poll of
// the one descriptor, so handlers see the same masks (hang-up included) as under the poll loop.

#include <QObject>
#include <QSocketNotifier>
#include <QTimer>
#include <map>
#include <memory>

#include "platform/event_loop.h"

namespace ondrix::platform::qt {

class QtEventLoop final : public EventLoop {
 public:
  QtEventLoop();
  ~QtEventLoop() override;

  WatchId watch(int fd, unsigned interest, ReadyHandler handler) override;
  void setInterest(WatchId id, unsigned interest) override;
  void unwatch(WatchId id) override;
  TimerId startTimer(std::chrono::milliseconds interval, bool repeating, Task task) override;
  void stopTimer(TimerId id) override;
  void post(Task task) override;
  void processPendingEvents() override;
  bool runOnce(std::chrono::milliseconds timeout) override;

 private:
  struct Watch {
    int fd;
    unsigned interest;
    ReadyHandler handler;
    std::unique_ptr<QSocketNotifier> read;
    std::unique_ptr<QSocketNotifier> write;
  };
  void ready(WatchId id);

  QObject context_;  // the receiver of posted calls; they die with the loop
  std::map<WatchId, Watch> watches_;
  std::map<TimerId, std::unique_ptr<QTimer>> timers_;
  std::uint64_t nextId_ = 1;
  int posted_ = 0;
};

}  // namespace ondrix::platform::qt
