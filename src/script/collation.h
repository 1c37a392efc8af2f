#pragma once
// Windows-1252 case mapping and the en-US comparison of texts that AnsiCompareStr and
// AnsiCompareText use: letters alphabetically whatever their case or accent (a < B < c), then
// accents, then case (lower before upper); punctuation before digits before letters.

#include <string>
#include <string_view>

namespace ondrix::script {

unsigned char lowerCase1252(unsigned char c);
std::string lowerCase1252(std::string_view text);

// Negative, zero or positive (-1, 0, 1).
int ansiCompare(std::string_view a, std::string_view b, bool ignoreCase);

}  // namespace ondrix::script
