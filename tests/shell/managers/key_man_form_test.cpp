#include <gtest/gtest.h>

#include <functional>
#include <string>

#include "manager_fixture.h"
#include "shell/key_man_form.h"
#include "shell/keyboard_form.h"
#include "shell/keyboard_layout.h"
#include "store/stores/key_db_fcns.h"

namespace ondrix::shell {
namespace {

using Names = std::vector<std::string>;
using platform::MessageResult;
using testing::ManagerTest;

struct FakeKeyManView : TKeyManView {
  void ShowNames(const std::vector<std::string>& items, int index) override {
    names = items;
    selected = index;
  }
  void SetEditingEnabled(bool on) override { enabled = on; }
  std::optional<std::string> AskNewName(const std::string& name) override {
    asked = name;
    return newName;
  }
  void EditKeys(int position, store::TKeyItem& keylist) override {
    editedPosition = position;
    if (edit) edit(keylist);
  }
  void CloseWindow() override { ++closes; }

  Names names;
  int selected = -2;
  bool enabled = false;
  std::string asked;
  std::optional<std::string> newName;
  int editedPosition = -1;
  std::function<void(store::TKeyItem&)> edit;
  int closes = 0;
};

// The keyboard editor as a user drives it: Ctrl+f5 defined to send "hello".
struct NullKeyboardView : TKeyboardView {
  void SetCaption(const std::string&) override {}
  void SetKeyText(const std::string&) override {}
  void SetSendText(const std::string&, bool) override {}
  void FocusSendEdit() override {}
  void SetButtonDown(int, bool) override {}
  void CloseWindow() override {}
};

class KeyManFormTest : public ManagerTest {
 protected:
  void SetUp() override {
    installed = stored(0);
    form.OnClosed = [this] { ++menusBuilt; };
    view.edit = [this](store::TKeyItem& keylist) {
      NullKeyboardView keyboardView;
      TKeyboardForm editor(keyboardView, view.editedPosition, keylist, folder());
      editor.FormShow();
      editor.KeyTyped(findKeyButton("f5"), true, false, false);
      editor.SendEditChange("hello");
      editor.AcceptBtnClick();
      keylist = editor.KeyList();
    };
  }
  store::TKeyItem stored(int number) {
    store::KeyDBFcns keys(folder());
    keys.Open();
    store::TKeyItem keylist = keys.Read(number);
    keys.Close();
    return keylist;
  }
  Names storedNames() {
    store::KeyDBFcns keys(folder());
    keys.Open();
    Names names = keys.ListNames();
    keys.Close();
    return names;
  }
  // Adds keylists until there are `count`.
  void makeKeylists(int count) {
    while (static_cast<int>(form.Names().size()) < count) form.NewBtnClick();
  }
  static bool sends(const store::TKeyItem& keylist, const std::string& text) {
    for (const store::KeyEntry& e : keylist.Entries)
      if (e.SendText == text) return true;
    return false;
  }

  // Read before the form opens KEYS.QDB: while it holds the file, only the form reads it.
  store::TKeyItem installed;
  FakeKeyManView view;
  TKeyManForm form{view, folder()};
  int menusBuilt = 0;
};

TEST_F(KeyManFormTest, ShownWithTheInstalledKeylistsAndTheFirstLoaded) {
  form.FormShow();
  EXPECT_EQ(view.names, (Names{"Default", "ANSI", "VT100", "VT220"}));
  EXPECT_EQ(view.selected, 0);
  EXPECT_TRUE(view.enabled);
  EXPECT_EQ(form.Current(), installed);
  form.DoneBtnClick();
  EXPECT_EQ(view.closes, 1);
  form.FormClose();
  EXPECT_EQ(form.Current().RecordNo, -1);
  EXPECT_EQ(menusBuilt, 1);
}

TEST_F(KeyManFormTest, WithoutKeylistsEditingIsOffUntilANewOne) {
  std::filesystem::remove(folder() + "KEYS.QDB");
  form.FormShow();
  EXPECT_TRUE(view.names.empty());
  EXPECT_EQ(view.selected, -1);
  EXPECT_FALSE(view.enabled);
  form.EditBtnClick();
  form.DeleteBtnClick();
  form.NewBtnClick();
  EXPECT_EQ(view.names, (Names{"New keylist 0"}));
  EXPECT_TRUE(view.enabled);
  EXPECT_TRUE(dialogs.messages.empty());
  form.FormClose();
}

TEST_F(KeyManFormTest, NewKeylistIsACopyOfTheDefaultSelectedAndStored) {
  form.FormShow();
  form.NamesClick(2);
  form.NewBtnClick();
  EXPECT_EQ(view.names.back(), "New keylist 4");
  EXPECT_EQ(view.selected, 4);
  store::TKeyItem expected = installed;
  expected.RecordNo = 4;
  expected.Name = "New keylist 4";
  EXPECT_EQ(form.Current(), expected);
  EXPECT_EQ(stored(4), expected);  // written at once, and readable while the manager is up
  form.FormClose();
  EXPECT_EQ(stored(4), expected);
}

TEST_F(KeyManFormTest, TheDefaultKeylistCannotBeEditedOrRenamed) {
  form.FormShow();
  view.newName = "Other";
  form.EditBtnClick();
  form.RenameClick();
  EXPECT_EQ(dialogs.messages, (Names{"Cannot edit the default keylist.",
                                     "Cannot rename the default keylist."}));
  EXPECT_EQ(view.editedPosition, -1);
  EXPECT_EQ(view.asked, "");
  form.FormClose();
  EXPECT_EQ(storedNames().front(), "Default");
}

TEST_F(KeyManFormTest, EditorChangesAreWrittenWhenAnotherKeylistIsSelected) {
  form.FormShow();
  form.NamesClick(1);
  form.EditBtnClick();
  EXPECT_EQ(view.editedPosition, 1);
  EXPECT_TRUE(sends(form.Current(), "hello"));
  form.NamesClick(3);
  EXPECT_FALSE(sends(form.Current(), "hello"));
  form.NamesClick(1);  // read back from the store
  EXPECT_TRUE(sends(form.Current(), "hello"));
  EXPECT_EQ(form.Current().Name, "ANSI");
  form.NamesClick(3);
  form.EditBtnClick();
  form.FormClose();  // closed without "&Done": the changes stay all the same
  EXPECT_TRUE(sends(stored(1), "hello"));
  EXPECT_TRUE(sends(stored(3), "hello"));
  EXPECT_FALSE(sends(stored(2), "hello"));
}

TEST_F(KeyManFormTest, RenameWritesTheNewNameUnderThePosition) {
  form.FormShow();
  form.NamesClick(2);
  view.newName = std::nullopt;
  form.RenameClick();
  EXPECT_EQ(view.asked, "VT100");
  EXPECT_EQ(view.names[2], "VT100");
  view.newName = "Old VT100";
  form.RenameClick();
  EXPECT_EQ(view.names[2], "Old VT100");
  const store::TKeyItem renamed = form.Current();
  form.FormClose();
  EXPECT_EQ(storedNames(), (Names{"Default", "ANSI", "Old VT100", "VT220"}));
  EXPECT_EQ(stored(2), renamed);
}

TEST_F(KeyManFormTest, NativeKeylistsCannotBeDeletedOthersOnlyOnYes) {
  form.FormShow();
  makeKeylists(6);
  form.NamesClick(2);
  form.DeleteBtnClick();
  EXPECT_EQ(dialogs.messages, (Names{"Cannot delete a native keylist"}));
  form.NamesClick(4);
  dialogs.answers = {MessageResult::No};
  form.DeleteBtnClick();
  EXPECT_EQ(dialogs.messages.back(), "Delete keylist \"New keylist 4\"?");
  EXPECT_EQ(dialogs.styles.back(), platform::MessageStyle::Warning);
  EXPECT_EQ(view.names.size(), 6u);
  dialogs.answers = {MessageResult::Yes};
  form.DeleteBtnClick();
  EXPECT_EQ(view.names, (Names{"Default", "ANSI", "VT100", "VT220", "New keylist 5"}));
  EXPECT_EQ(view.selected, 0);
  EXPECT_EQ(form.Current().Name, "Default");
  form.FormClose();
  EXPECT_EQ(stored(4).Name, "New keylist 5");
  EXPECT_EQ(stored(4).RecordNo, 4);
  EXPECT_EQ(storedNames(), view.names);
}

TEST_F(KeyManFormTest, DeletingMovesTheReferencesOnBothSides) {
  writeBook({0, 3, 4, 5, 6, 5});
  setDefaultNumber("KeyListNo", 6);
  setDefaultNumber("PaletteNo", 6);
  form.FormShow();
  makeKeylists(7);
  form.NamesClick(5);
  dialogs.answers = {MessageResult::Yes};
  form.DeleteBtnClick();
  EXPECT_EQ(bookNumbers(&store::ConnectionRecord::KeyListNo), (std::vector<int>{0, 3, 4, 0, 5, 0}));
  EXPECT_EQ(bookNumbers(&store::ConnectionRecord::PaletteNo), (std::vector<int>{0, 3, 4, 5, 6, 5}));
  EXPECT_EQ(defaultNumber("KeyListNo"), 5);
  EXPECT_EQ(defaultNumber("PaletteNo"), 6);
  EXPECT_EQ(stored(5).Name, "New keylist 6");
  form.FormClose();
}

}  // namespace
}  // namespace ondrix::shell
