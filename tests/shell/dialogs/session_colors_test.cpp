// "Modify Colors" on a real session of the main window's logic (headless view, loopback host).

#include "shell/session_colors.h"

#include "main_form_fixture.h"
#include "session/tnemulvt.h"
#include "store/stores/con_db_fcns.h"

namespace ondrix::shell::testing {
namespace {

class SessionColorsTest : public MainFormTest {
 protected:
  store::ConnectionRecord stored(int number) {
    store::ConDBFcns book(data);
    book.Open();
    store::ConnectionRecord r = book.Read(number);
    book.Close();
    return r;
  }
};

TEST_F(SessionColorsTest, OkWritesTheRecordAndAppliesTheColours) {
  CreateForm();
  const int page = OpenConnected("Lab");
  session::TTnEmulVT& emu = *form->Panel(page).Emu;
  EXPECT_EQ(emu.NormalBackground(), emu.PaletteColor(0));
  std::vector<store::ConnectionRecord> shown;
  ModifySessionColors(*form, [&](const store::ConnectionRecord& r) {
    shown.push_back(r);
    store::ConnectionRecord copy = r;
    copy.DefNormalBack = 5;
    copy.DefReverseFore = 16;
    return std::optional(copy);
  });
  ASSERT_EQ(shown.size(), 1u);
  EXPECT_EQ(shown[0].Name, "Lab");
  EXPECT_EQ(form->Panel(page).Connection.DefNormalBack, 5);
  EXPECT_EQ(stored(0).DefNormalBack, 5);
  EXPECT_EQ(stored(0).DefReverseFore, 16);
  EXPECT_EQ(stored(0).Host, "127.0.0.1");
  EXPECT_EQ(emu.NormalBackground(), emu.PaletteColor(4));
}

TEST_F(SessionColorsTest, CancelChangesNothing) {
  CreateForm();
  const int page = OpenConnected("Lab");
  const store::ConnectionRecord before = stored(0);
  ModifySessionColors(*form, [](const store::ConnectionRecord&) {
    return std::optional<store::ConnectionRecord>();
  });
  EXPECT_EQ(stored(0), before);
  EXPECT_EQ(form->Panel(page).Connection.DefNormalBack, before.DefNormalBack);
}

TEST_F(SessionColorsTest, ANumberThatNowHoldsAnotherConnectionIsNotOverwritten) {
  CreateForm();
  const int page = OpenConnected("Lab");
  AddConnection(0, "Other", 1);  // the book was rearranged while the session was open
  ModifySessionColors(*form, [](const store::ConnectionRecord& r) {
    store::ConnectionRecord copy = r;
    copy.DefNormalBack = 7;
    return std::optional(copy);
  });
  EXPECT_EQ(stored(0).Name, "Other");
  EXPECT_NE(stored(0).DefNormalBack, 7);
  EXPECT_EQ(form->Panel(page).Connection.DefNormalBack, 7);
}

TEST_F(SessionColorsTest, APageClosedWhileTheDialogWasUpIsLeftAlone) {
  CreateForm();
  OpenConnected("Lab");
  const store::ConnectionRecord before = stored(0);
  ModifySessionColors(*form, [&](const store::ConnectionRecord& r) {
    form->ClosePage(0);
    Drain();
    store::ConnectionRecord copy = r;
    copy.DefNormalBack = 7;
    return std::optional(copy);
  });
  EXPECT_EQ(form->PageCount(), 0);
  EXPECT_EQ(stored(0), before);
}

TEST_F(SessionColorsTest, WithoutASessionTheDialogDoesNotOpen) {
  CreateForm();
  int shown = 0;
  ModifySessionColors(*form, [&](const store::ConnectionRecord&) {
    ++shown;
    return std::optional<store::ConnectionRecord>();
  });
  EXPECT_EQ(shown, 0);
}

}  // namespace
}  // namespace ondrix::shell::testing
