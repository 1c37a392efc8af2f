#include "script/format_date_time.h"

#include <array>
#include <cmath>
#include <cstdio>

#include "script/std_args.h"
#include "script/value_text.h"

namespace ondrix::script {
namespace {

constexpr std::array<std::string_view, 12> kMonths{"January", "February", "March",     "April",   "May",      "June",
                                                   "July",    "August",   "September", "October", "November", "December"};
constexpr std::array<std::string_view, 7> kDays{"Sunday", "Monday", "Tuesday", "Wednesday", "Thursday", "Friday", "Saturday"};

char lower(char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c + 32) : c; }

bool startsWithNoCase(std::string_view s, std::size_t at, std::string_view word) {
  if (s.size() - at < word.size()) return false;
  for (std::size_t i = 0; i < word.size(); ++i)
    if (lower(s[at + i]) != word[i]) return false;
  return true;
}

std::string twoDigits(int n) {
  char b[16];
  std::snprintf(b, sizeof b, "%02d", n);
  return b;
}

class DateWriter {
 public:
  DateWriter(double value) : value_(value) {
    if (!(value >= kMinDate && value < kMaxDate)) throw EVariantError(errtext::kInvalidVariantTypeConversion);
    parts_ = decodeDate(value);
    // Milliseconds, from the fraction not rounded to the second.
    const double fraction = std::fabs(value - std::trunc(value));
    const auto ms = static_cast<long long>(std::llround(fraction * 86400000.0));
    millis_ = static_cast<int>(ms % 1000);
    if (parts_.second != static_cast<int>(ms / 1000 % 60)) millis_ = 0;  // rounded up to the next second
    // Weekday: day 0 (12/30/1899) was a Saturday.
    const long long day = static_cast<long long>(std::trunc(value));
    weekday_ = static_cast<int>(((day % 7) + 7 + 6) % 7);
  }

  std::string write(std::string_view f) {
    if (f.empty()) f = "c";
    bool twelveHour = hasHalfDay(f);
    std::string out;
    bool lastWasHour = false;
    std::size_t i = 0;
    while (i < f.size()) {
      const char c = f[i];
      const char lc = lower(c);
      const std::size_t run = runLength(f, i);
      bool hour = false;
      if (c == '"' || c == '\'') {
        const std::size_t end = f.find(c, i + 1);
        const std::size_t stop = end == std::string_view::npos ? f.size() : end;
        out.append(f.substr(i + 1, stop - i - 1));
        i = stop + 1;
        continue;
      }
      if (lc == 'a') {
        i += halfDay(f, i, out);
        continue;
      }
      switch (lc) {
        case 'c':
          out += shortDateText(value_);
          if (parts_.hour != 0 || parts_.minute != 0 || parts_.second != 0) {
            out.push_back(' ');
            out += longTime();
          }
          i += 1;
          break;
        case 'd':
          out += dayField(run);
          i += std::min<std::size_t>(run, 6);
          break;
        case 'm':
          if (lastWasHour && run <= 2) {
            out += run == 1 ? std::to_string(parts_.minute) : twoDigits(parts_.minute);
          } else if (run <= 2) {
            out += run == 1 ? std::to_string(parts_.month) : twoDigits(parts_.month);
          } else {
            const std::string_view name = kMonths[static_cast<std::size_t>(parts_.month - 1)];
            out += run == 3 ? name.substr(0, 3) : name;
          }
          i += std::min<std::size_t>(run, 4);
          break;
        case 'y':
          if (run <= 2) {
            out += twoDigits(parts_.year % 100);
            i += run;
          } else {
            out += std::to_string(parts_.year);
            i += std::min<std::size_t>(run, 4);
          }
          break;
        case 'h': {
          int h = parts_.hour;
          if (twelveHour) h = h % 12 == 0 ? 12 : h % 12;
          out += run == 1 ? std::to_string(h) : twoDigits(h);
          i += std::min<std::size_t>(run, 2);
          hour = true;
          break;
        }
        case 'n':
          out += run == 1 ? std::to_string(parts_.minute) : twoDigits(parts_.minute);
          i += std::min<std::size_t>(run, 2);
          break;
        case 's':
          out += run == 1 ? std::to_string(parts_.second) : twoDigits(parts_.second);
          i += std::min<std::size_t>(run, 2);
          break;
        case 'z': {
          char b[16];
          std::snprintf(b, sizeof b, run >= 3 ? "%03d" : "%d", millis_);
          out += b;
          i += run >= 3 ? 3 : 1;
          break;
        }
        case 't':
          out += run >= 2 ? longTime() : shortTime();
          i += std::min<std::size_t>(run, 2);
          break;
        default:
          out.push_back(c);
          i += 1;
          if (c == ' ' || c == ':') hour = lastWasHour;  // "h:m" and "h m" still mean minutes
          break;
      }
      lastWasHour = hour;
    }
    return out;
  }

  std::string longTime() const {
    char b[32];
    std::snprintf(b, sizeof b, "%d:%02d:%02d %s", hour12(), parts_.minute, parts_.second, amPm());
    return b;
  }
  std::string shortTime() const {
    char b[32];
    std::snprintf(b, sizeof b, "%d:%02d %s", hour12(), parts_.minute, amPm());
    return b;
  }

 private:
  int hour12() const { return parts_.hour % 12 == 0 ? 12 : parts_.hour % 12; }
  const char* amPm() const { return parts_.hour < 12 ? "AM" : "PM"; }

  static std::size_t runLength(std::string_view f, std::size_t i) {
    std::size_t j = i;
    while (j < f.size() && lower(f[j]) == lower(f[i])) ++j;
    return j - i;
  }

  static bool hasHalfDay(std::string_view f) {
    char quote = 0;
    for (std::size_t i = 0; i < f.size(); ++i) {
      if (quote != 0) {
        if (f[i] == quote) quote = 0;
      } else if (f[i] == '"' || f[i] == '\'') {
        quote = f[i];
      } else if (startsWithNoCase(f, i, "am/pm") || startsWithNoCase(f, i, "a/p") || startsWithNoCase(f, i, "ampm")) {
        return true;
      }
    }
    return false;
  }

  // Writes am/pm, a/p or ampm at `i`; returns the characters used (1 for a plain "a").
  std::size_t halfDay(std::string_view f, std::size_t i, std::string& out) const {
    const bool pm = parts_.hour >= 12;
    if (startsWithNoCase(f, i, "am/pm")) {
      const std::string_view written = pm ? f.substr(i + 3, 2) : f.substr(i, 2);
      out += written;
      return 5;
    }
    if (startsWithNoCase(f, i, "a/p")) {
      out.push_back(pm ? f[i + 2] : f[i]);
      return 3;
    }
    if (startsWithNoCase(f, i, "ampm")) {
      out += amPm();
      return 4;
    }
    out.push_back(f[i]);
    return 1;
  }

  std::string dayField(std::size_t run) const {
    switch (run) {
      case 1: return std::to_string(parts_.day);
      case 2: return twoDigits(parts_.day);
      case 3: return std::string(kDays[static_cast<std::size_t>(weekday_)].substr(0, 3));
      case 4: return std::string(kDays[static_cast<std::size_t>(weekday_)]);
      case 5: return shortDateText(value_);
      default: {
        const std::string_view month = kMonths[static_cast<std::size_t>(parts_.month - 1)];
        return std::string(kDays[static_cast<std::size_t>(weekday_)]) + ", " + std::string(month) + " " +
               std::to_string(parts_.day) + ", " + std::to_string(parts_.year);
      }
    }
  }

  double value_;
  DateParts parts_;
  int millis_ = 0;
  int weekday_ = 0;
};

}  // namespace

std::string formatDateTime(std::string_view format, double dateTime) { return DateWriter(dateTime).write(format); }

std::string shortDateText(double dateTime) {
  if (!(dateTime >= kMinDate && dateTime < kMaxDate)) throw EVariantError(errtext::kInvalidVariantTypeConversion);
  const DateParts p = decodeDate(dateTime);
  return std::to_string(p.month) + "/" + std::to_string(p.day) + "/" + std::to_string(p.year);
}

}  // namespace ondrix::script
