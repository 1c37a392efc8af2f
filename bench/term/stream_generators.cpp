#include "stream_generators.h"

#include <random>
#include <string_view>

namespace ondrix::term::bench {
namespace {

constexpr std::string_view kWords[] = {
    "the", "session", "terminal", "screen", "connect", "host", "script", "value", "error",
    "warning:", "main.cpp:42:", "include", "return", "build", "directory", "file.txt", "a", "of",
    "to", "and", "data", "received", "cursor", "region", "ondrix", "libraries", "x86_64", "-O2"};

constexpr std::string_view kLatin1Words[] = {
    "caf\xe9", "d\xe9j\xe0", "\xfc" "ber", "na\xefve", "gar\xe7on", "se\xf1or", "\xe9t\xe9",
    "co\xf6peration", "Stra\xdf" "e", "\xc5ngstr\xf6m", "\xa3" "5", "\xbd", "r\xe9sum\xe9",
    "fa\xe7" "ade", "\xc0" "la", "the", "and", "pr\xeatre", "\xe0", "b\xf8rn", "\xdf"};

std::string build(std::uint32_t seed, void (*piece)(std::string&, std::mt19937&)) {
  std::mt19937 rng(seed);
  std::string s;
  s.reserve(kStreamSize + 4096);
  while (s.size() < kStreamSize) piece(s, rng);
  s.resize(kStreamSize);
  return s;
}

template <std::size_t N>
std::string_view pick(const std::string_view (&words)[N], std::mt19937& rng) {
  return words[rng() % N];
}

void wordLine(std::string& s, std::mt19937& rng, const auto& words) {
  const std::size_t width = 40 + rng() % 39;
  std::size_t used = 0;
  while (true) {
    const std::string_view w = pick(words, rng);
    if (used + w.size() + 1 > width) break;
    s += w;
    s += ' ';
    used += w.size() + 1;
  }
  s += "\r\n";
}

void asciiPiece(std::string& s, std::mt19937& rng) { wordLine(s, rng, kWords); }

void latin1Piece(std::string& s, std::mt19937& rng) { wordLine(s, rng, kLatin1Words); }

void colouredPiece(std::string& s, std::mt19937& rng) {
  static constexpr std::string_view kColours[] = {"\x1b[01;34m", "\x1b[01;32m", "\x1b[01;36m",
                                                  "\x1b[1;31m", "\x1b[33m", "\x1b[35;1m",
                                                  "\x1b[7m", "\x1b[4m"};
  std::size_t used = 0;
  const std::size_t width = 50 + rng() % 28;
  while (used < width) {
    const std::string_view c = pick(kColours, rng);
    const std::size_t words = 1 + rng() % 3;
    s += c;
    for (std::size_t i = 0; i < words; ++i) {
      const std::string_view w = pick(kWords, rng);
      s += w;
      s += ' ';
      used += w.size() + 1;
    }
    s += "\x1b[0m";
    s += ' ';
    ++used;
  }
  s += "\r\n";
}

void redrawPiece(std::string& s, std::mt19937& rng) {
  auto cup = [&](unsigned row, unsigned col) {
    s += "\x1b[" + std::to_string(row) + ';' + std::to_string(col) + 'H';
  };
  switch (rng() % 10) {
    case 0:
      s += "\x1b[H\x1b[2J";
      break;
    case 1:  // a status line
      cup(25, 1);
      s += "\x1b[7m -- INSERT -- line " + std::to_string(rng() % 9999) + "\x1b[K\x1b[m";
      break;
    case 2: {  // scroll a region
      const unsigned top = 1 + rng() % 10;
      s += "\x1b[" + std::to_string(top) + ';' + std::to_string(top + 8 + rng() % 6) + 'r';
      cup(top + 8, 1);
      s += "\n\n\x1bM\x1b[r";
      break;
    }
    case 3:
      cup(1 + rng() % 24, 1);
      s += "\x1b[" + std::to_string(1 + rng() % 3) + (rng() % 2 ? 'L' : 'M');
      break;
    case 4:
      cup(1 + rng() % 24, 1 + rng() % 70);
      s += "\x1b[" + std::to_string(1 + rng() % 8) + (rng() % 2 ? '@' : 'P');
      break;
    case 5:
      cup(1 + rng() % 24, 1 + rng() % 40);
      s += "\x1b[J";
      break;
    default: {  // rewrite part of a line
      cup(1 + rng() % 24, 1 + rng() % 30);
      if (rng() % 3 == 0) s += "\x1b[1;33m";
      for (int i = 0; i < 3; ++i) {
        s += pick(kWords, rng);
        s += ' ';
      }
      s += "\x1b[K\x1b[m";
      break;
    }
  }
}

}  // namespace

const std::string& asciiLines() {
  static const std::string s = build(1, asciiPiece);
  return s;
}
const std::string& colouredText() {
  static const std::string s = build(2, colouredPiece);
  return s;
}
const std::string& redrawTraffic() {
  static const std::string s = build(3, redrawPiece);
  return s;
}
const std::string& latin1Text() {
  static const std::string s = build(4, latin1Piece);
  return s;
}

}  // namespace ondrix::term::bench
