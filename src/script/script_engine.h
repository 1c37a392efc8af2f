#pragma once
// The script engine's global tables are set up once and torn down once, however many parts of
// the program use the engine: each ScriptEngine object is one use, and the first one to be made
// sets the tables up, the last one to go clears them.
//
// Set-up, in this order: the host routine table, the provider table with the internal variables
// ("__InternalVar"), the constant table, THalComp in the class registry, the mouse and shift-state
// constants and the other library constants, then the standard routines. The keyword table and
// the event-type table are fixed data and need no set-up.

#include "script/host_interfaces.h"

namespace ondrix::script {

class ScriptEngine {
 public:
  explicit ScriptEngine(HostTables& host = hostTables());
  ~ScriptEngine();
  ScriptEngine(const ScriptEngine&) = delete;
  ScriptEngine& operator=(const ScriptEngine&) = delete;

  // How many uses are alive.
  static int useCount();

 private:
  HostTables& host_;
};

}  // namespace ondrix::script
