// Arbitrary text as a number and as a date: parsing never fails other than by refusing, and
// whatever parses survives formatting and parsing again.

#include <cmath>
#include <cstddef>
#include <cstdint>
#include <string_view>

#include "script/value_text.h"

using namespace ondrix::script;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string_view text(reinterpret_cast<const char*>(data), size);
  if (const std::optional<double> number = parseNumber(text); number && std::isfinite(*number)) {
    const std::optional<double> again = parseNumber(formatReal(*number));
    if (!again || std::fabs(*again - *number) > std::fabs(*number) * 1e-14) __builtin_trap();
  }
  if (const std::optional<double> date = parseDate(text)) {
    if (!(*date >= kMinDate && *date < kMaxDate)) __builtin_trap();
    const std::optional<std::string> shown = formatDate(*date);
    if (!shown) __builtin_trap();
    const std::optional<double> again = parseDate(*shown);
    if (!again || std::fabs(*again - *date) > 1.0 / 86400) __builtin_trap();
  }
  return 0;
}
