#pragma once
// A trace sink that keeps everything written to it, for tests that check trace lines.

#include <string>
#include <string_view>

#include "platform/trace.h"

namespace ondrix::platform::testing {

class TextTrace final : public TraceSink {
 public:
  bool enabled() const override { return true; }
  void write(std::string_view text) override { text_ += text; }
  std::string text_;
};

}  // namespace ondrix::platform::testing
