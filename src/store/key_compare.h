#pragma once
// Key comparison of record files. Keys are 8-bit Windows-1252 text. Case-insensitive comparison
// upper-cases both keys by the Windows-1252 rules and compares the bytes unsigned; the
// case-sensitive comparison compares the bytes unsigned as they are. Writing (descending order
// on disk) and searching use the same comparison.

#include <array>
#include <cstdint>
#include <string>
#include <string_view>

namespace ondrix::store {

// The longest key kept (type TKey).
inline constexpr std::size_t kMaxKeyLength = 255;

// Windows-1252 upper case of every byte.
inline constexpr std::array<std::uint8_t, 256> kUpperCase = [] {
  std::array<std::uint8_t, 256> table{};
  for (int c = 0; c < 256; ++c) {
    int upper = c;
    if ((c >= 'a' && c <= 'z') || (c >= 0xE0 && c <= 0xFE && c != 0xF7)) upper = c - 0x20;
    if (c == 0x9A || c == 0x9C || c == 0x9E) upper = c - 0x10;  // s, oe, z with caron / ligature
    if (c == 0xFF) upper = 0x9F;                                // y with diaeresis
    table[c] = static_cast<std::uint8_t>(upper);
  }
  return table;
}();

// Negative, zero or positive as `a` sorts before, equal to or after `b`.
int compareKeys(std::string_view a, std::string_view b, bool caseSensitive);

// The key as stored: cut at the first zero byte (a key cannot hold one) and at 255 characters.
std::string toKey(std::string_view text);

}  // namespace ondrix::store
