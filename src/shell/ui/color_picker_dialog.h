#pragma once
// The colour picker window ("Color picker"), showing a TColorPickerForm: the sixteen colours of a
// palette as panels Panel1 ... Panel16 in a four by four grid.

#include <QDialog>
#include <QPoint>
#include <array>

#include "shell/color_picker_form.h"

namespace ondrix::shell::ui {

class ClickFrame;

class ColorPickerDialog : public QDialog, public TColorPickerView {
 public:
  ColorPickerDialog(std::string dataFolder, std::int32_t paletteNo, QWidget* parent);

  TColorPickerForm& form() { return form_; }
  ClickFrame* panel(int n) const { return panels_.at(static_cast<std::size_t>(n - 1)); }

  // --- TColorPickerView
  void SetPanelColor(int n, std::uint32_t colour) override;
  void Close() override;

  // The picker modal at `position` (the mouse position): 1-16, or -1.
  static int pick(const std::string& dataFolder, std::int32_t paletteNo, QPoint position,
                  QWidget* parent);

 private:
  std::array<ClickFrame*, TColorPickerForm::kPanelCount> panels_{};
  TColorPickerForm form_;
};

}  // namespace ondrix::shell::ui
