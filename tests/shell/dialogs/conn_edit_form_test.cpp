#include "shell/conn_edit_form.h"

#include <gtest/gtest.h>

#include "dialog_fixture.h"
#include "fake_settings_view.h"
#include "store/stores/key_db_fcns.h"
#include "store/stores/pal_db_fcns.h"

namespace ondrix::shell {
namespace {

using Names = std::vector<std::string>;

class ConnEditFormTest : public testing::DialogTest {
 protected:
  static store::ConnectionRecord sample() {
    store::ConnectionRecord r;
    r.RecordNo = 3;
    r.Name = "Mail host";
    r.Host = "mail.example";
    r.Port = 2323;
    r.Emulation = "VT100";
    r.Lines = 30;
    r.Columns = 100;
    r.AddLF = true;
    r.Monochrome = true;
    r.SendWindowSize = true;
    r.Break = "^C";
    r.Reset = "^[c";
    r.PaletteNo = 1;
    r.KeyListNo = 2;
    return r;
  }
  // Shows the editor on `record`, lets `change` alter the controls, presses "&Ok".
  bool edit(const store::ConnectionRecord& record,
            const std::function<void(TConnFieldValues&)>& change) {
    form = std::make_unique<TConnEditForm>(view, folder(), record);
    form->FormShow();
    change(view.values);
    return form->OkBtnClick();
  }

  testing::FakeSettingsView view;
  std::unique_ptr<TConnEditForm> form;
};

TEST_F(ConnEditFormTest, ShowFillsEveryControlFromTheRecord) {
  edit(sample(), [](TConnFieldValues&) {});
  EXPECT_EQ(view.caption, "Connection Editor - [Mail host]");
  store::PalDBFcns palettes(folder());
  palettes.Open();
  EXPECT_EQ(view.palettes, palettes.ListNames());
  palettes.Close();
  store::KeyDBFcns keys(folder());
  keys.Open();
  EXPECT_EQ(view.keyLists, keys.ListNames());
  keys.Close();
  const TConnFieldValues& v = view.values;
  EXPECT_EQ(v.Host, "mail.example");
  EXPECT_EQ(v.Port, "2323");
  EXPECT_EQ(v.Break, "^C");
  EXPECT_EQ(v.Reset, "^[c");
  EXPECT_EQ(v.Lines, "30");
  EXPECT_EQ(v.Columns, "100");
  EXPECT_EQ(v.PaletteIndex, 1);
  EXPECT_EQ(v.KeyListIndex, 2);
  EXPECT_EQ(v.EmulationIndex, 1);
  EXPECT_EQ(v.Options, (std::array<bool, 6>{false, true, false, true, false, true}));
}

TEST_F(ConnEditFormTest, AnythingButAnsiOrVt100ShowsAsVt220) {
  const std::pair<const char*, int> cases[] = {{"ANSI", 0}, {"VT100", 1}, {"VT220", 2}, {"", 2},
                                               {"vt100", 2}, {"XTERM", 2}};
  for (const auto& [emulation, index] : cases) {
    store::ConnectionRecord r = sample();
    r.Emulation = emulation;
    TConnEditForm f(view, folder(), r);
    f.FormShow();
    EXPECT_EQ(view.values.EmulationIndex, index) << emulation;
  }
}

TEST_F(ConnEditFormTest, AnEmptyHostKeepsTheDialogOpenWithTheFocusInTheHostField) {
  EXPECT_FALSE(edit(sample(), [](TConnFieldValues& v) {
    v.Host.clear();
    v.Lines = "500";
  }));
  EXPECT_EQ(dialogs.messages, Names{"You must supply a host name!"}) << "checked before the sizes";
  EXPECT_EQ(view.hostFocused, 1);
  EXPECT_EQ(form->Record(), sample());
}

TEST_F(ConnEditFormTest, ScreenSizeAndPortFallBacksAndLimits) {
  struct Case {
    const char* port;
    const char* lines;
    const char* columns;
    std::int32_t wantPort, wantLines, wantColumns;
    Names messages;
  };
  const Case cases[] = {
      {"abc", "abc", "x", 23, 25, 80, {}},
      {" 2323 ", "99", "199", 2323, 99, 199, {}},
      {"", "12", "12", 23, 12, 12, {}},
      {"23", "100", "200", 23, 99, 199,
       {"Screen lines value too large, setting to 99 (max)",
        "Screen columns value too large, setting to 199 (max)"}},
      {"23", "11", "-5", 23, 12, 12,
       {"Screen lines value too small, setting to 12 (min)",
        "Screen columns value too small, setting to 12 (min)"}},
      {"99999999999", "1e2", "4294967376", 23, 25, 80, {}},
  };
  for (const Case& c : cases) {
    dialogs.messages.clear();
    ASSERT_TRUE(edit(sample(), [&](TConnFieldValues& v) {
      v.Port = c.port;
      v.Lines = c.lines;
      v.Columns = c.columns;
    }));
    EXPECT_EQ(form->Record().Port, c.wantPort) << c.port;
    EXPECT_EQ(form->Record().Lines, c.wantLines) << c.lines;
    EXPECT_EQ(form->Record().Columns, c.wantColumns) << c.columns;
    EXPECT_EQ(dialogs.messages, c.messages) << c.lines << " " << c.columns;
  }
}

TEST_F(ConnEditFormTest, OkCopiesEveryControlIntoTheRecord) {
  ASSERT_TRUE(edit(sample(), [](TConnFieldValues& v) {
    v.Host = std::string(300, 'h');
    v.EmulationIndex = 0;
    v.Options = {true, false, true, false, true, false};
    v.Break = "^B";
    v.Reset = "";
    v.PaletteIndex = 0;
    v.KeyListIndex = 3;
  }));
  const store::ConnectionRecord& r = form->Record();
  EXPECT_EQ(r.Host, std::string(255, 'h'));
  EXPECT_EQ(r.Emulation, "ANSI");
  EXPECT_TRUE(r.AddCR);
  EXPECT_FALSE(r.AddLF);
  EXPECT_TRUE(r.LocalEcho);
  EXPECT_FALSE(r.Monochrome);
  EXPECT_TRUE(r.ForceLineDraw);
  EXPECT_FALSE(r.SendWindowSize);
  EXPECT_EQ(r.Break, "^B");
  EXPECT_EQ(r.Reset, "");
  EXPECT_EQ(r.PaletteNo, 0);
  EXPECT_EQ(r.KeyListNo, 3);
  EXPECT_EQ(r.Name, "Mail host");
  EXPECT_EQ(r.RecordNo, 3);
}

TEST_F(ConnEditFormTest, AListWithoutAChoiceKeepsTheStoredNumber) {
  ASSERT_TRUE(edit(sample(), [](TConnFieldValues& v) {
    v.PaletteIndex = -1;
    v.KeyListIndex = -1;
  }));
  EXPECT_EQ(form->Record().PaletteNo, 1);
  EXPECT_EQ(form->Record().KeyListNo, 2);
}

TEST_F(ConnEditFormTest, ColourFontAndEventButtonsWorkOnTheRecordCopy) {
  form = std::make_unique<TConnEditForm>(view, folder(), sample());
  form->FormShow();
  form->Button3Click();  // cancelled
  form->Button5Click();  // cancelled
  EXPECT_EQ(form->Record(), sample());
  ASSERT_EQ(view.fontInputs.size(), 1u);

  view.colourAnswer = 5;
  form->Button3Click();
  EXPECT_EQ(view.colourInputs.back().PaletteNo, 1);
  EXPECT_EQ(form->Record().DefNormalFore, 5);
  EXPECT_EQ(form->Record().DefReverseBack, 6);

  view.fontAnswer = TFontChoice{"DejaVu Sans Mono", 11, true, false, true};
  form->Button5Click();
  EXPECT_EQ(form->Record().FontName, "DejaVu Sans Mono");
  EXPECT_EQ(form->Record().FontSize, 11);
  EXPECT_TRUE(form->Record().FontBold);
  EXPECT_FALSE(form->Record().FontItalic);
  EXPECT_TRUE(form->Record().FontUnderline);

  form->Button4Click();
  EXPECT_EQ(view.eventEditors, Names{"Mail host"});
  ASSERT_TRUE(form->OkBtnClick());
  EXPECT_EQ(form->Record().DefNormalFore, 5) << "the chosen colours survive OK";
  EXPECT_EQ(form->Record().FontSize, 11);
}

}  // namespace
}  // namespace ondrix::shell
