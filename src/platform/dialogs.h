#pragma once
// Message boxes the system shows the user. The GUI shows real dialogs; headless programs write the
// text to standard error (ondrix-cli's rule for the system's own messages).

#include <string_view>

namespace ondrix::platform {

enum class MessageStyle { Information, Warning, Error, Confirmation };
enum class MessageButtons { Ok, OkCancel, YesNo, YesNoCancel };
enum class MessageResult { Ok, Cancel, Yes, No };

class Dialogs {
 public:
  virtual ~Dialogs() = default;
  virtual MessageResult messageBox(std::string_view text, std::string_view caption,
                                   MessageStyle style, MessageButtons buttons) = 0;
};

// Headless: the text and a line feed to standard error; the answer is the first button.
class StderrDialogs : public Dialogs {
 public:
  MessageResult messageBox(std::string_view text, std::string_view caption, MessageStyle style,
                           MessageButtons buttons) override;
};

}  // namespace ondrix::platform
