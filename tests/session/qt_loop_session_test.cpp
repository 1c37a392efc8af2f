// The Qt event loop under the engines: posted calls, timers and descriptor watches, and a whole
// telnet session driven by it against the scripted loopback host.

#include <gtest/gtest.h>
#include <sys/socket.h>
#include <unistd.h>

#include <QCoreApplication>
#include <chrono>
#include <string>
#include <vector>

#include "platform/qt/qt_event_loop.h"
#include "platform/services.h"
#include "session/tnemulvt.h"
#include "telnet_peer.h"

namespace ondrix::session {
namespace {

using namespace std::chrono_literals;

QCoreApplication& app() {
  static int argc = 1;
  static char name[] = "qt_loop_tests";
  static char* argv[] = {name, nullptr};
  static QCoreApplication* instance = new QCoreApplication(argc, argv);
  return *instance;
}

using testing::runUntil;

TEST(QtEventLoop, PostedCallsRunInOrderAndTimersFire) {
  app();
  platform::qt::QtEventLoop loop;
  EXPECT_FALSE(loop.runOnce(1ms));  // nothing to wait for
  std::vector<int> order;
  loop.post([&] { order.push_back(1); });
  loop.post([&] { order.push_back(2); });
  int once = 0, repeated = 0;
  loop.startTimer(5ms, false, [&] { ++once; });
  platform::EventLoop::TimerId id = 0;
  id = loop.startTimer(5ms, true, [&] {
    if (++repeated == 3) loop.stopTimer(id);  // a timer may stop itself
  });
  ASSERT_TRUE(runUntil(loop, [&] { return repeated >= 3 && once == 1; }));
  EXPECT_EQ(order, (std::vector<int>{1, 2}));
  loop.processPendingEvents();
  EXPECT_EQ(repeated, 3);
  EXPECT_EQ(once, 1);
}

TEST(QtEventLoop, WatchesReportReadinessAndHangUp) {
  app();
  platform::qt::QtEventLoop loop;
  int fds[2];
  ASSERT_EQ(::socketpair(AF_UNIX, SOCK_STREAM, 0, fds), 0);
  std::vector<unsigned> seen;
  platform::EventLoop::WatchId id = 0;
  id = loop.watch(fds[0], platform::kReadable, [&](int fd, unsigned ready) {
    seen.push_back(ready);
    char buf[16];
    if (::read(fd, buf, sizeof buf) <= 0) loop.unwatch(id);  // a handler may remove its watch
  });
  ASSERT_EQ(::write(fds[1], "x", 1), 1);
  ASSERT_TRUE(runUntil(loop, [&] { return !seen.empty(); }));
  EXPECT_EQ(seen[0] & platform::kReadable, platform::kReadable);
  ::close(fds[1]);
  ASSERT_TRUE(runUntil(loop, [&] { return seen.size() >= 2; }));
  EXPECT_NE(seen.back() & (platform::kReadable | platform::kHangup), 0u);

  int writable = 0;
  int pair2[2];
  ASSERT_EQ(::socketpair(AF_UNIX, SOCK_STREAM, 0, pair2), 0);
  const auto w = loop.watch(pair2[0], platform::kNone, [&](int, unsigned ready) {
    if (ready & platform::kWritable) ++writable;
  });
  loop.processPendingEvents();
  EXPECT_EQ(writable, 0);
  loop.setInterest(w, platform::kWritable);
  ASSERT_TRUE(runUntil(loop, [&] { return writable > 0; }));
  loop.unwatch(w);
  ::close(fds[0]);
  ::close(pair2[0]);
  ::close(pair2[1]);
}

TEST(QtEventLoop, CarriesATelnetSession) {
  app();
  platform::qt::QtEventLoop loop;
  platform::CountingBeeper beeper;
  const platform::ScopedServices services({&loop, nullptr, &beeper, nullptr, nullptr});
  testing::TelnetPeer peer;
  TTnEmulVT vt;
  bool connected = false, closed = false;
  vt.OnSessionConnected = [&](TTnEmulVT*) { connected = true; };
  vt.OnSessionClosed = [&](TTnEmulVT*) { closed = true; };
  vt.Configure("Lab", "127.0.0.1", false, false, false, false, false, false, peer.port(), 80, 25, "VT100");
  vt.Connect();
  ASSERT_TRUE(runUntil(loop, [&] { return peer.tryAccept() && connected; }));
  peer.send("hello over Qt");
  ASSERT_TRUE(runUntil(loop, [&] { return vt.Screen().Line(0).Chars[0] == 'h'; }));
  vt.TypeChar('k');
  ASSERT_TRUE(runUntil(loop, [&] { return peer.take().find('k') != std::string::npos; }));
  peer.close();
  ASSERT_TRUE(runUntil(loop, [&] { return closed; }));
  EXPECT_EQ(beeper.count(), 1);
}

}  // namespace
}  // namespace ondrix::session
