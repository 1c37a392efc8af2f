#pragma once
// The terminal procedures as scripts see them: one table of every routine (its name, whether it is
// a procedure or a function, one parameter code per parameter: '0' by value, '1' var, written back)
// and the constants registered with them. Registered once at start-up, before any script runs, by
// both programs.

#include <cstdint>
#include <span>
#include <string_view>

#include "script/host_interfaces.h"

namespace ondrix::automation {

struct AutomationRoutine {
  std::string_view name;
  script::RoutineKind kind;
  std::string_view codes;  // "" for a routine without parameters
  void (*handler)(script::ParamCells& cells, script::ScriptValue& result);
};

struct AutomationConstant {
  std::string_view name;
  std::int32_t value;
};

std::span<const AutomationRoutine> automationRoutines();
std::span<const AutomationConstant> automationConstants();

// Registers every routine and constant of the table into `host`.
void registerAutomationRoutines(script::HostTables& host = script::hostTables());

}  // namespace ondrix::automation
