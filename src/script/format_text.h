#pragma once
// Format: text built from a format string and a list of values.
//
// A directive is  %[index:][-][width][.precision]type  ; index, width and precision may be "*",
// which takes the value from the next argument (an Integer). "%%" is a percent sign. Types:
//   d  decimal Integer; precision = minimum digits (zeros after the sign)
//   u  the Integer as unsigned 32-bit decimal
//   x  upper-case hexadecimal Integer; precision = minimum digits
//   e  "-d.ddd...E+ddd", precision = significant digits (default 15), exponent 3 digits at least
//   f  "-ddd.ddd", precision = decimals (default 2)
//   g  shortest of fixed and scientific, precision = significant digits (default 15)
//   n  as f with thousands separators
//   m  money under en-US conventions: "$1,234.50", negative "($1,234.50)"
//   p  an object handle as eight hexadecimal digits
//   s  the value as text; precision = at most that many characters
// The number types take Integer, Real, Currency and Date values, d u x p take Integers, s takes
// any value that converts to text. The text is right-justified in `width` blanks, left-justified
// with "-". An index selects the argument (0-based); later directives continue after it.
//
// Errors (EConvertError): "Format '%s' invalid or incompatible with argument" for a malformed
// directive, a missing argument or one of the wrong kind; "Format string too long" for a format
// longer than 4096 characters; "Format result longer than 4096 characters".

#include <span>
#include <string>
#include <string_view>

#include "script/value.h"

namespace ondrix::script {

inline constexpr std::size_t kMaxFormatLength = 4096;
inline constexpr std::size_t kMaxFormatArguments = 51;

std::string formatText(std::string_view format, std::span<const ScriptValue> args);

}  // namespace ondrix::script
