// Watches set by scripts, fired by received data.

#include <gtest/gtest.h>

#include "automation_fixture.h"

namespace ondrix::automation {
namespace {

using testing::AutomationTest;

class WatchRoutines : public AutomationTest {
 protected:
  void SetUp() override { Start(); }
};

TEST_F(WatchRoutines, AWatchWithOneHitFiresOnceAndGoes) {
  OpenConnected("Lab");
  SetEvent("Lab", 4, "begin TestLog('watch ' + WatchText) end.");
  Run("AddWatch('login:', 1); AddWatch('$ ', 0)");
  Receive(0, "login: ");
  Receive(0, "login: ");
  Receive(0, "$ ");
  Receive(0, "$ ");
  EXPECT_EQ(Logged(), (std::vector<std::string>{"watch login:", "watch $ ", "watch $ "}));
  ASSERT_EQ(form->Panel(0).WatchList.size(), 1u);
}

// Through the socket: what a loopback host sends reaches the watches and the screen.
TEST_F(WatchRoutines, DataFromTheHostFiresWatches) {
  OpenConnected("Lab");
  const std::string reply = Script("reply.oxs", "begin SendLine(0, 'guest'); TestLog(WatchText) end.");
  Run("AddWatchScript('login: ', 1, '" + reply + "')");
  peers[0]->take();
  peers[0]->send("Welcome\r\nlogin: ");
  RunLoopUntil([&] { return !Logged().empty(); });
  EXPECT_EQ(Logged(), std::vector<std::string>{"login: "});
  EXPECT_TRUE(peers[0]->waitFor(loop, "guest\r"));
  EXPECT_EQ(Row(0, 1), "login:");
}

TEST_F(WatchRoutines, WatchScriptsRunTheirFile) {
  OpenConnected("Lab");
  const std::string script = Script("w.oxs", "begin TestLog('script ' + WatchText) end.");
  Run("AddWatchScript('ready', 0, '" + script + "')");
  Receive(0, "host is ready now");
  EXPECT_EQ(Logged(), std::vector<std::string>{"script ready"});
}

TEST_F(WatchRoutines, GlobalWatchesReachOnlySessionsOpenedLater) {
  SetEvent("System", 4, "begin TestLog('global ' + WatchText) end.");
  OpenConnected("Before");
  Run("AddGlobalWatch('beep', 0)");
  OpenConnected("After");
  Receive(0, "beep");
  Receive(1, "beep");
  EXPECT_EQ(Logged(), std::vector<std::string>{"global beep"});
  Run("RemoveGlobalWatch('none'); TestLog(WatchText)");
  EXPECT_EQ(form->GlobalWatches().size(), 1u);
  Run("ClearGlobalWatches");
  EXPECT_TRUE(form->GlobalWatches().empty());
  EXPECT_EQ(form->Panel(1).WatchList.size(), 1u);  // the copy stays
}

TEST_F(WatchRoutines, RemoveAndClearWatchesOfAPage) {
  OpenConnected("Lab");
  Run("AddWatch('a', 0); AddWatch('b', 0); AddWatch('a', 0); RemoveWatch(0, 'zzz'); RemoveWatch(0, 'a')");
  ASSERT_EQ(form->Panel(0).WatchList.size(), 2u);
  EXPECT_EQ(form->Panel(0).WatchList[0].Text, "b");
  EXPECT_EQ(form->Panel(0).WatchList[1].Text, "a");
  Run("ClearWatches(0)");
  EXPECT_TRUE(form->Panel(0).WatchList.empty());
}

TEST_F(WatchRoutines, TextWatchRunsOnEveryChunkUntilStopped) {
  OpenConnected("Lab");
  SetEvent("Lab", 4, "begin TestLog('watch') end.");
  const std::string script = Script("t.oxs", "begin TestLog('chunk ' + WatchText) end.");
  Run("AddWatch('x', 0); StartTextWatch(0, '" + script + "')");
  Receive(0, "x1");
  Receive(0, "y2");
  Run("StopTextWatch(0)");
  EXPECT_FALSE(form->Panel(0).TextWatchOn);
  EXPECT_EQ(form->Panel(0).TextWatchScript, "");
  Receive(0, "x3");
  EXPECT_EQ(Logged(), (std::vector<std::string>{"chunk x1", "chunk y2", "watch"}));
}

}  // namespace
}  // namespace ondrix::automation
