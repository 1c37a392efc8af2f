#pragma once
// The GUI's platform services: Qt's event loop, the system beep, Qt message boxes and the input
// and file dialogs scripts open.

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
  // A message box with an OK button and the application's name as caption.
  void showMessage(std::string_view text, std::optional<std::pair<int, int>> position) override;
  std::optional<std::string> inputText(std::string_view caption, std::string_view prompt,
                                       std::string_view initial) override;
  std::optional<std::string> chooseFile(FileChoice kind, std::string_view folder, std::string_view filter) override;
};

}  // namespace ondrix::platform::qt
