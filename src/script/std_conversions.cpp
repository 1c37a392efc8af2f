// Number conversion and formatting routines of the standard library.

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdio>
#include <vector>

#include "script/format_float.h"
#include "script/format_text.h"
#include "script/number_scan.h"
#include "script/number_text.h"
#include "script/std_args.h"
#include "script/value_text.h"

namespace ondrix::script {
namespace {

// IntToHex(value, digits): two's complement for negative values; at most 32 digits of padding.
void intToHex(ParamCells& c, ScriptValue& r) {
  const std::int32_t value = intArg(c, 0);
  const std::int32_t digits = intArg(c, 1);
  char buffer[48];
  const int width = digits < 0 ? 0 : (digits > 32 ? 32 : digits);
  std::snprintf(buffer, sizeof buffer, "%0*X", width, static_cast<unsigned>(value));
  r = ScriptValue::string(buffer);
}

void intToStr(ParamCells& c, ScriptValue& r) { r = ScriptValue::string(std::to_string(intArg(c, 0))); }

void strToInt(ParamCells& c, ScriptValue& r) {
  const std::string s = textArg(c, 0);
  const std::optional<std::int32_t> n = scanInteger(s);
  if (!n) throwNotInteger(s);
  r = ScriptValue::integer(*n);
}

void strToFloat(ParamCells& c, ScriptValue& r) {
  const std::string s = textArg(c, 0);
  const std::optional<double> x = scanFloat(s);
  if (!x) throwNotFloat(s);
  r = ScriptValue::real(*x);
}

void floatToStr(ParamCells& c, ScriptValue& r) { r = ScriptValue::string(formatReal(realArg(c, 0))); }

// Str(x, var s): " d.ddddddddddddddE+dddd", right-justified in 23 characters when not finite.
void str(ParamCells& c, ScriptValue&) {
  const double x = realArg(c, 0);
  std::string text;
  if (std::isnan(x)) {
    text = "                    Nan";
  } else if (std::isinf(x)) {
    text = x > 0 ? "                   +Inf" : "                   -Inf";
  } else {
    const ScientificDigits s = scientificDigits(x, 15);
    text.assign(1, std::signbit(x) && x != 0 ? '-' : ' ');
    text.push_back(s.digits[0]);
    text.push_back('.');
    text.append(s.digits, 1);
    text.push_back('E');
    text += exponentText(s.exponent, true, 4);
  }
  cell(c, 1) = ScriptValue::string(text);
}

// Val(s, var v, var code)
void val(ParamCells& c, ScriptValue&) {
  const ValResult v = scanVal(textArg(c, 0));
  if (v.errorPos != 0) {
    cell(c, 1) = ScriptValue::integer(0);
    cell(c, 2) = ScriptValue::integer(static_cast<std::int32_t>(v.errorPos));
    return;
  }
  const bool fitsInteger = !v.fractional && v.value >= -2147483648.0 && v.value <= 2147483647.0;
  cell(c, 1) = fitsInteger ? ScriptValue::integer(static_cast<std::int32_t>(std::trunc(v.value))) : ScriptValue::real(v.value);
  cell(c, 2) = ScriptValue::integer(0);
}

// Format(format, [args]): the array's element 0 holds the count, elements 1..n the values.
void format(ParamCells& c, ScriptValue& r) {
  const std::string f = textArg(c, 0);
  const ScriptValue& array = cell(c, 1);
  std::vector<ScriptValue> args;
  if (array.isArray()) {
    const std::size_t size = array.arraySize();
    std::size_t count = size > 0 ? static_cast<std::size_t>(std::max(0, array.element(0).toInteger())) : 0;
    count = std::min({count, size > 0 ? size - 1 : 0, kMaxFormatArguments});
    for (std::size_t k = 1; k <= count; ++k) args.push_back(array.element(k));
  } else {
    args.push_back(array);
  }
  r = ScriptValue::string(formatText(f, args));
}

void formatFloatRoutine(ParamCells& c, ScriptValue& r) {
  const std::string picture = textArg(c, 0);
  r = ScriptValue::string(formatFloat(picture, realArg(c, 1)));
}

constexpr auto P = RoutineKind::Procedure;
constexpr auto F = RoutineKind::Function;

constexpr std::array kRoutines{
    StdRoutine{"IntToHex", F, "00", intToHex},
    StdRoutine{"IntToStr", F, "0", intToStr},
    StdRoutine{"StrToInt", F, "0", strToInt},
    StdRoutine{"StrToFloat", F, "0", strToFloat},
    StdRoutine{"FloatToStr", F, "0", floatToStr},
    StdRoutine{"Str", P, "01", str},
    StdRoutine{"Val", P, "011", val},
    StdRoutine{"Format", F, "03", format},
    StdRoutine{"FormatFloat", F, "00", formatFloatRoutine},
};

}  // namespace

std::span<const StdRoutine> conversionRoutines() { return kRoutines; }

void throwNotInteger(std::string_view text) {
  throw EConvertError("'" + std::string(text) + "' is not a valid integer value");
}
void throwNotFloat(std::string_view text) {
  throw EConvertError("'" + std::string(text) + "' is not a valid floating point value");
}
void throwNotDate(std::string_view text) { throw EConvertError("'" + std::string(text) + "' is not a valid date"); }

}  // namespace ondrix::script
