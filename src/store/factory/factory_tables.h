#pragma once
// What a new installation's record files hold: the palettes of PALETTES.QDB, the native keylists of
// KEYS.QDB and the defaults of DEFAULTS.QDB. The scan codes are in scan_codes.h. The keylists are
// described for users in docs/keys.md.

#include <array>
#include <cstdint>
#include <span>
#include <string_view>

namespace ondrix::store {

struct FactoryPalette {
  std::string_view name;
  std::array<std::uint32_t, 16> colors;  // 0x00BBGGRR, colour 1 first
};

// A key definition as the keyboard editor would record it: the typed combination and the text
// (in escape and caret notation) it sends.
struct FactoryKey {
  std::string_view label;
  std::string_view sendText;
};

struct FactoryKeylist {
  std::string_view name;
  std::span<const FactoryKey> keys;
};

std::span<const FactoryPalette> factoryPalettes();
// Keylists 0 "Default", 1 "ANSI", 2 "VT100", 3 "VT220".
std::span<const FactoryKeylist> factoryKeylists();

// The values DEFAULTS.QDB starts with.
struct FactoryDefaultInt {
  std::string_view name;
  std::int32_t value;
};
struct FactoryDefaultText {
  std::string_view name;
  std::string_view value;
};
struct FactoryDefaultBool {
  std::string_view name;
  bool value;
};
std::span<const FactoryDefaultInt> factoryDefaultInts();
std::span<const FactoryDefaultText> factoryDefaultTexts();
std::span<const FactoryDefaultBool> factoryDefaultBools();

}  // namespace ondrix::store
