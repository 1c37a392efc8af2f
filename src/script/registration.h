#pragma once
// Registration of what the host offers scripts: routines, constants and dynamic-variable
// providers. Called by the engine's own library and by the session automation library at
// start-up; names are case-insensitive and stored upper-cased.

#include <cstdint>
#include <span>
#include <string_view>

#include "script/host_interfaces.h"

namespace ondrix::script {

// A parameter type code that, as the first code, marks a routine without parameters.
inline constexpr std::uint8_t kParamNone = 2;

// Adds a routine of kind procedure (statement only) or function. `lastIndex` is the index of the
// last parameter (parameter count - 1); its count is min(100, lastIndex + 1) and that many codes
// are taken from `typeCodes`. A routine whose first code is kParamNone (or whose lastIndex is
// negative) has no parameters. A second registration of a name replaces the first. Throws
// EScriptError "Function %s is already defined" when the entry cannot be stored (an empty name,
// or fewer type codes than parameters).
void registerProcedure(std::string_view name, HostHandler handler, std::span<const std::uint8_t> typeCodes,
                       int lastIndex, HostTables& host = hostTables());
void registerFunction(std::string_view name, HostHandler handler, std::span<const std::uint8_t> typeCodes,
                      int lastIndex, HostTables& host = hostTables());

void registerConstant(std::string_view name, ScriptValue value, HostTables& host = hostTables());

// Providers: global when `boundTo` is null, else seen only by that component's scripts.
void registerProvider(std::string_view name, const THalComp* boundTo, TDynaVarNameTOId nameToId, TDynaGetVar get,
                      TDynaSetVar set, HostTables& host = hostTables());
void unregisterProvider(std::string_view name, HostTables& host = hostTables());

}  // namespace ondrix::script
