#include "script/internal_var.h"

#include "script/ident_list.h"
#include "script/registration.h"

namespace ondrix::script {

std::int32_t TInternalVar::nameToId(std::string_view name) const { return upperCase1252(name) == "RESULT" ? 0 : -1; }

ScriptValue TInternalVar::get(std::int32_t id) const { return id == 0 ? result_ : ScriptValue(); }

void TInternalVar::set(std::int32_t id, const ScriptValue& value) {
  if (id == 0) result_ = value;
}

void TInternalVar::registerIn(HostTables& host) {
  registerProvider(
      kInternalVarName, nullptr, [this](std::string_view name) { return nameToId(name); },
      [this](std::int32_t id) { return get(id); }, [this](std::int32_t id, const ScriptValue& v) { set(id, v); }, host);
}

TInternalVar& internalVar() {
  static TInternalVar instance;
  return instance;
}

}  // namespace ondrix::script
