#pragma once
// TColorPickerForm: the colour picker ("Color picker"): the sixteen colours of one palette as
// panels Panel1 ... Panel16; clicking one chooses its position and closes the picker.

#include <cstdint>
#include <string>

namespace ondrix::shell {

class TColorPickerView {
 public:
  virtual ~TColorPickerView() = default;
  // Panel `n` (1-16) shows `colour` (0x00BBGGRR).
  virtual void SetPanelColor(int n, std::uint32_t colour) = 0;
  virtual void Close() = 0;
};

class TColorPickerForm {
 public:
  static constexpr int kPanelCount = 16;

  TColorPickerForm(TColorPickerView& view, std::string dataFolder, std::int32_t paletteNo);

  // Reads the palette and colours the panels; the result is -1 until a panel is clicked.
  void FormShow();
  // Panel `n` (1-16) was clicked: the result is n and the picker closes.
  void PanelClick(int n);
  // The chosen position 1-16, or -1.
  int Result() const { return result_; }

 private:
  TColorPickerView& view_;
  std::string dataFolder_;
  std::int32_t paletteNo_;
  int result_ = -1;
};

}  // namespace ondrix::shell
