#include "platform/headless/answer_dialogs.h"

#include <charconv>
#include <string>

namespace ondrix::platform {

std::optional<std::string> AnswerDialogs::nextAnswer() {
  if (answers_ == nullptr) return std::nullopt;
  std::string line;
  if (!std::getline(*answers_, line)) return std::nullopt;
  if (!line.empty() && line.back() == '\r') line.pop_back();
  return line;
}

void AnswerDialogs::showMessage(std::string_view text, std::optional<std::pair<int, int>>) {
  std::fwrite(text.data(), 1, text.size(), out_);
  std::fputc('\n', out_);
  std::fflush(out_);
}

std::optional<std::string> AnswerDialogs::inputText(std::string_view, std::string_view, std::string_view) {
  return nextAnswer();
}

std::optional<std::pair<std::string, std::string>> AnswerDialogs::userPassword(std::string_view, std::string_view) {
  std::optional<std::string> user = nextAnswer();
  if (!user) return std::nullopt;
  std::optional<std::string> password = nextAnswer();
  if (!password) return std::nullopt;
  return std::make_pair(std::move(*user), std::move(*password));
}

std::optional<int> AnswerDialogs::chooseFromList(std::string_view, const std::vector<std::string>& items) {
  const std::optional<std::string> answer = nextAnswer();
  if (!answer) return std::nullopt;
  for (std::size_t i = 0; i < items.size(); ++i)
    if (items[i] == *answer) return static_cast<int>(i);
  int index = -1;
  const auto [end, error] = std::from_chars(answer->data(), answer->data() + answer->size(), index);
  if (error != std::errc() || end != answer->data() + answer->size() || index < 0 ||
      index >= static_cast<int>(items.size()))
    return -1;
  return index;
}

std::optional<std::string> AnswerDialogs::chooseFile(FileChoice, std::string_view, std::string_view) {
  std::optional<std::string> answer = nextAnswer();
  if (answer && answer->empty()) return std::nullopt;
  return answer;
}

}  // namespace ondrix::platform
