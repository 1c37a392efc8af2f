#pragma once
// How much a fuzz target checks per input. The default is fast: invariants after each block and
// at the end, and the costly cross-checks (byte-by-byte against block feeding) on a sample of the
// inputs. ONDRIX_FUZZ_THOROUGH=1 checks everything on every input, as the corpus replay of the
// test build always does.

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <cstring>

namespace ondrix::fuzz {

inline bool thoroughChecks() {
#ifdef ONDRIX_FUZZ_BUILD
  static const bool thorough = [] {
    const char* value = std::getenv("ONDRIX_FUZZ_THOROUGH");
    return value != nullptr && std::strcmp(value, "1") == 0;
  }();
  return thorough;
#else
  return true;
#endif
}

// One input in 16 gets the thorough checks in the fast mode, chosen by a hash of its bytes so
// that a failing input fails again when it is run alone.
inline bool thoroughForInput(const std::uint8_t* data, std::size_t size) {
  if (thoroughChecks()) return true;
  std::uint32_t hash = 2166136261u;  // FNV-1a
  for (std::size_t i = 0; i < size; ++i) hash = (hash ^ data[i]) * 16777619u;
  return (hash & 15u) == 0;
}

}  // namespace ondrix::fuzz
