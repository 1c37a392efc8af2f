#include "script/format_text.h"

#include <algorithm>
#include <cmath>
#include <cstdio>

#include "script/number_text.h"
#include "script/std_args.h"
#include "script/value_text.h"

namespace ondrix::script {
namespace {

class Formatter {
 public:
  Formatter(std::string_view format, std::span<const ScriptValue> args) : format_(format), args_(args) {}

  std::string run() {
    if (format_.size() > kMaxFormatLength) throw EConvertError("Format string too long");
    while (i_ < format_.size()) {
      const char c = format_[i_++];
      if (c != '%') {
        put(std::string_view(&c, 1));
        continue;
      }
      if (i_ < format_.size() && format_[i_] == '%') {
        ++i_;
        put("%");
        continue;
      }
      directive();
    }
    return out_;
  }

 private:
  [[noreturn]] void invalid() const {
    throw EConvertError("Format '" + std::string(format_) + "' invalid or incompatible with argument");
  }

  void put(std::string_view text) {
    if (out_.size() + text.size() > kMaxFormatLength)
      throw EConvertError("Format result longer than 4096 characters");
    out_ += text;
  }

  const ScriptValue& nextArg() {
    if (argIndex_ >= args_.size() || argIndex_ >= kMaxFormatArguments) invalid();
    return args_[argIndex_++];
  }

  // Digits (saturating) or "*" (the next argument, which must be an Integer); -1 when neither.
  long number() {
    if (i_ < format_.size() && format_[i_] == '*') {
      ++i_;
      const ScriptValue& v = nextArg();
      if (!v.isInteger()) invalid();
      return v.integerValue();
    }
    if (i_ >= format_.size() || format_[i_] < '0' || format_[i_] > '9') return -1;
    long n = 0;
    while (i_ < format_.size() && format_[i_] >= '0' && format_[i_] <= '9') {
      n = std::min<long>(n * 10 + (format_[i_] - '0'), 1L << 30);
      ++i_;
    }
    return n;
  }

  void directive() {
    long first = number();
    if (first >= 0 && i_ < format_.size() && format_[i_] == ':') {
      ++i_;
      argIndex_ = static_cast<std::size_t>(first);
      first = -1;
    }
    bool left = false;
    if (first < 0) {
      if (i_ < format_.size() && format_[i_] == '-') {
        left = true;
        ++i_;
      }
      first = number();
    }
    long width = first;
    if (width < 0 && width != -1) {  // a negative width from "*"
      left = true;
      width = -width;
    }
    long precision = -1;
    if (i_ < format_.size() && format_[i_] == '.') {
      ++i_;
      precision = number();
      if (precision < 0) precision = 0;
    }
    if (i_ >= format_.size()) invalid();
    const char type = static_cast<char>(format_[i_] | 0x20);
    ++i_;
    std::string text = convert(type, precision);
    if (width > 0 && static_cast<std::size_t>(width) > text.size()) {
      if (out_.size() + static_cast<std::size_t>(width) > kMaxFormatLength)
        throw EConvertError("Format result longer than 4096 characters");
      const std::string pad(static_cast<std::size_t>(width) - text.size(), ' ');
      text = left ? text + pad : pad + text;
    }
    put(text);
  }

  std::string convert(char type, long precision) {
    const ScriptValue& v = nextArg();
    switch (type) {
      case 'd':
      case 'u':
      case 'x': {
        if (!v.isInteger()) invalid();
        const std::int32_t n = v.integerValue();
        std::string digits;
        if (type == 'x') {
          char buffer[16];
          std::snprintf(buffer, sizeof buffer, "%X", static_cast<unsigned>(n));
          digits = buffer;
        } else if (type == 'u') {
          digits = std::to_string(static_cast<std::uint32_t>(n));
        } else {
          digits = std::to_string(n < 0 ? -static_cast<std::int64_t>(n) : n);
        }
        if (precision > static_cast<long>(kMaxFormatLength)) throw EConvertError("Format result longer than 4096 characters");
        if (precision > static_cast<long>(digits.size()))
          digits.insert(0, static_cast<std::size_t>(precision) - digits.size(), '0');
        return type == 'd' && n < 0 ? "-" + digits : digits;
      }
      case 'p': {
        if (!v.isInteger()) invalid();
        char buffer[16];
        std::snprintf(buffer, sizeof buffer, "%08X", static_cast<unsigned>(v.integerValue()));
        return buffer;
      }
      case 'e':
      case 'f':
      case 'g':
      case 'n':
      case 'm':
        return floatText(type, precision, v);
      case 's': {
        if (v.isNull() || v.isArray()) invalid();
        std::string text = v.toText();
        if (precision >= 0 && static_cast<std::size_t>(precision) < text.size())
          text.resize(static_cast<std::size_t>(precision));
        return text;
      }
      default:
        invalid();
    }
  }

  std::string floatText(char type, long precision, const ScriptValue& v) {
    switch (v.kind()) {
      case ValueKind::Integer:
      case ValueKind::Real:
      case ValueKind::Currency:
      case ValueKind::Date: break;
      default: invalid();
    }
    const double x = v.toReal();
    if (!std::isfinite(x)) return formatReal(x);
    const bool negative = std::signbit(x) && x != 0;
    switch (type) {
      case 'e': {
        const int digits = static_cast<int>(std::clamp<long>(precision < 0 ? 15 : precision, 1, 18));
        const ScientificDigits s = scientificDigits(x, digits);
        std::string text(negative ? 1 : 0, '-');
        text += s.digits.substr(0, 1);
        if (s.digits.size() > 1) {
          text.push_back('.');
          text.append(s.digits, 1);
        }
        return text + "E" + exponentText(s.exponent, true, 3);
      }
      case 'g': {
        const int digits = static_cast<int>(std::clamp<long>(precision < 0 ? 15 : precision, 1, 18));
        const ScientificDigits s = scientificDigits(x, digits);
        return generalText(negative, s, digits);
      }
      default: {
        const int decimals = static_cast<int>(std::clamp<long>(precision < 0 ? 2 : precision, 0, 18));
        const FixedDigits f = fixedDigits(x, decimals);
        std::string number = type == 'f' ? f.whole : groupThousands(f.whole);
        if (!f.fraction.empty()) {
          number.push_back('.');
          number += f.fraction;
        }
        const bool shownNegative = negative && number.find_first_not_of("0.,") != std::string::npos;
        if (type == 'm') return shownNegative ? "($" + number + ")" : "$" + number;
        return shownNegative ? "-" + number : number;
      }
    }
  }

  // The shortest text of the rounded digits: fixed when the exponent lies in -5 .. digits-1,
  // otherwise "d.dddE+xx"; trailing zeros and a bare point dropped.
  static std::string generalText(bool negative, const ScientificDigits& s, int digits) {
    std::string d = s.digits;
    while (d.size() > 1 && d.back() == '0') d.pop_back();
    std::string text(negative ? 1 : 0, '-');
    if (s.exponent >= -5 && s.exponent < digits) {
      if (s.exponent < 0) {
        text += "0.";
        text.append(static_cast<std::size_t>(-s.exponent - 1), '0');
        text += d;
      } else {
        const auto whole = static_cast<std::size_t>(s.exponent) + 1;
        if (d.size() <= whole) {
          text += d + std::string(whole - d.size(), '0');
        } else {
          text += d.substr(0, whole) + "." + d.substr(whole);
        }
      }
      return text;
    }
    text += d.substr(0, 1);
    if (d.size() > 1) {
      text.push_back('.');
      text.append(d, 1);
    }
    return text + "E" + exponentText(s.exponent, true, 2);
  }

  std::string_view format_;
  std::span<const ScriptValue> args_;
  std::size_t i_ = 0;
  std::size_t argIndex_ = 0;
  std::string out_;
};

}  // namespace

std::string formatText(std::string_view format, std::span<const ScriptValue> args) {
  return Formatter(format, args).run();
}

}  // namespace ondrix::script
