// make_script_help LANGUAGE.md ROUTINES.md OUT.md: writes the scripting help OUT.md: the language
// reference LANGUAGE.md followed by a section per registered routine (the engine's library and the
// terminal procedures, from the tables both programs register) with its call and its description
// from ROUTINES.md ("### Name" sections), and the constants.
// make_script_help --check ROUTINES.md: lists the registered routines ROUTINES.md does not describe
// and exits 1 when there is one.

#include <cstdio>
#include <cstring>
#include <fstream>
#include <map>
#include <span>
#include <sstream>
#include <string>
#include <string_view>

#include "automation/routine_table.h"
#include "script/std_args.h"

namespace {

using ondrix::script::RoutineKind;

std::string upper(std::string_view s) {
  std::string out(s);
  for (char& c : out) c = static_cast<char>(c >= 'a' && c <= 'z' ? c - 32 : c);
  return out;
}

bool readFile(const char* path, std::string& text) {
  std::ifstream in(path, std::ios::binary);
  if (!in) {
    std::fprintf(stderr, "Cannot read %s\n", path);
    return false;
  }
  std::ostringstream s;
  s << in.rdbuf();
  text = s.str();
  return true;
}

// The "### Name" sections of the descriptions file, by upper-cased name.
std::map<std::string, std::string> descriptions(std::string_view text) {
  std::map<std::string, std::string> out;
  std::string* current = nullptr;
  while (!text.empty()) {
    const std::size_t end = text.find('\n');
    const std::string_view line = text.substr(0, end);
    text = end == std::string_view::npos ? std::string_view() : text.substr(end + 1);
    if (line.starts_with("### ")) {
      current = &out[upper(line.substr(4))];
    } else if (line.starts_with("#")) {
      current = nullptr;
    } else if (current && !(current->empty() && line.empty())) {
      *current += line;
      *current += '\n';
    }
  }
  for (auto& [name, body] : out)
    while (!body.empty() && (body.back() == '\n' || body.back() == ' ')) body.pop_back();
  return out;
}

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

struct Group {
  const char* title;
  std::span<const ondrix::script::StdRoutine> standard;
  std::span<const ondrix::automation::AutomationRoutine> terminal;
};

// Every routine of every group, in order, as (name, kind, codes).
template <typename Visit>
void forEachRoutine(const Group& g, Visit visit) {
  for (const auto& r : g.standard) visit(r.name, r.kind, r.codes);
  for (const auto& r : g.terminal) visit(r.name, r.kind, r.codes);
}

const Group kGroups[] = {
    {"Strings", ondrix::script::stringRoutines(), {}},
    {"Conversions", ondrix::script::conversionRoutines(), {}},
    {"Dates and times", ondrix::script::dateRoutines(), {}},
    {"Dialogs and system", ondrix::script::systemRoutines(), {}},
    {"Terminal procedures", {}, ondrix::automation::automationRoutines()},
};

int check(const std::map<std::string, std::string>& described) {
  int missing = 0;
  for (const Group& g : kGroups)
    forEachRoutine(g, [&](std::string_view name, RoutineKind, std::string_view) {
      const auto it = described.find(upper(name));
      if (it == described.end() || it->second.empty()) {
        std::printf("no description: %.*s\n", static_cast<int>(name.size()), name.data());
        ++missing;
      }
    });
  return missing == 0 ? 0 : 1;
}

}  // namespace

int main(int argc, char** argv) {
  std::string language, routines;
  if (argc == 3 && std::strcmp(argv[1], "--check") == 0)
    return readFile(argv[2], routines) ? check(descriptions(routines)) : 1;
  if (argc != 4) {
    std::fprintf(stderr, "usage: make_script_help LANGUAGE.md ROUTINES.md OUT.md | --check ROUTINES.md\n");
    return 64;
  }
  if (!readFile(argv[1], language) || !readFile(argv[2], routines)) return 1;
  const std::map<std::string, std::string> described = descriptions(routines);
  std::ostringstream out;
  out << language;
  for (const Group& g : kGroups) {
    out << "\n### " << g.title << "\n\nKeywords: ";
    bool first = true;
    forEachRoutine(g, [&](std::string_view name, RoutineKind, std::string_view) {
      out << (first ? "" : ", ") << name;
      first = false;
    });
    out << "\n";
    forEachRoutine(g, [&](std::string_view name, RoutineKind kind, std::string_view codes) {
      out << "\n#### " << name << "\n\n`" << signature(name, kind, codes) << "`\n";
      if (const auto it = described.find(upper(name)); it != described.end()) out << "\n" << it->second << "\n";
    });
  }
  out << "\n### Constants\n\n| Constant | Value |\n|---|---|\n";
  for (const auto& c : ondrix::automation::automationConstants()) out << "| " << c.name << " | " << c.value << " |\n";
  std::ofstream file(argv[3], std::ios::binary);
  file << out.str();
  if (!file.flush()) {
    std::fprintf(stderr, "Cannot write %s\n", argv[3]);
    return 1;
  }
  return 0;
}
