#include "platform/posix/poll_event_loop.h"

#include <poll.h>

#include <algorithm>
#include <utility>

namespace ondrix::platform {

EventLoop::WatchId PollEventLoop::watch(int fd, unsigned interest, ReadyHandler handler) {
  const WatchId id = nextId_++;
  watches_.emplace(id, Watch{fd, interest, std::move(handler)});
  return id;
}

void PollEventLoop::setInterest(WatchId id, unsigned interest) {
  if (auto it = watches_.find(id); it != watches_.end()) it->second.interest = interest;
}

void PollEventLoop::unwatch(WatchId id) { watches_.erase(id); }

EventLoop::TimerId PollEventLoop::startTimer(std::chrono::milliseconds interval, bool repeating,
                                             Task task) {
  const TimerId id = nextId_++;
  timers_.emplace(id, Timer{Clock::now() + interval, interval, repeating, std::move(task)});
  return id;
}

void PollEventLoop::stopTimer(TimerId id) { timers_.erase(id); }

void PollEventLoop::post(Task task) { posted_.push_back(std::move(task)); }

bool PollEventLoop::hasWork() const {
  return !watches_.empty() || !timers_.empty() || !posted_.empty();
}

void PollEventLoop::processPendingEvents() { round(std::chrono::milliseconds(0)); }

bool PollEventLoop::runOnce(std::chrono::milliseconds timeout) {
  if (!hasWork()) return false;
  round(posted_.empty() ? untilNextTimer(timeout) : std::chrono::milliseconds(0));
  return true;
}

std::chrono::milliseconds PollEventLoop::untilNextTimer(std::chrono::milliseconds cap) const {
  auto wait = cap;
  const auto now = Clock::now();
  for (const auto& [id, t] : timers_) {
    const auto left = std::chrono::ceil<std::chrono::milliseconds>(t.due - now);
    wait = std::min(wait, std::max(left, std::chrono::milliseconds(0)));
  }
  return wait;
}

void PollEventLoop::runPosted() {
  // Only the calls posted before this round run now; calls they post wait for the next round.
  auto batch = std::exchange(posted_, {});
  for (auto& task : batch) task();
}

void PollEventLoop::runDueTimers() {
  const auto now = Clock::now();
  std::vector<TimerId> due;
  for (const auto& [id, t] : timers_)
    if (t.due <= now) due.push_back(id);
  for (TimerId id : due) {
    auto it = timers_.find(id);
    if (it == timers_.end()) continue;  // stopped by an earlier timer of this round
    Task task = it->second.task;
    if (it->second.repeating)
      it->second.due = now + it->second.interval;
    else
      timers_.erase(it);
    task();
  }
}

void PollEventLoop::round(std::chrono::milliseconds wait) {
  std::vector<pollfd> fds;
  std::vector<WatchId> ids;
  fds.reserve(watches_.size());
  for (const auto& [id, w] : watches_) {
    short events = 0;
    if (w.interest & kReadable) events |= POLLIN;
    if (w.interest & kWritable) events |= POLLOUT;
    fds.push_back(pollfd{w.fd, events, 0});
    ids.push_back(id);
  }
  const int timeout = static_cast<int>(std::min<long long>(wait.count(), 1 << 30));
  // With no descriptors this simply sleeps until the next timer is due; with nothing to wait for
  // and nothing watched there is no call at all (the compiler runs a round before every token).
  int n = 0;
  if (!fds.empty() || timeout > 0) n = ::poll(fds.data(), fds.size(), timeout);
  if (n < 0) n = 0;  // EINTR or a transient failure: the next round polls again

  runPosted();
  runDueTimers();

  for (std::size_t i = 0; n > 0 && i < fds.size(); ++i) {
    if (fds[i].revents == 0) continue;
    auto it = watches_.find(ids[i]);
    if (it == watches_.end()) continue;  // removed by an earlier handler of this round
    unsigned ready = kNone;
    if (fds[i].revents & POLLIN) ready |= kReadable;
    if (fds[i].revents & POLLOUT) ready |= kWritable;
    if (fds[i].revents & (POLLHUP | POLLERR | POLLNVAL)) ready |= kHangup;
    ReadyHandler handler = it->second.handler;  // a copy: the handler may unwatch itself
    handler(fds[i].fd, ready);
  }
}

}  // namespace ondrix::platform
