#pragma once
// The item compressor of record files: a byte-oriented LZ77 coder with 16-bit control words,
// 12-bit distances and run codes, working on independent blocks of at most 32,768 bytes.
//
// Compressed item: one block per 32,768-byte piece of the item (the last piece shorter; an empty
// item has no blocks). The item's stored size is the sum of (2 + L) over its blocks.
//
//   offset  size  content
//   0       2     block length L, unsigned 16-bit little-endian
//   2       L     coded block
//
// Coded block, byte 0 is the method:
//   0x80 stored      bytes 1..L-1 are the piece itself
//   0x40 compressed  a 16-bit control word (high byte first), then the 16 codes it describes,
//                    then the next control word, and so on. Control bits are taken from the most
//                    significant down: 0 = literal, 1 = copy code. The last word is padded with
//                    zero bits on the right; the decoder stops at the block end.
//
// Codes:
//   literal      1 byte   the byte itself
//   back ref     2 bytes  (distance << 4) | (length - 3), high byte first; distance 1..4095,
//                         length 3..18; copies byte by byte, so distance < length repeats output
//   run          4 bytes  0x00, (count - 16) >> 8, (count - 16) & 0xFF, the byte; count 16..4095
//                         (a copy code whose first 12 bits are zero is a run)
//
// Back references never reach into an earlier block: no dictionary is carried between blocks.

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

namespace ondrix::store {

inline constexpr std::size_t kCompressBlockSize = 32768;
inline constexpr std::uint8_t kMethodStored = 0x80;
inline constexpr std::uint8_t kMethodCompressed = 0x40;
inline constexpr std::size_t kMaxDistance = 4095;
inline constexpr std::size_t kMinMatch = 3;
inline constexpr std::size_t kMaxMatch = 18;
inline constexpr std::size_t kMinRun = 16;
inline constexpr std::size_t kMaxRun = 4095;
// The coder may pass the piece size by one control word and one run code before it stops.
inline constexpr std::size_t kBlockOutputRoom = kCompressBlockSize + 6;

// Codes `size` (1..32,768) bytes into `out`, which must hold size + 6 bytes; returns the block
// length. A block that does not shrink comes out stored (size + 1 bytes).
std::size_t compressBlock(const std::uint8_t* in, std::size_t size, std::uint8_t* out);

// Appends the decoded bytes of one coded block to `out`. Returns false for a malformed block:
// an unknown method, a code or control word cut off by the block end, a back reference before
// the start of the block's output, or more than 32,768 decoded bytes.
bool decompressBlock(const std::uint8_t* block, std::size_t length, std::string& out);

// Appends the compressed item of `input` to `out`; returns the number of bytes appended.
std::size_t compressItem(std::string_view input, std::string& out);

// Replaces `out` with the decoded item. Returns false when the blocks are malformed or a block
// length runs past the item's end.
bool decompressItem(std::string_view item, std::string& out);

}  // namespace ondrix::store
