#include "shell/script_language.h"

#include <algorithm>
#include <fstream>
#include <sstream>

#include "script/ident_list.h"
#include "script/tokens.h"

namespace ondrix::shell {

namespace {

enum class Section { None, Keywords, Routines, Constants, LineComments, BlockComments, Quotes };

struct SectionName {
  Section section;
  std::string_view name;
};

constexpr SectionName kSections[] = {
    {Section::Keywords, "Keywords"},           {Section::Routines, "Routines"},
    {Section::Constants, "Constants"},         {Section::LineComments, "LineComments"},
    {Section::BlockComments, "BlockComments"}, {Section::Quotes, "Quotes"},
};

std::string_view trim(std::string_view s) {
  const auto blank = [](char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n'; };
  while (!s.empty() && blank(s.front())) s.remove_prefix(1);
  while (!s.empty() && blank(s.back())) s.remove_suffix(1);
  return s;
}

Section sectionNamed(std::string_view name) {
  for (const SectionName& entry : kSections)
    if (script::upperCase1252(entry.name) == script::upperCase1252(name)) return entry.section;
  return Section::None;
}

void addEntry(TScriptLanguage& language, Section section, std::string_view entry) {
  switch (section) {
    case Section::Keywords: language.Keywords.insert(script::upperCase1252(entry)); break;
    case Section::Routines: language.Routines.insert(script::upperCase1252(entry)); break;
    case Section::Constants: language.Constants.insert(script::upperCase1252(entry)); break;
    case Section::LineComments: language.LineComments.emplace_back(entry); break;
    case Section::BlockComments: {
      const std::size_t blank = entry.find_first_of(" \t");
      if (blank == std::string_view::npos) break;
      const std::string_view closer = trim(entry.substr(blank));
      if (!closer.empty()) language.BlockComments.emplace_back(entry.substr(0, blank), closer);
      break;
    }
    case Section::Quotes:
      if (entry.size() == 1) language.Quotes.push_back(entry.front());
      break;
    case Section::None: break;
  }
}

void writeSorted(std::ostringstream& out, std::string_view section, const std::unordered_set<std::string>& names) {
  std::vector<std::string> sorted(names.begin(), names.end());
  std::sort(sorted.begin(), sorted.end());
  out << '[' << section << "]\n";
  for (const std::string& name : sorted) out << name << '\n';
  out << '\n';
}

}  // namespace

TScriptLanguage TScriptLanguage::Builtin() {
  TScriptLanguage language;
  for (const script::Keyword& keyword : script::kKeywords) language.Keywords.emplace(keyword.word);
  // The comment forms and quotes the script lexer reads.
  language.LineComments = {"//", "--"};
  language.BlockComments = {{"{", "}"}, {"(*", "*)"}, {"/*", "*/"}};
  language.Quotes = {'\'', '"'};
  return language;
}

TScriptLanguage TScriptLanguage::FromHost(const script::HostTables& host) {
  TScriptLanguage language = Builtin();
  for (int i = 0; i < host.routines.size(); ++i) language.Routines.insert(host.routines.at(i).name);
  for (int i = 0; i < host.constants.size(); ++i) language.Constants.insert(host.constants.at(i).name);
  return language;
}

TScriptLanguage parseScriptLanguage(std::string_view text) {
  TScriptLanguage language;
  Section section = Section::None;
  while (!text.empty()) {
    const std::size_t end = text.find('\n');
    const std::string_view line = trim(text.substr(0, end));
    text = end == std::string_view::npos ? std::string_view() : text.substr(end + 1);
    if (line.empty() || line.front() == ';') continue;
    if (line.front() == '[' && line.back() == ']') {
      section = sectionNamed(line.substr(1, line.size() - 2));
      continue;
    }
    addEntry(language, section, line);
  }
  return language;
}

std::string formatScriptLanguage(const TScriptLanguage& language) {
  std::ostringstream out;
  out << "; OndrixScript.txt: the script language as the script text editor colours it.\n"
         "; Generated when the program is built; see docs/script-language-file.md.\n\n";
  writeSorted(out, "Keywords", language.Keywords);
  writeSorted(out, "Routines", language.Routines);
  writeSorted(out, "Constants", language.Constants);
  out << "[LineComments]\n";
  for (const std::string& opener : language.LineComments) out << opener << '\n';
  out << "\n[BlockComments]\n";
  for (const auto& [opener, closer] : language.BlockComments) out << opener << ' ' << closer << '\n';
  out << "\n[Quotes]\n";
  for (char quote : language.Quotes) out << quote << '\n';
  return out.str();
}

TScriptLanguage loadScriptLanguage(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  if (!in) return TScriptLanguage::Builtin();
  std::ostringstream text;
  text << in.rdbuf();
  return parseScriptLanguage(text.str());
}

}  // namespace ondrix::shell
