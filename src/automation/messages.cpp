#include "automation/messages.h"

#include "platform/services.h"

namespace ondrix::automation {

void showError(const std::string& text) {
  platform::services().dialogs->messageBox(text, "Error", platform::MessageStyle::Error, platform::MessageButtons::Ok);
}

void showInformation(const std::string& text) {
  platform::services().dialogs->messageBox(text, "Information", platform::MessageStyle::Information,
                                           platform::MessageButtons::Ok);
}

}  // namespace ondrix::automation
