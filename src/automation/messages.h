#pragma once
// How the terminal procedures tell the user about misuse: an error box or an information box
// with an OK button, through the platform's dialogs. The script goes on afterwards.

#include <string>

namespace ondrix::automation {

void showError(const std::string& text);
void showInformation(const std::string& text);

}  // namespace ondrix::automation
