#pragma once
// One colour palette (an item of PALETTES.QDB).
//
// Stored layout, 132 bytes, little-endian:
//   offset size field
//      0    4  RecordNo (int32)
//      4   61  Name text[60] (length byte + 60 characters of room, unused room zero)
//     65    3  zero
//     68   64  colours 1..16, int32 each, 0x00BBGGRR (low byte red)

#include <array>
#include <cstdint>
#include <string>
#include <string_view>

namespace ondrix::store {

struct PaletteRecord {
  static constexpr std::size_t kSize = 132;

  std::int32_t RecordNo = 0;
  std::string Name;
  std::array<std::uint32_t, 16> Colors{};  // Colors[0] is colour 1

  std::string encode() const;
  static PaletteRecord decode(std::string_view item);
  // The record read for a missing key: zeros, RecordNo -1.
  static PaletteRecord missing();

  bool operator==(const PaletteRecord&) const = default;
};

}  // namespace ondrix::store
