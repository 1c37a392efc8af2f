// TMainForm: the script timer. One timer at a time; it ticks once a second on the event loop and
// runs its script file when the seconds have passed (0 and 1 both run at the first tick).

#include <chrono>

#include "platform/services.h"
#include "shell/main_form_impl.h"

namespace ondrix::shell {

void TMainForm::Impl::startTimerTick() {
  std::weak_ptr<int> token = life;
  timerId = platform::services().loop->startTimer(std::chrono::seconds(1), false, [this, token] {
    if (token.expired()) return;
    timerId = 0;
    form.ScriptTimerTick();
  });
}

void TMainForm::Impl::stopTimer() {
  if (timerId != 0) platform::services().loop->stopTimer(timerId);
  timerId = 0;
}

void TMainForm::SetScriptTimer(std::int32_t seconds, const std::string& scriptFile) {
  if (shutDown_) return;
  impl_->stopTimer();
  impl_->timerSet = true;
  impl_->timerFile = scriptFile;
  impl_->timerSeconds = seconds;
  impl_->timerElapsed = 0;
  impl_->startTimerTick();
}

void TMainForm::ClearScriptTimer() {
  impl_->stopTimer();
  impl_->timerSet = false;
  impl_->timerFile.clear();
  impl_->timerSeconds = 0;
  impl_->timerElapsed = 0;
}

bool TMainForm::ScriptTimerPending() const { return impl_->timerSet; }
std::int32_t TMainForm::ScriptTimerSeconds() const { return impl_->timerSeconds; }
std::int32_t TMainForm::ScriptTimerElapsed() const { return impl_->timerElapsed; }

void TMainForm::ScriptTimerTick() {
  impl_->shellEvent([this] {
    Impl& m = *impl_;
    if (!m.timerSet) return;
    m.stopTimer();
    if (++m.timerElapsed < m.timerSeconds) {
      m.startTimerTick();
      return;
    }
    const std::string file = m.timerFile;
    ClearScriptTimer();
    m.runGuarded([&] { RunScriptFile(file); });
  });
}

}  // namespace ondrix::shell
