// Registers the routine tables and the constants of the standard library.

#include <array>
#include <vector>

#include "script/registration.h"
#include "script/std_args.h"
#include "script/std_routines.h"

namespace ondrix::script {
namespace {

void registerTable(std::span<const StdRoutine> table, HostTables& host) {
  for (const StdRoutine& r : table) {
    std::vector<std::uint8_t> codes;
    for (char c : r.codes) codes.push_back(static_cast<std::uint8_t>(c - '0'));
    if (codes.empty()) codes.push_back(kParamNone);
    HostHandler handler = [fn = r.handler](std::int32_t, std::string_view, ParamCells& cells, ScriptValue& result,
                                           int) { fn(cells, result); };
    const int lastIndex = static_cast<int>(r.codes.size()) - 1;
    if (r.kind == RoutineKind::Procedure)
      registerProcedure(r.name, std::move(handler), codes, lastIndex, host);
    else
      registerFunction(r.name, std::move(handler), codes, lastIndex, host);
  }
}

struct IntegerConstant {
  std::string_view name;
  std::int32_t value;
};

constexpr std::array<IntegerConstant, 13> kIntegerConstants{{
    {"mbLeft", 0},
    {"mbRight", 1},
    {"mbMiddle", 2},
    {"ssShift", 0},
    {"ssAlt", 1},
    {"ssCtrl", 2},
    {"ssLeft", 3},
    {"ssRight", 4},
    {"ssMiddle", 5},
    {"ssDouble", 6},
    {"qrMasterDataAdvance", 0},
    {"qrBandPrinted", 1},
    {"qrBandSizeChange", 2},
}};

}  // namespace

void registerStandardRoutines(HostTables& host) {
  registerTable(systemRoutines(), host);
  registerTable(stringRoutines(), host);
  registerTable(conversionRoutines(), host);
  registerTable(dateRoutines(), host);
}

void registerStandardConstants(HostTables& host) {
  registerConstant("pi", ScriptValue::real(3.1415926535897932385), host);
  for (const IntegerConstant& c : kIntegerConstants) registerConstant(c.name, ScriptValue::integer(c.value), host);
}

}  // namespace ondrix::script
