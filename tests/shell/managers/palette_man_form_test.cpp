#include <gtest/gtest.h>

#include <array>
#include <string>

#include "manager_fixture.h"
#include "shell/palette_man_form.h"
#include "store/stores/pal_db_fcns.h"

namespace ondrix::shell {
namespace {

using Names = std::vector<std::string>;
using platform::MessageResult;
using testing::ManagerTest;

struct FakePaletteManView : TPaletteManView {
  void ShowNames(const std::vector<std::string>& items, int index) override {
    names = items;
    selected = index;
  }
  void SetPanelColor(int panel, std::uint32_t color) override { panels.at(panel - 1) = color; }
  std::optional<std::uint32_t> ChooseColor(std::uint32_t color) override {
    offered = color;
    return chosen;
  }
  std::optional<std::string> AskNewName(const std::string& name) override {
    asked = name;
    return newName;
  }
  void CloseWindow() override { ++closes; }

  Names names;
  int selected = -2;
  std::array<std::uint32_t, 16> panels{};
  std::optional<std::uint32_t> offered;
  std::optional<std::uint32_t> chosen;
  std::string asked;
  std::optional<std::string> newName;
  int closes = 0;
};

class PaletteManFormTest : public ManagerTest {
 protected:
  store::PaletteRecord stored(int number) {
    store::PalDBFcns palettes(folder());
    palettes.Open();
    store::PaletteRecord palette = palettes.Read(number);
    palettes.Close();
    return palette;
  }

  void SetUp() override {
    for (int i = 0; i < 3; ++i) installed[static_cast<std::size_t>(i)] = stored(i);
  }
  // Read before the form opens PALETTES.QDB: while it holds the file, only the form reads it.
  std::array<store::PaletteRecord, 3> installed;
  FakePaletteManView view;
  TPaletteManForm form{view, folder()};
};

TEST_F(PaletteManFormTest, ShownWithThePanelsOfTheDefaultPalette) {
  form.FormShow();
  EXPECT_EQ(view.names, (Names{"Default", "Green screen", "Amber"}));
  EXPECT_EQ(view.selected, 0);
  EXPECT_EQ(view.panels, installed[0].Colors);
  form.NamesClick(2);
  EXPECT_EQ(view.panels, installed[2].Colors);
  form.DoneBtnClick();
  EXPECT_EQ(view.closes, 1);
}

TEST_F(PaletteManFormTest, TheDefaultPaletteCannotBeChangedRenamedOrDeleted) {
  form.FormShow();
  view.chosen = 0x123456;
  view.newName = "x";
  dialogs.answers = {MessageResult::Yes};
  form.PanelDblClick(3);
  form.RenameClick();
  form.DeleteBtnClick();
  EXPECT_EQ(dialogs.messages,
            (Names{"Cannot modify the default palette", "Cannot rename the default palette",
                   "Cannot delete the default palette"}));
  EXPECT_FALSE(view.offered);
  EXPECT_EQ(stored(0).Name, "Default");
  EXPECT_EQ(stored(0).Colors[2], 0x0000AA00u);
}

TEST_F(PaletteManFormTest, ANewPaletteIsSelectedAtOnceSoAColourChangeWritesIt) {
  form.FormShow();
  form.NamesClick(1);
  form.NewBtnClick();
  EXPECT_EQ(view.names.back(), "New palette 3");
  EXPECT_EQ(view.selected, 3);
  EXPECT_EQ(view.panels, installed[0].Colors);
  view.chosen = 0x00ABCDEF;
  form.PanelDblClick(16);
  EXPECT_EQ(view.offered, installed[0].Colors[15]);
  EXPECT_EQ(view.panels[15], 0x00ABCDEFu);
  view.chosen = std::nullopt;  // the colour dialog cancelled: nothing changes
  form.PanelDblClick(1);
  form.NamesClick(1);
  EXPECT_NE(form.Current().Colors[15], 0x00ABCDEFu);
  form.NamesClick(3);  // read back from the store
  EXPECT_EQ(form.Current().Colors[15], 0x00ABCDEFu);
  EXPECT_EQ(stored(3).Colors[15], 0x00ABCDEFu);
  EXPECT_EQ(stored(3).Colors[0], stored(0).Colors[0]);
  EXPECT_EQ(stored(3).Name, "New palette 3");
  EXPECT_EQ(stored(3).RecordNo, 3);
  EXPECT_NE(stored(1).Colors[15], 0x00ABCDEFu);
}

TEST_F(PaletteManFormTest, RenameCutsToSixtyAndWrites) {
  form.FormShow();
  form.NamesClick(2);
  view.newName = std::string(70, 'n');
  form.RenameClick();
  EXPECT_EQ(view.asked, "Amber");
  EXPECT_EQ(view.names[2], std::string(60, 'n'));
  const store::PaletteRecord renamed = form.Current();
  EXPECT_EQ(stored(2).Name, std::string(60, 'n'));
  EXPECT_EQ(stored(2), renamed);
}

TEST_F(PaletteManFormTest, DeletingAPaletteInUseMovesTheReferencesOnBothSides) {
  writeBook({0, 1, 2, 3, 2, 1});
  setDefaultNumber("PaletteNo", 2);
  setDefaultNumber("KeyListNo", 2);
  form.FormShow();
  form.NewBtnClick();  // 3
  form.NamesClick(1);
  dialogs.answers = {MessageResult::No};
  form.DeleteBtnClick();
  EXPECT_EQ(dialogs.messages, (Names{"Delete palette \"Green screen\"?"}));
  EXPECT_EQ(bookNumbers(&store::ConnectionRecord::PaletteNo), (std::vector<int>{0, 1, 2, 3, 2, 1}));
  dialogs.answers = {MessageResult::Yes};
  form.DeleteBtnClick();
  EXPECT_EQ(view.names, (Names{"Default", "Amber", "New palette 3"}));
  EXPECT_EQ(view.selected, 0);
  EXPECT_EQ(view.panels, installed[0].Colors);
  EXPECT_EQ(bookNumbers(&store::ConnectionRecord::PaletteNo), (std::vector<int>{0, 0, 1, 2, 1, 0}));
  EXPECT_EQ(bookNumbers(&store::ConnectionRecord::KeyListNo), (std::vector<int>{0, 1, 2, 3, 2, 1}));
  EXPECT_EQ(defaultNumber("PaletteNo"), 1);
  EXPECT_EQ(defaultNumber("KeyListNo"), 2);
  EXPECT_EQ(stored(1).Name, "Amber");
  EXPECT_EQ(stored(2).Name, "New palette 3");
  EXPECT_EQ(stored(3).RecordNo, -1);
}

TEST_F(PaletteManFormTest, APaletteMissingFromTheStoreCannotShowItsColours) {
  {
    store::PalDBFcns palettes(folder());
    palettes.Open();
    store::PaletteRecord stray = palettes.Read(2);
    palettes.Write(5, stray);  // a gap: the fourth name has no palette 3
    palettes.Close();
  }
  form.FormShow();
  form.NamesClick(3);
  EXPECT_EQ(dialogs.messages, (Names{"Could not get colors"}));
}

// The store is not held between steps: another reader while the manager is up (a session opened by
// a script) neither sees a half-written file nor undoes what the manager wrote.
TEST_F(PaletteManFormTest, AnotherReaderWhileTheManagerIsUpLosesNothing) {
  form.FormShow();
  form.NewBtnClick();
  EXPECT_EQ(stored(3).Name, "New palette 3");
  view.chosen = 0x00010203;
  form.PanelDblClick(2);
  EXPECT_EQ(stored(3).Colors[1], 0x00010203u);
  form.NamesClick(3);
  EXPECT_EQ(form.Current().Colors[1], 0x00010203u);
}

}  // namespace
}  // namespace ondrix::shell
