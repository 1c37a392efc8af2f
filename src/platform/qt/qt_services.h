#pragma once
// The GUI's platform services: Qt's event loop, the system beep and Qt message boxes.

#include "platform/beep.h"
#include "platform/dialogs.h"

namespace ondrix::platform::qt {

class QtBeeper final : public Beeper {
 public:
  void beep() override;
};

class QtDialogs final : public Dialogs {
 public:
  MessageResult messageBox(std::string_view text, std::string_view caption, MessageStyle style,
                           MessageButtons buttons) override;
};

}  // namespace ondrix::platform::qt
