// make_script_help IN OUT: writes the scripting help OUT: the language reference IN followed by a
// section per registered routine (the engine's library and the terminal procedures), generated
// from the tables both programs register, so that the help lists every routine a script can call.

#include <cstdio>
#include <fstream>
#include <iostream>
#include <span>
#include <sstream>
#include <string>
#include <string_view>

#include "automation/routine_table.h"
#include "script/std_args.h"

namespace {

using ondrix::script::RoutineKind;

// "function Copy(value, value, value)"; a var parameter reads "var", an array "array".
std::string signature(std::string_view name, RoutineKind kind, std::string_view codes) {
  std::string out = kind == RoutineKind::Function ? "function " : "procedure ";
  out += name;
  if (!codes.empty()) {
    out += '(';
    for (std::size_t i = 0; i < codes.size(); ++i) {
      if (i > 0) out += ", ";
      out += codes[i] == '1' ? "var" : codes[i] == '3' ? "array" : "value";
    }
    out += ')';
  }
  return out;
}

template <typename Routine>
void section(std::ostream& out, std::string_view title, std::span<const Routine> routines) {
  out << "\n### " << title << "\n\n";
  out << "Keywords: ";
  for (std::size_t i = 0; i < routines.size(); ++i) out << (i > 0 ? ", " : "") << routines[i].name;
  out << "\n\n| Routine | Call |\n|---|---|\n";
  for (const Routine& r : routines)
    out << "| " << r.name << " | `" << signature(r.name, r.kind, r.codes) << "` |\n";
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 3) {
    std::fprintf(stderr, "usage: make_script_help LANGUAGE.md OUT.md\n");
    return 64;
  }
  std::ifstream in(argv[1], std::ios::binary);
  if (!in) {
    std::fprintf(stderr, "Cannot read %s\n", argv[1]);
    return 1;
  }
  std::ostringstream out;
  out << in.rdbuf();
  namespace script = ondrix::script;
  section(out, "Strings", script::stringRoutines());
  section(out, "Conversions", script::conversionRoutines());
  section(out, "Dates and times", script::dateRoutines());
  section(out, "System", script::systemRoutines());
  section(out, "Terminal procedures", ondrix::automation::automationRoutines());
  out << "\n### Constants\n\n| Constant | Value |\n|---|---|\n";
  for (const auto& c : ondrix::automation::automationConstants()) out << "| " << c.name << " | " << c.value << " |\n";
  std::ofstream file(argv[2], std::ios::binary);
  file << out.str();
  if (!file.flush()) {
    std::fprintf(stderr, "Cannot write %s\n", argv[2]);
    return 1;
  }
  return 0;
}
