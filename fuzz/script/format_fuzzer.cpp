// Format strings, pictures and number texts as a script may write them: the library's formats
// and scanners either produce text within their limits or refuse with one of their errors.

#include <array>
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <string_view>

#include "script/format_date_time.h"
#include "script/format_float.h"
#include "script/format_text.h"
#include "script/number_scan.h"
#include "script/script_error.h"

using namespace ondrix::script;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (size == 0) return 0;
  const std::string_view text(reinterpret_cast<const char*>(data) + 1, size - 1);
  static const std::array<ScriptValue, 6> args{ScriptValue::integer(-42), ScriptValue::real(-1234.5678),
                                               ScriptValue::string("abc"), ScriptValue::integer(3),
                                               ScriptValue::currency(123456789), ScriptValue::date(36527.75)};
  static const std::array<double, 5> numbers{0.0, -0.5, 1234567.891, 1e300, 9.995};
  try {
    switch (data[0] % 5) {
      case 0:
        if (formatText(text, args).size() > kMaxFormatLength) __builtin_trap();
        break;
      case 1:
        for (double x : numbers) (void)formatFloat(text, x);
        break;
      case 2:
        if (text.size() <= 4096) (void)formatDateTime(text, 36527.5123);
        break;
      case 3: {
        const ValResult v = scanVal(text);
        if (v.errorPos > text.size() + 1) __builtin_trap();
        break;
      }
      default:
        (void)scanInteger(text);
        if (const auto x = scanFloat(text); x && !std::isfinite(*x)) __builtin_trap();
        break;
    }
  } catch (const EScriptError&) {
  }
  return 0;
}
