#pragma once
// Text forms of numbers and dates under the fixed en-US conventions: decimal point ".", thousands
// separator ",", short date "M/d/yyyy", time "h:mm:ss AM/PM". Used by the value conversions and by
// the routine library.

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace ondrix::script {

// Dates count days from 12/30/1899 (day 0); the fraction is the time of day. For a day before
// that, the fraction still counts forward from midnight (-1.25 is 12/29/1899 6:00:00 AM).
inline constexpr double kMinDate = -657434.0;  // 1/1/100
inline constexpr double kMaxDate = 2958466.0;  // 1/1/10000, exclusive

struct DateParts {
  int year = 1899, month = 12, day = 30;
  int hour = 0, minute = 0, second = 0;
};

// The day number of a calendar date, or nothing when the date does not exist or lies outside
// 1/1/100 .. 12/31/9999.
std::optional<double> encodeDate(int year, int month, int day);
// The fraction of a day for a time, or nothing when a field is out of range.
std::optional<double> encodeTime(int hour, int minute, int second);
// Joins a day number and a time fraction the way dates are stored.
double joinDateTime(double day, double time);
// Splits a date, rounded to the nearest second. Precondition: kMinDate <= days < kMaxDate.
DateParts decodeDate(double days);

// Numbers as text: Reals with up to 15 significant digits ("0.1", "1E+15", "1.5E-05"),
// Currency with up to four decimals and no trailing zeros.
std::string formatReal(double value);
std::string formatCurrency(std::int64_t scaled);
// "M/d/yyyy h:mm:ss AM/PM"; the date alone at midnight, the time alone on day 0. Nothing when the
// value lies outside the date range.
std::optional<std::string> formatDate(double days);

// A number in text: blanks around it, a leading or trailing sign or parentheses for negative, a
// "$" before the digits, thousands separators in the whole part, a decimal point and an exponent.
// Nothing when the text is not a number; an infinite value when it is too large for a double.
std::optional<double> parseNumber(std::string_view text);

// A date and/or time in text: "M/d/yyyy", "M/d/yy", "M/d", "yyyy-M-d" (also with "-" or "."),
// "January 2, 2000", "Jan 2 2000", "2 Jan 2000", followed by or standing for a time "h:mm",
// "h:mm:ss", optionally with AM/PM, or "h AM". Nothing when the text is not a date.
std::optional<double> parseDate(std::string_view text);

}  // namespace ondrix::script
