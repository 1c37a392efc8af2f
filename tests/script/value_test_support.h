#pragma once
// Helpers shared by the value and machine tests.

#include <exception>
#include <ostream>
#include <string>

#include "script/value.h"

namespace ondrix::script {

// "Kind:text", e.g. "Integer:42", "String:ab", "Null", for readable expectations.
inline std::string describe(const ScriptValue& v) {
  switch (v.kind()) {
    case ValueKind::Empty: return "Empty";
    case ValueKind::Null: return "Null";
    case ValueKind::Array: return "Array[" + std::to_string(v.arraySize()) + "]";
    case ValueKind::Currency: return "Currency:" + std::to_string(v.currencyValue());
    case ValueKind::Date: return "Date:" + std::to_string(v.realValue());
    case ValueKind::Boolean: return v.booleanValue() ? "Boolean:true" : "Boolean:false";
    default: return std::string(kindName(v.kind())) + ":" + v.toText();
  }
}

inline void PrintTo(const ScriptValue& v, std::ostream* os) { *os << describe(v); }

// The message of the exception `f` throws, or "no error".
template <class F>
std::string errorOf(F&& f) {
  try {
    f();
  } catch (const std::exception& e) {
    return e.what();
  }
  return "no error";
}

}  // namespace ondrix::script
