#pragma once
// The settings the development window gives its one session: palette 0, keylist 0 and the
// default colours, read from the record files of the data folder when they exist, otherwise the
// factory values the record files start with.

#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "session/tnemulvt.h"
#include "store/records/keylist_record.h"

namespace ondrix::app {

struct SessionSettings {
  std::array<std::uint32_t, 16> palette{};  // 0x00BBGGRR, colour 1 first
  std::array<int, 10> colours{};            // normal fore/back, bold, underline, blink, reverse; 1..16
  std::vector<store::KeyEntry> keys;
  std::vector<std::string> notes;           // what could not be read, for standard error
};

SessionSettings loadSessionSettings(const std::string& dataFolder);

// Palette, colours and key definitions onto a terminal (the key definitions again after every
// Disconnect, which clears them).
void applyPalette(session::TTnEmulVT& vt, const SessionSettings& settings);
void applyKeys(session::TTnEmulVT& vt, const SessionSettings& settings);

}  // namespace ondrix::app
