// Event handlers (own, System, disabled), script files, the script timer and the user toolbar.

#include "main_form_fixture.h"
#include "session/tnemulvt.h"
#include "store/stores/evt_db_fcns.h"
#include "store/stores/record_file.h"

namespace ondrix::shell::testing {
namespace {

struct DispatchCase {
  const char* Name;
  bool Own;
  bool OwnEnabled;
  bool System;
  std::vector<std::string> Runs;
};

class ConnectionEvents : public MainFormTest, public ::testing::WithParamInterface<DispatchCase> {};

// OnBeforeConnect, OnConnect and OnDisconnect each run the connection's own handler when it is
// enabled and not empty, else the System handler.
TEST_P(ConnectionEvents, OwnElseSystem) {
  const DispatchCase& c = GetParam();
  for (int kind = 1; kind <= 3; ++kind) {
    if (c.Own) SetEvent("Lab", kind, "begin TestLog('own" + std::to_string(kind) + "'); end.", c.OwnEnabled);
    if (c.System) SetEvent("System", kind, "begin TestLog('sys" + std::to_string(kind) + "'); end.");
  }
  CreateForm();
  OpenConnected("Lab");
  RunLoopUntil([&] { return LogWith("script:").size() >= c.Runs.size() - 1; });
  form->Execute(CommandId::Disconnect);
  EXPECT_EQ(LogWith("script:"), c.Runs);
}

const DispatchCase kDispatch[] = {
    {"Own", true, true, true, {"script:own1", "script:own2", "script:own3"}},
    {"SystemWhenNoOwn", false, false, true, {"script:sys1", "script:sys2", "script:sys3"}},
    {"SystemWhenOwnDisabled", true, false, true, {"script:sys1", "script:sys2", "script:sys3"}},
};
INSTANTIATE_TEST_SUITE_P(Events, ConnectionEvents, ::testing::ValuesIn(kDispatch),
                         [](const auto& info) { return std::string(info.param.Name); });

TEST_F(MainFormTest, RunEventRunsOnlyEnabledHandlersWithAScript) {
  SetEvent("Lab", 3, "begin TestLog('x'); end.", false);
  SetEvent("Lab", 2, "", true);
  SetEvent("Lab", 1, "begin TestLog('one'); end.", true);
  CreateForm();
  EXPECT_FALSE(form->RunEvent(3, "Lab"));
  EXPECT_FALSE(form->RunEvent(2, "Lab"));
  EXPECT_FALSE(form->RunEvent(4, "Nobody"));
  EXPECT_TRUE(form->RunEvent(1, "Lab"));
  EXPECT_EQ(LogWith("script:"), std::vector<std::string>{"script:one"});
}

TEST_F(MainFormTest, EnsureSystemEventCreatesAMissingRecordAndKeepsAnExistingOne) {
  SetEvent("System", 5, "begin end.", true);
  CreateForm();
  form->EnsureSystemEvent(5, "System");
  form->EnsureSystemEvent(6, "System");
  store::RecordFile events(data, store::EvtDBFcns::kFileName);
  events.Open();
  const auto kept = store::EventRec::decode(events.Get(store::EventRec::key("System", 5)).value_or(""));
  ASSERT_TRUE(kept);
  EXPECT_EQ(kept->Enabled, 1);
  EXPECT_EQ(kept->Script, "begin end.");
  EXPECT_TRUE(events.Get(store::EventRec::key("System", 6)).has_value());
  events.Close();
}

TEST_F(MainFormTest, MissingScriptFileShowsItsName) {
  CreateForm();
  form->RunScriptFile("nowhere.oxs");
  form->RunScriptFile("");
  EXPECT_EQ(dialogs.boxes, (std::vector<std::string>{"Script \"nowhere.oxs\" not found.", "Script \"\" not found."}));
}

TEST_F(MainFormTest, NetworkErrorRunsTheSessionsScript) {
  const std::string e = Script("e.oxs", "begin TestLog('error'); end.");
  CreateForm();
  const int page = OpenConnected("Lab");
  form->Panel(page).NetworkErrorScript = e;
  session::TTnEmulVT& emu = *form->Panel(page).Emu;
  emu.OnError(&emu, 10054, "reset");
  EXPECT_EQ(LogWith("script:"), std::vector<std::string>{"script:error"});
}

TEST_F(MainFormTest, HostCloseRunsOnDisconnectAndKeepsTheTab) {
  SetEvent("Lab", 3, "begin TestLog('closed ' + TestScreen); end.");
  CreateForm();
  const int page = OpenConnected("Lab");
  peers.front()->close();
  RunLoopUntil([&] { return !LogWith("script:").empty(); });
  EXPECT_EQ(form->PageCount(), 1);
  EXPECT_FALSE(form->Panel(page).Emu->IsConnected());
  // Reconnect on a closed session asks nothing.
  form->Execute(CommandId::Reconnect);
  EXPECT_TRUE(dialogs.boxes.empty());
}

// --- The script timer ---------------------------------------------------------------------------

struct TimerCase {
  int Seconds;
  int TicksBeforeRun;
};

class ScriptTimer : public MainFormTest, public ::testing::WithParamInterface<TimerCase> {};

TEST_P(ScriptTimer, RunsAfterItsSeconds) {
  const std::string t = Script("t.oxs", "begin TestLog('timer'); end.");
  CreateForm();
  form->SetScriptTimer(GetParam().Seconds, t);
  for (int tick = 1; tick < GetParam().TicksBeforeRun; ++tick) {
    form->ScriptTimerTick();
    EXPECT_TRUE(LogWith("script:").empty()) << "tick " << tick;
    EXPECT_TRUE(form->ScriptTimerPending());
  }
  form->ScriptTimerTick();
  EXPECT_EQ(LogWith("script:"), std::vector<std::string>{"script:timer"});
  EXPECT_FALSE(form->ScriptTimerPending());
  form->ScriptTimerTick();
  EXPECT_EQ(LogWith("script:").size(), 1u);
}

INSTANTIATE_TEST_SUITE_P(Seconds, ScriptTimer, ::testing::Values(TimerCase{0, 1}, TimerCase{1, 1}, TimerCase{3, 3}),
                         [](const auto& info) { return "S" + std::to_string(info.param.Seconds); });

TEST_F(MainFormTest, SettingTheTimerAgainReplacesIt) {
  const std::string a = Script("a.oxs", "begin TestLog('a'); end.");
  const std::string b = Script("b.oxs", "begin TestLog('b'); end.");
  CreateForm();
  form->SetScriptTimer(2, a);
  form->ScriptTimerTick();
  form->SetScriptTimer(2, b);
  form->ScriptTimerTick();
  EXPECT_TRUE(LogWith("script:").empty());
  form->ScriptTimerTick();
  EXPECT_EQ(LogWith("script:"), std::vector<std::string>{"script:b"});
}

TEST_F(MainFormTest, ClearedTimerRunsNothing) {
  const std::string a = Script("a.oxs", "begin TestLog('a'); end.");
  CreateForm();
  form->SetScriptTimer(1, a);
  form->ClearScriptTimer();
  form->ScriptTimerTick();
  EXPECT_TRUE(LogWith("script:").empty());
}

TEST_F(MainFormTest, TheEventLoopTicksTheTimer) {
  const std::string a = Script("a.oxs", "begin TestLog('a'); end.");
  CreateForm();
  form->SetScriptTimer(1, a);
  RunLoopUntil([&] { return !LogWith("script:").empty(); });
  EXPECT_FALSE(form->ScriptTimerPending());
}

// --- The user toolbar ---------------------------------------------------------------------------

TEST_F(MainFormTest, UserToolbarIdsAreNeverReusedAndItShowsWhileItHoldsSomething) {
  const std::string a = Script("a.oxs", "begin TestLog('clicked'); end.");
  CreateForm();
  EXPECT_FALSE(view.UserToolbarVisible);
  EXPECT_EQ(form->AddUserButton("Go", "Go there", a), 0);
  EXPECT_EQ(form->AddUserSpacer(), 0);
  EXPECT_TRUE(view.UserToolbarVisible);
  EXPECT_TRUE(form->RemoveUserButton(0));
  EXPECT_FALSE(form->RemoveUserButton(0));
  EXPECT_EQ(form->AddUserButton("Again", "", a), 1);
  EXPECT_TRUE(form->RemoveUserSpacer(0));
  EXPECT_TRUE(view.UserToolbarVisible);
  form->UserButtonClick(1);
  form->UserButtonClick(0);  // removed: nothing
  EXPECT_EQ(LogWith("script:"), std::vector<std::string>{"script:clicked"});
  EXPECT_TRUE(form->RemoveUserButton(1));
  EXPECT_FALSE(view.UserToolbarVisible);
}

}  // namespace
}  // namespace ondrix::shell::testing
