#include "platform/dialogs.h"

#include <cstdio>

namespace ondrix::platform {

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
