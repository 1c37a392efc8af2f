#include "shell/palette_colors.h"

#include "store/stores/pal_db_fcns.h"

namespace ondrix::shell {

store::PaletteRecord readPalette(const std::string& dataFolder, std::int32_t number) {
  store::PalDBFcns palettes(dataFolder);
  palettes.Open();
  store::PaletteRecord palette = palettes.Read(number);
  palettes.Close();
  return palette;
}

std::uint32_t paletteColor(const store::PaletteRecord& palette, std::int32_t position) {
  if (position < 1 || position > static_cast<std::int32_t>(palette.Colors.size())) return 0;
  return palette.Colors[static_cast<std::size_t>(position - 1)];
}

}  // namespace ondrix::shell
