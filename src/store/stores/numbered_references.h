#pragma once
// References by number to palettes and keylists (connection records, the defaults) after one of
// them was deleted and the rest renumbered without gaps.

#include <cstdint>

namespace ondrix::store {

// Where `reference` points once number `deleted` is gone: its users fall back to 0 (the default),
// higher numbers move down by one so each keeps the item it had; lower ones stay.
constexpr std::int32_t referenceAfterDelete(std::int32_t reference, std::int32_t deleted) {
  if (reference == deleted) return 0;
  return reference > deleted ? reference - 1 : reference;
}

}  // namespace ondrix::store
