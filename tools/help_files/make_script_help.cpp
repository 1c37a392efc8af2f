// make_script_help LANGUAGE.md ROUTINES.md OUT.md: writes the scripting help OUT.md: the language
// reference LANGUAGE.md followed by a section per registered routine (the engine's library and the
// terminal procedures, from the tables both programs register) with its call and its description
// from ROUTINES.md ("### Name" sections), and a table of the registered constants with their values
// and descriptions (the same kind of sections, whose headings give the names' spelling).
// make_script_help --check ROUTINES.md: lists the registered routines and constants ROUTINES.md
// does not describe, and the routines no section of the reference lists, and exits 1 when there is
// one.

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <fstream>
#include <map>
#include <ostream>
#include <set>
#include <span>
#include <sstream>
#include <string>
#include <string_view>

#include "automation/routine_table.h"
#include "script/script_engine.h"
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

struct Description {
  std::string heading;  // the name as the section spells it
  std::string body;
};
using Descriptions = std::map<std::string, Description>;

// The "### Name" sections of the descriptions file, by upper-cased name.
Descriptions descriptions(std::string_view text) {
  Descriptions out;
  std::string* current = nullptr;
  while (!text.empty()) {
    const std::size_t end = text.find('\n');
    const std::string_view line = text.substr(0, end);
    text = end == std::string_view::npos ? std::string_view() : text.substr(end + 1);
    if (line.starts_with("### ")) {
      Description& d = out[upper(line.substr(4))];
      d.heading = line.substr(4);
      current = &d.body;
    } else if (line.starts_with("#")) {
      current = nullptr;
    } else if (current && !(current->empty() && line.empty())) {
      *current += line;
      *current += '\n';
    }
  }
  for (auto& [name, d] : out)
    while (!d.body.empty() && (d.body.back() == '\n' || d.body.back() == ' ')) d.body.pop_back();
  return out;
}

const Description* describe(const Descriptions& described, std::string_view name) {
  const auto it = described.find(upper(name));
  return it != described.end() && !it->second.body.empty() ? &it->second : nullptr;
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

int check(const Descriptions& described) {
  const ondrix::script::HostTables& host = ondrix::script::hostTables();
  std::set<std::string> listed;
  for (const Group& g : kGroups)
    forEachRoutine(g, [&](std::string_view name, RoutineKind, std::string_view) { listed.insert(upper(name)); });
  int faults = 0;
  auto fault = [&faults](const char* what, const std::string& name) {
    std::printf("%s: %s\n", what, name.c_str());
    ++faults;
  };
  for (int i = 0; i < host.routines.size(); ++i) {
    const std::string& name = host.routines.at(i).name;
    if (!describe(described, name)) fault("no description", name);
    if (!listed.contains(upper(name))) fault("in no section", name);
  }
  for (int i = 0; i < host.constants.size(); ++i)
    if (!describe(described, host.constants.at(i).name)) fault("no description", host.constants.at(i).name);
  return faults == 0 ? 0 : 1;
}

// "| mbLeft | 0 | The left mouse button. |": a table row per registered constant, in the order of
// registration; the description is joined into one line.
void writeConstants(std::ostream& out, const Descriptions& described) {
  const ondrix::script::HostTables& host = ondrix::script::hostTables();
  out << "\n### Constants\n\nKeywords: ";
  for (int i = 0; i < host.constants.size(); ++i) {
    const Description* d = describe(described, host.constants.at(i).name);
    out << (i > 0 ? ", " : "") << (d ? d->heading : host.constants.at(i).name);
  }
  out << "\n\n| Constant | Value | Meaning |\n|---|---|---|\n";
  for (int i = 0; i < host.constants.size(); ++i) {
    const auto& c = host.constants.at(i);
    const Description* d = describe(described, c.name);
    std::string meaning = d ? d->body : std::string();
    std::replace(meaning.begin(), meaning.end(), '\n', ' ');
    out << "| " << (d ? d->heading : c.name) << " | " << c.value.toText() << " | " << meaning << " |\n";
  }
}

}  // namespace

int main(int argc, char** argv) {
  // The tables as both programs have them after start-up: the engine's own library (kept while
  // `engine` lives), then the terminal procedures.
  const ondrix::script::ScriptEngine engine;
  ondrix::automation::registerAutomationRoutines(ondrix::script::hostTables());
  std::string language, routines;
  if (argc == 3 && std::strcmp(argv[1], "--check") == 0)
    return readFile(argv[2], routines) ? check(descriptions(routines)) : 1;
  if (argc != 4) {
    std::fprintf(stderr, "usage: make_script_help LANGUAGE.md ROUTINES.md OUT.md | --check ROUTINES.md\n");
    return 64;
  }
  if (!readFile(argv[1], language) || !readFile(argv[2], routines)) return 1;
  const Descriptions described = descriptions(routines);
  std::ostringstream out;
  out << language;
  // A heading per routine (so the index lists each once), spelt as its description spells it.
  for (const Group& g : kGroups) {
    out << "\n### " << g.title << "\n";
    forEachRoutine(g, [&](std::string_view name, RoutineKind kind, std::string_view codes) {
      const Description* d = describe(described, name);
      const std::string_view shown = d ? std::string_view(d->heading) : name;
      out << "\n#### " << shown << "\n\n`" << signature(shown, kind, codes) << "`\n";
      if (d) out << "\n" << d->body << "\n";
    });
  }
  writeConstants(out, described);
  std::ofstream file(argv[3], std::ios::binary);
  file << out.str();
  if (!file.flush()) {
    std::fprintf(stderr, "Cannot write %s\n", argv[3]);
    return 1;
  }
  return 0;
}
