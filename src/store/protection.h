#pragma once
// Protected record files: a 20-byte password check after the file tag, and data and index
// sections scrambled buffer by buffer.
//
// check    = SHA-1(SHA-1(password))
// key word = XOR of the five 32-bit little-endian words of SHA-1(password)
// Each buffer is processed from its start with state = key word: every whole 32-bit
// little-endian word w becomes w XOR (state := state * 1664525 + 1013904223 mod 2^32); then
// with b = low byte of the last state (of the key word when the buffer holds no whole word),
// every remaining byte c becomes c XOR (b := b * 13 + 95 mod 256). Scrambling twice restores.

#include <array>
#include <cstddef>
#include <cstdint>
#include <string_view>

namespace ondrix::store {

using Sha1Digest = std::array<std::uint8_t, 20>;

Sha1Digest sha1(std::string_view data);
Sha1Digest passwordCheck(std::string_view password);
std::uint32_t scrambleKey(std::string_view password);
void scrambleBuffer(std::uint8_t* data, std::size_t size, std::uint32_t key);

}  // namespace ondrix::store
