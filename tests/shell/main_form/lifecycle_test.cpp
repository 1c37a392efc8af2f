// Start-up (bounds, the System handlers, OnStart, the command line, "1" files kept) and shut-down
// (OnDisconnect per page before its tab goes, bounds written, OnStop last).

#include <fstream>

#include "main_form_fixture.h"
#include "store/stores/def_db_fcns.h"
#include "store/stores/evt_db_fcns.h"
#include "store/stores/record_file.h"

namespace ondrix::shell::testing {
namespace {

void writeBounds(const std::string& data, int left, int top, int width, int height) {
  store::DefDBFcns defaults(data);
  defaults.Open();
  defaults.WriteInteger("Left", left);
  defaults.WriteInteger("Top", top);
  defaults.WriteInteger("Width", width);
  defaults.WriteInteger("Height", height);
  defaults.Close();
}

TEST_F(MainFormTest, StartUpRunsInItsOrder) {
  writeBounds(data, 10, 20, 700, 500);
  SetEvent("System", 5, "begin TestLog('start'); end.");
  const std::string s = Script("s.oxs", "begin TestLog('dash s'); end.");
  CreateForm();
  peers.push_back(std::make_unique<session::testing::TelnetPeer>());
  AddConnection(0, "Lab Host", peers.back()->port());
  AddConnection(1, "Other", peers.back()->port());
  form->SetCommandHandler(CommandId::QuickConnect, [&] { view.Log.push_back("quick connect"); });

  form->FormShow({"-q", "lab HOST", "-s", s, "nobody", "OTHER"});

  EXPECT_EQ(view.Caption, "Ondrix version 1.1.3");
  EXPECT_EQ(view.WindowBounds.Left, 10);
  EXPECT_EQ(view.WindowBounds.Height, 500);
  const int bounds = LogIndex("Bounds 10 20 700 500");
  const int start = LogIndex("script:start");
  const int lab = LogIndex("InsertPage 0 Lab Host");
  const int dashS = LogIndex("script:dash s");
  const int other = LogIndex("InsertPage 1 Other");
  const int quick = LogIndex("quick connect");
  EXPECT_TRUE(bounds >= 0 && bounds < start && start < lab && lab < dashS && dashS < other && other < quick)
      << bounds << " " << start << " " << lab << " " << dashS << " " << other << " " << quick;
  EXPECT_EQ(form->PageCount(), 2);  // "nobody" matched nothing

  store::RecordFile events(data, store::EvtDBFcns::kFileName);
  events.Open();
  for (int kind = 1; kind <= 6; ++kind)
    EXPECT_TRUE(events.Get(store::EventRec::key("System", kind)).has_value()) << kind;
  events.Close();
}

TEST_F(MainFormTest, MissingBoundsKeepTheWindowsOwnSize) {
  CreateForm();
  form->FormShow({});
  EXPECT_TRUE(LogHas("Bounds -1 -1 -1 -1"));
  EXPECT_EQ(view.WindowBounds.Width, TMainForm::kDefaultWidth);
  EXPECT_EQ(view.WindowBounds.Height, TMainForm::kDefaultHeight);
}

TEST_F(MainFormTest, QuickConnectWithoutItsDialogDoesNothing) {
  CreateForm();
  form->FormShow({"-Q"});
  EXPECT_TRUE(dialogs.boxes.empty());
}

TEST_F(MainFormTest, DashSWithAFolderChangesToIt) {
  const std::string s = Script("s.oxs", "begin TestCwd; end.");
  CreateForm();
  const std::string before = std::filesystem::current_path().string();
  form->FormShow({"-S", "s.oxs"});  // a bare name: not found here, folder unchanged
  EXPECT_EQ(dialogs.boxes, std::vector<std::string>{"Script \"s.oxs\" not found."});
  EXPECT_EQ(std::filesystem::current_path().string(), before);
  form->FormShow({"-s", s, "-s"});
  EXPECT_EQ(LogWith("cwd:"), std::vector<std::string>{"cwd:" + (root / "DATA" / "scripts").string()});
  EXPECT_EQ(dialogs.boxes.back(), "Script \"\" not found.");
}

TEST_F(MainFormTest, OneFilesAreMovedIntoConflicts) {
  std::ofstream(root / "DATA" / "1CONINFO.QDB") << "changes";
  std::ofstream(root / "DATA" / "1x") << "more";
  CreateForm();
  EXPECT_FALSE(std::filesystem::exists(root / "DATA" / "1CONINFO.QDB"));
  EXPECT_FALSE(std::filesystem::exists(root / "DATA" / "1x"));
  std::vector<std::string> kept;
  for (const auto& entry : std::filesystem::directory_iterator(root / "DATA" / "conflicts"))
    kept.push_back(entry.path().filename().string());
  ASSERT_EQ(kept.size(), 2u);
  for (const std::string& name : kept) EXPECT_TRUE(name.starts_with("1CONINFO-") || name.starts_with("1x-")) << name;
  EXPECT_NE(view.StatusTexts[0].find("1CONINFO.QDB"), std::string::npos);
  EXPECT_NE(view.StatusTexts[0].find("1x"), std::string::npos);
}

TEST_F(MainFormTest, ShutDownRunsInItsOrder) {
  SetEvent("One", 3, "begin TestLog('disc One'); end.");
  SetEvent("Two", 3, "begin TestLog('disc Two'); end.");
  SetEvent("System", 6, "begin TestLog('stop'); TestHook; end.");
  CreateForm();
  form->FormShow({});
  OpenConnected("One");
  OpenConnected("Two");
  form->SetReattachHandler([&] { view.Log.push_back("reattach"); });
  view.WindowBounds = TBounds{5, 6, 800, 600};
  int widthAtStop = 0;
  hook = [&] {
    store::DefDBFcns defaults(data);
    defaults.Open();
    widthAtStop = defaults.ReadInteger("Width");
    defaults.Close();
  };

  form->Shutdown();
  form->Shutdown();  // once only

  const std::vector<std::string> expected{"reattach", "script:disc Two", "RemovePage 1 Two", "script:disc One",
                                          "RemovePage 0 One", "script:stop"};
  std::vector<std::string> seen;
  for (const std::string& line : view.Log)
    if (line == "reattach" || line.starts_with("script:") || line.starts_with("RemovePage")) seen.push_back(line);
  EXPECT_EQ(seen, expected);
  EXPECT_EQ(widthAtStop, 800);
  EXPECT_TRUE(form->ShutDown());
  EXPECT_EQ(form->PageCount(), 0);
}

}  // namespace
}  // namespace ondrix::shell::testing
