#pragma once
// 8-bit code pages at the boundary to Unicode. Engines keep text as bytes (Windows-1252 text,
// code page 437 glyph positions in terminal cells); only displays and files for people convert.

#include <string>
#include <string_view>

namespace ondrix::platform {

char16_t cp437ToUnicode(unsigned char c);
char16_t cp1252ToUnicode(unsigned char c);
// The Windows-1252 byte of a code point, or -1 when the code page has none.
int unicodeToCp1252(char32_t codePoint);

std::string cp437ToUtf8(std::string_view bytes);
std::string cp1252ToUtf8(std::string_view bytes);
// Characters without a Windows-1252 byte become '?'; bytes that are not UTF-8 pass through.
std::string utf8ToCp1252(std::string_view text);

}  // namespace ondrix::platform
