#include "script/number_text.h"

#include <cmath>
#include <cstdio>
#include <cstdlib>

namespace ondrix::script {
namespace {

// The first 15 significant digits of |value| (what a double holds reliably) and the exponent of
// the first digit. Rounding to fewer digits is done on these decimal digits, half away from zero,
// so 0.5 rounds to 1 and 2.675 to 2.68 as a reader of the number expects.
struct Decimal {
  std::string digits;
  int exponent = 0;
};

Decimal decimal15(double value) {
  char buffer[64];
  std::snprintf(buffer, sizeof buffer, "%.14e", std::fabs(value));
  Decimal d;
  const char* p = buffer;
  for (; *p != 'e' && *p != '\0'; ++p)
    if (*p != '.') d.digits.push_back(*p);
  if (*p == 'e') d.exponent = std::atoi(p + 1);
  if (value == 0) d.exponent = 0;
  return d;
}

// Keeps `keep` digits (0 or more), rounding half away from zero; a carry out of the first digit
// adds a leading 1 and raises the exponent.
void roundTo(Decimal& d, int keep) {
  if (keep < 0) {
    d.digits.clear();
    return;
  }
  if (static_cast<std::size_t>(keep) >= d.digits.size()) {
    d.digits.resize(static_cast<std::size_t>(keep), '0');
    return;
  }
  const bool up = d.digits[static_cast<std::size_t>(keep)] >= '5';
  d.digits.resize(static_cast<std::size_t>(keep));
  if (!up) return;
  int i = keep - 1;
  for (; i >= 0; --i) {
    char& c = d.digits[static_cast<std::size_t>(i)];
    if (c == '9') {
      c = '0';
    } else {
      ++c;
      break;
    }
  }
  if (i < 0) {
    d.digits.insert(d.digits.begin(), '1');
    ++d.exponent;
    if (keep > 0) d.digits.pop_back();
  }
}

}  // namespace

FixedDigits fixedDigits(double value, int decimals) {
  FixedDigits out;
  if (value == 0) {
    out.whole.assign(1, '0');
    out.fraction.assign(static_cast<std::size_t>(decimals), '0');
    return out;
  }
  Decimal d = decimal15(value);
  const int keep = d.exponent + 1 + decimals;  // digits in front of the rounding position
  roundTo(d, keep);
  if (keep < 0 || (keep == 0 && d.digits.empty())) {
    out.whole.assign(1, '0');
    out.fraction.assign(static_cast<std::size_t>(decimals), '0');
    return out;
  }
  // After a carry the digits gained one place in front; the count after the point is unchanged.
  const int wholeCount = d.exponent + 1;
  std::string all = d.digits;
  if (wholeCount <= 0) {
    out.whole.assign(1, '0');
    out.fraction.assign(static_cast<std::size_t>(-wholeCount), '0');
    out.fraction += all;
  } else {
    if (static_cast<int>(all.size()) < wholeCount) all.resize(static_cast<std::size_t>(wholeCount), '0');
    out.whole = all.substr(0, static_cast<std::size_t>(wholeCount));
    out.fraction = all.substr(static_cast<std::size_t>(wholeCount));
  }
  out.fraction.resize(static_cast<std::size_t>(decimals), '0');
  return out;
}

ScientificDigits scientificDigits(double value, int significant) {
  ScientificDigits out;
  if (value == 0) {
    out.digits.assign(static_cast<std::size_t>(significant), '0');
    return out;
  }
  Decimal d = decimal15(value);
  roundTo(d, significant);
  out.digits = d.digits;
  out.exponent = d.exponent;
  return out;
}

std::string groupThousands(const std::string& whole) {
  std::string out;
  const std::size_t n = whole.size();
  for (std::size_t i = 0; i < n; ++i) {
    out.push_back(whole[i]);
    if (i + 1 < n && (n - 1 - i) % 3 == 0) out.push_back(',');
  }
  return out;
}

std::string exponentText(int exponent, bool plusSign, int minDigits) {
  std::string digits = std::to_string(exponent < 0 ? -exponent : exponent);
  while (static_cast<int>(digits.size()) < minDigits) digits.insert(digits.begin(), '0');
  if (exponent < 0 || plusSign) digits.insert(digits.begin(), exponent < 0 ? '-' : '+');
  return digits;
}

}  // namespace ondrix::script
