#pragma once
// Deterministic 16 MiB byte streams of typical received traffic, for the interpreter benchmark.

#include <cstddef>
#include <string>

namespace ondrix::term::bench {

inline constexpr std::size_t kStreamSize = 16u << 20;

// Lines of printable ASCII words ending in CR LF.
const std::string& asciiLines();
// Text with a colour change every few words, like a coloured directory listing or compiler output.
const std::string& colouredText();
// Full-screen application traffic: cursor addressing, erase in line and display, scroll regions,
// inserted and deleted lines and characters, short runs of text.
const std::string& redrawTraffic();
// Latin-1 prose: ASCII words mixed with accented letters and symbols from 0xA0..0xFF.
const std::string& latin1Text();

}  // namespace ondrix::term::bench
