#pragma once
// What the standard routines share: their table entry, argument conversion on entry and the
// conversion error texts of the library.

#include <cstdint>
#include <span>
#include <string>
#include <string_view>

#include "script/host_interfaces.h"
#include "script/script_error.h"
#include "script/value.h"

namespace ondrix::script {

// A library routine: reads its arguments from the cells and sets the result.
using StdHandler = void (*)(ParamCells& cells, ScriptValue& result);

// One row of the routine tables: the name as registered, its kind and one parameter type code
// per parameter ("" for a routine without parameters; '0' value, '1' var, '3' array).
struct StdRoutine {
  std::string_view name;
  RoutineKind kind;
  std::string_view codes;
  StdHandler handler;
};

// The routine tables, one per concern (std_strings.cpp, std_conversions.cpp, std_dates.cpp,
// std_system.cpp).
std::span<const StdRoutine> stringRoutines();
std::span<const StdRoutine> conversionRoutines();
std::span<const StdRoutine> dateRoutines();
std::span<const StdRoutine> systemRoutines();

// Arguments, converted on entry by the value rules.
inline std::string textArg(const ParamCells& cells, int k) { return cells[static_cast<std::size_t>(k)].toText(); }
inline std::int32_t intArg(const ParamCells& cells, int k) { return cells[static_cast<std::size_t>(k)].toInteger(); }
inline double realArg(const ParamCells& cells, int k) { return cells[static_cast<std::size_t>(k)].toReal(); }
inline ScriptValue& cell(ParamCells& cells, int k) { return cells[static_cast<std::size_t>(k)]; }

// A date argument: a String is read as a date and time ("'%s' is not a valid date" when it is
// not one); anything else converts by the value rules.
double dateArg(const ParamCells& cells, int k);

// The library's conversion errors (EConvertError), with their exact texts.
class EConvertError : public EScriptError {
 public:
  using EScriptError::EScriptError;
};

[[noreturn]] void throwNotInteger(std::string_view text);  // "'%s' is not a valid integer value"
[[noreturn]] void throwNotFloat(std::string_view text);    // "'%s' is not a valid floating point value"
[[noreturn]] void throwNotDate(std::string_view text);     // "'%s' is not a valid date"

}  // namespace ondrix::script
