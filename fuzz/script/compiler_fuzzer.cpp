// Arbitrary text through the script compiler: every input ends in a program that the machine's
// reader accepts, or in an ECompilerError; never a crash, a hang or another exception.

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "script/bin_prog.h"
#include "script/compiler.h"
#include "script/compiler_error.h"

namespace {

using namespace ondrix::script;

// A host with a routine of every parameter type code, class routines with a parent, a constant,
// a dynamic variable and an object, so that every resolution path can be reached.
const HostTables& fuzzHost() {
  static const HostTables host = [] {
    HostTables h;
    h.routines.add({"SHOW", "", RoutineKind::Procedure, {kParamValue}, {}, {}});
    h.routines.add({"SHOW_VET", "", RoutineKind::Procedure, {kParamValue, kParamValue}, {}, {}});
    h.routines.add({"NOW", "", RoutineKind::Function, {}, {}, {}});
    h.routines.add({"FORMAT", "", RoutineKind::Function, {kParamValue, kParamArray}, {}, {}});
    h.routines.add({"SUM", "", RoutineKind::Function, {kParamArray}, {}, {}});
    h.routines.add({"INC", "", RoutineKind::Procedure, {kParamVar}, {}, {}});
    h.routines.add({"PUT", "", RoutineKind::Procedure, {kParamValue, kParamAssigned}, {}, {}});
    h.routines.add({"MANY", "", RoutineKind::Function, {0, 0, 0, 0, 0, 0, 0}, {}, {}});
    h.routines.add({"ODD", "", RoutineKind::Function, {2, 0}, {}, {}});
    h.routines.add({"TCONTROL.CAPTION_SET", "", RoutineKind::Procedure, {kParamValue, 0, 0, 0}, {}, {}});
    h.routines.add({"TCONTROL.CAPTION", "", RoutineKind::Function, {}, {}, {}});
    h.routines.add({"TFORM.CLOSE", "", RoutineKind::Procedure, {}, {}, {}});
    h.classes.add("TCONTROL");
    h.classes.add("TFORM", "TCONTROL");
    h.classes.add("TLOOP", "TLOOP");
    h.constants.add("PI", ScriptValue::real(3.14159));
    h.constants.add("MBLEFT", ScriptValue::integer(1));
    h.constants.add("TEXT", ScriptValue::string("x"));
    h.providers.add({"__InternalVar", nullptr,
                     [](std::string_view name) { return name == "RESULT" ? 0 : -1; },
                     [](std::int32_t) { return ScriptValue(); }, [](std::int32_t, const ScriptValue&) {}});
    return h;
  }();
  return host;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  static const tobjcollect objects = [] {
    tobjcollect o;
    o.add("MainForm", "TForm", 1);
    o.add("Loop", "TLoop", 2);
    return o;
  }();
  const std::string_view text(reinterpret_cast<const char*>(data), size);
  std::string program;
  THalCompiler compiler(text, program, fuzzHost());
  compiler.setObjects(&objects);
  try {
    compiler.compile();
  } catch (const ECompilerError&) {
    if (!program.empty()) __builtin_trap();  // nothing is written after an error
    return 0;
  }
  readProgram(program, fuzzHost().routines);  // throws (and so fails the run) if malformed
  return 0;
}
