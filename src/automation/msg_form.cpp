#include "automation/msg_form.h"

#include <chrono>
#include <memory>

#include "platform/script_windows.h"
#include "platform/services.h"

namespace ondrix::automation {

TMsgForm::~TMsgForm() {
  if (visible_) platform::scriptWindows().hideMessageWindow();
}

bool TMsgForm::Show(const std::string& title, const std::string& text) {
  if (visible_) return false;
  SetText(title, text);
  // The flag outlives this call should the loop be torn down first.
  auto shown = std::make_shared<bool>(false);
  platform::EventLoop& loop = *platform::services().loop;
  loop.startTimer(std::chrono::milliseconds(kShownDelayMs), false, [shown] { *shown = true; });
  while (!*shown) loop.runOnce(std::chrono::milliseconds(kShownDelayMs));
  return true;
}

bool TMsgForm::Hide() {
  if (!visible_) return false;
  visible_ = false;
  platform::scriptWindows().hideMessageWindow();
  return true;
}

void TMsgForm::SetText(const std::string& title, const std::string& text) {
  title_ = title;
  text_ = text;
  visible_ = true;
  platform::scriptWindows().showMessageWindow(title_, text_);
}

}  // namespace ondrix::automation
