#include "script/lexer.h"

#include <array>

#include "platform/services.h"
#include "script/compiler_error.h"

namespace ondrix::script {
namespace {

// Character classes by code. Delimiters are one-character tokens; terminators end a word.
enum CharClass : std::uint8_t { kDelimiter = 1, kTerminator = 2, kIdentStart = 4, kIdentNext = 8 };

constexpr std::array<std::uint8_t, 256> makeClasses() {
  std::array<std::uint8_t, 256> c{};
  for (int i = 0; i <= 32; ++i) c[i] |= kTerminator;
  for (unsigned char ch : std::string_view("#$%&()*+,-./:;<=>@[]^|~")) c[ch] |= kDelimiter;
  for (unsigned char ch : std::string_view("\"#$%&'()*+,-./:;<=>@[]^{|}~")) c[ch] |= kTerminator;
  for (int i = 'A'; i <= 'Z'; ++i) c[i] |= kIdentStart | kIdentNext;
  for (int i = 192; i <= 223; ++i) c[i] |= kIdentStart | kIdentNext;
  c['_'] |= kIdentStart | kIdentNext;
  for (int i = '0'; i <= '9'; ++i) c[i] |= kIdentNext;
  return c;
}

constexpr std::array<std::uint8_t, 256> kClasses = makeClasses();

constexpr bool is(unsigned char ch, CharClass cls) { return (kClasses[ch] & cls) != 0; }
constexpr bool isDigit(unsigned char ch) { return ch >= '0' && ch <= '9'; }
constexpr bool isHexDigit(unsigned char ch) { return isDigit(ch) || (ch >= 'A' && ch <= 'F'); }

}  // namespace

const TIdentList& keywordTable() {
  static const TIdentList table = [] {
    TIdentList t;
    for (const Keyword& k : kKeywords) t.add(k.word).value = k.code;
    return t;
  }();
  return table;
}

TLexer::TLexer(std::string_view source, ConstantLookup constants)
    : source_(source), constants_(std::move(constants)) {}

void TLexer::fail(std::string_view text) const { throw ECompilerError::syntax(lineNumber(), text); }

int TLexer::lineNumberAt(std::size_t position) const {
  int line = 1;
  const std::size_t end = position < source_.size() ? position : source_.size();
  for (std::size_t i = 0; i < end; ++i)
    if (source_[i] == '\n') ++line;
  return line;
}

void TLexer::stepBack(std::size_t count) { pos_ = count > pos_ ? 0 : pos_ - count; }

TToken TLexer::peek() {
  const std::size_t saved = pos_;
  TToken token = next();
  pos_ = saved;
  return token;
}

void TLexer::skipBlockComment(std::string_view closer) {
  // pos_ is just past the opener.
  const std::size_t end = source_.find(closer, pos_);
  // A 0 byte ends the text as well.
  const std::size_t nul = source_.find('\0', pos_);
  if (end == std::string_view::npos || (nul != std::string_view::npos && nul < end)) {
    pos_ = nul != std::string_view::npos ? nul : source_.size();
    fail("Unexpected EOF in comment block");
  }
  pos_ = end + closer.size();
}

void TLexer::skipBlanksAndComments() {
  for (;;) {
    while (at(pos_) >= 1 && at(pos_) <= 32) ++pos_;
    const unsigned char c = at(pos_);
    const unsigned char d = at(pos_ + 1);
    if ((c == '/' && d == '/') || (c == '-' && d == '-')) {
      pos_ += 2;
      while (at(pos_) >= 32) ++pos_;
    } else if (c == '(' && d == '*') {
      pos_ += 2;
      skipBlockComment("*)");
    } else if (c == '/' && d == '*') {
      pos_ += 2;
      skipBlockComment("*/");
    } else if (c == '{') {
      pos_ += 1;
      skipBlockComment("}");
    } else {
      return;
    }
  }
}

TToken TLexer::readString(unsigned char quote) {
  const std::size_t start = ++pos_;
  while (at(pos_) != quote) {
    if (at(pos_) == 0) fail("Unexpected EOF in string constant declaration");
    ++pos_;
  }
  TToken token{kTokString, std::string(source_.substr(start, pos_ - start)), 0};
  ++pos_;
  return token;
}

TToken TLexer::readWord() {
  const std::size_t start = pos_++;
  while (!is(at(pos_), kTerminator)) ++pos_;
  std::string word = upperCase1252(source_.substr(start, pos_ - start));
  const auto first = static_cast<unsigned char>(word[0]);

  if (is(first, kIdentStart)) {
    for (std::size_t i = 1; i < word.size(); ++i)
      if (!is(static_cast<unsigned char>(word[i]), kIdentNext)) fail("Bad identifier name <" + word + ">");
    if (const TIdentListItem* kw = keywordTable().find(word)) return {kw->value, std::move(word), 0};
    if (constants_) {
      const int index = constants_(word);
      if (index >= 0) return {kTokConstant, std::move(word), index};
    }
    return {kTokIdent, std::move(word), 0};
  }
  if (word.size() >= 2 && word[1] == 'X') return {kTokHex, word.substr(2), 0};
  for (const char ch : word) {
    const auto u = static_cast<unsigned char>(ch);
    if (!(isDigit(u) || (hexMode_ && isHexDigit(u)))) fail("Bad identifier <" + word + ">");
  }
  return {kTokDigits, std::move(word), 0};
}

TToken TLexer::next() {
  platform::services().loop->processPendingEvents();
  skipBlanksAndComments();
  const unsigned char c = at(pos_);
  if (c == 0) {
    pos_ = pos_ < source_.size() ? pos_ : source_.size();
    return {kTokEnd, {}, 0};
  }
  if (is(c, kDelimiter)) {
    ++pos_;
    hexMode_ = c == '$';
    return {static_cast<std::int32_t>(c), {}, 0};
  }
  if (c == '\'' || c == '"') return readString(c);
  return readWord();
}

}  // namespace ondrix::script
