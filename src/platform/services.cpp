#include "platform/services.h"

#include "platform/posix/poll_event_loop.h"

namespace ondrix::platform {
namespace {

Services& current() {
  static PollEventLoop loop;
  static CountingBeeper beeper;
  static HeadlessPrinter printer;
  static StderrDialogs dialogs;
  static Services installed{&loop, &environmentTrace(), &beeper, &printer, &dialogs};
  return installed;
}

template <typename T>
void keepOrReplace(T*& slot, T* replacement) {
  if (replacement) slot = replacement;
}

}  // namespace

const Services& services() { return current(); }

ScopedServices::ScopedServices(const Services& replacement) : previous_(current()) {
  Services& s = current();
  keepOrReplace(s.loop, replacement.loop);
  keepOrReplace(s.trace, replacement.trace);
  keepOrReplace(s.beeper, replacement.beeper);
  keepOrReplace(s.printer, replacement.printer);
  keepOrReplace(s.dialogs, replacement.dialogs);
}

ScopedServices::~ScopedServices() { current() = previous_; }

}  // namespace ondrix::platform
