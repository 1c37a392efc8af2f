// Conversions between value kinds, by the OLE Automation rules with no flags and en-US text forms.

#include <cmath>
#include <limits>

#include "script/script_error.h"
#include "script/value.h"
#include "script/value_text.h"

namespace ondrix::script {
namespace {

[[noreturn]] void conversionError() { throw EVariantError(errtext::kInvalidVariantTypeConversion); }
[[noreturn]] void overflowError() { throw EVariantError(errtext::kVariantOverflow); }

// Rounds half to even (the default rounding mode) and checks the Integer range.
std::int32_t roundToInteger(double value) {
  const double r = std::nearbyint(value);
  if (!(r >= -2147483648.0 && r <= 2147483647.0)) overflowError();
  return static_cast<std::int32_t>(r);
}

std::int64_t roundToCurrency(double value) {
  const double r = std::nearbyint(value * 10000.0);
  if (!(r >= -9223372036854775808.0 && r < 9223372036854775808.0)) overflowError();
  return static_cast<std::int64_t>(r);
}

// Currency to Integer: ten-thousandths rounded half to even.
std::int32_t currencyToInteger(std::int64_t scaled) {
  std::int64_t whole = scaled / 10000;
  const std::int64_t rest = scaled % 10000;  // same sign as scaled
  if (rest > 5000 || (rest == 5000 && whole % 2 != 0)) ++whole;
  if (rest < -5000 || (rest == -5000 && whole % 2 != 0)) --whole;
  if (whole < std::numeric_limits<std::int32_t>::min() || whole > std::numeric_limits<std::int32_t>::max())
    overflowError();
  return static_cast<std::int32_t>(whole);
}

double textToReal(std::string_view text) {
  const std::optional<double> number = parseNumber(text);
  if (!number) conversionError();
  if (std::isinf(*number)) overflowError();
  return *number;
}

bool equalsWord(std::string_view text, std::string_view word) {
  if (text.size() != word.size()) return false;
  for (std::size_t i = 0; i < text.size(); ++i) {
    char c = text[i];
    if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 32);
    if (c != word[i]) return false;
  }
  return true;
}

std::string_view trimBlanks(std::string_view text) {
  while (!text.empty() && (text.front() == ' ' || text.front() == '\t')) text.remove_prefix(1);
  while (!text.empty() && (text.back() == ' ' || text.back() == '\t')) text.remove_suffix(1);
  return text;
}

}  // namespace

std::int32_t ScriptValue::toInteger() const {
  switch (kind_) {
    case ValueKind::Empty: return 0;
    case ValueKind::Integer: return int_;
    case ValueKind::Real:
    case ValueKind::Date: return roundToInteger(real_);
    case ValueKind::Currency: return currencyToInteger(currency_);
    case ValueKind::Boolean: return bool_ ? -1 : 0;
    case ValueKind::String: return roundToInteger(textToReal(stringValue()));
    case ValueKind::Null:
    case ValueKind::Array: break;
  }
  conversionError();
}

double ScriptValue::toReal() const {
  switch (kind_) {
    case ValueKind::Empty: return 0.0;
    case ValueKind::Integer: return int_;
    case ValueKind::Real:
    case ValueKind::Date: return real_;
    case ValueKind::Currency: return static_cast<double>(currency_) / 10000.0;
    case ValueKind::Boolean: return bool_ ? -1.0 : 0.0;
    case ValueKind::String: return textToReal(stringValue());
    case ValueKind::Null:
    case ValueKind::Array: break;
  }
  conversionError();
}

std::int64_t ScriptValue::toCurrency() const {
  switch (kind_) {
    case ValueKind::Empty: return 0;
    case ValueKind::Integer: return static_cast<std::int64_t>(int_) * 10000;
    case ValueKind::Real:
    case ValueKind::Date: return roundToCurrency(real_);
    case ValueKind::Currency: return currency_;
    case ValueKind::Boolean: return bool_ ? -10000 : 0;
    case ValueKind::String: return roundToCurrency(textToReal(stringValue()));
    case ValueKind::Null:
    case ValueKind::Array: break;
  }
  conversionError();
}

double ScriptValue::toDate() const {
  double days = 0;
  switch (kind_) {
    case ValueKind::Date: return real_;
    case ValueKind::String: {
      const std::optional<double> parsed = parseDate(stringValue());
      if (!parsed) conversionError();
      return *parsed;
    }
    case ValueKind::Null:
    case ValueKind::Array: conversionError();
    default: days = toReal();
  }
  if (!(days >= kMinDate && days < kMaxDate)) overflowError();
  return days;
}

bool ScriptValue::toBoolean() const {
  switch (kind_) {
    case ValueKind::Empty: return false;
    case ValueKind::Integer: return int_ != 0;
    case ValueKind::Real:
    case ValueKind::Date: return real_ != 0.0;
    case ValueKind::Currency: return currency_ != 0;
    case ValueKind::Boolean: return bool_;
    case ValueKind::String: {
      const std::string_view text = trimBlanks(stringValue());
      if (equalsWord(text, "TRUE")) return true;
      if (equalsWord(text, "FALSE")) return false;
      const std::optional<double> number = parseNumber(text);
      if (!number) conversionError();
      return *number != 0.0;
    }
    case ValueKind::Null:
    case ValueKind::Array: break;
  }
  conversionError();
}

std::string ScriptValue::toText() const {
  switch (kind_) {
    case ValueKind::Empty: return {};
    case ValueKind::Integer: return std::to_string(int_);
    case ValueKind::Real: return formatReal(real_);
    case ValueKind::Currency: return formatCurrency(currency_);
    case ValueKind::Date: {
      std::optional<std::string> text = formatDate(real_);
      if (!text) conversionError();
      return *text;
    }
    case ValueKind::Boolean: return bool_ ? "-1" : "0";
    case ValueKind::String: return std::string(stringValue());
    case ValueKind::Null:
    case ValueKind::Array: break;
  }
  conversionError();
}

ScriptValue ScriptValue::convertedTo(ValueKind kind) const {
  if (kind == kind_) return *this;
  switch (kind) {
    case ValueKind::Empty: return ScriptValue();
    case ValueKind::Null: return null();
    case ValueKind::Integer: return integer(toInteger());
    case ValueKind::Real: return real(toReal());
    case ValueKind::Currency: return currency(toCurrency());
    case ValueKind::Date: return date(toDate());
    case ValueKind::Boolean: return boolean(toBoolean());
    case ValueKind::String: return string(toText());
    case ValueKind::Array: break;
  }
  conversionError();
}

}  // namespace ondrix::script
