#pragma once
// One connection of the connection book (an item of CONINFO.QDB).
//
// Stored layout, 1,368 bytes, little-endian; text[n] = length byte + room for n characters:
//   offset size field                    offset size field
//      0    4  RecordNo (int32)           1056    4  PaletteNo
//      4  254  Name text[253]             1060    4  KeyListNo
//    258    1  SendWindowSize             1064   40  DefNormalFore, DefNormalBack, DefHighFore,
//    259    1  zero                                  DefHighBack, DefUnderlineFore,
//    260  256  Host text[255]                        DefUnderlineBack, DefBlinkFore, DefBlinkBack,
//    516    4  Port                                  DefReverseFore, DefReverseBack (int32 each)
//    520    7  Emulation text[6]          1104  256  FontName text[255]
//    527    1  zero                       1360    4  FontSize
//    528    4  Lines                      1364    1  FontBold
//    532    4  Columns                    1365    1  FontItalic
//    536    5  AddCR, AddLF, LocalEcho,   1366    1  FontUnderline
//              Monochrome, ForceLineDraw  1367    1  zero
//    541  256  Reset text[255]
//    797  256  Break text[255]
//   1053    3  zero
// Booleans are bytes 1/0.

#include <cstdint>
#include <string>
#include <string_view>

namespace ondrix::store {

struct ConnectionRecord {
  static constexpr std::size_t kSize = 1368;

  std::int32_t RecordNo = 0;
  std::string Name;
  bool SendWindowSize = false;
  std::string Host;
  std::int32_t Port = 0;
  std::string Emulation;
  std::int32_t Lines = 0;
  std::int32_t Columns = 0;
  bool AddCR = false;
  bool AddLF = false;
  bool LocalEcho = false;
  bool Monochrome = false;
  bool ForceLineDraw = false;
  std::string Reset;
  std::string Break;
  std::int32_t PaletteNo = 0;
  std::int32_t KeyListNo = 0;
  std::int32_t DefNormalFore = 0;
  std::int32_t DefNormalBack = 0;
  std::int32_t DefHighFore = 0;
  std::int32_t DefHighBack = 0;
  std::int32_t DefUnderlineFore = 0;
  std::int32_t DefUnderlineBack = 0;
  std::int32_t DefBlinkFore = 0;
  std::int32_t DefBlinkBack = 0;
  std::int32_t DefReverseFore = 0;
  std::int32_t DefReverseBack = 0;
  std::string FontName;
  std::int32_t FontSize = 0;
  bool FontBold = false;
  bool FontItalic = false;
  bool FontUnderline = false;

  std::string encode() const;
  // Reads the first 1,368 bytes of an item; a shorter item reads as if zero-padded.
  static ConnectionRecord decode(std::string_view item);
  // The record read for a missing key: zeros, RecordNo -1.
  static ConnectionRecord missing();

  bool operator==(const ConnectionRecord&) const = default;
};

// One connection held in memory while the book is sorted.
using TConItem = ConnectionRecord;

}  // namespace ondrix::store
