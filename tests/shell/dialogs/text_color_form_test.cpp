#include <gtest/gtest.h>

#include "dialog_fixture.h"
#include "shell/color_picker_form.h"
#include "shell/conn_text_color_form.h"
#include "store/stores/pal_db_fcns.h"

namespace ondrix::shell {
namespace {

class TextColorTest : public testing::DialogTest {
 protected:
  void SetUp() override {
    DialogTest::SetUp();
    // Palette 1 with distinct colours: position n holds n * 0x010101.
    store::PaletteRecord palette;
    palette.RecordNo = 1;
    palette.Name = "Greys";
    for (std::uint32_t n = 1; n <= 16; ++n) palette.Colors[n - 1] = n * 0x010101u;
    store::PalDBFcns palettes(folder());
    palettes.Open();
    palettes.Write(1, palette);
    palettes.Close();
  }
  static std::uint32_t grey(int n) { return static_cast<std::uint32_t>(n) * 0x010101u; }
};

struct FakeTextColorView : TConnTextColorView {
  void SetRowColors(int row, std::uint32_t fore, std::uint32_t back) override {
    rows.at(static_cast<std::size_t>(row)) = {fore, back};
  }
  int PickColor(std::int32_t paletteNo) override {
    pickedPalettes.push_back(paletteNo);
    return answer;
  }
  std::array<std::pair<std::uint32_t, std::uint32_t>, 5> rows{};
  std::vector<std::int32_t> pickedPalettes;
  int answer = -1;
};

store::ConnectionRecord coloured() {
  store::ConnectionRecord r;
  r.PaletteNo = 1;
  r.DefNormalFore = 1;
  r.DefNormalBack = 2;
  r.DefHighFore = 3;
  r.DefHighBack = 4;
  r.DefUnderlineFore = 5;
  r.DefUnderlineBack = 6;
  r.DefBlinkFore = 7;
  r.DefBlinkBack = 8;
  r.DefReverseFore = 9;
  r.DefReverseBack = 10;
  return r;
}

TEST_F(TextColorTest, RowsShowTheirPaletteColoursInTheirOrder) {
  FakeTextColorView view;
  TConnTextColorForm form(view, folder(), coloured());
  form.FormShow();
  using P = std::pair<std::uint32_t, std::uint32_t>;
  EXPECT_EQ(view.rows[TConnTextColorForm::kNormalRow], (P{grey(1), grey(2)}));
  EXPECT_EQ(view.rows[TConnTextColorForm::kHighRow], (P{grey(3), grey(4)}));
  EXPECT_EQ(view.rows[TConnTextColorForm::kReverseRow], (P{grey(9), grey(10)}));
  EXPECT_EQ(view.rows[TConnTextColorForm::kUnderlineRow], (P{grey(5), grey(6)}));
  EXPECT_EQ(view.rows[TConnTextColorForm::kBlinkRow], (P{grey(7), grey(8)}));
  EXPECT_EQ(TConnTextColorForm::kRowCaptions[TConnTextColorForm::kReverseRow], "Reverse text");
}

TEST_F(TextColorTest, WordsPickTheForegroundAndThePanelTheBackground) {
  FakeTextColorView view;
  TConnTextColorForm form(view, folder(), coloured());
  form.FormShow();
  form.LabelClick(TConnTextColorForm::kReverseRow);  // picker closed without a choice
  EXPECT_EQ(form.Position(TConnTextColorForm::kReverseRow, true), 9);
  view.answer = 16;
  form.LabelClick(TConnTextColorForm::kReverseRow);
  view.answer = 11;
  form.PanelClick(TConnTextColorForm::kUnderlineRow);
  EXPECT_EQ(view.pickedPalettes, (std::vector<std::int32_t>{1, 1, 1}));
  EXPECT_EQ(view.rows[TConnTextColorForm::kReverseRow].first, grey(16));
  EXPECT_EQ(view.rows[TConnTextColorForm::kUnderlineRow].second, grey(11));
  EXPECT_EQ(form.Record(), coloured()) << "nothing changes before OK";

  form.OkBtnClick();
  store::ConnectionRecord expected = coloured();
  expected.DefReverseFore = 16;
  expected.DefUnderlineBack = 11;
  EXPECT_EQ(form.Record(), expected);
}

TEST_F(TextColorTest, PositionsOutsideThePaletteShowBlack) {
  store::ConnectionRecord r = coloured();
  r.DefNormalFore = -1;
  r.DefNormalBack = 17;
  FakeTextColorView view;
  TConnTextColorForm form(view, folder(), r);
  form.FormShow();
  EXPECT_EQ(view.rows[TConnTextColorForm::kNormalRow],
            (std::pair<std::uint32_t, std::uint32_t>{0, 0}));
}

struct FakePickerView : TColorPickerView {
  void SetPanelColor(int n, std::uint32_t colour) override { panels.at(static_cast<std::size_t>(n - 1)) = colour; }
  void Close() override { ++closes; }
  std::array<std::uint32_t, 16> panels{};
  int closes = 0;
};

TEST_F(TextColorTest, PickerShowsTheSixteenColoursAndAnswersThePanelNumber) {
  FakePickerView view;
  TColorPickerForm picker(view, folder(), 1);
  picker.FormShow();
  for (int n = 1; n <= 16; ++n) EXPECT_EQ(view.panels[static_cast<std::size_t>(n - 1)], grey(n));
  EXPECT_EQ(picker.Result(), -1);
  picker.PanelClick(17);
  EXPECT_EQ(picker.Result(), -1);
  EXPECT_EQ(view.closes, 0);
  picker.PanelClick(7);
  EXPECT_EQ(picker.Result(), 7);
  EXPECT_EQ(view.closes, 1);
}

}  // namespace
}  // namespace ondrix::shell
