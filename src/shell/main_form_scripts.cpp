// TMainForm: running script files, script texts and event handlers for everybody else, and where
// the errors of those runs end up.
//
// Errors: a script run propagates what it raises (a compile error, a run-time error, the step
// limit, "Scripts nested too deeply") to whoever started it, so a script that runs another script
// ends with it, as a called procedure would. The places where a run starts from outside (a
// session's data, connect, close or error event, the timer, a toolbar or add-in click, a command,
// start-up and shut-down) catch it, show it in an error box through the platform dialogs and go
// on: the session keeps working and the rest of a received chunk is still shown.

#include <filesystem>
#include <fstream>
#include <sstream>

#include "platform/services.h"
#include "script/hal_comp.h"
#include "script/script_error.h"
#include "shell/main_form_impl.h"
#include "store/stores/evt_db_fcns.h"

namespace ondrix::shell {

void TMainForm::Impl::showError(const std::string& text) {
  platform::services().dialogs->messageBox(text, kErrorCaption, platform::MessageStyle::Error,
                                           platform::MessageButtons::Ok);
}

void TMainForm::Impl::runGuarded(const std::function<void()>& action) {
  try {
    action();
  } catch (const std::exception& e) {
    showError(e.what());
  }
}

void TMainForm::Impl::runComponent(script::THalComp& component) {
  if (scriptDepth >= kMaxScriptDepth) throw script::EScriptError(kNestedTooDeeply);
  EntryGuard guard(*this);
  struct Depth {
    explicit Depth(int& d) : depth(++d) {}
    ~Depth() { --depth; }
    int& depth;
  } depth(scriptDepth);
  component.prepare("MainForm", form.scriptObject_.get());
  if (stepLimit > 0) {
    // Compile alone first, so that the limit reaches the program before it runs.
    component.runner()->compileOnly = true;
    component.run();
    component.runner()->compileOnly = false;
    component.runner()->program()->setStepLimit(stepLimit);
  }
  component.run();
}

void TMainForm::RunScriptFile(const std::string& fileName) {
  std::error_code error;
  std::ifstream in;
  if (!fileName.empty() && !std::filesystem::is_directory(fileName, error)) in.open(fileName, std::ios::binary);
  if (!in.is_open()) {
    platform::services().dialogs->messageBox("Script \"" + fileName + "\" not found.", kErrorCaption,
                                             platform::MessageStyle::Information,
                                             platform::MessageButtons::Ok);
    return;
  }
  std::ostringstream text;
  text << in.rdbuf();
  RunScriptText(text.str());
}

void TMainForm::RunScriptText(const std::string& text) {
  script::THalComp component;
  component.setScriptText(text);
  impl_->runComponent(component);
}

bool TMainForm::RunEvent(std::int32_t kind, const std::string& name) {
  store::EvtDBFcns events(dataFolder_);
  return events.Run(kind, name, [this](std::string_view, std::int32_t, const std::string& script) {
    RunScriptText(script);
  });
}

void TMainForm::EnsureSystemEvent(std::int32_t kind, const std::string& name) {
  store::EvtDBFcns(dataFolder_).Ensure(kind, name);
}

void TMainForm::Impl::connectionEvent(std::int32_t kind, const std::string& name) {
  runGuarded([&] {
    // Both handlers are read in one opening of EVENTS.QDB (every closing rewrites the file).
    store::EvtDBFcns events(form.dataFolder_);
    events.Open();
    const store::EventRec own = events.Read(name, kind);
    const store::EventRec system = events.Read(store::kSystemOwner, kind);
    events.Close();
    const auto runs = [](const store::EventRec& handler) { return handler.Enabled != 0 && !handler.Script.empty(); };
    if (runs(own))
      form.RunScriptText(own.Script);
    else if (name != store::kSystemOwner && runs(system))
      form.RunScriptText(system.Script);
  });
}

void TMainForm::SetScriptStepLimit(std::uint64_t steps) { impl_->stepLimit = steps; }

}  // namespace ondrix::shell
