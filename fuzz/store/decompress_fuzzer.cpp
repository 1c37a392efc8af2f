// Arbitrary bytes as a compressed item and as one coded block; then the same bytes compressed
// and decompressed again must come back unchanged.

#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

#include "store/compressor.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string_view bytes(reinterpret_cast<const char*>(data), size);
  std::string out;
  ondrix::store::decompressItem(bytes, out);
  out.clear();
  if (ondrix::store::decompressBlock(data, size, out) && out.size() > ondrix::store::kCompressBlockSize) {
    std::abort();
  }

  std::string packed;
  ondrix::store::compressItem(bytes, packed);
  std::string unpacked;
  if (!ondrix::store::decompressItem(packed, unpacked) || unpacked != bytes) std::abort();
  return 0;
}
