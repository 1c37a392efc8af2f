#pragma once
// The main window's logic on a headless view, a temporary data folder with the factory record
// files, the poll event loop, dialogs that record what they show, and scripted loopback telnet
// hosts. Scripts of these tests reach the test through a few host routines:
//   TestLog(text)        appends "script:" + text to the view's log
//   TestScreen           the first row of page 0's screen, trimmed
//   TestClosePage(n)     closes page n;  TestCloseAll: every page;  TestCloseProgram
//   TestRun(file)        RunScriptFile(file)
//   TestHook             runs the C++ hook the test set (to act from inside a script)
//   TestCwd              logs "cwd:" + the current folder
// Every script run has a step limit.

#include <gtest/gtest.h>

#include <filesystem>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "platform/dialogs.h"
#include "platform/posix/poll_event_loop.h"
#include "platform/services.h"
#include "shell/headless/headless_main_view.h"
#include "shell/main_form.h"
#include "store/records/connection_record.h"
#include "telnet_peer.h"

namespace ondrix::shell::testing {

class RecordingDialogs final : public platform::Dialogs {
 public:
  platform::MessageResult messageBox(std::string_view text, std::string_view, platform::MessageStyle style,
                                     platform::MessageButtons) override;
  void showMessage(std::string_view text, std::optional<std::pair<int, int>>) override { messages.emplace_back(text); }
  std::optional<std::string> chooseFile(platform::FileChoice, std::string_view, std::string_view filter) override {
    lastFilter = std::string(filter);
    return fileAnswer;
  }
  std::vector<std::string> boxes;  // every message box text, in order
  std::vector<platform::MessageStyle> styles;
  std::vector<std::string> messages;
  std::vector<platform::MessageResult> answers;  // given in order; then Ok / Yes
  std::optional<std::string> fileAnswer;
  std::string lastFilter;
};

class MainFormTest : public ::testing::Test {
 protected:
  MainFormTest();
  ~MainFormTest() override;

  // Creates the form (after the test prepared the data folder).
  void CreateForm();
  // A connection record "name" -> 127.0.0.1:port, numbered `number`.
  void AddConnection(int number, const std::string& name, int port, const std::string& host = "127.0.0.1");
  void SetEvent(const std::string& owner, int kind, const std::string& script, bool enabled = true);
  // Writes a script file into the data folder's scripts/ and returns its path.
  std::string Script(const std::string& name, const std::string& text);
  // Opens connection `number` against a new loopback host and waits until it is connected.
  int OpenConnected(const std::string& name);
  // Hands `bytes` to page `page` as one received chunk.
  void Receive(int page, const std::string& bytes);
  std::string Row(int page, int row) const;
  // The lines of the view's log that start with `prefix`.
  std::vector<std::string> LogWith(const std::string& prefix) const;
  bool LogHas(const std::string& line) const;
  int LogIndex(const std::string& line) const;  // -1 when missing
  void RunLoopUntil(const std::function<bool()>& done);
  void Drain();  // a few loop rounds: posted work runs

  std::filesystem::path root;
  std::string data;
  platform::PollEventLoop loop;
  RecordingDialogs dialogs;
  THeadlessMainFormView view;
  std::unique_ptr<TMainForm> form;
  std::vector<std::unique_ptr<session::testing::TelnetPeer>> peers;
  std::function<void()> hook;

 private:
  platform::ScopedServices services_;
  std::filesystem::path startFolder_;
  int nextConnection_ = 0;
};

}  // namespace ondrix::shell::testing
