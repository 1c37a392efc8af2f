#pragma once
// The platform services the engines reach: one set per process, installed by the executable
// (GUI or headless) at start and replaceable by tests for the scope of a test.

#include "platform/beep.h"
#include "platform/dialogs.h"
#include "platform/event_loop.h"
#include "platform/printer.h"
#include "platform/trace.h"

namespace ondrix::platform {

struct Services {
  EventLoop* loop;
  TraceSink* trace;
  Beeper* beeper;
  Printer* printer;
  Dialogs* dialogs;
};

// The installed services; until something is installed, headless defaults (a poll loop, the
// environment trace, a counting beeper, a discarding printer, standard-error message boxes).
const Services& services();

// Installs `replacement` for the lifetime of this object, then restores what was there before.
// Null members keep the service that was installed.
class ScopedServices {
 public:
  explicit ScopedServices(const Services& replacement);
  ~ScopedServices();
  ScopedServices(const ScopedServices&) = delete;
  ScopedServices& operator=(const ScopedServices&) = delete;

 private:
  Services previous_;
};

}  // namespace ondrix::platform
