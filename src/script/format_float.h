#pragma once
// FormatFloat: a number written by a picture format.
//
// Up to three sections separated by ";": positive, negative, zero. With two sections the second
// serves negative values; an empty or missing section falls back to the first (and a negative
// value then gets a "-"). In a section:
//   0   a digit, a zero when there is none       #   a digit, nothing when there is none
//   .   the decimal point (the first one)        ,   thousands separators in the whole part
//   E+ E- e+ e-   scientific notation; the 0s that follow give the exponent's minimum digits
//   'x' "x"       literal text                   any other character is copied
// The whole part gets all its digits, at least as many as there are 0s from the first 0 before
// the point; the fraction gets at least as many digits as its 0s reach and at most as many as it
// has placeholders. An empty format gives the general text (FloatToStr); so does a value of 1E18
// or more in a format without an exponent.

#include <string>
#include <string_view>

namespace ondrix::script {

std::string formatFloat(std::string_view picture, double value);

}  // namespace ondrix::script
