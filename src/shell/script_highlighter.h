#pragma once
// Colouring of script text: splits text into the token classes of the script language the same
// way the script lexer reads it (comments end where the lexer ends them, a tab ends a "//"
// comment, strings and block comments may run over lines, "$" makes the next digit word
// hexadecimal) and gives every byte the style of its class.
//
// Text is styled in pieces (the editor styles line by line); the state at the end of one piece
// is the start state of the next. State 0 is ordinary text.

#include <cstdint>
#include <string_view>
#include <vector>

#include "shell/script_language.h"

namespace ondrix::shell {

enum class ScriptStyle : std::uint8_t {
  Default,     // blanks and text the lexer would reject
  Comment,
  Keyword,
  Routine,     // a registered routine
  Constant,    // a registered constant
  String,
  Number,      // decimal digits, 0x... and $-prefixed hex digits
  CharCode,    // #13
  Operator,    // delimiter characters
  Identifier,  // any other name
  Count_
};

inline constexpr int kScriptStyleCount = static_cast<int>(ScriptStyle::Count_);

// The style's name in the options dialog ("Character code").
std::string_view scriptStyleName(ScriptStyle style);

class TScriptHighlighter {
 public:
  explicit TScriptHighlighter(TScriptLanguage language) : language_(std::move(language)) {}

  const TScriptLanguage& Language() const { return language_; }

  // Appends one style per byte of `text` to `styles` and returns the state at the end of `text`.
  int Style(std::string_view text, int state, std::vector<ScriptStyle>& styles) const;

 private:
  ScriptStyle WordStyle(std::string_view word, bool hexMode) const;

  TScriptLanguage language_;
};

}  // namespace ondrix::shell
