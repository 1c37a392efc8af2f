#include "store/compressor.h"

#include <algorithm>
#include <array>
#include <cstring>

namespace ondrix::store {

namespace {

constexpr std::size_t kHashSize = 4096;
constexpr std::uint16_t kEmptySlot = 0xFFFF;
constexpr unsigned kCodesPerWord = 16;

// Hash of the three bytes at `p`, as the format's writers compute it (unsigned 32-bit).
inline std::uint32_t hashAt(const std::uint8_t* p) {
  const std::uint32_t t = (((std::uint32_t{p[0]} << 4) ^ p[1]) << 4) ^ p[2];
  return ((t * 40543u) >> 4) & (kHashSize - 1);
}

}  // namespace

std::size_t compressBlock(const std::uint8_t* in, std::size_t size, std::uint8_t* out) {
  std::array<std::uint16_t, kHashSize> table;
  table.fill(kEmptySlot);

  out[0] = kMethodCompressed;
  std::size_t slot = 1;  // where the current control word goes
  std::size_t o = 3;
  unsigned control = 0;
  unsigned codes = 0;
  std::size_t p = 0;

  while (p < size && o <= size) {
    if (codes == kCodesPerWord) {
      out[slot] = static_cast<std::uint8_t>(control >> 8);
      out[slot + 1] = static_cast<std::uint8_t>(control);
      slot = o;
      o += 2;
      control = 0;
      codes = 0;
    }
    unsigned bit = 1;
    const std::uint8_t b = in[p];
    const std::size_t runLimit = std::min(size - p, kMaxRun);
    std::size_t run = 1;
    while (run < runLimit && in[p + run] == b) ++run;

    if (run >= kMinRun) {
      const std::size_t v = run - kMinRun;
      out[o] = 0;
      out[o + 1] = static_cast<std::uint8_t>(v >> 8);
      out[o + 2] = static_cast<std::uint8_t>(v);
      out[o + 3] = b;
      o += 4;
      p += run;
    } else {
      std::size_t length = 0;
      std::size_t distance = 0;
      // With fewer than three bytes left no match can reach the minimum, so the tail is literal.
      if (size - p >= kMinMatch) {
        const std::uint32_t h = hashAt(in + p);
        const std::uint16_t candidate = table[h];
        table[h] = static_cast<std::uint16_t>(p);
        if (candidate != kEmptySlot && p - candidate <= kMaxDistance) {
          distance = p - candidate;
          const std::size_t limit = std::min(size - p, kMaxMatch);
          const std::uint8_t* c = in + candidate;
          const std::uint8_t* q = in + p;
          while (length < limit && c[length] == q[length]) ++length;
        }
      }
      if (length >= kMinMatch) {
        const std::size_t v = (distance << 4) | (length - kMinMatch);
        out[o] = static_cast<std::uint8_t>(v >> 8);
        out[o + 1] = static_cast<std::uint8_t>(v);
        o += 2;
        p += length;
      } else {
        out[o++] = b;
        ++p;
        bit = 0;
      }
    }
    control = (control << 1) | bit;
    ++codes;
  }
  control <<= (kCodesPerWord - codes);
  out[slot] = static_cast<std::uint8_t>(control >> 8);
  out[slot + 1] = static_cast<std::uint8_t>(control);

  if (o <= size) return o;
  out[0] = kMethodStored;
  std::memcpy(out + 1, in, size);
  return size + 1;
}

bool decompressBlock(const std::uint8_t* block, std::size_t length, std::string& out) {
  if (length < 2) return true;
  if (block[0] == kMethodStored) {
    if (length - 1 > kCompressBlockSize) return false;
    out.append(reinterpret_cast<const char*>(block + 1), length - 1);
    return true;
  }
  if (block[0] != kMethodCompressed || length < 3) return false;

  std::array<std::uint8_t, kCompressBlockSize> buffer;
  std::size_t produced = 0;
  unsigned control = (unsigned{block[1]} << 8) | block[2];
  unsigned codes = 0;
  std::size_t i = 3;
  while (i < length) {
    if (codes == kCodesPerWord) {
      if (length - i < 2) return false;
      control = (unsigned{block[i]} << 8) | block[i + 1];
      i += 2;
      codes = 0;
      continue;
    }
    const bool copy = (control & 0x8000u) != 0;
    control <<= 1;
    ++codes;
    if (!copy) {
      if (produced == kCompressBlockSize) return false;
      buffer[produced++] = block[i++];
      continue;
    }
    if (length - i < 2) return false;
    const std::size_t distance = (std::size_t{block[i]} << 4) | (block[i + 1] >> 4);
    if (distance == 0) {
      if (length - i < 4) return false;
      const std::size_t count = kMinRun + (std::size_t{block[i + 1] & 0x0Fu} << 8) + block[i + 2];
      if (count > kCompressBlockSize - produced) return false;
      std::memset(buffer.data() + produced, block[i + 3], count);
      produced += count;
      i += 4;
    } else {
      const std::size_t count = (block[i + 1] & 0x0Fu) + kMinMatch;
      if (distance > produced || count > kCompressBlockSize - produced) return false;
      std::uint8_t* dst = buffer.data() + produced;
      const std::uint8_t* src = dst - distance;
      if (distance >= count) {
        std::memcpy(dst, src, count);
      } else {
        for (std::size_t k = 0; k < count; ++k) dst[k] = src[k];
      }
      produced += count;
      i += 2;
    }
  }
  out.append(reinterpret_cast<const char*>(buffer.data()), produced);
  return true;
}

std::size_t compressItem(std::string_view input, std::string& out) {
  std::array<std::uint8_t, kBlockOutputRoom> block;
  const auto* data = reinterpret_cast<const std::uint8_t*>(input.data());
  std::size_t written = 0;
  for (std::size_t at = 0; at < input.size(); at += kCompressBlockSize) {
    const std::size_t piece = std::min(kCompressBlockSize, input.size() - at);
    const std::size_t length = compressBlock(data + at, piece, block.data());
    out.push_back(static_cast<char>(length & 0xFF));
    out.push_back(static_cast<char>(length >> 8));
    out.append(reinterpret_cast<const char*>(block.data()), length);
    written += 2 + length;
  }
  return written;
}

bool decompressItem(std::string_view item, std::string& out) {
  out.clear();
  const auto* data = reinterpret_cast<const std::uint8_t*>(item.data());
  std::size_t at = 0;
  while (at < item.size()) {
    if (item.size() - at < 2) return false;
    const std::size_t length = std::size_t{data[at]} | (std::size_t{data[at + 1]} << 8);
    at += 2;
    if (length > item.size() - at) return false;
    if (!decompressBlock(data + at, length, out)) return false;
    at += length;
  }
  return true;
}

}  // namespace ondrix::store
