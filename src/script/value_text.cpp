#include "script/value_text.h"

#include <array>
#include <charconv>
#include <chrono>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <vector>

#include <locale.h>
#include <stdlib.h>

namespace ondrix::script {
namespace {

// Days from 1/1/1970 of a proleptic Gregorian date, and back.
constexpr std::int64_t daysFromCivil(std::int64_t y, int m, int d) {
  y -= m <= 2;
  const std::int64_t era = (y >= 0 ? y : y - 399) / 400;
  const std::int64_t yoe = y - era * 400;
  const std::int64_t doy = (153 * (m + (m > 2 ? -3 : 9)) + 2) / 5 + d - 1;
  const std::int64_t doe = yoe * 365 + yoe / 4 - yoe / 100 + doy;
  return era * 146097 + doe - 719468;
}

struct Civil {
  std::int64_t year;
  int month, day;
};

constexpr Civil civilFromDays(std::int64_t z) {
  z += 719468;
  const std::int64_t era = (z >= 0 ? z : z - 146096) / 146097;
  const std::int64_t doe = z - era * 146097;
  const std::int64_t yoe = (doe - doe / 1460 + doe / 36524 - doe / 146096) / 365;
  const std::int64_t doy = doe - (365 * yoe + yoe / 4 - yoe / 100);
  const std::int64_t mp = (5 * doy + 2) / 153;
  const int d = static_cast<int>(doy - (153 * mp + 2) / 5 + 1);
  const int m = static_cast<int>(mp < 10 ? mp + 3 : mp - 9);
  return {yoe + era * 400 + (m <= 2), m, d};
}

constexpr std::int64_t kOleEpoch = daysFromCivil(1899, 12, 30);

constexpr bool isLeap(int y) { return (y % 4 == 0 && y % 100 != 0) || y % 400 == 0; }

constexpr int daysInMonth(int y, int m) {
  constexpr std::array<int, 12> kDays{31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
  return m == 2 && isLeap(y) ? 29 : kDays[static_cast<std::size_t>(m - 1)];
}

bool isBlank(char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n' || c == '\f' || c == '\v'; }
bool isDigit(char c) { return c >= '0' && c <= '9'; }
bool isAlpha(char c) { return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z'); }
char upper(char c) { return c >= 'a' && c <= 'z' ? static_cast<char>(c - 32) : c; }

int currentYear() {
  const auto now = std::chrono::system_clock::to_time_t(std::chrono::system_clock::now());
  std::tm local{};
  localtime_r(&now, &local);
  return local.tm_year + 1900;
}

// ---- date text --------------------------------------------------------------------------------

struct DateToken {
  enum Kind { Number, Word, Separator } kind;
  std::string text;  // upper-cased for words
  int value = 0;     // numbers
};

std::optional<std::vector<DateToken>> tokenizeDate(std::string_view text) {
  std::vector<DateToken> tokens;
  std::size_t i = 0;
  while (i < text.size()) {
    const char c = text[i];
    if (isBlank(c)) {
      ++i;
    } else if (isDigit(c)) {
      std::size_t j = i;
      int value = 0;
      while (j < text.size() && isDigit(text[j])) {
        if (j - i >= 5) return std::nullopt;  // no field of a date has more than five digits
        value = value * 10 + (text[j] - '0');
        ++j;
      }
      tokens.push_back({DateToken::Number, std::string(text.substr(i, j - i)), value});
      i = j;
    } else if (isAlpha(c)) {
      std::size_t j = i;
      std::string word;
      while (j < text.size() && isAlpha(text[j])) word.push_back(upper(text[j++]));
      tokens.push_back({DateToken::Word, word, 0});
      i = j;
    } else if (c == '/' || c == '-' || c == '.' || c == ',' || c == ':') {
      tokens.push_back({DateToken::Separator, std::string(1, c), 0});
      ++i;
    } else {
      return std::nullopt;
    }
  }
  return tokens;
}

constexpr std::array<std::string_view, 12> kMonthNames{"JANUARY", "FEBRUARY", "MARCH",     "APRIL",
                                                      "MAY",     "JUNE",     "JULY",      "AUGUST",
                                                      "SEPTEMBER", "OCTOBER", "NOVEMBER", "DECEMBER"};

// 1..12 for a full or three-letter English month name, else 0.
int monthFromWord(const std::string& word) {
  for (std::size_t m = 0; m < kMonthNames.size(); ++m) {
    const std::string_view name = kMonthNames[m];
    if (word == name || (word.size() == 3 && name.substr(0, 3) == word)) return static_cast<int>(m) + 1;
  }
  return 0;
}

int expandYear(const DateToken& t) {
  if (t.text.size() <= 2) return t.value < 30 ? 2000 + t.value : 1900 + t.value;
  return t.value;
}

// Takes the time out of `tokens` (h:mm[:ss] [AM|PM], or h AM|PM). Returns false when the time is
// malformed; `time` stays unset when there is none.
bool extractTime(std::vector<DateToken>& tokens, std::optional<double>& time) {
  for (std::size_t i = 0; i < tokens.size(); ++i) {
    if (tokens[i].kind != DateToken::Number) continue;
    std::size_t end = i + 1;
    int parts[3] = {tokens[i].value, 0, 0};
    int count = 1;
    while (count < 3 && end + 1 < tokens.size() && tokens[end].text == ":" &&
           tokens[end + 1].kind == DateToken::Number) {
      parts[count++] = tokens[end + 1].value;
      end += 2;
    }
    int meridiem = 0;  // 1 = AM, 2 = PM
    if (end < tokens.size() && tokens[end].kind == DateToken::Word) {
      const std::string& w = tokens[end].text;
      if (w == "AM" || w == "A") meridiem = 1;
      if (w == "PM" || w == "P") meridiem = 2;
      if (meridiem != 0) ++end;
    }
    if (count == 1 && meridiem == 0) continue;  // a plain number belongs to the date
    if (end < tokens.size() && tokens[end].text == ":") return false;
    int hour = parts[0];
    if (meridiem != 0) {
      if (hour < 1 || hour > 12) return false;
      hour = hour % 12 + (meridiem == 2 ? 12 : 0);
    }
    time = encodeTime(hour, parts[1], parts[2]);
    if (!time) return false;
    tokens.erase(tokens.begin() + static_cast<std::ptrdiff_t>(i), tokens.begin() + static_cast<std::ptrdiff_t>(end));
    return true;
  }
  return true;
}

std::optional<double> dateFromTokens(const std::vector<DateToken>& t) {
  std::vector<const DateToken*> fields;  // numbers and words; separators only split them
  for (const DateToken& token : t)
    if (token.kind != DateToken::Separator) fields.push_back(&token);
  if (fields.size() < 2 || fields.size() > 3) return std::nullopt;
  auto isNum = [&](std::size_t k) { return fields[k]->kind == DateToken::Number; };
  int year = 0, month = 0, day = 0;
  if (fields.size() == 3 && isNum(0) && isNum(1) && isNum(2)) {
    if (fields[0]->text.size() >= 3) {  // yyyy-M-d
      year = fields[0]->value, month = fields[1]->value, day = fields[2]->value;
    } else {
      month = fields[0]->value, day = fields[1]->value, year = expandYear(*fields[2]);
    }
  } else if (fields.size() == 2 && isNum(0) && isNum(1)) {
    month = fields[0]->value, day = fields[1]->value, year = currentYear();
  } else if (!isNum(0) && isNum(1) && (fields.size() == 2 || isNum(2))) {  // Jan 2[, 2000]
    month = monthFromWord(fields[0]->text), day = fields[1]->value;
    year = fields.size() == 3 ? expandYear(*fields[2]) : currentYear();
  } else if (isNum(0) && !isNum(1) && (fields.size() == 2 || isNum(2))) {  // 2 Jan [2000]
    day = fields[0]->value, month = monthFromWord(fields[1]->text);
    year = fields.size() == 3 ? expandYear(*fields[2]) : currentYear();
  } else {
    return std::nullopt;
  }
  return encodeDate(year, month, day);
}

}  // namespace

std::optional<double> encodeDate(int year, int month, int day) {
  if (year < 100 || year > 9999 || month < 1 || month > 12 || day < 1 || day > daysInMonth(year, month))
    return std::nullopt;
  return static_cast<double>(daysFromCivil(year, month, day) - kOleEpoch);
}

std::optional<double> encodeTime(int hour, int minute, int second) {
  if (hour < 0 || hour > 23 || minute < 0 || minute > 59 || second < 0 || second > 59) return std::nullopt;
  return (hour * 3600 + minute * 60 + second) / 86400.0;
}

double joinDateTime(double day, double time) { return day < 0 ? day - time : day + time; }

DateParts decodeDate(double days) {
  double whole = std::trunc(days);
  std::int64_t seconds = std::llround(std::fabs(days - whole) * 86400.0);
  if (seconds >= 86400) {
    seconds -= 86400;
    whole += days < 0 ? -1 : 1;
  }
  const Civil c = civilFromDays(static_cast<std::int64_t>(whole) + kOleEpoch);
  DateParts p;
  p.year = static_cast<int>(c.year);
  p.month = c.month;
  p.day = c.day;
  p.hour = static_cast<int>(seconds / 3600);
  p.minute = static_cast<int>(seconds / 60 % 60);
  p.second = static_cast<int>(seconds % 60);
  return p;
}

std::string formatReal(double value) {
  if (value == 0) return "0";
  char buffer[40];
  const auto result = std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::general, 15);
  std::string text(buffer, result.ptr);
  for (char& c : text) c = upper(c);  // 1E+15, NAN, INF
  return text;
}

std::string formatCurrency(std::int64_t scaled) {
  const bool negative = scaled < 0;
  const std::uint64_t magnitude = negative ? 0 - static_cast<std::uint64_t>(scaled) : static_cast<std::uint64_t>(scaled);
  std::string text = negative ? "-" : "";
  text += std::to_string(magnitude / 10000);
  std::uint64_t fraction = magnitude % 10000;
  if (fraction != 0) {
    std::string digits = std::to_string(fraction + 10000).substr(1);
    while (digits.back() == '0') digits.pop_back();
    text += '.';
    text += digits;
  }
  return text;
}

std::optional<std::string> formatDate(double days) {
  if (!(days >= kMinDate && days < kMaxDate)) return std::nullopt;
  const DateParts p = decodeDate(days);
  if (p.year > 9999) return std::nullopt;  // rounded up past 12/31/9999 11:59:59 PM
  const bool hasTime = p.hour != 0 || p.minute != 0 || p.second != 0;
  const bool dayZero = p.year == 1899 && p.month == 12 && p.day == 30;
  char buffer[64];
  std::string text;
  if (!hasTime || !dayZero) {
    std::snprintf(buffer, sizeof buffer, "%d/%d/%d", p.month, p.day, p.year);
    text = buffer;
  }
  if (hasTime) {
    if (!text.empty()) text += ' ';
    const int hour12 = p.hour % 12 == 0 ? 12 : p.hour % 12;
    std::snprintf(buffer, sizeof buffer, "%d:%02d:%02d %s", hour12, p.minute, p.second, p.hour < 12 ? "AM" : "PM");
    text += buffer;
  }
  return text;
}

std::optional<double> parseNumber(std::string_view text) {
  std::size_t i = 0;
  const std::size_t n = text.size();
  auto skipBlanks = [&] {
    while (i < n && isBlank(text[i])) ++i;
  };
  bool negative = false;
  bool signSeen = false;
  bool parens = false;
  skipBlanks();
  if (i < n && text[i] == '(') {
    parens = true;
    ++i;
    skipBlanks();
  }
  if (i < n && (text[i] == '+' || text[i] == '-')) {
    negative = text[i] == '-';
    signSeen = true;
    ++i;
    skipBlanks();
  }
  if (i < n && text[i] == '$') {
    ++i;
    skipBlanks();
  }
  std::string number;  // digits, '.', exponent: what strtod reads
  bool anyDigit = false;
  while (i < n && (isDigit(text[i]) || (text[i] == ',' && anyDigit))) {
    if (text[i] != ',') {
      number.push_back(text[i]);
      anyDigit = true;
    }
    ++i;
  }
  if (i < n && text[i] == '.') {
    number.push_back('.');
    ++i;
    while (i < n && isDigit(text[i])) {
      number.push_back(text[i++]);
      anyDigit = true;
    }
  }
  if (!anyDigit) return std::nullopt;
  if (i < n && (text[i] == 'e' || text[i] == 'E')) {
    std::size_t j = i + 1;
    std::string exponent = "e";
    if (j < n && (text[j] == '+' || text[j] == '-')) exponent.push_back(text[j++]);
    if (j >= n || !isDigit(text[j])) return std::nullopt;
    while (j < n && isDigit(text[j])) exponent.push_back(text[j++]);
    number += exponent;
    i = j;
  }
  skipBlanks();
  if (i < n && (text[i] == '+' || text[i] == '-')) {
    if (signSeen) return std::nullopt;
    negative = text[i] == '-';
    signSeen = true;
    ++i;
    skipBlanks();
  }
  if (parens) {
    if (signSeen || i >= n || text[i] != ')') return std::nullopt;
    negative = true;
    ++i;
    skipBlanks();
  }
  if (i != n) return std::nullopt;
  // strtod in the "C" locale, whatever locale the program runs in; HUGE_VAL when out of range.
  static const locale_t cLocale = newlocale(LC_ALL_MASK, "C", nullptr);
  const double value = strtod_l(number.c_str(), nullptr, cLocale);
  return negative ? -value : value;
}

std::optional<double> parseDate(std::string_view text) {
  auto tokens = tokenizeDate(text);
  if (!tokens || tokens->empty()) return std::nullopt;
  std::optional<double> time;
  if (!extractTime(*tokens, time)) return std::nullopt;
  bool onlySeparators = true;
  for (const DateToken& t : *tokens)
    if (t.kind != DateToken::Separator) onlySeparators = false;
  if (onlySeparators) {
    if (!time || !tokens->empty()) return std::nullopt;
    return *time;
  }
  const std::optional<double> day = dateFromTokens(*tokens);
  if (!day) return std::nullopt;
  return joinDateTime(*day, time.value_or(0.0));
}

}  // namespace ondrix::script
