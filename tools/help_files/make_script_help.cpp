// make_script_help OUT.md LANGUAGE.md DESCRIPTIONS.md...: writes the scripting help OUT.md: the
// language reference LANGUAGE.md followed by a section per registered routine (the engine's library
// and the terminal procedures, from the tables both programs register) with its call and its
// description, and a table of the registered constants with their values and descriptions. The
// descriptions are the "### Name" sections of the DESCRIPTIONS files; their headings give the
// names' spelling.
// make_script_help --check LANGUAGE.md DESCRIPTIONS.md...: lists the registered routines and
// constants the files do not describe (or describe twice), the routines described without an
// example, the routines no section of the reference lists, and every
// example of the files (a fenced code block without an info string: a whole script) that does not
// compile as a run would compile it; exits 1 when there is one.

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
#include <vector>

#include "automation/routine_table.h"
#include "automation/script_compile.h"
#include "platform/codepage.h"
#include "script/compiler_error.h"
#include "script/hal_runer.h"
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
  int sections = 0;     // more than one is a fault: their texts would run together
};
using Descriptions = std::map<std::string, Description>;

// Calls `visit(number, line, inCode)` for each line of `text`, numbered from 1; `inCode` is true
// inside a fenced code block, fences included.
template <typename Visit>
void forEachLine(std::string_view text, Visit visit) {
  bool inCode = false;
  for (int number = 1; !text.empty(); ++number) {
    const std::size_t end = text.find('\n');
    const std::string_view line = text.substr(0, end);
    text = end == std::string_view::npos ? std::string_view() : text.substr(end + 1);
    const bool fence = line.starts_with("```");
    if (fence) inCode = !inCode;
    visit(number, line, inCode || fence);
  }
}

// Adds the "### Name" sections of a descriptions file, by upper-cased name.
void addDescriptions(std::string_view text, Descriptions& out) {
  std::string* current = nullptr;
  forEachLine(text, [&](int, std::string_view line, bool inCode) {
    if (!inCode && line.starts_with("### ")) {
      Description& d = out[upper(line.substr(4))];
      d.heading = line.substr(4);
      ++d.sections;
      current = &d.body;
    } else if (!inCode && line.starts_with("#")) {
      current = nullptr;
    } else if (current && !(current->empty() && line.empty())) {
      *current += line;
      *current += '\n';
    }
  });
  for (auto& [name, d] : out)
    while (!d.body.empty() && (d.body.back() == '\n' || d.body.back() == ' ')) d.body.pop_back();
}

struct Example {
  int line;  // of its opening fence
  std::string script;
};

// The fenced code blocks of `text` whose fence has no info string.
std::vector<Example> examples(std::string_view text) {
  std::vector<Example> out;
  enum class Block { None, Example, Other } block = Block::None;
  forEachLine(text, [&](int number, std::string_view line, bool) {
    if (line.starts_with("```")) {
      if (block != Block::None) {
        block = Block::None;
      } else if (line.find_first_not_of(' ', 3) == std::string_view::npos) {
        block = Block::Example;
        out.push_back({number, {}});
      } else {
        block = Block::Other;
      }
    } else if (block == Block::Example) {
      out.back().script += line;
      out.back().script += '\n';
    }
  });
  return out;
}

// The compiler's message for `script` (UTF-8), on one line; empty when it compiles.
std::string compileError(const std::string& script) {
  ondrix::script::THalRuner runner(ondrix::platform::utf8ToCp1252(script));
  try {
    ondrix::automation::compileOnly(runner);
    return {};
  } catch (const ondrix::script::ECompilerError& e) {
    std::string message = ondrix::platform::cp1252ToUtf8(e.what());
    std::erase(message, '\r');
    std::replace(message.begin(), message.end(), '\n', ' ');
    return message;
  }
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

struct HelpFile {
  std::string path;
  std::string text;
};

int check(const Descriptions& described, const std::vector<HelpFile>& files) {
  const ondrix::script::HostTables& host = ondrix::script::hostTables();
  std::set<std::string> listed;
  for (const Group& g : kGroups)
    forEachRoutine(g, [&](std::string_view name, RoutineKind, std::string_view) { listed.insert(upper(name)); });
  int faults = 0;
  auto fault = [&faults](const std::string& what, const std::string& name) {
    std::printf("%s: %s\n", what.c_str(), name.c_str());
    ++faults;
  };
  for (int i = 0; i < host.routines.size(); ++i) {
    const std::string& name = host.routines.at(i).name;
    const Description* d = describe(described, name);
    if (!d) fault("no description", name);
    else if (d->body.find("```") == std::string::npos) fault("no example", d->heading);
    if (!listed.contains(upper(name))) fault("in no section", name);
  }
  for (int i = 0; i < host.constants.size(); ++i)
    if (!describe(described, host.constants.at(i).name)) fault("no description", host.constants.at(i).name);
  for (const auto& [name, d] : described)
    if (d.sections > 1) fault("described more than once", d.heading);
  for (const HelpFile& file : files)
    for (const Example& example : examples(file.text))
      if (const std::string error = compileError(example.script); !error.empty())
        fault("example does not compile", file.path + ":" + std::to_string(example.line) + ": " + error);
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
  const bool checking = argc >= 2 && std::strcmp(argv[1], "--check") == 0;
  if (argc < (checking ? 3 : 4)) {
    std::fprintf(stderr,
                 "usage: make_script_help OUT.md LANGUAGE.md DESCRIPTIONS.md...\n"
                 "       make_script_help --check LANGUAGE.md DESCRIPTIONS.md...\n");
    return 64;
  }
  // argv[2] is the language reference; the descriptions follow it.
  std::vector<HelpFile> files;
  for (int i = 2; i < argc; ++i) {
    HelpFile& file = files.emplace_back(HelpFile{argv[i], {}});
    if (!readFile(argv[i], file.text)) return 1;
  }
  Descriptions described;
  for (std::size_t i = 1; i < files.size(); ++i) addDescriptions(files[i].text, described);

  // The tables as both programs have them after start-up: the engine's own library (kept while
  // `engine` lives), then the terminal procedures.
  const ondrix::script::ScriptEngine engine;
  ondrix::automation::registerAutomationRoutines(ondrix::script::hostTables());
  if (checking) return check(described, files);

  std::ostringstream out;
  out << files.front().text;
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
  std::ofstream file(argv[1], std::ios::binary);
  file << out.str();
  if (!file.flush()) {
    std::fprintf(stderr, "Cannot write %s\n", argv[1]);
    return 1;
  }
  return 0;
}
