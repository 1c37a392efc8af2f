#pragma once
// The script language as the script text editor colours it, read from the description file
// OndrixScript.txt in the program folder. The file is generated at build time from the keyword
// table and the routine and constant tables of the script engine, so the colouring knows exactly
// the names a compilation knows. Its format (docs/script-language-file.md):
//
//   ; a comment line
//   [Keywords]          one word a line        (likewise [Routines] and [Constants])
//   [LineComments]      one opener a line      ("//", "--": the comment ends before the next
//                                               character below code 32)
//   [BlockComments]     opener, blank, closer  ("{ }", "(* *)", "/* */")
//   [Quotes]            one quote character a line
//
// Lines are trimmed; blank lines and unknown sections are skipped. Names compare without regard to
// case (Windows-1252 upper-casing).

#include <string>
#include <string_view>
#include <unordered_set>
#include <utility>
#include <vector>

#include "script/host_interfaces.h"

namespace ondrix::shell {

inline constexpr std::string_view kScriptLanguageFileName = "OndrixScript.txt";

struct TScriptLanguage {
  std::unordered_set<std::string> Keywords;   // upper-cased
  std::unordered_set<std::string> Routines;   // upper-cased
  std::unordered_set<std::string> Constants;  // upper-cased
  std::vector<std::string> LineComments;
  std::vector<std::pair<std::string, std::string>> BlockComments;
  std::vector<char> Quotes;

  // The language's fixed syntax (keywords, comment forms, quotes) without routines or constants:
  // what the editor colours when the description file is missing.
  static TScriptLanguage Builtin();
  // Builtin() plus every routine and constant registered in `host`.
  static TScriptLanguage FromHost(const script::HostTables& host);
};

// Reads a description; lines that mean nothing are skipped, so any text gives a language.
TScriptLanguage parseScriptLanguage(std::string_view text);
// The description file's text: sections in the order above, names sorted.
std::string formatScriptLanguage(const TScriptLanguage& language);
// Reads the description file at `path`; Builtin() when it cannot be read.
TScriptLanguage loadScriptLanguage(const std::string& path);

}  // namespace ondrix::shell
