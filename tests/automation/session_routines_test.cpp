// The session procedures against the main window's logic and loopback hosts: guards and page
// checks with no page, one page and a bad page, and what each does to the sessions.

#include <gtest/gtest.h>

#include "automation_fixture.h"
#include "session/tnemulvt.h"

namespace ondrix::automation {
namespace {

using platform::MessageStyle;
using testing::AutomationTest;

constexpr const char* kNoConnections = "There are no open connections. Operation not permitted.";

class SessionRoutines : public AutomationTest {
 protected:
  void SetUp() override { Start(); }
};

// Each guarded routine with no page: the error box, and nothing else happens.
TEST_F(SessionRoutines, GuardedRoutinesWithoutPagesShowTheNoConnectionsError) {
  const char* calls[] = {"ClosePage(0)",          "SendText(0, 'x')",    "SendLine(0, 'x')",
                         "TestLog(ActiveConnection)", "AddWatch('x', 0)",  "AddWatchScript('x', 0, 'f')",
                         "ClearWatches(0)",       "RemoveWatch(0, 'x')", "StartTextWatch(0, 'f')",
                         "StopTextWatch(0)"};
  for (const char* call : calls) {
    dialogs.boxes.clear();
    dialogs.styles.clear();
    Run(call);
    ASSERT_EQ(dialogs.boxes.size(), 1u) << call;
    EXPECT_EQ(dialogs.boxes[0], kNoConnections) << call;
    EXPECT_EQ(dialogs.styles[0], MessageStyle::Error) << call;
  }
  EXPECT_EQ(Logged(), std::vector<std::string>{""});  // ActiveConnection's value is empty
}

TEST_F(SessionRoutines, BadPagesShowTheirMessages) {
  OpenConnected("Lab");
  const struct {
    const char* call;
    const char* box;
    MessageStyle style;
  } cases[] = {
      {"SendText(1, 'x')", "No such page number 1", MessageStyle::Information},
      {"SendLine(-1, 'x')", "No such page number -1", MessageStyle::Information},
      {"ClosePage(7)", "No such page number 7", MessageStyle::Information},
      {"ClearWatches(1)", "No such page number 1", MessageStyle::Information},
      {"StopTextWatch(2)", "No such page number 2", MessageStyle::Information},
      {"OnNetworkError(1, 'f')", "OnNetworkError: Invalid page number", MessageStyle::Error},
      {"StartFileLog(1, 'f')", "StartFileLog: Invalid page number", MessageStyle::Error},
      {"StopFileLog(-3)", "StopFileLog: Invalid page number", MessageStyle::Error},
      {"TestLog(GetScreenText(1, 0, 0, 0, 5))", "GetScreenText: Invalid page number", MessageStyle::Error},
  };
  for (const auto& c : cases) {
    dialogs.boxes.clear();
    dialogs.styles.clear();
    Run(c.call);
    ASSERT_EQ(dialogs.boxes.size(), 1u) << c.call;
    EXPECT_EQ(dialogs.boxes[0], c.box) << c.call;
    EXPECT_EQ(dialogs.styles[0], c.style) << c.call;
  }
  EXPECT_EQ(form->PageCount(), 1);
}

// The page-check routines without the guard say "Invalid page number" with no page too.
TEST_F(SessionRoutines, OwnPageChecksWithoutPages) {
  Run("StartFileLog(0, 'x.log')");
  EXPECT_EQ(LastBox(), "StartFileLog: Invalid page number");
}

TEST_F(SessionRoutines, OpenConnectionMatchesNamesIgnoringCase) {
  session::testing::TelnetPeer peer;
  AddConnection(0, "Alpha", session::testing::TelnetPeer::closedPort());
  AddConnection(1, "Mail", peer.port());
  Run("TestLog(OpenConnection('mAIL')); TestLog(OpenConnection('nothing'))");
  EXPECT_EQ(Logged(), (std::vector<std::string>{"0", "-1"}));
  ASSERT_EQ(form->PageCount(), 1);
  EXPECT_EQ(form->Page(0).Caption, "Mail");
  EXPECT_TRUE(peer.accept(loop));
  RunLoopUntil([&] { return form->Panel(0).Emu->IsConnected(); });
  Run("TestLog(ActiveConnection); TestLog(ConnectionName); TestLog(HostName('MAIL')); TestLog(HostName('x'))");
  EXPECT_EQ(Logged(), (std::vector<std::string>{"0", "-1", "Mail", "Mail", "127.0.0.1", ""}));
}

// A connection without a host opens nothing: -1, not the number of the page already open.
TEST_F(SessionRoutines, OpenConnectionWithoutHostGivesMinusOne) {
  OpenConnected("Lab");
  AddConnection(1, "Empty", 23, "");
  Run("TestLog(OpenConnection('Empty'))");
  EXPECT_EQ(Logged(), std::vector<std::string>{"-1"});
  EXPECT_EQ(LastBox(), "No host defined for this connection.");
  EXPECT_EQ(form->PageCount(), 1);
}

TEST_F(SessionRoutines, ActivePageAndSetActivePage) {
  Run("TestLog(ActivePage); SetActivePage(3)");
  EXPECT_TRUE(dialogs.boxes.empty());  // no message without pages
  OpenConnected("A");
  OpenConnected("B");
  OpenConnected("C");
  Run("SetActivePage(0); TestLog(ActivePage); SetActivePage(99); TestLog(ActivePage); SetActivePage(1); "
      "TestLog(ActiveConnection)");
  EXPECT_EQ(Logged(), (std::vector<std::string>{"-1", "0", "2", "B"}));
}

TEST_F(SessionRoutines, SendLineAddsOneCarriageReturn) {
  OpenConnected("Lab");
  session::testing::TelnetPeer& peer = *peers[0];
  peer.take();
  Run("SendText(0, 'ab'); SendLine(0, 'cd')");
  ASSERT_TRUE(peer.waitFor(loop, "abcd\r"));
  EXPECT_EQ(peer.take(), "abcd\r");
}

TEST_F(SessionRoutines, CloseConnectionClosePageAndCloseAll) {
  OpenConnected("A");
  OpenConnected("B");
  OpenConnected("C");
  Run("CloseConnection('b'); CloseConnection('B')");  // exact names only
  Drain();
  ASSERT_EQ(form->PageCount(), 2);
  EXPECT_EQ(form->Page(1).Caption, "C");
  Run("ClosePage(0)");
  Drain();
  ASSERT_EQ(form->PageCount(), 1);
  EXPECT_EQ(form->Page(0).Caption, "C");
  OpenConnected("D");
  Run("CloseAllConnections");
  Drain();
  EXPECT_EQ(form->PageCount(), 0);
}

// Screen reads never leave the screen, whatever the coordinates.
TEST_F(SessionRoutines, GetScreenTextStaysInsideTheScreen) {
  OpenConnected("Lab");
  Receive(0, "\x1b[H\x1b[2Jfirst\r\nsecond");
  Run("TestLog(GetScreenText(0, 0, 0, 1, 5)); TestLog(GetScreenText(0, 0, 0, 0, 79));"
      "TestLog(GetScreenText(0, 0, 0, 24, 0)); TestLog(GetScreenText(0, -1, 0, 0, 3));"
      "TestLog(GetScreenText(0, 0, 0, 0, 80)); TestLog(GetScreenText(0, 2000000000, 0, 2000000000, 5));"
      "TestLog(Length(GetScreenText(0, 0, 0, 23, 79)))");
  const std::vector<std::string> logged = Logged();
  ASSERT_EQ(logged.size(), 7u);
  EXPECT_EQ(logged[0], "first \r\nsecond");
  EXPECT_EQ(logged[1], "first" + std::string(75, ' '));
  for (int i = 2; i <= 5; ++i) EXPECT_EQ(logged[static_cast<std::size_t>(i)], "") << i;
  EXPECT_EQ(logged[6], "1966");  // the whole screen fits the buffer: 24 rows of 80 and 23 CR LF
  EXPECT_TRUE(dialogs.boxes.empty());
}

TEST_F(SessionRoutines, FileLogStartsOnceAndStops) {
  OpenConnected("Lab");
  const std::string log = data + "session.log";
  Run("StartFileLog(0, '" + log + "'); StartFileLog(0, '" + log + "')");
  EXPECT_EQ(dialogs.boxes, std::vector<std::string>{"StartFileLog: Session already logging"});
  EXPECT_EQ(view.StatusTexts[3], "Logging");
  Receive(0, "logged");
  Run("StopFileLog(0); StopFileLog(0)");
  EXPECT_EQ(LastBox(), "StopFileLog: Session not logging");
  EXPECT_EQ(view.StatusTexts[3], "");
  EXPECT_EQ(std::filesystem::file_size(log), 6u);
}

TEST_F(SessionRoutines, NetworkErrorScriptRunsOnTheSessionsError) {
  OpenConnected("Lab");
  const std::string script = Script("neterr.oxs", "begin TestLog('network error') end.");
  Run("OnNetworkError(0, '" + script + "')");
  EXPECT_EQ(form->Panel(0).NetworkErrorScript, script);
  session::TTnEmulVT& emu = *form->Panel(0).Emu;
  emu.OnError(&emu, 10054, "Connection reset by peer");
  EXPECT_EQ(Logged(), std::vector<std::string>{"network error"});
}

TEST_F(SessionRoutines, RunScriptAndGlobalEvent) {
  const std::string script = Script("child.oxs", "begin TestLog('child') end.");
  SetEvent("System", 5, "begin TestLog('start handler') end.");
  Run("RunScript('" + script + "'); GlobalEvent(OnStart); RunScript('/no/such.oxs')");
  EXPECT_EQ(Logged(), (std::vector<std::string>{"child", "start handler"}));
  EXPECT_EQ(LastBox(), "Script \"/no/such.oxs\" not found.");
}

}  // namespace
}  // namespace ondrix::automation
