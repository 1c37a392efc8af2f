#pragma once
// TConnTextColorForm: the connection text colour dialog ("Connection text colors"). Five rows,
// each a coloured panel (the background) with words on it (the foreground); clicking the words or
// the panel around them picks that colour from the connection's palette. Only PaletteNo and the
// ten colour fields of the record are used.

#include <array>
#include <cstdint>
#include <string>
#include <string_view>

#include "store/records/connection_record.h"
#include "store/records/palette_record.h"

namespace ondrix::shell {

class TConnTextColorView {
 public:
  virtual ~TConnTextColorView() = default;
  // Row `row` shows its words in `fore` on `back` (0x00BBGGRR).
  virtual void SetRowColors(int row, std::uint32_t fore, std::uint32_t back) = 0;
  // The colour picker on palette `paletteNo`, at the mouse position: 1-16, or -1.
  virtual int PickColor(std::int32_t paletteNo) = 0;
};

class TConnTextColorForm {
 public:
  // The rows in the order they are shown.
  enum TRow { kNormalRow, kHighRow, kReverseRow, kUnderlineRow, kBlinkRow };
  static constexpr int kRowCount = 5;
  static constexpr std::array<std::string_view, kRowCount> kRowCaptions = {
      "Normal text", "High intensity text", "Reverse text", "Underlined text", "Blinking text"};
  static constexpr std::string_view kExplanation =
      "Click your mouse on the item you wish to change. Clicking on the words allows you to "
      "change the text color, and clicking around the words allows you to change the background "
      "color.";

  TConnTextColorForm(TConnTextColorView& view, std::string dataFolder,
                     store::ConnectionRecord record);

  // Reads the palette and colours every row from the record's positions.
  void FormShow();
  void LabelClick(int row);  // the words: the foreground
  void PanelClick(int row);  // around the words: the background
  // "&Ok": the ten chosen positions go into the record.
  void OkBtnClick();

  const store::ConnectionRecord& Record() const { return record_; }
  // The position row `row` holds now for its foreground or background.
  std::int32_t Position(int row, bool foreground) const;

 private:
  struct TRowPositions {
    std::int32_t Fore = 0;
    std::int32_t Back = 0;
  };
  // The record's two fields of each row.
  static std::array<std::int32_t*, 2> rowFields(store::ConnectionRecord& record, int row);
  void pick(int row, bool foreground);
  void showRow(int row);

  TConnTextColorView& view_;
  std::string dataFolder_;
  store::ConnectionRecord record_;
  store::PaletteRecord palette_;
  std::array<TRowPositions, kRowCount> rows_{};
};

}  // namespace ondrix::shell
