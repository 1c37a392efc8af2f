// Scripts that close their own page, every page or the program from inside the page's data or
// connect event; scripts that run themselves; events that arrive while a script waits. Run under
// the sanitizers: nothing may touch a freed panel, terminal or socket.

#include "main_form_fixture.h"
#include "session/tnemulvt.h"

namespace ondrix::shell::testing {
namespace {

struct CloseCase {
  const char* Name;
  std::string Script;
  int PagesLeft;
};

class CloseFromAWatch : public MainFormTest, public ::testing::WithParamInterface<CloseCase> {};

TEST_P(CloseFromAWatch, DropsTheRestOfTheChunk) {
  const std::string w = Script("w.oxs", GetParam().Script);
  CreateForm();
  OpenConnected("Other");
  const int page = OpenConnected("Lab");
  form->Panel(page).WatchList.push_back(TWatch{"bye", w, 0, 0, false});
  session::TTnEmulVT* emu = form->Panel(page).Emu.get();

  Receive(page, "bye and the rest");

  EXPECT_EQ(form->PageCount(), GetParam().PagesLeft);
  EXPECT_TRUE(LogHas("script:after"));  // the script itself ran to its end
  // A closed terminal waits for a safe point; it saw only what came before the script.
  const auto& chars = emu->Screen().Line(0).Chars;
  EXPECT_EQ(std::string(reinterpret_cast<const char*>(chars.data()), 4), "bye ");
  Drain();
  if (GetParam().PagesLeft == 2) {
    EXPECT_TRUE(view.CloseRequested);
    form->Shutdown();
    EXPECT_EQ(form->PageCount(), 0);
  }
}

const CloseCase kCloses[] = {
    {"OwnPage", "begin TestClosePage(1); TestLog('after'); end.", 1},
    {"EveryPage", "begin TestCloseAll; TestLog('after'); end.", 0},
    {"TheProgram", "begin TestCloseProgram; TestLog('after'); end.", 2},
};
INSTANTIATE_TEST_SUITE_P(Closes, CloseFromAWatch, ::testing::ValuesIn(kCloses),
                         [](const auto& info) { return std::string(info.param.Name); });

TEST_F(MainFormTest, ClosedPageIsFreedOnlyAtASafePoint) {
  const std::string w = Script("w.oxs", "begin TestClosePage(0); TestHook; end.");
  CreateForm();
  const int page = OpenConnected("Lab");
  form->Panel(page).WatchList.push_back(TWatch{"x", w, 0, 0, false});
  // Events of the loop run inside the script (as the compiler's pending-event rounds do): the
  // posted clean-up must not free the page whose event is still on the stack.
  hook = [&] { Drain(); };
  Receive(page, "x tail");
  EXPECT_EQ(form->PageCount(), 0);
  Drain();
}

TEST_F(MainFormTest, OnConnectClosingItsOwnPage) {
  SetEvent("Lab", 2, "begin TestClosePage(0); end.");
  CreateForm();
  peers.push_back(std::make_unique<session::testing::TelnetPeer>());
  AddConnection(0, "Lab", peers.back()->port());
  form->OpenSession(0);
  ASSERT_TRUE(peers.back()->accept(loop));
  RunLoopUntil([&] { return form->PageCount() == 0; });
  Drain();
  EXPECT_FALSE(view.TabAreaVisible);
}

TEST_F(MainFormTest, OnDisconnectAfterTheHostClosedClosingItsOwnPage) {
  SetEvent("Lab", 3, "begin TestClosePage(0); TestLog('closed'); end.");
  CreateForm();
  OpenConnected("Lab");
  peers.front()->send("last words");
  peers.front()->close();
  RunLoopUntil([&] { return form->PageCount() == 0; });
  EXPECT_TRUE(LogHas("script:closed"));
  Drain();
  EXPECT_TRUE(form->Idle());
}

TEST_F(MainFormTest, OnBeforeConnectClosingItsOwnPageStopsTheConnect) {
  SetEvent("Lab", 1, "begin TestClosePage(0); end.");
  CreateForm();
  peers.push_back(std::make_unique<session::testing::TelnetPeer>());
  AddConnection(0, "Lab", peers.back()->port());
  form->OpenSession(0);
  EXPECT_EQ(form->PageCount(), 0);
  Drain();
  EXPECT_FALSE(peers.back()->tryAccept());
}

TEST_F(MainFormTest, OnDisconnectClosingEveryPageDuringDisconnect) {
  SetEvent("A", 3, "begin TestCloseAll; end.");
  CreateForm();
  OpenConnected("A");
  OpenConnected("B");
  form->SetActivePage(0);
  form->Execute(CommandId::Disconnect);
  EXPECT_EQ(form->PageCount(), 0);
  Drain();
}

TEST_F(MainFormTest, ScriptsRunningThemselvesStopAtTheNestingLimit) {
  const std::string self = Script("self.oxs", "");
  Script("self.oxs", "begin TestRun('" + self + "'); TestRun('" + self + "'); end.");
  CreateForm();
  const int page = OpenConnected("Lab");
  form->Panel(page).WatchList.push_back(TWatch{"go", self, 0, 0, false});
  Receive(page, "go on");
  EXPECT_EQ(dialogs.boxes, std::vector<std::string>{TMainForm::kNestedTooDeeply});
  EXPECT_EQ(form->ScriptDepth(), 0);
  EXPECT_EQ(Row(page, 0), "go on");
}

TEST_F(MainFormTest, DataArrivingWhileTheWatchScriptWaitsComesAfterIt) {
  const std::string w = Script("w.oxs", "begin TestHook; TestLog('script ' + TestScreen); end.");
  CreateForm();
  const int page = OpenConnected("Lab");
  form->Panel(page).WatchList.push_back(TWatch{"a", w, 0, 0, false});
  int nested = 0;
  hook = [&] {
    if (nested++ == 0) Receive(page, "+second a");  // arrives while the script runs
  };
  Receive(page, "a first");
  // The second chunk waited for the first one's rest, then went through the watches itself.
  EXPECT_EQ(LogWith("script:"), (std::vector<std::string>{"script:script a", "script:script a first+second a"}));
  EXPECT_EQ(Row(page, 0), "a first+second a");
}

TEST_F(MainFormTest, HostDataDuringAWaitingScriptIsQueued) {
  const std::string w = Script("w.oxs", "begin TestHook; end.");
  CreateForm();
  const int page = OpenConnected("Lab");
  form->Panel(page).WatchList.push_back(TWatch{"1", w, 1, 0, false});
  hook = [&] {
    peers.front()->send("2");
    session::testing::runUntil(loop, [] { return false; }, std::chrono::milliseconds(50));
    view.Log.push_back("script:screen " + Row(page, 0));
  };
  peers.front()->send("1");
  RunLoopUntil([&] { return Row(page, 0) == "12"; });
  EXPECT_EQ(LogWith("script:"), std::vector<std::string>{"script:screen 1"});
}

TEST_F(MainFormTest, TicksAndClicksDuringAScriptRunAfterIt) {
  const std::string t = Script("t.oxs", "begin TestLog('timer'); end.");
  const std::string b = Script("b.oxs", "begin TestLog('click start'); TestHook; TestLog('click end'); end.");
  CreateForm();
  const std::int32_t button = form->AddUserButton("b", "", b);
  int clicks = 0;
  hook = [&] {
    if (clicks++ > 0) return;
    form->SetScriptTimer(0, t);
    form->ScriptTimerTick();
    form->UserButtonClick(button);
  };
  form->UserButtonClick(button);
  EXPECT_EQ(LogWith("script:"), (std::vector<std::string>{"script:click start", "script:click end", "script:timer",
                                                          "script:click start", "script:click end"}));
}

TEST_F(MainFormTest, ErrorsOfEventScriptsAreShownAndTheSessionGoesOn) {
  SetEvent("Lab", 2, "begin undefined_thing; end.");
  CreateForm();
  const int page = OpenConnected("Lab");
  ASSERT_EQ(dialogs.boxes.size(), 1u);
  EXPECT_NE(dialogs.boxes.front().find("Syntax error"), std::string::npos);
  Receive(page, "still here");
  EXPECT_EQ(Row(page, 0), "still here");
}

TEST_F(MainFormTest, EndlessScriptsEndAtTheStepLimit) {
  const std::string loopScript = Script("l.oxs", "var i: Integer; begin while 1 = 1 do i := i + 1; end.");
  CreateForm();
  form->RunScriptText("begin end.");
  form->UserButtonClick(form->AddUserButton("l", "", loopScript));
  EXPECT_EQ(dialogs.boxes, std::vector<std::string>{"Step limit reached"});
}

}  // namespace
}  // namespace ondrix::shell::testing
