// Date routines of the standard library, under the fixed en-US short date "M/d/yyyy".

#include <array>
#include <chrono>
#include <cmath>
#include <ctime>

#include "script/format_date_time.h"
#include "script/std_args.h"
#include "script/value_text.h"

namespace ondrix::script {
namespace {

// The local date and time now, as a day number and a time fraction.
struct Clock {
  double day;
  double time;
};
Clock now() {
  const auto point = std::chrono::system_clock::now();
  const std::time_t seconds = std::chrono::system_clock::to_time_t(point);
  std::tm local{};
  localtime_r(&seconds, &local);
  const auto millis =
      std::chrono::duration_cast<std::chrono::milliseconds>(point.time_since_epoch()).count() % 1000;
  const double day = encodeDate(local.tm_year + 1900, local.tm_mon + 1, local.tm_mday).value_or(0.0);
  const double time =
      (local.tm_hour * 3600.0 + local.tm_min * 60.0 + std::min(local.tm_sec, 59) + static_cast<double>(millis) / 1000.0) /
      86400.0;
  return {day, time};
}

void date(ParamCells&, ScriptValue& r) { r = ScriptValue::date(now().day); }
void time(ParamCells&, ScriptValue& r) { r = ScriptValue::date(now().time); }
void nowRoutine(ParamCells&, ScriptValue& r) {
  const Clock c = now();
  r = ScriptValue::date(joinDateTime(c.day, c.time));
}

// StrToDate(s): a date without a time of day.
void strToDate(ParamCells& c, ScriptValue& r) {
  const std::string s = textArg(c, 0);
  const std::optional<double> d = parseDate(s);
  if (!d || *d != std::trunc(*d)) throwNotDate(s);
  r = ScriptValue::date(*d);
}

void dateToStr(ParamCells& c, ScriptValue& r) { r = ScriptValue::string(shortDateText(dateArg(c, 0))); }

// DecodeDate(d, var year, var month, var day)
void decode(ParamCells& c, ScriptValue&) {
  const double d = dateArg(c, 0);
  if (!(d >= kMinDate && d < kMaxDate)) throw EVariantError(errtext::kInvalidVariantTypeConversion);
  const DateParts p = decodeDate(std::trunc(d));
  cell(c, 1) = ScriptValue::integer(p.year);
  cell(c, 2) = ScriptValue::integer(p.month);
  cell(c, 3) = ScriptValue::integer(p.day);
}

void encode(ParamCells& c, ScriptValue& r) {
  const std::optional<double> d = encodeDate(intArg(c, 0), intArg(c, 1), intArg(c, 2));
  if (!d) throw EConvertError("Invalid argument to date encode");
  r = ScriptValue::date(*d);
}

void formatDateTimeRoutine(ParamCells& c, ScriptValue& r) {
  const std::string f = textArg(c, 0);
  r = ScriptValue::string(formatDateTime(f, dateArg(c, 1)));
}

constexpr auto P = RoutineKind::Procedure;
constexpr auto F = RoutineKind::Function;

constexpr std::array kRoutines{
    StdRoutine{"Date", F, "", date},
    StdRoutine{"Time", F, "", time},
    StdRoutine{"Now", F, "", nowRoutine},
    StdRoutine{"StrToDate", F, "0", strToDate},
    StdRoutine{"DateToStr", F, "0", dateToStr},
    StdRoutine{"DecodeDate", P, "0111", decode},
    StdRoutine{"EncodeDate", F, "000", encode},
    StdRoutine{"FormatDateTime", F, "00", formatDateTimeRoutine},
};

}  // namespace

std::span<const StdRoutine> dateRoutines() { return kRoutines; }

double dateArg(const ParamCells& cells, int k) {
  const ScriptValue& v = cells[static_cast<std::size_t>(k)];
  if (v.isString()) {
    const std::optional<double> d = parseDate(v.stringValue());
    if (!d) throwNotDate(v.stringValue());
    return *d;
  }
  return v.toDate();
}

}  // namespace ondrix::script
