#pragma once
// The lexer of the script language. The compiler pulls one token at a time (with one token of
// look-ahead by re-reading); nothing is tokenised in advance. Before every token the lexer lets the
// event loop process pending events so that the program stays responsive while compiling.
//
// Token kinds: tokens.h. Words are upper-cased (Windows-1252) before they are looked up: keywords
// first, then the registered constants, otherwise identifiers. "--" and "//" start line comments
// that end at the next character below 32; "{ }", "(* *)" and "/* */" are block comments.
// ":=", "<=" and the like are two delimiter tokens. A "$" delimiter switches on the hex-digit
// mode, in which a digit word may also hold A-F; any other delimiter switches it off.

#include <cstddef>
#include <cstdint>
#include <functional>
#include <string>
#include <string_view>

#include "script/ident_list.h"
#include "script/tokens.h"

namespace ondrix::script {

struct TToken {
  std::int32_t kind = kTokEnd;
  std::string text;         // identifier, keyword, string, digits or hex digits
  std::int32_t number = 0;  // delimiters and end of text: 0; constants: table position

  bool hasText() const { return kind >= kTokIdent && kind != kTokConstant; }
  // The token's value as error messages quote it.
  std::string valueText() const { return hasText() ? text : std::to_string(number); }
};

// The keyword table, built once.
const TIdentList& keywordTable();

class TLexer {
 public:
  // Position of an upper-cased name in the registered-constant table, or -1.
  using ConstantLookup = std::function<int(const std::string& upperName)>;

  explicit TLexer(std::string_view source, ConstantLookup constants = {});

  // Consumes and returns the next token. Errors are ECompilerError syntax errors.
  TToken next();
  // The next token without consuming it (the hex-digit mode changes as if it had been read).
  TToken peek();
  // Moves the read position back by `count` characters, never before the start.
  void stepBack(std::size_t count);
  // 1 plus the number of line feeds before the read position (or before `position`).
  int lineNumber() const { return lineNumberAt(pos_); }
  int lineNumberAt(std::size_t position) const;

  std::size_t position() const { return pos_; }
  bool hexMode() const { return hexMode_; }

 private:
  unsigned char at(std::size_t i) const {
    return i < source_.size() ? static_cast<unsigned char>(source_[i]) : 0;
  }
  void skipBlanksAndComments();
  void skipBlockComment(std::string_view closer);
  TToken readString(unsigned char quote);
  TToken readWord();
  [[noreturn]] void fail(std::string_view text) const;

  std::string_view source_;
  std::size_t pos_ = 0;
  bool hexMode_ = false;
  ConstantLookup constants_;
};

}  // namespace ondrix::script
