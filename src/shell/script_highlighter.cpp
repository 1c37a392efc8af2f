#include "shell/script_highlighter.h"

#include <array>

#include "script/ident_list.h"

namespace ondrix::shell {

namespace {

// The state word: the kind of open construct in the low byte, the hex-digit mode in bit 8.
constexpr int kBlockCommentBase = 1;  // 1 + index of the block comment form (up to 63 forms)
constexpr int kStringBase = 0x40;     // 0x40 + index of the quote
constexpr int kModeMask = 0xFF;
constexpr int kHexFlag = 0x100;

constexpr std::array<std::string_view, kScriptStyleCount> kStyleNames{
    "Default", "Comment", "Keyword", "Routine", "Constant", "String",
    "Number",  "Character code", "Operator", "Identifier",
};

constexpr std::string_view kDelimiters = "#$%&()*+,-./:;<=>@[]^|~";
constexpr std::string_view kTerminators = "\"#$%&'()*+,-./:;<=>@[]^{|}~";

bool isDelimiter(unsigned char c) { return kDelimiters.find(static_cast<char>(c)) != std::string_view::npos; }
bool isTerminator(unsigned char c) {
  return c <= 32 || kTerminators.find(static_cast<char>(c)) != std::string_view::npos;
}
bool isDigit(unsigned char c) { return c >= '0' && c <= '9'; }
bool isHexDigit(unsigned char c) { return isDigit(c) || (c >= 'A' && c <= 'F'); }
// Both take an upper-cased character.
bool isIdentStart(unsigned char c) { return (c >= 'A' && c <= 'Z') || c == '_' || (c >= 192 && c <= 223); }
bool isIdentContinuation(unsigned char c) { return isIdentStart(c) || isDigit(c); }

}  // namespace

std::string_view scriptStyleName(ScriptStyle style) { return kStyleNames.at(static_cast<std::size_t>(style)); }

ScriptStyle TScriptHighlighter::WordStyle(std::string_view word, bool hexMode) const {
  const std::string upper = script::upperCase1252(word);
  const auto first = static_cast<unsigned char>(upper.front());
  if (isIdentStart(first)) {
    for (unsigned char c : upper)
      if (!isIdentContinuation(c)) return ScriptStyle::Default;
    if (language_.Keywords.contains(upper)) return ScriptStyle::Keyword;
    if (language_.Constants.contains(upper)) return ScriptStyle::Constant;
    if (language_.Routines.contains(upper)) return ScriptStyle::Routine;
    return ScriptStyle::Identifier;
  }
  if (upper.size() > 1 && upper[1] == 'X') return ScriptStyle::Number;
  for (unsigned char c : upper)
    if (!(hexMode ? isHexDigit(c) : isDigit(c))) return ScriptStyle::Default;
  return ScriptStyle::Number;
}

int TScriptHighlighter::Style(std::string_view text, int state, std::vector<ScriptStyle>& styles) const {
  const std::size_t n = text.size();
  std::size_t i = 0;
  bool hexMode = (state & kHexFlag) != 0;
  const auto put = [&styles](std::size_t count, ScriptStyle style) { styles.insert(styles.end(), count, style); };
  const auto at = [&text](std::size_t k) { return static_cast<unsigned char>(text[k]); };
  const auto openState = [&hexMode](int mode) { return mode | (hexMode ? kHexFlag : 0); };

  // Finishes a construct that began before this piece, or reports that it goes on.
  const auto finish = [&](std::string_view closer, ScriptStyle style, int mode) {
    const std::size_t close = text.find(closer, i);
    if (close == std::string_view::npos) {
      put(n - i, style);
      i = n;
      return openState(mode);
    }
    put(close + closer.size() - i, style);
    i = close + closer.size();
    return 0;
  };

  const int mode = state & kModeMask;
  const auto& blocks = language_.BlockComments;
  const auto& quotes = language_.Quotes;
  if (mode >= kBlockCommentBase && mode < kStringBase &&
      static_cast<std::size_t>(mode - kBlockCommentBase) < blocks.size()) {
    const std::size_t k = static_cast<std::size_t>(mode - kBlockCommentBase);
    if (const int open = finish(blocks[k].second, ScriptStyle::Comment, mode)) return open;
  } else if (mode >= kStringBase && static_cast<std::size_t>(mode - kStringBase) < quotes.size()) {
    const char quote = quotes[static_cast<std::size_t>(mode - kStringBase)];
    if (const int open = finish(std::string_view(&quote, 1), ScriptStyle::String, mode)) return open;
  }

  while (i < n) {
    const unsigned char c = at(i);
    if (c <= 32) {
      put(1, ScriptStyle::Default);
      ++i;
      continue;
    }
    bool matched = false;
    for (const std::string& opener : language_.LineComments) {
      if (text.substr(i, opener.size()) != opener) continue;
      std::size_t end = i + opener.size();
      while (end < n && at(end) >= 32) ++end;
      put(end - i, ScriptStyle::Comment);
      i = end;
      matched = true;
      break;
    }
    if (matched) continue;
    for (std::size_t k = 0; k < blocks.size() && !matched; ++k) {
      if (text.substr(i, blocks[k].first.size()) != blocks[k].first) continue;
      put(blocks[k].first.size(), ScriptStyle::Comment);
      i += blocks[k].first.size();
      matched = true;
      if (const int open = finish(blocks[k].second, ScriptStyle::Comment,
                                  kBlockCommentBase + static_cast<int>(k)))
        return open;
    }
    if (matched) continue;
    for (std::size_t q = 0; q < quotes.size() && !matched; ++q) {
      if (static_cast<char>(c) != quotes[q]) continue;
      put(1, ScriptStyle::String);
      ++i;
      matched = true;
      if (const int open = finish(std::string_view(&quotes[q], 1), ScriptStyle::String,
                                  kStringBase + static_cast<int>(q)))
        return open;
    }
    if (matched) continue;
    if (isDelimiter(c)) {
      hexMode = c == '$';
      std::size_t end = i + 1;
      while (c == '#' && end < n && isDigit(at(end))) ++end;
      if (end > i + 1 && (end == n || isTerminator(at(end)))) {
        put(end - i, ScriptStyle::CharCode);  // #13: a character by its code
      } else {
        put(1, ScriptStyle::Operator);
        end = i + 1;
      }
      i = end;
      continue;
    }
    std::size_t end = i;
    while (end < n && !isTerminator(at(end))) ++end;
    if (end == i) {  // a terminator that is neither a delimiter nor a quote: "}"
      put(1, ScriptStyle::Default);
      ++i;
      continue;
    }
    put(end - i, WordStyle(text.substr(i, end - i), hexMode));
    i = end;
  }
  return hexMode ? kHexFlag : 0;
}

}  // namespace ondrix::shell
