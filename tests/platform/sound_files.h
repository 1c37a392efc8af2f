#pragma once
// Small sound files the sound tests write: a MIDI file with one note, a wave file with a tone.

#include <cmath>
#include <cstdint>
#include <fstream>
#include <string>

namespace ondrix::platform::testing {

inline void appendBigEndian(std::string& out, std::uint32_t value, int bytes) {
  for (int i = bytes - 1; i >= 0; --i) out += static_cast<char>((value >> (8 * i)) & 0xFF);
}

inline void appendLittleEndian(std::string& out, std::uint32_t value, int bytes) {
  for (int i = 0; i < bytes; ++i) out += static_cast<char>((value >> (8 * i)) & 0xFF);
}

// A format-0 MIDI file: piano middle C, loud, for half a second (480 ticks per quarter note at
// the default 120 beats per minute).
inline std::string oneNoteMidi() {
  const std::string track{
      '\x00', '\xC0', '\x00',                  // program: acoustic grand piano
      '\x00', '\x90', '\x3C', '\x7F',          // note on, middle C, velocity 127
      '\x83', '\x60', '\x80', '\x3C', '\x40',  // 480 ticks later: note off
      '\x00', '\xFF', '\x2F', '\x00'};         // end of track
  std::string file = "MThd";
  appendBigEndian(file, 6, 4);
  appendBigEndian(file, 0, 2);
  appendBigEndian(file, 1, 2);
  appendBigEndian(file, 480, 2);
  file += "MTrk";
  appendBigEndian(file, static_cast<std::uint32_t>(track.size()), 4);
  return file + track;
}

// A mono 16-bit PCM wave file: a 440 Hz tone of `milliseconds` at 8,000 Hz.
inline std::string toneWave(int milliseconds) {
  constexpr int kRate = 8000;
  const std::uint32_t samples = static_cast<std::uint32_t>(kRate * milliseconds / 1000);
  std::string file = "RIFF";
  appendLittleEndian(file, 36 + samples * 2, 4);
  file += "WAVEfmt ";
  appendLittleEndian(file, 16, 4);
  appendLittleEndian(file, 1, 2);  // PCM
  appendLittleEndian(file, 1, 2);  // mono
  appendLittleEndian(file, kRate, 4);
  appendLittleEndian(file, kRate * 2, 4);
  appendLittleEndian(file, 2, 2);
  appendLittleEndian(file, 16, 2);
  file += "data";
  appendLittleEndian(file, samples * 2, 4);
  for (std::uint32_t i = 0; i < samples; ++i) {
    const double phase = 2 * M_PI * 440.0 * i / kRate;
    appendLittleEndian(file, static_cast<std::uint16_t>(static_cast<std::int16_t>(8000 * std::sin(phase))), 2);
  }
  return file;
}

inline void writeFile(const std::string& path, const std::string& bytes) {
  std::ofstream(path, std::ios::binary) << bytes;
}

}  // namespace ondrix::platform::testing
