#include "shell/manager_messages.h"

#include "platform/services.h"

namespace ondrix::shell {

namespace {
constexpr std::string_view kTitle = "Ondrix";
}

void showNotice(std::string_view text) {
  platform::services().dialogs->messageBox(text, kTitle, platform::MessageStyle::Information,
                                           platform::MessageButtons::Ok);
}

bool askWarning(std::string_view question) {
  return platform::services().dialogs->messageBox(question, kTitle, platform::MessageStyle::Warning,
                                                  platform::MessageButtons::YesNo) ==
         platform::MessageResult::Yes;
}

}  // namespace ondrix::shell
