#pragma once
// Splits a parameter text into program arguments the way a POSIX shell splits words: blanks
// separate words; single quotes keep everything up to the next single quote; double quotes keep
// everything but a backslash before ", \, $ or `; a backslash outside quotes keeps the next
// character. Nothing is expanded and nothing is redirected: $, *, ~, ;, |, > and < are ordinary
// characters. An unclosed quote runs to the end of the text.

#include <string>
#include <string_view>
#include <vector>

namespace ondrix::automation {

std::vector<std::string> splitCommandWords(std::string_view text);

}  // namespace ondrix::automation
