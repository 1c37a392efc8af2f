#include "automation/command_words.h"

namespace ondrix::automation {
namespace {

bool isBlank(char c) { return c == ' ' || c == '\t' || c == '\n' || c == '\r'; }

}  // namespace

std::vector<std::string> splitCommandWords(std::string_view text) {
  std::vector<std::string> words;
  std::string word;
  bool inWord = false;
  std::size_t i = 0;
  const std::size_t n = text.size();
  while (i < n) {
    const char c = text[i];
    if (isBlank(c)) {
      if (inWord) words.push_back(std::move(word));
      word.clear();
      inWord = false;
      ++i;
      continue;
    }
    inWord = true;
    if (c == '\'') {
      const std::size_t close = text.find('\'', i + 1);
      const std::size_t end = close == std::string_view::npos ? n : close;
      word.append(text.substr(i + 1, end - i - 1));
      i = end == n ? n : end + 1;
    } else if (c == '"') {
      ++i;
      while (i < n && text[i] != '"') {
        if (text[i] == '\\' && i + 1 < n &&
            (text[i + 1] == '"' || text[i + 1] == '\\' || text[i + 1] == '$' || text[i + 1] == '`'))
          ++i;
        word.push_back(text[i++]);
      }
      if (i < n) ++i;  // the closing quote
    } else if (c == '\\') {
      if (i + 1 < n) word.push_back(text[i + 1]);
      i += 2;
    } else {
      word.push_back(c);
      ++i;
    }
  }
  if (inWord) words.push_back(std::move(word));
  return words;
}

}  // namespace ondrix::automation
