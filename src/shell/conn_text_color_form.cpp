#include "shell/conn_text_color_form.h"

#include <utility>

#include "shell/palette_colors.h"

namespace ondrix::shell {

TConnTextColorForm::TConnTextColorForm(TConnTextColorView& view, std::string dataFolder,
                                       store::ConnectionRecord record)
    : view_(view), dataFolder_(std::move(dataFolder)), record_(std::move(record)) {}

std::array<std::int32_t*, 2> TConnTextColorForm::rowFields(store::ConnectionRecord& r, int row) {
  switch (row) {
    case kNormalRow: return {&r.DefNormalFore, &r.DefNormalBack};
    case kHighRow: return {&r.DefHighFore, &r.DefHighBack};
    case kReverseRow: return {&r.DefReverseFore, &r.DefReverseBack};
    case kUnderlineRow: return {&r.DefUnderlineFore, &r.DefUnderlineBack};
    default: return {&r.DefBlinkFore, &r.DefBlinkBack};
  }
}

void TConnTextColorForm::FormShow() {
  palette_ = readPalette(dataFolder_, record_.PaletteNo);
  for (int row = 0; row < kRowCount; ++row) {
    const auto fields = rowFields(record_, row);
    rows_[static_cast<std::size_t>(row)] = {*fields[0], *fields[1]};
    showRow(row);
  }
}

void TConnTextColorForm::showRow(int row) {
  const TRowPositions& p = rows_[static_cast<std::size_t>(row)];
  view_.SetRowColors(row, paletteColor(palette_, p.Fore), paletteColor(palette_, p.Back));
}

void TConnTextColorForm::pick(int row, bool foreground) {
  if (row < 0 || row >= kRowCount) return;
  const int chosen = view_.PickColor(record_.PaletteNo);
  if (chosen < 1) return;
  TRowPositions& p = rows_[static_cast<std::size_t>(row)];
  (foreground ? p.Fore : p.Back) = chosen;
  showRow(row);
}

void TConnTextColorForm::LabelClick(int row) { pick(row, true); }

void TConnTextColorForm::PanelClick(int row) { pick(row, false); }

void TConnTextColorForm::OkBtnClick() {
  for (int row = 0; row < kRowCount; ++row) {
    const auto fields = rowFields(record_, row);
    *fields[0] = rows_[static_cast<std::size_t>(row)].Fore;
    *fields[1] = rows_[static_cast<std::size_t>(row)].Back;
  }
}

std::int32_t TConnTextColorForm::Position(int row, bool foreground) const {
  const TRowPositions& p = rows_.at(static_cast<std::size_t>(row));
  return foreground ? p.Fore : p.Back;
}

}  // namespace ondrix::shell
