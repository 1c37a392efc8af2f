// Arbitrary bytes as a compiled program: the reader either refuses them with its error or yields
// a program that writes back to an equal program, lists, and runs to an end or an error.
//
// Runs are bounded for fuzzing: at most 5000 instructions and strings of at most 64 KB.

#include <cstddef>
#include <cstdint>
#include <exception>
#include <string>
#include <string_view>

#include "script/bin_prog.h"
#include "script/script_error.h"

namespace {

using namespace ondrix::script;

HostTables& fuzzHost() {
  static HostTables host = [] {
    HostTables h;
    auto add = [&](const char* name, std::vector<std::uint8_t> types) {
      TFunListItem item;
      item.name = name;
      item.paramTypes = std::move(types);
      item.handler = [](std::int32_t, std::string_view, ParamCells& cells, ScriptValue& result, int) {
        result = cells[0];
        cells[0] = ScriptValue::string("out");
        cells[1] = ScriptValue::integer(2);
      };
      h.routines.add(std::move(item));
    };
    add("NONE", {});
    add("ONE", {1});
    add("THREE", {0, 1, 0});
    add("FOUR", {1, 1, 3, 4});
    add("SEVEN", {0, 0, 0, 0, 0, 0, 1});
    static ScriptValue variable;
    h.providers.add({"VARS", nullptr, [](std::string_view) { return 0; },
                     [](std::int32_t) { return variable; },
                     [](std::int32_t, const ScriptValue& v) { variable = v; }});
    return h;
  }();
  return host;
}

bool sameImage(const ProgramImage& a, const ProgramImage& b) {
  if (a.constants.size() != b.constants.size() || a.labels != b.labels || a.code.size() != b.code.size())
    return false;
  for (std::size_t i = 0; i < a.constants.size(); ++i)
    if (!a.constants[i].identical(b.constants[i]) && !(a.constants[i].kind() == ValueKind::Real &&
                                                       a.constants[i].realValue() != a.constants[i].realValue()))
      return false;  // (a NaN is never identical to itself)
  for (std::size_t i = 0; i < a.code.size(); ++i)
    if (a.code[i].a != b.code[i].a || a.code[i].b != b.code[i].b || a.code[i].opcode != b.code[i].opcode) return false;
  return true;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string_view bytes(reinterpret_cast<const char*>(data), size);
  HostTables& host = fuzzHost();
  ScriptValue::setMaxStringLength(64 * 1024);
  ProgramImage image;
  try {
    image = readProgram(bytes, host.routines);
  } catch (const EProgramFormatError&) {
    return 0;
  }
  std::string rewritten;
  writeProgram(image, rewritten);
  if (!sameImage(image, readProgram(rewritten, host.routines))) __builtin_trap();
  (void)listProgram(image, &host.routines);
  TBinProg prog(bytes, host);
  prog.setStepLimit(5000);
  try {
    prog.run();
  } catch (const std::exception&) {
    // Run-time errors end the run; that is all they may do.
  }
  return 0;
}
