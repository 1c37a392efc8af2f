// The procedures that need no session: stored values, files through scripts, programs, dialogs,
// the toolbar, the timer and the small helpers.

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>

#include "automation_fixture.h"
#include "platform/script_windows.h"

namespace ondrix::automation {
namespace {

using testing::AutomationTest;

class LibraryRoutines : public AutomationTest {
 protected:
  void SetUp() override { Start(); }
  std::string Quoted(const std::string& text) { return "'" + text + "'"; }
};

TEST_F(LibraryRoutines, StoredValuesUseTheJoinedKey) {
  const std::string longSection(300, 's');
  Run("SetValue('a', 'b', 'x'); TestLog(GetValue('ab', '')); TestLog(GetValue('AB', ''));"
      "TestLog(GetValue('missing', '')); SetValue('a', 'b', 'y'); TestLog(GetValue('a', 'b'));"
      "SetValue('" + longSection + "', 'tail', 'cut'); TestLog(GetValue('" + std::string(255, 's') + "', ''));"
      "SetValue(1, 2, 'sum'); TestLog(GetValue('3', ''));"
      "DeleteValue('a', 'b'); TestLog(GetValue('a', 'b'))");
  EXPECT_EQ(Logged(), (std::vector<std::string>{"x", "x", "", "y", "cut", "sum", ""}));
}

TEST_F(LibraryRoutines, DeleteAllValuesRemovesTheFileOrSaysWhyNot) {
  Run("SetValue('k', '', 'v'); DeleteAllValues; TestLog(GetValue('k', ''))");
  EXPECT_TRUE(dialogs.boxes.empty());
  std::filesystem::remove(data + "STORAGE.QDB");
  Run("DeleteAllValues");
  EXPECT_EQ(LastBox(), "Cannot remove " + std::filesystem::canonical(data).string() + "/STORAGE.QDB");
  EXPECT_EQ(Logged(), std::vector<std::string>{""});
}

TEST_F(LibraryRoutines, FilesThroughScripts) {
  const std::string path = Quoted(data + "f.bin"), copy = Quoted(data + "copy.bin");
  form->RunScriptText(
      "var h, n: Integer; buf: String; begin"
      " h := FileCreate(" + path + "); TestLog(FileWrite(h, 'abc'#0'def', 100)); FileClose(h);"
      " h := FileOpen(" + path + ", fmOpenRead); n := FileRead(h, buf, 10); TestLog(n); TestLog(buf);"
      " TestLog(FileSeek(h, -2, 2)); n := FileRead(h, buf, 10); TestLog(buf); FileClose(h);"
      " TestLog(FileSize(" + path + ")); TestLog(FileSize('nope'));"
      " TestLog(FileExists(" + path + ")); TestLog(FileExists(" + Quoted(data) + "));"
      " TestLog(FileCopy(" + path + ", " + copy + ")); TestLog(FileRename(" + copy + ", " + path + "));"
      " TestLog(FileDelete(" + copy + ")); TestLog(FileDelete(" + copy + "));"
      " TestLog(FileOpen(" + copy + ", fmOpenReadWrite)) end.");
  EXPECT_EQ(Logged(), (std::vector<std::string>{"7", "7", "abc", "5", "ef", "7", "-1", "-1", "0", "-1", "0", "-1",
                                                "0", "-1"}));
}

TEST_F(LibraryRoutines, ForeignHandlesFailLikeInvalidOnes) {
  // 0, 1 and 2 are the standard streams; the session sockets and record files have numbers too.
  Run("TestLog(FileWrite(1, 'oops', 4)); TestLog(FileSeek(0, 0, 0)); FileClose(2); TestLog(FileWrite(2, 'x', 1))");
  EXPECT_EQ(Logged(), (std::vector<std::string>{"-1", "-1", "-1"}));
  EXPECT_NE(::fcntl(2, F_GETFD), -1);  // still open
}

TEST_F(LibraryRoutines, FoldersAndCase) {
  Run("TestLog(ChangeDir(" + Quoted(data) + ")); TestLog(CurrentDir); TestLog(ChangeDir('/no/such'));"
      "TestLog(UpperCase('abc'#228'z')); TestLog(LowerCase('ABC'#196'Z'));"
      "TestLog(Copy(InstallDir, Length(InstallDir), 1))");
  const std::vector<std::string> logged = Logged();
  ASSERT_EQ(logged.size(), 6u);
  EXPECT_EQ(logged[0], "-1");
  EXPECT_EQ(logged[1], std::filesystem::canonical(data).string());
  EXPECT_EQ(logged[2], "0");
  EXPECT_EQ(logged[3], "ABC\xE4Z");
  EXPECT_EQ(logged[4], "abc\xC4z");
  EXPECT_EQ(logged[5], "/");
}

TEST_F(LibraryRoutines, ProgramsStartWithoutAShell) {
  ASSERT_EQ(::chdir(data.c_str()), 0);
  Run("TestLog(ExecuteFileWithWait('/bin/sh', '-c \"echo done > waited.txt\"', sw_ShowNormal));"
      "TestLog(ExecuteFileWithWait('touch', #39'a b'#39' $HOME;x >y', 1));"
      "TestLog(ExecuteFileWithWait('/no/such/program', '', 1));"
      "TestLog(ExecuteFile('/no/such/program', '', '', 1)); TestLog(ExecuteFile('true', '', '', 1) > 32);"
      "TestLog(ExecuteFile('true', '', '/no/such/folder', 1))");
  EXPECT_EQ(Logged(), (std::vector<std::string>{"-1", "-1", "0", "2", "-1", "3"}));
  std::ifstream waited(data + "waited.txt");
  std::string line;
  EXPECT_TRUE(std::getline(waited, line));
  EXPECT_EQ(line, "done");  // the program had ended when the call returned
  EXPECT_TRUE(std::filesystem::exists(data + "a b"));
  EXPECT_TRUE(std::filesystem::exists(data + "$HOME;x"));
  EXPECT_TRUE(std::filesystem::exists(data + ">y"));
  EXPECT_FALSE(std::filesystem::exists(data + "y"));
}

// Documents go to the desktop's default action: here a stand-in xdg-open on PATH that notes what
// it was asked to open.
TEST_F(LibraryRoutines, DocumentsOpenThroughTheDesktop) {
  const std::string bin = data + "bin";
  std::filesystem::create_directories(bin);
  std::ofstream(bin + "/xdg-open") << "#!/bin/sh\necho \"$@\" > " << data << "opened.txt\n";
  std::filesystem::permissions(bin + "/xdg-open", std::filesystem::perms::owner_all);
  std::ofstream(data + "notes.txt") << "text";
  const std::string path = ::getenv("PATH") != nullptr ? ::getenv("PATH") : "";
  ::setenv("PATH", (bin + ":" + path).c_str(), 1);
  Run("TestLog(ExecuteFile('" + data + "notes.txt', '', '', sw_ShowNormal) > 32);"
      "TestLog(ExecuteFile('https://example.org/x', '', '', sw_ShowNormal) > 32)");
  RunLoopUntil([&] { return std::filesystem::exists(data + "opened.txt"); });
  ::setenv("PATH", path.c_str(), 1);
  EXPECT_EQ(Logged(), (std::vector<std::string>{"-1", "-1"}));
}

TEST_F(LibraryRoutines, LocalAddrIsDottedIPv4) {
  Run("TestLog(LocalAddr)");
  ASSERT_EQ(Logged().size(), 1u);
  const std::string address = Logged()[0];
  int parts[4];
  char end = 0;
  EXPECT_TRUE(address.empty() || std::sscanf(address.c_str(), "%d.%d.%d.%d%c", &parts[0], &parts[1], &parts[2], &parts[3], &end) == 4)
      << address;
}

struct QuitRequest {
  int code;
};

// A quit request while a started program runs ends the program at once.
TEST_F(LibraryRoutines, QuitRequestWhileWaitingEndsTheProgram) {
  procs->Quit = [](int code) { throw QuitRequest{code}; };
  // The window's own close (not a script: scripts' events wait until the running one returns).
  loop.startTimer(std::chrono::milliseconds(100), false, [this] { form->CloseProgram(); });
  try {
    Run("ExecuteFileWithWait('sleep', '2', 1); TestLog('not reached')");
    ADD_FAILURE() << "the program went on";
  } catch (const QuitRequest& quit) {
    EXPECT_EQ(quit.code, 0);
  }
  EXPECT_TRUE(Logged().empty());
}

class AnsweringWindows : public platform::ScriptWindows {
 public:
  std::optional<std::pair<std::string, std::string>> userPass(std::string_view title, std::string_view user) override {
    calls.push_back("userPass " + std::string(title) + "|" + std::string(user));
    return passAnswer;
  }
  int listOfValues(std::string_view title, std::string_view label, const std::vector<std::string>& items) override {
    std::string line = "list " + std::string(title) + "|" + std::string(label);
    for (const std::string& item : items) line += "|" + item;
    calls.push_back(line);
    return listAnswer;
  }
  void showMessageWindow(std::string_view title, std::string_view text) override {
    calls.push_back("show " + std::string(title) + "|" + std::string(text));
  }
  void hideMessageWindow() override { calls.push_back("hide"); }
  void setMainWindowState(platform::WindowState state) override {
    calls.push_back("state " + std::to_string(static_cast<int>(state)));
  }
  std::optional<std::pair<std::string, std::string>> passAnswer;
  int listAnswer = -1;
  std::vector<std::string> calls;
};

TEST_F(LibraryRoutines, DialogsAndTheMessageWindow) {
  AnsweringWindows windows;
  platform::ScopedScriptWindows installed(windows);
  windows.passAnswer = std::make_pair(std::string("bob"), std::string("secret"));
  form->RunScriptText("var u, p: String; begin u := '0'; p := ''; TestLog(GetUserPass(u, p, 'Host')); TestLog(u + '/' + p); end.");
  windows.passAnswer.reset();
  form->RunScriptText("var u, p: String; begin u := 'ann'; p := 'x'; TestLog(GetUserPass(u, p, 'Again')); TestLog(u + '/' + p); end.");
  windows.listAnswer = 1;
  form->RunScriptText("var id: Integer; begin id := CreateListWindow('Pick', 'Which:'); TestLog(AddListWindowItem(id, 'one'));"
      " TestLog(AddListWindowItem(id, 'two')); TestLog(AddListWindowItem(id + 100, 'lost'));"
      " TestLog(ShowListWindow(id)); TestLog(GetListWindowItem(id, 1)); DeleteListWindowItem(id, 0);"
      " DeleteListWindowItem(id, 5); TestLog(GetListWindowItem(id, 0)); TestLog(GetListWindowItem(id, 1));"
      " DeleteListWindow(id); TestLog(ShowListWindow(id)); end.");
  Run("ShowMessageWindow('T', 'one'); ShowMessageWindow('T', 'two'); SetMessageWindowText('T2', 'three');"
      "HideMessageWindow; HideMessageWindow; Maximize; Minimize; Restore");
  EXPECT_EQ(Logged(), (std::vector<std::string>{"0", "bob/secret", "-1", "ann/x", "0", "1", "0", "1", "two", "two",
                                                "", "-1"}));
  EXPECT_EQ(windows.calls,
            (std::vector<std::string>{"userPass Host|", "userPass Again|ann", "list Pick|Which:|one|two",
                                      "show T|one", "show T2|three", "hide", "state 2", "state 1", "state 0"}));
  EXPECT_EQ(dialogs.boxes,
            (std::vector<std::string>{"Message window is already showing!", "Message window is not showing!"}));
}

TEST_F(LibraryRoutines, UserToolbarAndStatus) {
  const std::string bitmap = data + "go.bmp";
  std::ofstream(bitmap, std::ios::binary) << "BM" << std::string(60, '\0');
  Run("TestLog(AddToolbarButton(40, 'hint', 'a.oxs')); TestLog(AddToolbarSpacer); TestLog(AddToolbarButton(40, '', 'b.oxs'));"
      "RemoveToolbarButton(0); TestLog(AddToolbarButton(10, '', 'c.oxs')); SetToolbarButtonText(0, 'gone');"
      "SetToolbarButtonGlyph(7, 'x.bmp'); SetToolbarButtonGlyph(1, '/no/such.bmp'); WriteStatus('working');"
      "SetToolbarButtonText(2, 'Go'); SetToolbarButtonGlyph(2, '" + bitmap + "')");
  EXPECT_EQ(Logged(), (std::vector<std::string>{"0", "0", "1", "2"}));
  EXPECT_EQ(dialogs.boxes, (std::vector<std::string>{"SetToolbarButtonText: No such button",
                                                     "SetToolbarButtonGlyph: No such button",
                                                     "Cannot load BMP file: /no/such.bmp"}));
  EXPECT_EQ(view.StatusTexts[0], "working");
  EXPECT_TRUE(view.UserToolbarVisible);
  ASSERT_EQ(view.UserButtons.size(), 2u);
  EXPECT_EQ(view.UserButtons[1].Width, 10);
  ASSERT_EQ(form->UserButtons().size(), 2u);
  EXPECT_EQ(form->UserButtons()[1].Caption, "Go");
  EXPECT_EQ(form->UserButtons()[1].GlyphFile, bitmap);
  Run("RemoveToolbarButton(1); RemoveToolbarButton(2); RemoveToolbarSpacer(0); ClearStatus; HideToolbar");
  EXPECT_FALSE(view.UserToolbarVisible);
  EXPECT_EQ(view.StatusTexts[0], "");
  EXPECT_FALSE(view.ToolbarsVisible);
  Run("ShowToolbar; ShowUserToolbar");
  EXPECT_TRUE(view.ToolbarsVisible);
  EXPECT_TRUE(view.UserToolbarVisible);
}

TEST_F(LibraryRoutines, TimerIsReplacedAndCleared) {
  const std::string first = Script("first.oxs", "begin TestLog('first') end.");
  const std::string second = Script("second.oxs", "begin TestLog('second') end.");
  Run("SetTimer(3, '" + first + "'); SetTimer(2, '" + second + "')");
  EXPECT_EQ(form->ScriptTimerSeconds(), 2);
  form->ScriptTimerTick();
  EXPECT_TRUE(Logged().empty());
  form->ScriptTimerTick();
  EXPECT_EQ(Logged(), std::vector<std::string>{"second"});
  EXPECT_FALSE(form->ScriptTimerPending());
  Run("SetTimer(1, '" + first + "'); ClearTimer");
  EXPECT_FALSE(form->ScriptTimerPending());
  form->ScriptTimerTick();
  EXPECT_EQ(Logged(), std::vector<std::string>{"second"});
}

}  // namespace
}  // namespace ondrix::automation
