#pragma once
// Palette colours as the colour dialogs show them.

#include <cstdint>
#include <string>

#include "store/records/palette_record.h"

namespace ondrix::shell {

// Palette `number` of PALETTES.QDB in `dataFolder` (a missing one reads as all black).
store::PaletteRecord readPalette(const std::string& dataFolder, std::int32_t number);
// Colour `position` (1-16) of the palette, 0x00BBGGRR; a position outside 1-16 shows black.
std::uint32_t paletteColor(const store::PaletteRecord& palette, std::int32_t position);

}  // namespace ondrix::shell
