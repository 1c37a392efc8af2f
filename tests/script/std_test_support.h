#pragma once
// Calls standard routines by name through a host table filled by the library, the way the machine
// does: arguments in cells 0..n-1, a result that starts Empty, var arguments read back from cells.

#include <gtest/gtest.h>

#include <initializer_list>
#include <string>

#include "script/host_interfaces.h"
#include "script/std_routines.h"

namespace ondrix::script::testing {

inline HostTables& stdTables() {
  static HostTables* tables = [] {
    auto* t = new HostTables;
    registerStandardRoutines(*t);
    registerStandardConstants(*t);
    return t;
  }();
  return *tables;
}

struct CallResult {
  ScriptValue result;
  ParamCells cells;
};

inline CallResult callRoutine(std::string_view name, std::initializer_list<ScriptValue> args) {
  HostTables& host = stdTables();
  const int number = host.routines.find(name);
  if (number < 0) throw std::runtime_error("no routine " + std::string(name));
  CallResult r;
  std::size_t k = 0;
  for (const ScriptValue& a : args) r.cells[k++] = a;
  const TFunListItem& routine = host.routines.at(number);
  routine.handler(0, routine.member, r.cells, r.result, kHighestParamCell);
  return r;
}

// The error text a call raises, or "(no error)".
inline std::string callError(std::string_view name, std::initializer_list<ScriptValue> args) {
  try {
    callRoutine(name, args);
  } catch (const std::exception& e) {
    return e.what();
  }
  return "(no error)";
}

inline ScriptValue S(std::string_view s) { return ScriptValue::string(s); }
inline ScriptValue I(std::int32_t v) { return ScriptValue::integer(v); }
inline ScriptValue R(double v) { return ScriptValue::real(v); }

// An array as the compiler builds it for [a, b, ...]: element 0 the count.
inline ScriptValue A(std::initializer_list<ScriptValue> items) {
  ScriptValue a = ScriptValue::array(items.size() + 1);
  a.setElement(0, ScriptValue::integer(static_cast<std::int32_t>(items.size())));
  std::size_t k = 1;
  for (const ScriptValue& v : items) a.setElement(k++, v);
  return a;
}

inline std::string describe(const ScriptValue& v) {
  if (v.isArray()) return "Array";
  return std::string(kindName(v.kind())) + ":" + (v.isNull() ? "" : v.toText());
}

}  // namespace ondrix::script::testing
