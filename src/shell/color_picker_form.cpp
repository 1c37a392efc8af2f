#include "shell/color_picker_form.h"

#include <utility>

#include "shell/palette_colors.h"

namespace ondrix::shell {

TColorPickerForm::TColorPickerForm(TColorPickerView& view, std::string dataFolder,
                                   std::int32_t paletteNo)
    : view_(view), dataFolder_(std::move(dataFolder)), paletteNo_(paletteNo) {}

void TColorPickerForm::FormShow() {
  result_ = -1;
  const store::PaletteRecord palette = readPalette(dataFolder_, paletteNo_);
  for (int n = 1; n <= kPanelCount; ++n) view_.SetPanelColor(n, paletteColor(palette, n));
}

void TColorPickerForm::PanelClick(int n) {
  if (n < 1 || n > kPanelCount) return;
  result_ = n;
  view_.Close();
}

}  // namespace ondrix::shell
