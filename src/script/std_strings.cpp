// String routines of the standard library. Positions are 1-based; out-of-range positions and
// counts are clamped the way the classic string routines do, never an error.

#include <algorithm>
#include <array>

#include "script/collation.h"
#include "script/ident_list.h"
#include "script/std_args.h"

namespace ondrix::script {
namespace {

// Start (0-based) and length of the part of a text of `size` characters that a 1-based `index` and
// a `count` select.
struct Range {
  std::size_t start = 0, length = 0;
};
Range clampRange(std::size_t size, std::int64_t index, std::int64_t count) {
  if (index < 1) index = 1;
  if (count <= 0 || index > static_cast<std::int64_t>(size)) return {size, 0};
  const auto start = static_cast<std::size_t>(index - 1);
  return {start, static_cast<std::size_t>(std::min<std::int64_t>(count, static_cast<std::int64_t>(size - start)))};
}

bool isTrimmed(char c) { return static_cast<unsigned char>(c) <= 32; }

// SetLength(var s, n): extended with blanks.
void setLength(ParamCells& c, ScriptValue&) {
  std::string s = textArg(c, 0);
  const std::int32_t n = intArg(c, 1);
  // Refused before anything is allocated: no value may hold a longer text.
  if (n > 0 && static_cast<std::size_t>(n) > ScriptValue::maxStringLength()) throw EScriptError(errtext::kOutOfMemory);
  s.resize(n < 0 ? 0 : static_cast<std::size_t>(n), ' ');
  cell(c, 0) = ScriptValue::string(s);
}

void length(ParamCells& c, ScriptValue& r) { r = ScriptValue::integer(static_cast<std::int32_t>(textArg(c, 0).size())); }

// Insert(source, var s, index); the new text is also the result.
void insert(ParamCells& c, ScriptValue& r) {
  const std::string source = textArg(c, 0);
  std::string s = textArg(c, 1);
  std::int64_t index = intArg(c, 2);
  index = std::clamp<std::int64_t>(index, 1, static_cast<std::int64_t>(s.size()) + 1);
  s.insert(static_cast<std::size_t>(index - 1), source);
  cell(c, 1) = ScriptValue::string(s);
  r = cell(c, 1);
}

void pos(ParamCells& c, ScriptValue& r) {
  const std::string sub = textArg(c, 0);
  const std::string s = textArg(c, 1);
  const std::size_t at = sub.empty() ? std::string::npos : s.find(sub);
  r = ScriptValue::integer(at == std::string::npos ? 0 : static_cast<std::int32_t>(at + 1));
}

void copy(ParamCells& c, ScriptValue& r) {
  const std::string s = textArg(c, 0);
  const Range range = clampRange(s.size(), intArg(c, 1), intArg(c, 2));
  r = ScriptValue::string(std::string_view(s).substr(range.start, range.length));
}

// Delete(var s, index, count): nothing happens for an index before the first character.
void remove(ParamCells& c, ScriptValue&) {
  std::string s = textArg(c, 0);
  const std::int32_t index = intArg(c, 1);
  const Range range = clampRange(s.size(), index < 1 ? static_cast<std::int64_t>(s.size()) + 1 : index, intArg(c, 2));
  s.erase(range.start, range.length);
  cell(c, 0) = ScriptValue::string(s);
}

// UPCASE(s): the first character, only a-z changed; an empty text gives an empty text.
void upcase(ParamCells& c, ScriptValue& r) {
  const std::string s = textArg(c, 0);
  if (s.empty()) {
    r = ScriptValue::string("");
    return;
  }
  char first = s[0];
  if (first >= 'a' && first <= 'z') first = static_cast<char>(first - 32);
  r = ScriptValue::string(std::string_view(&first, 1));
}

void ansiUpperCase(ParamCells& c, ScriptValue& r) { r = ScriptValue::string(upperCase1252(textArg(c, 0))); }
void ansiLowerCase(ParamCells& c, ScriptValue& r) { r = ScriptValue::string(lowerCase1252(textArg(c, 0))); }
void ansiCompareStr(ParamCells& c, ScriptValue& r) {
  r = ScriptValue::integer(ansiCompare(textArg(c, 0), textArg(c, 1), false));
}
void ansiCompareText(ParamCells& c, ScriptValue& r) {
  r = ScriptValue::integer(ansiCompare(textArg(c, 0), textArg(c, 1), true));
}

void trimmed(ParamCells& c, ScriptValue& r, bool left, bool right) {
  const std::string s = textArg(c, 0);
  std::string_view v(s);
  while (left && !v.empty() && isTrimmed(v.front())) v.remove_prefix(1);
  while (right && !v.empty() && isTrimmed(v.back())) v.remove_suffix(1);
  r = ScriptValue::string(v);
}
void trim(ParamCells& c, ScriptValue& r) { trimmed(c, r, true, true); }
void trimLeft(ParamCells& c, ScriptValue& r) { trimmed(c, r, true, false); }
void trimRight(ParamCells& c, ScriptValue& r) { trimmed(c, r, false, true); }

constexpr auto P = RoutineKind::Procedure;
constexpr auto F = RoutineKind::Function;

constexpr std::array kRoutines{
    StdRoutine{"SetLength", P, "10", setLength},
    StdRoutine{"Length", F, "0", length},
    StdRoutine{"Insert", P, "010", insert},
    StdRoutine{"Pos", F, "00", pos},
    StdRoutine{"Copy", F, "000", copy},
    StdRoutine{"Delete", P, "100", remove},
    StdRoutine{"UPCASE", F, "0", upcase},
    StdRoutine{"AnsiUpperCase", F, "0", ansiUpperCase},
    StdRoutine{"AnsiLowerCase", F, "0", ansiLowerCase},
    StdRoutine{"AnsiCompareStr", F, "00", ansiCompareStr},
    StdRoutine{"AnsiCompareText", F, "00", ansiCompareText},
    StdRoutine{"Trim", F, "0", trim},
    StdRoutine{"TrimLeft", F, "0", trimLeft},
    StdRoutine{"TrimRight", F, "0", trimRight},
};

}  // namespace

std::span<const StdRoutine> stringRoutines() { return kRoutines; }

}  // namespace ondrix::script
