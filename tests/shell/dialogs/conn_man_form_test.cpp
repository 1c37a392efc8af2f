#include "shell/conn_man_form.h"

#include <gtest/gtest.h>

#include "dialog_fixture.h"
#include "store/stores/def_db_fcns.h"
#include "store/stores/evt_db_fcns.h"

namespace ondrix::shell {
namespace {

using Names = std::vector<std::string>;
using testing::DialogTest;

struct FakeManView : TConnManView {
  void ShowNames(const Names& n) override {
    names = n;
    selected = -1;
  }
  void SetSelected(int index) override { selected = index; }
  void SetEnabled(TControl control, bool on) override { enabled[control] = on; }
  std::optional<store::ConnectionRecord> EditConnection(const store::ConnectionRecord& r) override {
    edited.push_back(r);
    if (!editAnswer) return std::nullopt;
    store::ConnectionRecord copy = r;
    copy.Host = *editAnswer;
    return copy;
  }
  std::optional<std::string> AskNewName(const std::string& name) override {
    askedNames.push_back(name);
    return renameAnswer;
  }
  void Close() override { ++closes; }

  Names names;
  int selected = -2;
  std::array<bool, 4> enabled = {true, true, true, true};
  std::optional<std::string> editAnswer;
  std::optional<std::string> renameAnswer;
  std::vector<store::ConnectionRecord> edited;
  Names askedNames;
  int closes = 0;
};

class ConnManFormTest : public DialogTest {
 protected:
  TConnManForm& form() {
    if (!form_)
      form_ = std::make_unique<TConnManForm>(
          view, folder(),
          TConnectionHooks{[this] { menus.push_back(bookNames()); },
                           [this](int index) { opened.push_back(index); }});
    return *form_;
  }
  // What BuildConnectMenu would read: the book's names in record order.
  Names bookNames() {
    Names names;
    for (const store::ConnectionRecord& r : readBook()) names.push_back(r.Name);
    return names;
  }
  bool enabled(TConnManView::TControl c) {
    EXPECT_EQ(view.enabled[c], form().Enabled(c));
    return form().Enabled(c);
  }

  FakeManView view;
  std::vector<Names> menus;
  std::vector<int> opened;

 private:
  std::unique_ptr<TConnManForm> form_;
};

TEST_F(ConnManFormTest, EmptyBookDisablesTheListAndAddNewEnablesIt) {
  form().FormShow();
  EXPECT_TRUE(view.names.empty());
  for (auto c : {TConnManView::kNames, TConnManView::kDeleteBtn, TConnManView::kEditBtn,
                 TConnManView::kConnBtn})
    EXPECT_FALSE(enabled(c)) << c;

  form().NewBtnClick();
  EXPECT_EQ(view.names, Names{"New connection 0"});
  EXPECT_EQ(view.selected, 0);
  EXPECT_TRUE(enabled(TConnManView::kNames));
  EXPECT_TRUE(enabled(TConnManView::kDeleteBtn));
  EXPECT_TRUE(enabled(TConnManView::kEditBtn));
  EXPECT_FALSE(enabled(TConnManView::kConnBtn));
  EXPECT_TRUE(view.edited.empty()) << "adding does not open the editor";
  form().DoneBtnClick();

  // Seeded from the factory defaults, written under number 0.
  const auto book = readBook();
  ASSERT_EQ(book.size(), 1u);
  const store::ConnectionRecord& r = book[0];
  EXPECT_EQ(r.RecordNo, 0);
  EXPECT_EQ(r.Name, "New connection 0");
  EXPECT_EQ(r.Host, "");
  EXPECT_FALSE(r.SendWindowSize);
  EXPECT_EQ(r.Port, 23);
  EXPECT_EQ(r.Emulation, "VT100");
  EXPECT_EQ(r.Lines, 25);
  EXPECT_EQ(r.Columns, 80);
  EXPECT_EQ(r.DefNormalFore, 8);
  EXPECT_EQ(r.DefReverseBack, 8);
  EXPECT_EQ(r.FontName, "Terminal");
}

TEST_F(ConnManFormTest, ALaterRefreshThatFindsNamesDoesNotEnableTheListAgain) {
  form().FormShow();
  form().DoneBtnClick();
  writeBook({{"alpha", "a.example"}});
  form().FormShow();
  EXPECT_EQ(view.names, Names{"alpha"});
  EXPECT_FALSE(enabled(TConnManView::kNames));
  EXPECT_FALSE(enabled(TConnManView::kDeleteBtn));
  EXPECT_FALSE(enabled(TConnManView::kEditBtn));
  EXPECT_TRUE(enabled(TConnManView::kConnBtn)) << "the first name is selected and has a host";
  form().NewBtnClick();
  EXPECT_EQ(view.names, (Names{"alpha", "New connection 1"}));
  EXPECT_TRUE(enabled(TConnManView::kNames));
  form().DoneBtnClick();
}

TEST_F(ConnManFormTest, AddNewCutsTheDefaultEmulationToFiveCharacters) {
  store::DefDBFcns defaults(folder());
  defaults.Open();
  defaults.WriteText("Emulation", "VT100X");
  defaults.Close();
  form().FormShow();
  form().NewBtnClick();
  EXPECT_EQ(form().Current().Emulation, "VT100");
  form().DoneBtnClick();
  EXPECT_EQ(readBook()[0].Emulation, "VT100");
}

TEST_F(ConnManFormTest, RefreshSortsTheBookAndSelectingEnablesConnectOnlyWithAHost) {
  writeBook({{"zulu", "z.example"}, {"Mike", ""}, {"alpha", "a.example"}});
  form().FormShow();
  EXPECT_EQ(view.names, (Names{"Mike", "alpha", "zulu"}));
  EXPECT_EQ(view.selected, 0);
  EXPECT_EQ(form().Current().Name, "Mike");
  EXPECT_FALSE(enabled(TConnManView::kConnBtn));
  form().NamesClick(2);
  EXPECT_EQ(form().Current().Name, "zulu");
  EXPECT_EQ(form().Current().RecordNo, 2);
  EXPECT_TRUE(enabled(TConnManView::kConnBtn));
  form().NamesClick(0);
  EXPECT_FALSE(enabled(TConnManView::kConnBtn));
  form().DoneBtnClick();
}

TEST_F(ConnManFormTest, ANewConnectionCanConnectOnlyAfterAHostIsEdited) {
  writeBook({{"alpha", "a.example"}});
  form().FormShow();
  form().NewBtnClick();
  EXPECT_FALSE(enabled(TConnManView::kConnBtn));

  form().EditBtnClick();  // cancelled
  EXPECT_FALSE(enabled(TConnManView::kConnBtn));
  view.editAnswer = "new.example";
  form().EditBtnClick();
  ASSERT_EQ(view.edited.size(), 2u);
  EXPECT_EQ(view.edited[1].Name, "New connection 1");
  EXPECT_TRUE(enabled(TConnManView::kConnBtn));
  EXPECT_EQ(form().Current().Host, "new.example");

  form().ConnBtnClick();
  EXPECT_EQ(view.closes, 1);
  EXPECT_EQ(opened, std::vector<int>{1});
  ASSERT_EQ(menus.size(), 1u) << "the Connect submenu is rebuilt before the session opens";
  EXPECT_EQ(menus[0], (Names{"alpha", "New connection 1"}));
  EXPECT_EQ(readBook()[1].Host, "new.example");
}

TEST_F(ConnManFormTest, DeletingTheMiddleConnectionRenumbersTheRestAndItsHandlersGo) {
  writeBook({{"a", "a.example"}, {"b", "b.example"}, {"c", "c.example"}});
  store::EvtDBFcns events(folder());
  events.Open();
  for (const char* name : {"a", "b", "c"})
    for (int kind = 1; kind <= 4; ++kind) events.Write(name, kind, {name, kind, 1, "begin end."});
  events.Close();

  form().FormShow();
  form().NamesClick(1);
  dialogs.answer = platform::MessageResult::No;
  form().DeleteBtnClick();
  ASSERT_EQ(dialogs.messages, Names{"Delete connection \"b\"?"});
  EXPECT_EQ(dialogs.styles[0], platform::MessageStyle::Warning);
  EXPECT_EQ(view.names, (Names{"a", "b", "c"}));

  dialogs.answer = platform::MessageResult::Yes;
  form().DeleteBtnClick();
  EXPECT_EQ(view.names, (Names{"a", "c"}));
  EXPECT_EQ(view.selected, 0);
  form().DoneBtnClick();

  const auto book = readBook();
  ASSERT_EQ(book.size(), 2u);
  EXPECT_EQ(book[1].Name, "c");
  EXPECT_EQ(book[1].RecordNo, 1);
  ASSERT_EQ(menus.size(), 1u);
  EXPECT_EQ(menus[0], (Names{"a", "c"}));
  events.Open();
  for (int kind = 1; kind <= 4; ++kind) {
    EXPECT_EQ(events.Read("b", kind).Enabled, 0) << kind;
    EXPECT_EQ(events.Read("c", kind).Script, "begin end.") << kind;
  }
  events.Close();
}

TEST_F(ConnManFormTest, DeletingTheLastConnectionDisablesTheList) {
  writeBook({{"only", "o.example"}});
  form().FormShow();
  form().DeleteBtnClick();
  EXPECT_TRUE(view.names.empty());
  EXPECT_FALSE(enabled(TConnManView::kNames));
  EXPECT_FALSE(enabled(TConnManView::kConnBtn));
  form().DeleteBtnClick();  // nothing selected: nothing asked
  EXPECT_EQ(dialogs.messages.size(), 1u);
  form().DoneBtnClick();
  EXPECT_TRUE(readBook().empty());
}

TEST_F(ConnManFormTest, RenamingResortsAndLeavesTheHandlersUnderTheOldName) {
  writeBook({{"alpha", "a.example"}, {"beta", "b.example"}});
  store::EvtDBFcns events(folder());
  events.Open();
  events.Write("beta", 2, {"beta", 2, 1, "begin end."});
  events.Close();

  form().FormShow();
  form().NamesClick(1);
  form().RenameClick();  // cancelled: the list is refreshed all the same
  EXPECT_EQ(view.askedNames, Names{"beta"});
  EXPECT_EQ(view.selected, 0);

  form().NamesClick(1);
  view.renameAnswer = "Aardvark";
  form().RenameClick();
  EXPECT_EQ(view.names, (Names{"Aardvark", "alpha"}));
  EXPECT_EQ(form().Current().Name, "Aardvark");
  EXPECT_EQ(form().Current().Host, "b.example");
  form().DoneBtnClick();

  EXPECT_EQ(readBook()[0].Host, "b.example");
  events.Open();
  EXPECT_EQ(events.Read("beta", 2).Script, "begin end.");
  EXPECT_EQ(events.Read("Aardvark", 2).Script, "");
  events.Close();
}

TEST_F(ConnManFormTest, WithoutASelectionEditAndRenameDoNothing) {
  form().FormShow();
  form().EditBtnClick();
  form().RenameClick();
  EXPECT_TRUE(view.edited.empty());
  EXPECT_TRUE(view.askedNames.empty());
  form().DoneBtnClick();
}

TEST_F(ConnManFormTest, ClosingTheWindowSavesOnceAndRebuildsTheMenuOnce) {
  form().FormShow();
  form().NewBtnClick();
  form().FormClose();
  EXPECT_EQ(menus, std::vector<Names>{Names{"New connection 0"}});
  form().FormClose();
  EXPECT_EQ(menus.size(), 1u);

  form().FormShow();  // the kept manager shows again
  EXPECT_EQ(view.names, Names{"New connection 0"});
  form().DoneBtnClick();
  form().FormClose();
  EXPECT_EQ(menus.size(), 2u);
  EXPECT_TRUE(opened.empty());
}

}  // namespace
}  // namespace ondrix::shell
