#pragma once
// The two fixed translation tables for received bytes, and the classification of the bytes the
// interpreter treats as control characters. A table maps a received byte to the code page 437
// glyph position stored in the cell.

#include <array>
#include <cstdint>

namespace ondrix::term {

using TranslationTable = std::array<std::uint8_t, 256>;

namespace detail {

// Latin-1 0xA0..0xFF to the nearest code page 437 glyph. A letter the code page has keeps its
// case: ï and ü go to their own glyphs (0x8B, 0x81), not to I and Ü.
inline constexpr std::array<std::uint8_t, 96> kLatin1ToCp437 = {
    // A0    A1    A2    A3    A4    A5    A6    A7    A8    A9    AA    AB    AC    AD    AE    AF
    0xB1, 0xAD, 0x9B, 0x9C, 0x0F, 0x9D, 0xB3, 0x15, 0x20, 0x43, 0xA6, 0xAE, 0xAA, 0xC4, 0x52, 0xC4,
    // B0    B1    B2    B3    B4    B5    B6    B7    B8    B9    BA    BB    BC    BD    BE    BF
    0xF8, 0xF1, 0xFD, 0x20, 0x27, 0xE6, 0x14, 0xFA, 0x2C, 0x20, 0xA7, 0xAF, 0xAC, 0xAB, 0x20, 0xA8,
    // C0    C1    C2    C3    C4    C5    C6    C7    C8    C9    CA    CB    CC    CD    CE    CF
    0x41, 0x41, 0x41, 0x41, 0x8E, 0x8F, 0x92, 0x80, 0x45, 0x45, 0x45, 0x45, 0x45, 0x49, 0x49, 0x49,
    // D0    D1    D2    D3    D4    D5    D6    D7    D8    D9    DA    DB    DC    DD    DE    DF
    0x44, 0xA5, 0x4F, 0x4F, 0x4F, 0x4F, 0x4F, 0x78, 0xED, 0x55, 0x55, 0x55, 0x55, 0x59, 0x70, 0xE1,
    // E0    E1    E2    E3    E4    E5    E6    E7    E8    E9    EA    EB    EC    ED    EE    EF
    0x85, 0xA0, 0x83, 0x61, 0x84, 0x86, 0x91, 0x87, 0x8A, 0x82, 0x88, 0x89, 0x8D, 0xA1, 0x8C, 0x8B,
    // F0    F1    F2    F3    F4    F5    F6    F7    F8    F9    FA    FB    FC    FD    FE    FF
    0x64, 0xA4, 0x95, 0xA2, 0x93, 0x6F, 0x94, 0xF6, 0xED, 0x97, 0xA3, 0x96, 0x81, 0x79, 0x70, 0x98,
};

constexpr TranslationTable makeIdentityTable() {
  TranslationTable t{};
  for (int i = 0; i < 256; ++i) t[i] = static_cast<std::uint8_t>(i);
  return t;
}

constexpr TranslationTable makeAsciiTable() {
  TranslationTable t = makeIdentityTable();
  for (int i = 0x80; i < 0xA0; ++i) t[i] = 0x20;
  for (int i = 0xA0; i < 0x100; ++i) t[i] = kLatin1ToCp437[i - 0xA0];
  return t;
}

constexpr TranslationTable makeLineDrawingTable() {
  TranslationTable t = makeAsciiTable();
  t['j'] = 0xD9;  // ┘
  t['k'] = 0xBF;  // ┐
  t['l'] = 0xDA;  // ┌
  t['m'] = 0xC0;  // └
  t['n'] = 0xC5;  // ┼
  t['q'] = 0xC4;  // ─
  t['t'] = 0xC3;  // ├
  t['u'] = 0xB4;  // ┤
  t['v'] = 0xC1;  // ┴
  t['w'] = 0xC2;  // ┬
  t['x'] = 0xB3;  // │
  return t;
}

constexpr std::array<bool, 256> makeControlSet() {
  std::array<bool, 256> c{};
  for (std::uint8_t b : {0x00, 0x07, 0x08, 0x09, 0x0A, 0x0D, 0x0E, 0x0F, 0x1B}) c[b] = true;
  return c;
}

}  // namespace detail

// Received bytes untouched (translation off).
inline constexpr TranslationTable kIdentityTable = detail::makeIdentityTable();
// G0 = ASCII: 0x80..0x9F become blanks, Latin-1 letters their code page 437 glyphs.
inline constexpr TranslationTable kAsciiTable = detail::makeAsciiTable();
// G0 = line drawing: the ASCII table with eleven letters turned into box-drawing glyphs.
inline constexpr TranslationTable kLineDrawingTable = detail::makeLineDrawingTable();

// The bytes (after translation) that ground state acts on instead of printing:
// NUL, BEL, BS, HT, LF, CR, SO, SI, ESC. Every other byte prints.
inline constexpr std::array<bool, 256> kControlBytes = detail::makeControlSet();

}  // namespace ondrix::term
