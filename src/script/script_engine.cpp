#include "script/script_engine.h"

#include "script/internal_var.h"
#include "script/std_routines.h"

namespace ondrix::script {
namespace {

int& uses() {
  static int count = 0;
  return count;
}

void setUp(HostTables& host) {
  host.routines.clear();
  host.providers.clear();
  internalVar().clear();
  internalVar().registerIn(host);
  host.constants.clear();
  host.classes.add("TComponent");
  host.classes.add("THalComp", "TComponent");
  registerStandardConstants(host);
  registerStandardRoutines(host);
}

void tearDown(HostTables& host) {
  host.routines.clear();
  host.constants.clear();
  host.providers.clear();
  host.classes.clear();
  internalVar().clear();
}

}  // namespace

ScriptEngine::ScriptEngine(HostTables& host) : host_(host) {
  if (uses()++ == 0) setUp(host_);
}

ScriptEngine::~ScriptEngine() {
  if (--uses() == 0) tearDown(host_);
}

int ScriptEngine::useCount() { return uses(); }

}  // namespace ondrix::script
