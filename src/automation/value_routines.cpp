// Stored values: named texts kept in STORAGE.QDB between runs.

#include <climits>
#include <cstdlib>

#include "automation/messages.h"
#include "automation/routines.h"
#include "automation/script_procs.h"
#include "script/std_args.h"
#include "script/value_ops.h"
#include "store/stores/stored_values.h"

namespace ondrix::automation::routines {
namespace {

using script::textArg;

// The key: section and name joined with the script's + operator (texts concatenate), as text.
std::string key(ParamCells& cells) {
  return script::binary(script::BinaryOp::Add, script::cell(cells, 0), script::cell(cells, 1)).toText();
}

store::StoredValues storage() { return store::StoredValues(TScriptProcs::Current().DataFolder()); }

std::string fullPath(const std::string& path) {
  char resolved[PATH_MAX];
  const std::size_t slash = path.rfind('/');
  const std::string folder = slash == std::string::npos ? "." : path.substr(0, slash + 1);
  if (realpath(folder.c_str(), resolved) == nullptr) return path;
  return std::string(resolved) + "/" + path.substr(slash == std::string::npos ? 0 : slash + 1);
}

}  // namespace

void SetValue(ParamCells& cells, ScriptValue&) {
  const std::string k = key(cells);
  const std::string value = textArg(cells, 2);
  storage().SetValue(k, "", value);
}

void GetValue(ParamCells& cells, ScriptValue& result) {
  const std::string k = key(cells);
  result = ScriptValue::string(storage().GetValue(k, ""));
}

void DeleteValue(ParamCells& cells, ScriptValue&) {
  const std::string k = key(cells);
  storage().DeleteValue(k, "");
}

void DeleteAllValues(ParamCells&, ScriptValue&) {
  store::StoredValues values = storage();
  if (!values.DeleteAllValues()) showError("Cannot remove " + fullPath(values.Path()));
}

}  // namespace ondrix::automation::routines
