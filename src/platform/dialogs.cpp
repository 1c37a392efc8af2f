#include "platform/dialogs.h"

#include <cstdio>

namespace ondrix::platform {

void Dialogs::showMessage(std::string_view text, std::optional<std::pair<int, int>>) {
  messageBox(text, {}, MessageStyle::Information, MessageButtons::Ok);
}

std::optional<std::string> Dialogs::inputText(std::string_view, std::string_view, std::string_view) {
  return std::nullopt;
}

std::optional<std::pair<std::string, std::string>> Dialogs::userPassword(std::string_view, std::string_view) {
  return std::nullopt;
}

std::optional<int> Dialogs::chooseFromList(std::string_view, const std::vector<std::string>&) { return std::nullopt; }

std::optional<std::string> Dialogs::chooseFile(FileChoice, std::string_view, std::string_view) {
  return std::nullopt;
}

MessageResult StderrDialogs::messageBox(std::string_view text, std::string_view, MessageStyle,
                                        MessageButtons buttons) {
  std::fwrite(text.data(), 1, text.size(), stderr);
  std::fputc('\n', stderr);
  std::fflush(stderr);
  switch (buttons) {
    case MessageButtons::Ok:
    case MessageButtons::OkCancel:
      return MessageResult::Ok;
    case MessageButtons::YesNo:
    case MessageButtons::YesNoCancel:
      return MessageResult::Yes;
  }
  return MessageResult::Ok;
}

}  // namespace ondrix::platform
