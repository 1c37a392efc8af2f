#include "registered_language.h"

#include "script/script_engine.h"

namespace ondrix::tools {

shell::TScriptLanguage registeredLanguage() {
  const script::ScriptEngine engine;
  return shell::TScriptLanguage::FromHost(script::hostTables());
}

}  // namespace ondrix::tools
