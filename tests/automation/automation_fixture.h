#pragma once
// The main window's test fixture (a headless view, a data folder of its own, loopback hosts) with
// the terminal procedures registered and bound to the form. Scripts report through TestLog.

#include <memory>
#include <string>

#include "automation/routine_table.h"
#include "automation/script_procs.h"
#include "main_form/main_form_fixture.h"

namespace ondrix::automation::testing {

class AutomationTest : public shell::testing::MainFormTest {
 protected:
  ~AutomationTest() override { procs.reset(); }

  void Start() {
    CreateForm();
    registerAutomationRoutines();
    procs = std::make_unique<TScriptProcs>(form.get());
  }
  // Runs the statements as a script's main block.
  void Run(const std::string& statements) { form->RunScriptText("begin\n" + statements + "\nend."); }
  // What the scripts logged with TestLog, in order, without the "script:" prefix.
  std::vector<std::string> Logged() const {
    std::vector<std::string> lines;
    for (const std::string& line : LogWith("script:")) lines.push_back(line.substr(7));
    return lines;
  }
  std::string LastBox() const { return dialogs.boxes.empty() ? std::string() : dialogs.boxes.back(); }

  std::unique_ptr<TScriptProcs> procs;
};

}  // namespace ondrix::automation::testing
