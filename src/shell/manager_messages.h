#pragma once
// The message boxes of the keylist and palette managers: information boxes for refusals and
// notices, warning questions with Yes and No for deletions (through the platform's dialogs).

#include <string_view>

namespace ondrix::shell {

void showNotice(std::string_view text);
// True when the user answers Yes.
bool askWarning(std::string_view question);

}  // namespace ondrix::shell
