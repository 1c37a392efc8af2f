#include "platform/qt/qt_event_loop.h"

#include <poll.h>

#include <QCoreApplication>
#include <QEventLoop>

namespace ondrix::platform::qt {

QtEventLoop::QtEventLoop() = default;
QtEventLoop::~QtEventLoop() = default;

EventLoop::WatchId QtEventLoop::watch(int fd, unsigned interest, ReadyHandler handler) {
  const WatchId id = nextId_++;
  Watch w{fd, kNone, std::move(handler), std::make_unique<QSocketNotifier>(fd, QSocketNotifier::Read),
          std::make_unique<QSocketNotifier>(fd, QSocketNotifier::Write)};
  QObject::connect(w.read.get(), &QSocketNotifier::activated, &context_, [this, id] { ready(id); });
  QObject::connect(w.write.get(), &QSocketNotifier::activated, &context_, [this, id] { ready(id); });
  watches_.emplace(id, std::move(w));
  setInterest(id, interest);
  return id;
}

void QtEventLoop::setInterest(WatchId id, unsigned interest) {
  auto it = watches_.find(id);
  if (it == watches_.end()) return;
  it->second.interest = interest;
  it->second.read->setEnabled((interest & kReadable) != 0);
  it->second.write->setEnabled((interest & kWritable) != 0);
}

void QtEventLoop::unwatch(WatchId id) {
  auto it = watches_.find(id);
  if (it == watches_.end()) return;
  it->second.read->setEnabled(false);
  it->second.write->setEnabled(false);
  // A notifier may be the sender of the signal being handled: delete it when control returns.
  it->second.read.release()->deleteLater();
  it->second.write.release()->deleteLater();
  watches_.erase(it);
}

void QtEventLoop::ready(WatchId id) {
  auto it = watches_.find(id);
  if (it == watches_.end()) return;
  pollfd p{it->second.fd, 0, 0};
  if (it->second.interest & kReadable) p.events |= POLLIN;
  if (it->second.interest & kWritable) p.events |= POLLOUT;
  if (::poll(&p, 1, 0) <= 0) return;
  unsigned readiness = kNone;
  if (p.revents & POLLIN) readiness |= kReadable;
  if (p.revents & POLLOUT) readiness |= kWritable;
  if (p.revents & (POLLHUP | POLLERR | POLLNVAL)) readiness |= kHangup;
  if (readiness == kNone) return;
  ReadyHandler handler = it->second.handler;  // a copy: the handler may unwatch itself
  handler(it->second.fd, readiness);
}

EventLoop::TimerId QtEventLoop::startTimer(std::chrono::milliseconds interval, bool repeating, Task task) {
  const TimerId id = nextId_++;
  auto timer = std::make_unique<QTimer>();
  timer->setSingleShot(!repeating);
  timer->setInterval(static_cast<int>(interval.count()));
  QObject::connect(timer.get(), &QTimer::timeout, &context_, [this, id, repeating, task = std::move(task)] {
    const Task run = task;  // the timer (and this lambda) may be stopped by the task
    if (!repeating) stopTimer(id);
    run();
  });
  timer->start();
  timers_.emplace(id, std::move(timer));
  return id;
}

void QtEventLoop::stopTimer(TimerId id) {
  auto it = timers_.find(id);
  if (it == timers_.end()) return;
  it->second->stop();
  it->second.release()->deleteLater();
  timers_.erase(it);
}

void QtEventLoop::post(Task task) {
  ++posted_;
  QMetaObject::invokeMethod(&context_, [this, task = std::move(task)] {
    --posted_;
    task();
  }, Qt::QueuedConnection);
}

void QtEventLoop::processPendingEvents() { QCoreApplication::processEvents(QEventLoop::AllEvents); }

bool QtEventLoop::runOnce(std::chrono::milliseconds timeout) {
  if (watches_.empty() && timers_.empty() && posted_ == 0) return false;
  // A wake-up at the time-out bounds the wait for the next event.
  QTimer wake;
  wake.setSingleShot(true);
  wake.start(static_cast<int>(timeout.count()));
  QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);
  return true;
}

}  // namespace ondrix::platform::qt
