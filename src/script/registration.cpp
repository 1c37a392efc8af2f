#include "script/registration.h"

#include <algorithm>

#include "script/script_error.h"

namespace ondrix::script {
namespace {

void registerRoutine(RoutineKind kind, std::string_view name, HostHandler handler,
                     std::span<const std::uint8_t> typeCodes, int lastIndex, HostTables& host) {
  TFunListItem item;
  item.name = std::string(name);
  item.kind = kind;
  item.handler = std::move(handler);
  const bool none = lastIndex < 0 || (!typeCodes.empty() && typeCodes[0] == kParamNone);
  if (!none) {
    const auto count = static_cast<std::size_t>(std::min(kMaxRoutineParams, lastIndex + 1));
    if (typeCodes.size() < count) throw EScriptError("Function " + std::string(name) + " is already defined");
    item.paramTypes.assign(typeCodes.begin(), typeCodes.begin() + static_cast<std::ptrdiff_t>(count));
  }
  if (name.empty()) throw EScriptError("Function " + std::string(name) + " is already defined");
  host.routines.add(std::move(item));
}

}  // namespace

void registerProcedure(std::string_view name, HostHandler handler, std::span<const std::uint8_t> typeCodes,
                       int lastIndex, HostTables& host) {
  registerRoutine(RoutineKind::Procedure, name, std::move(handler), typeCodes, lastIndex, host);
}

void registerFunction(std::string_view name, HostHandler handler, std::span<const std::uint8_t> typeCodes,
                      int lastIndex, HostTables& host) {
  registerRoutine(RoutineKind::Function, name, std::move(handler), typeCodes, lastIndex, host);
}

void registerConstant(std::string_view name, ScriptValue value, HostTables& host) {
  host.constants.add(name, std::move(value));
}

void registerProvider(std::string_view name, const THalComp* boundTo, TDynaVarNameTOId nameToId, TDynaGetVar get,
                      TDynaSetVar set, HostTables& host) {
  host.providers.add(TDynaVarItem{std::string(name), boundTo, std::move(nameToId), std::move(get), std::move(set)});
}

void unregisterProvider(std::string_view name, HostTables& host) { host.providers.remove(name); }

}  // namespace ondrix::script
