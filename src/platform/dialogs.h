#pragma once
// Message boxes the system shows the user. The GUI shows real dialogs; headless programs write the
// text to standard error (ondrix-cli's rule for the system's own messages).

#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace ondrix::platform {

enum class MessageStyle { Information, Warning, Error, Confirmation };
enum class MessageButtons { Ok, OkCancel, YesNo, YesNoCancel };
enum class MessageResult { Ok, Cancel, Yes, No };

enum class FileChoice { Open, Save };

// The dialogs scripts use. Each input dialog is modal and answers nothing (std::nullopt) when the
// user cancels it. The defaults suit a program without a user: messages go through messageBox,
// every input dialog is cancelled.
class Dialogs {
 public:
  virtual ~Dialogs() = default;
  virtual MessageResult messageBox(std::string_view text, std::string_view caption,
                                   MessageStyle style, MessageButtons buttons) = 0;

  // A script's message with an OK button; `position` places its top-left corner on the screen.
  virtual void showMessage(std::string_view text, std::optional<std::pair<int, int>> position = std::nullopt);
  // An input box pre-filled with `initial`; the entered text.
  virtual std::optional<std::string> inputText(std::string_view caption, std::string_view prompt,
                                               std::string_view initial);
  // The user name and password dialog; the two fields.
  virtual std::optional<std::pair<std::string, std::string>> userPassword(std::string_view title,
                                                                          std::string_view user);
  // A list to choose from; the index of the chosen item (-1: closed without a selection).
  virtual std::optional<int> chooseFromList(std::string_view caption, const std::vector<std::string>& items);
  // The open or save file dialog (filter: pairs of description and pattern separated by "|").
  virtual std::optional<std::string> chooseFile(FileChoice kind, std::string_view folder, std::string_view filter);
};

// Headless: the text and a line feed to standard error; the answer is the first button.
class StderrDialogs : public Dialogs {
 public:
  MessageResult messageBox(std::string_view text, std::string_view caption, MessageStyle style,
                           MessageButtons buttons) override;
};

}  // namespace ondrix::platform
