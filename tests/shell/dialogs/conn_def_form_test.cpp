#include "shell/conn_def_form.h"

#include <gtest/gtest.h>

#include "dialog_fixture.h"
#include "fake_settings_view.h"
#include "store/stores/def_db_fcns.h"

namespace ondrix::shell {
namespace {

using Names = std::vector<std::string>;

class ConnDefFormTest : public testing::DialogTest {
 protected:
  void show() {
    form = std::make_unique<TConnDefForm>(view, folder());
    form->FormShow();
  }
  // Reads the defaults store after the dialog closed.
  template <typename Read>
  auto stored(Read read) {
    store::DefDBFcns defaults(folder());
    defaults.Open();
    auto value = read(defaults);
    defaults.Close();
    return value;
  }

  testing::FakeSettingsView view;
  std::unique_ptr<TConnDefForm> form;
};

TEST_F(ConnDefFormTest, ShowReadsTheFactoryDefaults) {
  show();
  form->FormClose();
  const TConnFieldValues& v = view.values;
  EXPECT_EQ(v.Host, "");
  EXPECT_EQ(v.Port, "23");
  EXPECT_EQ(v.Lines, "25");
  EXPECT_EQ(v.Columns, "80");
  EXPECT_EQ(v.EmulationIndex, 1);
  EXPECT_EQ(v.PaletteIndex, 0);
  EXPECT_EQ(v.KeyListIndex, 0);
  EXPECT_FALSE(view.palettes.empty());
  EXPECT_FALSE(view.keyLists.empty());
}

TEST_F(ConnDefFormTest, AnythingButVt100OrVt220ShowsAsAnsi) {
  const std::pair<const char*, int> cases[] = {{"VT220", 2}, {"VT100", 1}, {"ANSI", 0}, {"", 0},
                                               {"vt220", 0}};
  for (const auto& [emulation, index] : cases) {
    stored([&](store::DefDBFcns& d) {
      d.WriteText("Emulation", emulation);
      return 0;
    });
    show();
    form->FormClose();
    EXPECT_EQ(view.values.EmulationIndex, index) << emulation;
  }
}

TEST_F(ConnDefFormTest, OkWritesEachKeyWithItsEncodingColumnsCheckedBeforeLines) {
  show();
  TConnFieldValues& v = view.values;
  v.PaletteIndex = 2;
  v.KeyListIndex = 3;
  v.Port = "x";
  v.EmulationIndex = 2;
  v.Lines = "100";
  v.Columns = "11";
  v.Options = {true, true, false, true, false, true};
  v.Break = "^C";
  v.Reset = "^[c";
  form->OkBtnClick();
  form->FormClose();
  EXPECT_EQ(dialogs.messages, (Names{"Screen columns value too small, setting to 12 (min)",
                                     "Screen lines value too large, setting to 99 (max)"}));
  stored([](store::DefDBFcns& d) {
    EXPECT_EQ(d.ReadInteger("PaletteNo"), 2);
    EXPECT_EQ(d.ReadInteger("KeyListNo"), 3);
    EXPECT_EQ(d.ReadInteger("Port"), 23);
    EXPECT_EQ(d.ReadText("Emulation"), "VT220");
    EXPECT_EQ(d.ReadInteger("Columns"), 12);
    EXPECT_EQ(d.ReadInteger("Lines"), 99);
    EXPECT_TRUE(d.ReadBoolean("AddCR"));
    EXPECT_TRUE(d.ReadBoolean("AddLF"));
    EXPECT_FALSE(d.ReadBoolean("LocalEcho"));
    EXPECT_TRUE(d.ReadBoolean("Monochrome"));
    EXPECT_FALSE(d.ReadBoolean("ForceLineDraw"));
    EXPECT_FALSE(d.ReadBoolean("SendWindowSize")) << "the defaults have no window size option";
    EXPECT_EQ(d.ReadText("Break"), "^C");
    EXPECT_EQ(d.ReadText("Reset"), "^[c");
    return 0;
  });
}

TEST_F(ConnDefFormTest, NonNumbersFallBackSilently) {
  show();
  view.values.Lines = "abc";
  view.values.Columns = "";
  form->OkBtnClick();
  form->FormClose();
  EXPECT_TRUE(dialogs.messages.empty());
  EXPECT_EQ(stored([](store::DefDBFcns& d) { return d.ReadInteger("Lines"); }), 25);
  EXPECT_EQ(stored([](store::DefDBFcns& d) { return d.ReadInteger("Columns"); }), 80);
}

TEST_F(ConnDefFormTest, ColoursAndFontStayWrittenWhenTheDialogIsCancelled) {
  show();
  view.colourAnswer = 3;
  form->Button3Click();
  ASSERT_EQ(view.colourInputs.size(), 1u);
  store::ConnectionRecord expectedInput;
  expectedInput.DefNormalFore = 8;
  expectedInput.DefNormalBack = 1;
  expectedInput.DefHighFore = 16;
  expectedInput.DefHighBack = 1;
  expectedInput.DefUnderlineFore = 12;
  expectedInput.DefUnderlineBack = 1;
  expectedInput.DefBlinkFore = 14;
  expectedInput.DefBlinkBack = 1;
  expectedInput.DefReverseFore = 1;
  expectedInput.DefReverseBack = 8;
  EXPECT_EQ(view.colourInputs[0], expectedInput) << "all zeros but the ten colour keys";

  view.fontAnswer = TFontChoice{"Liberation Mono", 14, false, true, true};
  form->Button5Click();
  ASSERT_EQ(view.fontInputs.size(), 1u);
  EXPECT_EQ(view.fontInputs[0].Name, "Terminal");
  view.values.Port = "9999";
  form->FormClose();  // cancelled: "&Ok" was never pressed

  stored([](store::DefDBFcns& d) {
    EXPECT_EQ(d.ReadInteger("DefNormalFore"), 3);
    EXPECT_EQ(d.ReadInteger("DefReverseBack"), 4);
    EXPECT_EQ(d.ReadInteger("DefHighFore"), 16);
    EXPECT_EQ(d.ReadText("FontName"), "Liberation Mono");
    EXPECT_EQ(d.ReadInteger("FontSize"), 14);
    EXPECT_FALSE(d.ReadBoolean("FontBold"));
    EXPECT_TRUE(d.ReadBoolean("FontItalic"));
    EXPECT_TRUE(d.ReadBoolean("FontUnderline"));
    EXPECT_EQ(d.ReadInteger("Port"), 23);
    return 0;
  });
}

}  // namespace
}  // namespace ondrix::shell
