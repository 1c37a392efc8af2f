#pragma once
// The dialogs of a headless run (ondrix-cli run): a script's messages go to standard output, the
// system's own message boxes to standard error, and input dialogs take their answers in order from
// an answers stream, one line each (the user name and the password of the user/password dialog
// are one line each); at the end of the stream they are cancelled. A list choice is the item's
// index or its text.

#include <cstdio>
#include <istream>

#include "platform/dialogs.h"

namespace ondrix::platform {

class AnswerDialogs : public StderrDialogs {
 public:
  // `answers` may be null (every input dialog is cancelled); `out` receives the script messages.
  explicit AnswerDialogs(std::istream* answers, std::FILE* out = stdout) : answers_(answers), out_(out) {}

  void showMessage(std::string_view text, std::optional<std::pair<int, int>> position) override;
  std::optional<std::string> inputText(std::string_view caption, std::string_view prompt,
                                       std::string_view initial) override;
  std::optional<std::pair<std::string, std::string>> userPassword(std::string_view title,
                                                                  std::string_view user) override;
  std::optional<int> chooseFromList(std::string_view caption, const std::vector<std::string>& items) override;
  std::optional<std::string> chooseFile(FileChoice kind, std::string_view folder, std::string_view filter) override;

 private:
  std::optional<std::string> nextAnswer();

  std::istream* answers_;
  std::FILE* out_;
};

}  // namespace ondrix::platform
