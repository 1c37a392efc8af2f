#include "script/number_scan.h"

#include <cmath>
#include <cstdlib>
#include <string>

#include <locale.h>
#include <stdlib.h>

namespace ondrix::script {
namespace {

bool isDigit(char c) { return c >= '0' && c <= '9'; }
int hexValue(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  return -1;
}

double toDouble(const std::string& number) {
  static const locale_t cLocale = newlocale(LC_ALL_MASK, "C", nullptr);
  return strtod_l(number.c_str(), nullptr, cLocale);
}

// Reads [digits][.digits][e[sign]digits] from `i`; returns the digits for strtod, or nothing when no
// digit was read; `i` ends on the first character not taken, or at the exponent that has no digits.
struct DecimalScan {
  std::string number;
  bool any = false;
  bool fractional = false;
  bool exponentIncomplete = false;
};
DecimalScan scanDecimal(std::string_view s, std::size_t& i) {
  DecimalScan d;
  while (i < s.size() && isDigit(s[i])) d.number.push_back(s[i++]), d.any = true;
  if (i < s.size() && s[i] == '.') {
    d.fractional = true;
    d.number.push_back(s[i++]);
    while (i < s.size() && isDigit(s[i])) d.number.push_back(s[i++]), d.any = true;
  }
  if (d.any && i < s.size() && (s[i] == 'e' || s[i] == 'E')) {
    std::size_t j = i + 1;
    std::string exponent = "e";
    if (j < s.size() && (s[j] == '+' || s[j] == '-')) exponent.push_back(s[j++]);
    if (j < s.size() && isDigit(s[j])) {
      while (j < s.size() && isDigit(s[j])) exponent.push_back(s[j++]);
      d.number += exponent;
      d.fractional = true;
      i = j;
    } else {
      d.exponentIncomplete = true;
      i = j;
    }
  }
  return d;
}

}  // namespace

ValResult scanVal(std::string_view s) {
  ValResult r;
  std::size_t i = 0;
  while (i < s.size() && (s[i] == ' ' || s[i] == '\t')) ++i;
  bool negative = false;
  if (i < s.size() && (s[i] == '+' || s[i] == '-')) negative = s[i++] == '-';
  if (i < s.size() && s[i] == '$') {
    ++i;
    std::uint64_t v = 0;
    const std::size_t start = i;
    while (i < s.size() && hexValue(s[i]) >= 0 && v <= 0xFFFFFFFFu) v = v * 16 + static_cast<unsigned>(hexValue(s[i++]));
    if (i == start || i < s.size() || v > 0xFFFFFFFFu) {
      r.errorPos = i + 1;
      return r;
    }
    const auto n = static_cast<std::int32_t>(static_cast<std::uint32_t>(v));
    r.value = negative ? -static_cast<double>(n) : n;
    return r;
  }
  const DecimalScan d = scanDecimal(s, i);
  if (!d.any || d.exponentIncomplete || i < s.size()) {
    r.errorPos = i + 1;
    return r;
  }
  r.value = toDouble(d.number);
  if (std::isinf(r.value)) {  // too large for a real: not a number that was read
    r.value = 0;
    r.errorPos = i;
    return r;
  }
  if (negative) r.value = -r.value;
  r.fractional = d.fractional && r.value != std::trunc(r.value);
  return r;
}

std::optional<std::int32_t> scanInteger(std::string_view s) {
  std::size_t i = 0;
  while (i < s.size() && (s[i] == ' ' || s[i] == '\t')) ++i;
  bool negative = false;
  if (i < s.size() && (s[i] == '+' || s[i] == '-')) negative = s[i++] == '-';
  bool hex = false;
  if (i < s.size() && s[i] == '$') {
    hex = true;
    ++i;
  } else if (i + 1 < s.size() && s[i] == '0' && (s[i + 1] == 'x' || s[i + 1] == 'X')) {
    hex = true;
    i += 2;
  }
  const std::size_t start = i;
  std::uint64_t v = 0;
  while (i < s.size()) {
    const int digit = hex ? hexValue(s[i]) : (isDigit(s[i]) ? s[i] - '0' : -1);
    if (digit < 0) return std::nullopt;
    v = v * (hex ? 16 : 10) + static_cast<unsigned>(digit);
    if (v > 0xFFFFFFFFu) return std::nullopt;
    ++i;
  }
  if (i == start) return std::nullopt;
  if (hex) {
    const auto n = static_cast<std::int32_t>(static_cast<std::uint32_t>(v));
    return negative ? static_cast<std::int32_t>(0u - static_cast<std::uint32_t>(n)) : n;
  }
  if (v > (negative ? 2147483648u : 2147483647u)) return std::nullopt;
  return negative ? static_cast<std::int32_t>(-static_cast<std::int64_t>(v)) : static_cast<std::int32_t>(v);
}

std::optional<double> scanFloat(std::string_view s) {
  while (!s.empty() && static_cast<unsigned char>(s.back()) <= ' ') s.remove_suffix(1);
  std::size_t i = 0;
  while (i < s.size() && static_cast<unsigned char>(s[i]) <= ' ') ++i;
  bool negative = false;
  if (i < s.size() && (s[i] == '+' || s[i] == '-')) negative = s[i++] == '-';
  const DecimalScan d = scanDecimal(s, i);
  if (!d.any || d.exponentIncomplete || i < s.size()) return std::nullopt;
  const double value = toDouble(d.number);
  if (std::isinf(value)) return std::nullopt;
  return negative ? -value : value;
}

}  // namespace ondrix::script
