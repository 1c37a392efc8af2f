#include "registered_language.h"

#include "automation/routine_table.h"
#include "script/script_engine.h"

namespace ondrix::tools {

shell::TScriptLanguage registeredLanguage() {
  const script::ScriptEngine engine;
  // What both programs register at start-up after the engine's own library.
  automation::registerAutomationRoutines(script::hostTables());
  return shell::TScriptLanguage::FromHost(script::hostTables());
}

}  // namespace ondrix::tools
