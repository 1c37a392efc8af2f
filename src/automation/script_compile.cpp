#include "automation/script_compile.h"

#include "script/host_object.h"

namespace ondrix::automation {

void compileOnly(script::THalRuner& runner) {
  // A compiled program holds the objects' handles only; nothing is called on them.
  static const script::TComponent mainForm(nullptr, "TMainForm", "MainForm");
  runner.addObject("MainForm", mainForm);
  runner.addObject("Screen", script::hostScreen());
  runner.addObject("Application", script::hostApplication());
  runner.compileOnly = true;
  runner.execute();
}

}  // namespace ondrix::automation
