#pragma once
// Diagnostic trace: protocol and escape-sequence anomalies for the developer, never for the user.
// Off by default; ONDRIX_TRACE=1 sends it to standard error, ONDRIX_TRACE_FILE=path to a file.

#include <string_view>

namespace ondrix::platform {

class TraceSink {
 public:
  virtual ~TraceSink() = default;
  // Cheap test callers use to skip building a trace text nobody reads.
  virtual bool enabled() const = 0;
  virtual void write(std::string_view text) = 0;
};

// The sink chosen by the environment variables above (a disabled sink when neither is set).
TraceSink& environmentTrace();

}  // namespace ondrix::platform
