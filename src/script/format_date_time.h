#pragma once
// FormatDateTime and the fixed en-US date and time forms.
//
// Specifiers (letters in any case):
//   c        short date and long time ("M/d/yyyy h:mm:ss AM/PM"; the time only when not midnight)
//   d dd     day without and with a leading zero    ddd dddd  short and long day name
//   ddddd    short date "M/d/yyyy"                  dddddd    long date "dddd, MMMM d, yyyy"
//   m mm     month (minutes right after h or hh)    mmm mmmm  short and long month name
//   yy yyyy  year in two and four digits
//   h hh  n nn  s ss  hour, minute, second;  z zzz  milliseconds
//   t tt     short time "h:mm AM/PM" and long time "h:mm:ss AM/PM"
//   am/pm a/p  the half of the day, in the case written; ampm writes "AM" or "PM"; any of them
//            makes h and hh count 12 hours
//   /  :     date and time separators ("/" and ":")
//   "x" 'x'  literal text; any other character is copied
// An empty format is "c".

#include <string>
#include <string_view>

namespace ondrix::script {

std::string formatDateTime(std::string_view format, double dateTime);

// "M/d/yyyy", the short date form.
std::string shortDateText(double dateTime);

}  // namespace ondrix::script
