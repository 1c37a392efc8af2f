#include "platform/posix/poll_event_loop.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <string>
#include <vector>

namespace ondrix::platform {
namespace {

using std::chrono::milliseconds;

// Runs the loop until `done` holds, for at most 200 rounds of up to 20 ms.
template <typename Pred>
bool runUntil(PollEventLoop& loop, Pred done) {
  for (int i = 0; i < 200 && !done(); ++i) loop.runOnce(milliseconds(20));
  return done();
}

TEST(PollEventLoop, PostedCallsRunInOrderAndLaterPostsWaitForTheNextRound) {
  PollEventLoop loop;
  std::vector<int> order;
  loop.post([&] {
    order.push_back(1);
    loop.post([&] { order.push_back(3); });
  });
  loop.post([&] { order.push_back(2); });
  loop.processPendingEvents();
  EXPECT_EQ(order, (std::vector<int>{1, 2}));
  loop.processPendingEvents();
  EXPECT_EQ(order, (std::vector<int>{1, 2, 3}));
  EXPECT_FALSE(loop.hasWork());
  EXPECT_FALSE(loop.runOnce(milliseconds(10)));
}

TEST(PollEventLoop, TimersFireOnceOrRepeatUntilStopped) {
  PollEventLoop loop;
  int once = 0, repeated = 0;
  loop.startTimer(milliseconds(1), false, [&] { ++once; });
  EventLoop::TimerId id = 0;
  id = loop.startTimer(milliseconds(1), true, [&] {
    if (++repeated == 3) loop.stopTimer(id);
  });
  ASSERT_TRUE(runUntil(loop, [&] { return repeated == 3; }));
  EXPECT_EQ(once, 1);
  EXPECT_FALSE(loop.hasWork());
}

TEST(PollEventLoop, TimerStoppedByAnotherTimerOfTheSameRoundDoesNotRun) {
  PollEventLoop loop;
  int second = 0;
  EventLoop::TimerId b = 0;
  loop.startTimer(milliseconds(0), false, [&] { loop.stopTimer(b); });
  b = loop.startTimer(milliseconds(0), false, [&] { ++second; });
  loop.runOnce(milliseconds(5));
  loop.runOnce(milliseconds(5));
  EXPECT_EQ(second, 0);
}

TEST(PollEventLoop, DescriptorWatchReportsReadableWritableAndHangup) {
  int fds[2];
  ASSERT_EQ(::pipe(fds), 0);
  PollEventLoop loop;
  std::string received;
  bool hungUp = false;
  auto readWatch = loop.watch(fds[0], kReadable, [&](int fd, unsigned ready) {
    if (ready & kReadable) {
      char buf[16];
      const ssize_t n = ::read(fd, buf, sizeof buf);
      if (n > 0) received.append(buf, static_cast<std::size_t>(n));
      if (n == 0) hungUp = true;
    }
    if (ready & kHangup) hungUp = true;
  });
  bool writable = false;
  EventLoop::WatchId writeWatch = 0;
  writeWatch = loop.watch(fds[1], kWritable, [&](int fd, unsigned ready) {
    ASSERT_TRUE(ready & kWritable);
    writable = true;
    ASSERT_EQ(::write(fd, "abc", 3), 3);
    loop.unwatch(writeWatch);
  });
  ASSERT_TRUE(runUntil(loop, [&] { return received == "abc"; }));
  EXPECT_TRUE(writable);
  ::close(fds[1]);
  ASSERT_TRUE(runUntil(loop, [&] { return hungUp; }));
  loop.unwatch(readWatch);
  ::close(fds[0]);
  EXPECT_FALSE(loop.hasWork());
}

TEST(PollEventLoop, InterestCanBeSwitchedOff) {
  int fds[2];
  ASSERT_EQ(::pipe(fds), 0);
  PollEventLoop loop;
  int calls = 0;
  auto id = loop.watch(fds[1], kWritable, [&](int, unsigned) { ++calls; });
  loop.processPendingEvents();
  EXPECT_EQ(calls, 1);
  loop.setInterest(id, kNone);
  loop.processPendingEvents();
  EXPECT_EQ(calls, 1);
  loop.unwatch(id);
  ::close(fds[0]);
  ::close(fds[1]);
}

}  // namespace
}  // namespace ondrix::platform
