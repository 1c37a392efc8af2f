#include "shell/quick_connect_form.h"

#include <gtest/gtest.h>

#include "dialog_fixture.h"
#include "store/stores/def_db_fcns.h"

namespace ondrix::shell {
namespace {

using Names = std::vector<std::string>;

struct FakeQuickView : TQuickConnectView {
  void SetNames(const Names& n) override { names = n; }
  void SetHostText(const std::string& t) override {
    host = t;
    selected = names.empty() ? -1 : 0;
  }
  void SetPortText(const std::string& t) override { port = t; }
  void FocusHost() override { ++focused; }
  std::string HostText() const override { return host; }
  int SelectedIndex() const override { return selected; }
  std::string PortText() const override { return port; }
  // The user types into the host field: the list entry is no longer the source.
  void type(const std::string& text) {
    host = text;
    selected = -1;
  }

  Names names;
  std::string host;
  std::string port;
  int selected = -1;
  int focused = 0;
};

class QuickConnectFormTest : public testing::DialogTest {
 protected:
  std::optional<int> connect(const std::function<void(FakeQuickView&)>& input) {
    TQuickConnectForm form(view, folder(), TConnectionHooks{[this] { ++menuBuilds; }, {}});
    form.FormShow();
    input(view);
    return form.OkBtnClick();
  }

  FakeQuickView view;
  int menuBuilds = 0;
};

TEST_F(QuickConnectFormTest, ShowListsTheNamesPresetsTheFirstAndTheDefaultPort) {
  writeBook({{"alpha", "a.example"}, {"beta", "b.example"}});
  EXPECT_EQ(connect([](FakeQuickView&) {}), 0);
  EXPECT_EQ(view.names, (Names{"alpha", "beta"}));
  EXPECT_EQ(view.port, "23");
  EXPECT_EQ(view.focused, 1);
  EXPECT_EQ(menuBuilds, 0);
}

TEST_F(QuickConnectFormTest, AnEmptyBookPresetsNothing) {
  connect([](FakeQuickView& v) { v.type("x.example"); });
  EXPECT_TRUE(view.names.empty());
  EXPECT_EQ(view.host, "x.example");
}

TEST_F(QuickConnectFormTest, APickedEntryOpensItsPositionWithItsOwnPort) {
  writeBook({{"alpha", "a.example"}, {"beta", "b.example"}});
  EXPECT_EQ(connect([](FakeQuickView& v) {
              v.host = "beta";
              v.selected = 1;
              v.port = "7777";
            }),
            1);
  EXPECT_EQ(readBook().size(), 2u);
  EXPECT_EQ(readBook()[1].Port, 2301);
}

TEST_F(QuickConnectFormTest, ATypedNameMatchesWithoutLetterCaseAndTheLastEqualNameWins) {
  writeBook({{"Lab", "l1.example"}, {"alpha", "a.example"}, {"lab", "l2.example"},
             {"labs", "l3.example"}});
  EXPECT_EQ(connect([](FakeQuickView& v) { v.type("ALPHA"); }), 1);
  EXPECT_EQ(connect([](FakeQuickView& v) { v.type("LAB"); }), 2);
  EXPECT_EQ(readBook().size(), 4u);
  EXPECT_EQ(menuBuilds, 0);
}

TEST_F(QuickConnectFormTest, ANewHostBecomesAConnectionAtTheEndOfTheBook) {
  writeBook({{"zeta", "z.example"}});
  store::DefDBFcns defaults(folder());
  defaults.Open();
  defaults.WriteInteger("Lines", 40);
  defaults.Close();

  EXPECT_EQ(connect([](FakeQuickView& v) {
              v.type("new.example");
              v.port = "2424";
            }),
            1);
  EXPECT_EQ(menuBuilds, 1);
  const auto book = readBook();
  ASSERT_EQ(book.size(), 2u);
  const store::ConnectionRecord& r = book[1];
  EXPECT_EQ(r.RecordNo, 1);
  EXPECT_EQ(r.Name, "new.example");
  EXPECT_EQ(r.Host, "new.example");
  EXPECT_EQ(r.Port, 2424);
  EXPECT_EQ(r.Lines, 40);
  EXPECT_EQ(r.Emulation, "VT100");
  EXPECT_FALSE(r.SendWindowSize);

  EXPECT_EQ(connect([](FakeQuickView& v) {
              v.type("other.example");
              v.port = "telnet";
            }),
            2);
  EXPECT_EQ(readBook()[2].Port, 23);
}

TEST_F(QuickConnectFormTest, AnEmptyTextCreatesNothingAndKeepsTheDialogOpen) {
  EXPECT_EQ(connect([](FakeQuickView& v) { v.type(""); }), std::nullopt);
  EXPECT_EQ(dialogs.messages, Names{"You must supply a host name!"});
  EXPECT_EQ(view.focused, 2);
  EXPECT_TRUE(readBook().empty());
}

}  // namespace
}  // namespace ondrix::shell
