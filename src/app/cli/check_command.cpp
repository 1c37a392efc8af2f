// ondrix-cli check: compiles, without running, every stored event handler and add-in script with
// the names a real run sees, and prints a line for each one that does not compile.

#include <cstdio>
#include <filesystem>
#include <memory>
#include <string>
#include <string_view>

#include "app/cli/commands.h"
#include "automation/script_compile.h"
#include "platform/codepage.h"
#include "platform/paths.h"
#include "script/compiler_error.h"
#include "script/hal_runer.h"
#include "store/records/event_record.h"
#include "store/stores/addin_db.h"
#include "store/stores/evt_db_fcns.h"
#include "store/stores/record_file.h"

namespace ondrix::cli {
namespace {

// The compiler frames a syntax error as "Syntax error in  (LINE): " CR LF "TEXT."; a failure line
// carries the line and the bare text.
std::string unframed(const std::string& message) {
  static constexpr std::string_view kHead = "Syntax error in  (";
  static constexpr std::string_view kTail = "): \r\n";
  if (message.starts_with(kHead)) {
    const std::size_t close = message.find(kTail, kHead.size());
    if (close != std::string::npos) {
      std::string text = message.substr(close + kTail.size());
      if (text.ends_with('.')) text.pop_back();
      return "line " + message.substr(kHead.size(), close - kHead.size()) + ": " + text;
    }
  }
  return "line 0: " + message;
}

class Checker {
 public:
  // Compiles `script` (skipped when empty); a failure prints `what` and the compiler's message.
  void check(const std::string& what, const std::string& script) {
    if (script.empty()) return;
    ++scripts_;
    script::THalRuner runner(script);
    try {
      automation::compileOnly(runner);
    } catch (const script::ECompilerError& e) {
      fail(what + " " + unframed(e.what()));
    }
  }

  // A stored item that cannot be decoded counts as a script that failed.
  void unreadable(const std::string& what) {
    ++scripts_;
    fail(what + ": the record cannot be read");
  }

  int summary() const {
    std::printf("%d scripts, %d failed\n", scripts_, failed_);
    return failed_ == 0 ? kExitOk : kExitFailure;
  }

 private:
  void fail(const std::string& line) {
    ++failed_;
    std::printf("%s\n", platform::cp1252ToUtf8(line).c_str());
  }

  int scripts_ = 0;
  int failed_ = 0;
};

// Opens a record file of the data folder only when it exists, so that checking never creates one.
bool openExisting(const std::string& data, std::string_view name, store::RecordFile& file) {
  if (!std::filesystem::exists(data + std::string(name))) return false;
  file.Open();
  return true;
}

void checkEvents(const std::string& data, Checker& checker) {
  store::RecordFile file(data, store::EvtDBFcns::kFileName);
  if (!openExisting(data, store::EvtDBFcns::kFileName, file)) return;
  for (const std::string& key : file.Keys()) {
    const auto handler = store::EventRec::decode(file.Get(key).value_or(""));
    if (!handler) {
      checker.unreadable(key);
      continue;
    }
    const std::string_view kind = store::eventKindName(handler->Kind);
    const std::string event = kind.empty() ? std::to_string(handler->Kind) : std::string(kind);
    checker.check(handler->Name + "/" + event, handler->Script);
  }
  file.Close();
}

void checkAddins(const std::string& data, Checker& checker) {
  store::RecordFile file(data, store::AddinDB::kFileName);
  if (!openExisting(data, store::AddinDB::kFileName, file)) return;
  for (const std::string& key : file.Keys()) {
    const auto addin = store::AddinItem::decode(file.Get(key).value_or(""));
    if (!addin) {
      checker.unreadable("add-in " + key);
      continue;
    }
    checker.check("add-in " + key + " \"" + addin->Caption + "\"", addin->Script);
  }
  file.Close();
}

int runCheck(const std::string& folder) {
  const std::string data = folder.empty() ? platform::dataFolder() : platform::withTrailingSlash(folder);
  if (!std::filesystem::is_directory(data)) {
    std::fprintf(stderr, "Cannot find the data folder %s\n", data.c_str());
    return kExitUsage;
  }
  Checker checker;
  checkEvents(data, checker);
  checkAddins(data, checker);
  return checker.summary();
}

}  // namespace

void addCheckCommand(CLI::App& app, int& exitCode) {
  auto* cmd = app.add_subcommand("check", "Compile every stored event handler and add-in script");
  auto folder = std::make_shared<std::string>();
  cmd->add_option("--data", *folder, kDataFolderHelp);
  cmd->callback([folder, &exitCode] { exitCode = runCheck(*folder); });
}

}  // namespace ondrix::cli
