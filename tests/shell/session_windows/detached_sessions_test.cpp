// Detaching and reattaching sessions, and rearranging the tabs: what the tab control, the commands
// and the page numbers do, on the headless main window.

#include <algorithm>

#include "main_form_fixture.h"
#include "session/tnemulvt.h"
#include "shell/detached_sessions.h"
#include "shell/rearrange_form.h"

namespace ondrix::shell::testing {
namespace {

struct FakeDetachView final : TDetachView {
  int ButtonBarHeight() const override { return 30; }
  std::pair<int, int> TerminalSize(int) const override { return {640, 384}; }
  void OpenWindow(TDetachForm& form, int index, const TBounds& client, const std::string& caption) override {
    windows.push_back({&form, index, client, caption});
    ++open;
  }
  void ReturnTerminal(TDetachForm&, int index) override { returned.push_back(index); }
  void DestroyWindow(TDetachForm&) override { --open; }
  struct Window {
    TDetachForm* form;
    int index;
    TBounds client;
    std::string caption;
  };
  std::vector<Window> windows;
  std::vector<int> returned;
  int open = 0;
};

class DetachedSessionsTest : public MainFormTest {
 protected:
  void SetUp() override {
    CreateForm();
    form->FormShow({});
    view.WindowBounds = TBounds{100, 200, 665, 453};
    sessions = std::make_unique<TDetachedSessions>(*form, detachView);
    sessions->Install();
  }
  std::vector<std::string> Captions() const {
    std::vector<std::string> captions;
    for (int i = 0; i < form->PageCount(); ++i) captions.push_back(form->Page(i).Caption);
    return captions;
  }
  FakeDetachView detachView;
  std::unique_ptr<TDetachedSessions> sessions;
};

TEST_F(DetachedSessionsTest, DetachingTheOnlySessionHidesTheTabAreaAndReattachRestoresIt) {
  OpenConnected("Lab");
  form->Execute(CommandId::Detach);
  ASSERT_EQ(detachView.windows.size(), 1U);
  const auto& window = detachView.windows[0];
  EXPECT_EQ(window.caption, "Lab");
  EXPECT_EQ(window.client.Left, 108);
  EXPECT_EQ(window.client.Top, 240);
  EXPECT_EQ(window.client.Width, 640);
  EXPECT_TRUE(window.form->ReattachOnClose);
  EXPECT_EQ(form->PageCount(), 1);  // the page stays
  EXPECT_FALSE(view.Pages[0].TabVisible);
  EXPECT_FALSE(view.TabAreaVisible);
  for (CommandId id : {CommandId::Copy, CommandId::Detach, CommandId::LogToFile, CommandId::NextTab})
    EXPECT_FALSE(view.Enabled(id));
  EXPECT_EQ(view.StatusTexts[1], "");

  sessions->Reattach(*window.form);
  EXPECT_EQ(detachView.returned, std::vector<int>{0});
  EXPECT_EQ(detachView.open, 0);
  EXPECT_TRUE(sessions->DetachedForms().empty());
  EXPECT_TRUE(view.TabAreaVisible);
  EXPECT_TRUE(view.Pages[0].TabVisible);
  EXPECT_TRUE(view.Enabled(CommandId::Copy));
  EXPECT_TRUE(view.Enabled(CommandId::Detach));
  EXPECT_EQ(form->ActivePageIndex(), 0);
}

TEST_F(DetachedSessionsTest, DetachingTheActiveOfThreeActivatesTheLastVisibleTab) {
  OpenConnected("A");
  OpenConnected("B");
  OpenConnected("C");
  form->SetActivePage(1);
  form->Execute(CommandId::Detach);
  EXPECT_EQ(form->ActivePageIndex(), 2);
  form->SetActivePage(2);
  form->Execute(CommandId::Detach);
  EXPECT_EQ(form->ActivePageIndex(), 0);
  EXPECT_TRUE(view.TabAreaVisible);
  // Page numbers still count the hidden pages, in their places.
  EXPECT_EQ(Captions(), (std::vector<std::string>{"A", "B", "C"}));
  EXPECT_EQ(sessions->DetachedForms().size(), 2U);
  EXPECT_EQ(sessions->DetachedForms()[0]->Panel, &form->Panel(1));
  EXPECT_EQ(sessions->DetachedForms()[1]->Panel, &form->Panel(2));
  // The last attached one goes too: every page is detached.
  form->Execute(CommandId::Detach);
  EXPECT_FALSE(view.Enabled(CommandId::Detach));
  EXPECT_FALSE(view.TabAreaVisible);
}

TEST_F(DetachedSessionsTest, ClosingTheWindowReattachesAndShutdownReattachesFirst) {
  OpenConnected("A");
  OpenConnected("B");
  form->SetActivePage(0);
  form->Execute(CommandId::Detach);
  form->Execute(CommandId::Detach);
  ASSERT_EQ(sessions->DetachedForms().size(), 2U);
  sessions->Close(*sessions->DetachedForms()[1]);  // the close box
  EXPECT_TRUE(view.Pages[1].TabVisible);
  EXPECT_EQ(sessions->DetachedForms().size(), 1U);
  EXPECT_EQ(form->ActivePageIndex(), 1);

  form->Shutdown();
  EXPECT_EQ(detachView.open, 0);
  EXPECT_TRUE(sessions->DetachedForms().empty());
  // Reattached (page 0 back into its tab) before the pages were closed.
  EXPECT_EQ(detachView.returned, (std::vector<int>{1, 0}));
  EXPECT_EQ(form->PageCount(), 0);
}

TEST_F(DetachedSessionsTest, PageClosedWhileDetachedDropsItsWindow) {
  OpenConnected("A");
  OpenConnected("B");
  form->Execute(CommandId::Detach);
  TDetachForm& detached = *sessions->DetachedForms()[0];
  form->ClosePage(1);
  sessions->PageClosed(detached);
  EXPECT_TRUE(sessions->DetachedForms().empty());
  EXPECT_TRUE(detachView.returned.empty());
  EXPECT_EQ(detachView.open, 0);
}

TEST_F(DetachedSessionsTest, DetachedWindowCopiesAndPastesItsOwnSession) {
  OpenConnected("A");
  OpenConnected("B");
  form->SetActivePage(0);
  form->Execute(CommandId::Detach);
  TDetachForm& detached = *sessions->DetachedForms()[0];
  view.Clipboard.reset();
  sessions->Paste(detached);
  EXPECT_EQ(dialogs.boxes, std::vector<std::string>{"Clipboard data is not text"});
  sessions->Copy(detached);  // nothing selected: the clipboard is left alone
  EXPECT_FALSE(view.Clipboard.has_value());

  view.Clipboard = std::string(5000, 'x');
  sessions->Paste(detached);
  ASSERT_TRUE(peers[0]->waitFor(loop, std::string(4095, 'x')));
  Drain();
  const std::string received = peers[0]->take();
  EXPECT_EQ(std::count(received.begin(), received.end(), 'x'), 4095);
}

TEST_F(DetachedSessionsTest, RearrangeReordersPagesIncludingHiddenOnes) {
  OpenConnected("A");
  OpenConnected("B");
  OpenConnected("C");
  form->SetActivePage(1);
  form->Execute(CommandId::Detach);  // B is hidden and still listed
  TRearrangeForm dialog(*form);
  dialog.FormShow();
  EXPECT_EQ(dialog.Items(), (std::vector<std::string>{"A", "B", "C"}));
  EXPECT_EQ(dialog.Selected(), 0);
  dialog.Drop(2);  // A dropped on C
  EXPECT_EQ(dialog.Items(), (std::vector<std::string>{"B", "C", "A"}));
  EXPECT_EQ(dialog.Selected(), 2);
  dialog.Select(1);
  dialog.Drop(-1);  // outside the list
  dialog.Drop(0);   // C dropped on B
  EXPECT_EQ(dialog.Items(), (std::vector<std::string>{"C", "B", "A"}));
  // Nothing changes before "Ok".
  EXPECT_EQ(Captions(), (std::vector<std::string>{"A", "B", "C"}));
  TTermPanel* c = &form->Panel(2);
  dialog.Ok();
  EXPECT_EQ(Captions(), (std::vector<std::string>{"C", "B", "A"}));
  EXPECT_EQ(&form->Panel(0), c);
  EXPECT_FALSE(form->Page(1).TabVisible);
  EXPECT_EQ(sessions->DetachedForms()[0]->Panel, &form->Panel(1));
  // The script's page numbers follow: page 0 is now C.
  EXPECT_EQ(form->Page(0).Caption, "C");
}

}  // namespace
}  // namespace ondrix::shell::testing
