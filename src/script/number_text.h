#pragma once
// Building blocks for the library's number formats (Format, FormatFloat, Str): the decimal digits
// of a double rounded to a number of decimals or of significant digits, and grouping by thousands.

#include <string>

namespace ondrix::script {

// |value| rounded to `decimals` places: the whole part ("0" when none) and exactly `decimals`
// fraction digits.
struct FixedDigits {
  std::string whole;
  std::string fraction;
};
FixedDigits fixedDigits(double value, int decimals);

// |value| rounded to `significant` digits (1..18): the digits without a point and the exponent of
// the first digit (value = 0.d1d2... * 10^(exponent+1)); for zero the digits are all '0' and the
// exponent is 0.
struct ScientificDigits {
  std::string digits;
  int exponent = 0;
};
ScientificDigits scientificDigits(double value, int significant);

// "1234567" -> "1,234,567".
std::string groupThousands(const std::string& whole);

// The exponent written with its sign ("+" only when `plusSign`) and at least `minDigits` digits.
std::string exponentText(int exponent, bool plusSign, int minDigits);

}  // namespace ondrix::script
