#pragma once
// The key names the keyboard editor offers and their PC set-1 scan codes, as installed in
// SCANCODES.QDB. Extended keys (the navigation block, keypad Enter and keypad /) are stored as
// scan code + 100. See docs/keys.md.

#include <cstdint>
#include <span>
#include <string_view>

namespace ondrix::store {

struct ScanCodeName {
  std::string_view name;  // upper case, as the key is named in a key label
  std::int32_t value;     // scan code, or scan code + 100 for an extended key
};

std::span<const ScanCodeName> factoryScanCodes();

}  // namespace ondrix::store
