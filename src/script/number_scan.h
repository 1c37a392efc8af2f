#pragma once
// Reading numbers the way the classic conversion routines do.

#include <cstdint>
#include <optional>
#include <string_view>

namespace ondrix::script {

// Val: leading blanks, a sign, then decimal digits with an optional fraction and exponent, or "$"
// and hexadecimal digits. `errorPos` is 0 when the whole text was read, else the 1-based position
// of the first character that could not be (the length + 1 when the text ends too early; the
// length when the number is too large for a real).
struct ValResult {
  double value = 0;
  bool fractional = false;  // a point or an exponent was read
  std::size_t errorPos = 0;
};
ValResult scanVal(std::string_view text);

// StrToInt: blanks, a sign, decimal digits or "$"/"0x" and hexadecimal digits (up to FFFFFFFF),
// within the Integer range; nothing otherwise.
std::optional<std::int32_t> scanInteger(std::string_view text);

// StrToFloat: blanks, a sign, digits with an optional point, fraction and exponent, blanks;
// nothing otherwise or when the value is out of range.
std::optional<double> scanFloat(std::string_view text);

}  // namespace ondrix::script
