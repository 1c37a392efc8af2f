#include "script/collation.h"

#include <array>

#include "script/ident_list.h"

namespace ondrix::script {
namespace {

// The plain letter (upper case) under each accented Windows-1252 letter, or 0 for a byte that is
// not an accented letter.
constexpr std::array<char, 128> makeBaseLetters() {
  std::array<char, 128> base{};
  auto set = [&](unsigned first, unsigned last, char letter) {
    for (unsigned c = first; c <= last; ++c) base[c - 128] = letter;
  };
  set(0x8A, 0x8A, 'S');  // S caron
  set(0x8C, 0x8C, 'O');  // OE
  set(0x8E, 0x8E, 'Z');  // Z caron
  set(0x9A, 0x9A, 'S');
  set(0x9C, 0x9C, 'O');
  set(0x9E, 0x9E, 'Z');
  set(0x9F, 0x9F, 'Y');  // Y diaeresis
  for (unsigned off : {0x00u, 0x20u}) {
    set(0xC0 + off, 0xC6 + off, 'A');
    set(0xC7 + off, 0xC7 + off, 'C');
    set(0xC8 + off, 0xCB + off, 'E');
    set(0xCC + off, 0xCF + off, 'I');
    set(0xD0 + off, 0xD0 + off, 'D');
    set(0xD1 + off, 0xD1 + off, 'N');
    set(0xD2 + off, 0xD6 + off, 'O');
    set(0xD8 + off, 0xD8 + off, 'O');
    set(0xD9 + off, 0xDC + off, 'U');
    set(0xDD + off, 0xDD + off, 'Y');
    set(0xDE + off, 0xDE + off, 'T');  // thorn
  }
  set(0xDF, 0xDF, 'S');  // sharp s
  set(0xFF, 0xFF, 'Y');
  return base;
}
constexpr std::array<char, 128> kBaseLetters = makeBaseLetters();

struct Weights {
  int primary;    // symbols (by code) < digits < letters (alphabetical)
  int secondary;  // 0 for a plain letter, else the accented letter's code
  int tertiary;   // 0 lower case or no case, 1 upper case
};

Weights weigh(unsigned char c) {
  char letter = 0;
  int accent = 0;
  if (c >= 'a' && c <= 'z') {
    letter = static_cast<char>(c - 32);
  } else if (c >= 'A' && c <= 'Z') {
    letter = static_cast<char>(c);
  } else if (c >= 128 && kBaseLetters[c - 128] != 0) {
    letter = kBaseLetters[c - 128];
    accent = upperCase1252(c);
  }
  if (letter != 0) {
    const bool upper = upperCase1252(c) == c && lowerCase1252(c) != c;
    return {1000 + (letter - 'A'), accent, upper ? 1 : 0};
  }
  if (c >= '0' && c <= '9') return {900 + (c - '0'), 0, 0};
  return {c, 0, 0};
}

// Compares the texts on one level of weights; 0 when equal on it.
template <typename Level>
int compareLevel(std::string_view a, std::string_view b, Level level) {
  const std::size_t n = a.size() < b.size() ? a.size() : b.size();
  for (std::size_t i = 0; i < n; ++i) {
    const int wa = level(weigh(static_cast<unsigned char>(a[i])));
    const int wb = level(weigh(static_cast<unsigned char>(b[i])));
    if (wa != wb) return wa < wb ? -1 : 1;
  }
  if (a.size() != b.size()) return a.size() < b.size() ? -1 : 1;
  return 0;
}

}  // namespace

unsigned char lowerCase1252(unsigned char c) {
  if (c >= 'A' && c <= 'Z') return static_cast<unsigned char>(c + 32);
  switch (c) {
    case 0x8A: return 0x9A;
    case 0x8C: return 0x9C;
    case 0x8E: return 0x9E;
    case 0x9F: return 0xFF;
    default: break;
  }
  if (c >= 0xC0 && c <= 0xDE && c != 0xD7) return static_cast<unsigned char>(c + 32);
  return c;
}

std::string lowerCase1252(std::string_view text) {
  std::string out(text);
  for (char& ch : out) ch = static_cast<char>(lowerCase1252(static_cast<unsigned char>(ch)));
  return out;
}

int ansiCompare(std::string_view a, std::string_view b, bool ignoreCase) {
  if (int r = compareLevel(a, b, [](const Weights& w) { return w.primary; })) return r;
  if (int r = compareLevel(a, b, [](const Weights& w) { return w.secondary; })) return r;
  if (ignoreCase) return 0;
  return compareLevel(a, b, [](const Weights& w) { return w.tertiary; });
}

}  // namespace ondrix::script
