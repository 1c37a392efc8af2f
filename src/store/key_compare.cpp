#include "store/key_compare.h"

#include <algorithm>

namespace ondrix::store {

int compareKeys(std::string_view a, std::string_view b, bool caseSensitive) {
  const std::size_t n = std::min(a.size(), b.size());
  for (std::size_t i = 0; i < n; ++i) {
    auto x = static_cast<std::uint8_t>(a[i]);
    auto y = static_cast<std::uint8_t>(b[i]);
    if (!caseSensitive) {
      x = kUpperCase[x];
      y = kUpperCase[y];
    }
    if (x != y) return x < y ? -1 : 1;
  }
  if (a.size() == b.size()) return 0;
  return a.size() < b.size() ? -1 : 1;
}

std::string toKey(std::string_view text) {
  text = text.substr(0, text.find('\0'));
  return std::string(text.substr(0, kMaxKeyLength));
}

}  // namespace ondrix::store
