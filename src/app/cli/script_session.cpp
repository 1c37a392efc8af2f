#include "app/cli/script_session.h"

#include <chrono>
#include <cstdio>
#include <exception>

#include "app/cli/commands.h"
#include "automation/script_procs.h"
#include "script/compiler_error.h"
#include "shell/headless/headless_main_view.h"
#include "shell/main_form.h"

namespace ondrix::cli {
namespace {

void printError(const char* text) {
  std::fflush(stdout);
  std::fprintf(stderr, "%s\n", text);
}

}  // namespace

ScriptSession::ScriptSession(std::istream* answers)
    : dialogs_(answers, stdout), services_({nullptr, nullptr, nullptr, nullptr, &dialogs_}) {}

int ScriptSession::run(script::THalComp& component, script::TComponent& mainForm) {
  try {
    component.prepare("MainForm", &mainForm);
    component.run();
  } catch (const script::ECompilerError& e) {
    // The machine raises the same class ("Invalid opcode"); only a failed compilation is exit 2.
    printError(e.what());
    const bool compiled = component.runner() != nullptr && component.runner()->compiled();
    return compiled ? kExitFailure : kExitCompileError;
  } catch (const std::exception& e) {
    printError(e.what());
    return kExitFailure;
  }
  std::fflush(stdout);
  return kExitOk;
}

class SessionHost::View : public shell::THeadlessMainFormView {
 public:
  explicit View(bool printStatus) : printStatus_(printStatus) {}
  void SetStatusText(int panel, const std::string& text) override {
    THeadlessMainFormView::SetStatusText(panel, text);
    if (panel != 0 || !printStatus_) return;
    std::fflush(stdout);
    std::fprintf(stderr, "%s\n", text.c_str());
    std::fflush(stderr);
  }

 private:
  bool printStatus_;
};

SessionHost::SessionHost(std::string programFolder, std::string dataFolder, bool printStatus)
    : programFolder_(std::move(programFolder)),
      dataFolder_(std::move(dataFolder)),
      view_(std::make_unique<View>(printStatus)),
      procs_(std::make_unique<automation::TScriptProcs>([this] { return form(); })) {}

SessionHost::~SessionHost() {
  procs_.reset();
  form_.reset();
}

shell::TMainForm* SessionHost::form() {
  if (!form_) form_ = std::make_unique<shell::TMainForm>(*view_, programFolder_, dataFolder_);
  return form_.get();
}

void SessionHost::RunUntilIdle() {
  platform::EventLoop& loop = *platform::services().loop;
  while (form_ && !form_->CloseRequested() && !form_->Idle()) {
    if (!loop.runOnce(std::chrono::seconds(1))) break;  // nothing could ever happen
  }
  std::fflush(stdout);
}

}  // namespace ondrix::cli
