#include "automation/script_procs.h"

#include <cstdio>
#include <cstdlib>

#include "automation/program_start.h"
#include "platform/paths.h"
#include "platform/services.h"
#include "script/script_error.h"
#include "shell/main_form.h"

namespace ondrix::automation {
namespace {

TScriptProcs*& current() {
  static TScriptProcs* procs = nullptr;
  return procs;
}

}  // namespace

TScriptProcs::TScriptProcs(shell::TMainForm* mainForm) : TScriptProcs(MainFormSource([mainForm] { return mainForm; })) {
  mainForm_ = mainForm;
}

TScriptProcs::TScriptProcs(MainFormSource source) : source_(std::move(source)), previous_(current()) {
  Quit = [](int code) {
    std::fflush(nullptr);
    std::exit(code);
  };
  current() = this;
}

TScriptProcs::~TScriptProcs() {
  current() = previous_;
  ReapStartedPrograms();
}

TScriptProcs& TScriptProcs::Current() {
  if (current() == nullptr) throw script::EScriptError("The terminal procedures are not available here");
  return *current();
}

TScriptProcs* TScriptProcs::CurrentOrNull() { return current(); }

TFtpClient& TScriptProcs::Ftp() {
  if (!ftp_) ftp_ = std::make_unique<TFtpClient>(*platform::services().loop);
  return *ftp_;
}

shell::TMainForm& TScriptProcs::MainForm() {
  if (mainForm_ == nullptr && source_) mainForm_ = source_();
  if (mainForm_ == nullptr) throw script::EScriptError("No main window");
  return *mainForm_;
}

std::string TScriptProcs::DataFolder() const {
  return mainForm_ != nullptr ? mainForm_->DataFolder() : platform::dataFolder();
}

std::string TScriptProcs::ProgramFolder() const {
  return mainForm_ != nullptr ? mainForm_->ProgramFolder() : platform::programFolder();
}

}  // namespace ondrix::automation
