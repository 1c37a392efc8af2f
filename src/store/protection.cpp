#include "store/protection.h"

#include <openssl/evp.h>

#include <stdexcept>

namespace ondrix::store {

Sha1Digest sha1(std::string_view data) {
  Sha1Digest digest{};
  unsigned int length = 0;
  if (EVP_Digest(data.data(), data.size(), digest.data(), &length, EVP_sha1(), nullptr) != 1 ||
      length != digest.size()) {
    throw std::runtime_error("SHA-1 is not available");
  }
  return digest;
}

Sha1Digest passwordCheck(std::string_view password) {
  const Sha1Digest once = sha1(password);
  return sha1(std::string_view(reinterpret_cast<const char*>(once.data()), once.size()));
}

namespace {

std::uint32_t littleEndian(const std::uint8_t* p) {
  return std::uint32_t{p[0]} | (std::uint32_t{p[1]} << 8) | (std::uint32_t{p[2]} << 16) |
         (std::uint32_t{p[3]} << 24);
}

}  // namespace

std::uint32_t scrambleKey(std::string_view password) {
  const Sha1Digest digest = sha1(password);
  std::uint32_t key = 0;
  for (std::size_t i = 0; i < digest.size(); i += 4) key ^= littleEndian(digest.data() + i);
  return key;
}

void scrambleBuffer(std::uint8_t* data, std::size_t size, std::uint32_t key) {
  std::uint32_t state = key;
  std::size_t i = 0;
  for (; i + 4 <= size; i += 4) {
    state = state * 1664525u + 1013904223u;
    const std::uint32_t word = littleEndian(data + i) ^ state;
    for (int k = 0; k < 4; ++k) data[i + k] = static_cast<std::uint8_t>(word >> (8 * k));
  }
  auto b = static_cast<std::uint8_t>(state);
  for (; i < size; ++i) {
    b = static_cast<std::uint8_t>(b * 13 + 95);
    data[i] ^= b;
  }
}

}  // namespace ondrix::store
