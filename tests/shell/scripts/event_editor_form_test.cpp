// The event handler editor's logic: pages per owner, the "Enabled" flag across page changes,
// reading missing handlers, saving every page in kind order, import and the check command.

#include <gtest/gtest.h>

#include <fstream>

#include "script/script_engine.h"
#include "shell/event_editor_form.h"
#include "script_fakes.h"
#include "store/stores/evt_db_fcns.h"

namespace ondrix::shell {
namespace {

using testing::FakeEventView;

class EventEditorTest : public testing::ScriptWindowTest {
 protected:
  // A form for `owner`, shown.
  TConnEventForm& show(const std::string& owner) {
    form_ = std::make_unique<TConnEventForm>(view, folder(), folder(), mainForm_);
    form_->Owner = owner;
    form_->FormShow();
    return *form_;
  }
  void store(const std::string& owner, std::int32_t kind, bool enabled, const std::string& script) {
    store::EvtDBFcns events(folder());
    events.Open();
    events.Write(owner, kind, {owner, kind, static_cast<std::uint8_t>(enabled ? 1 : 0), script});
    events.Close();
  }
  std::optional<store::EventRec> stored(const std::string& owner, std::int32_t kind) {
    store::RecordFile file(folder(), store::EvtDBFcns::kFileName);
    file.Open();
    const std::optional<std::string> item = file.Get(store::EventRec::key(owner, kind));
    file.Close();
    if (!item) return std::nullopt;
    return store::EventRec::decode(*item);
  }

  FakeEventView view;
  const script::ScriptEngine engine_;
  script::TComponent mainForm_{nullptr, "TMainForm", "MainForm"};
  std::unique_ptr<TConnEventForm> form_;
};

TEST_F(EventEditorTest, PagesFollowTheOwnerNameInExactCase) {
  const struct {
    std::string owner;
    std::vector<std::string> captions;
  } cases[] = {
      {"System", {"OnBeforeConnect", "OnConnect", "OnDisconnect", "OnWatch", "OnStart", "OnStop"}},
      {"system", {"OnBeforeConnect", "OnConnect", "OnDisconnect", "OnWatch"}},
      {"Mail host", {"OnBeforeConnect", "OnConnect", "OnDisconnect", "OnWatch"}},
  };
  for (const auto& c : cases) {
    view = FakeEventView();
    TConnEventForm& form = show(c.owner);
    EXPECT_EQ(view.caption, "Event handlers for \"" + c.owner + "\"");
    EXPECT_EQ(view.pages.captions, c.captions) << c.owner;
    EXPECT_EQ(form.ActivePage(), 0);
    EXPECT_EQ(view.pages.active, 0);
    form.FormClose();
  }
}

TEST_F(EventEditorTest, MissingHandlersReadDisabledAndEmptyAndSavingWritesFourRecords) {
  TConnEventForm& form = show("Lab");
  for (int i = 0; i < form.PageCount(); ++i) {
    EXPECT_FALSE(form.PageEnabled(i));
    EXPECT_EQ(view.pages.editor(i).text, "");
    EXPECT_FALSE(view.pages.editor(i).modified);
  }
  EXPECT_FALSE(view.enabledChecked);
  form.Execute(EditorCommand::SaveAndExit);
  EXPECT_EQ(view.closed, 1);
  form.FormClose();
  for (std::int32_t kind = 1; kind <= 4; ++kind) {
    const auto handler = stored("Lab", kind);
    ASSERT_TRUE(handler) << kind;
    EXPECT_EQ(handler, (store::EventRec{"Lab", kind, 0, ""}));
  }
  EXPECT_FALSE(stored("Lab", 5));
}

TEST_F(EventEditorTest, StoredHandlersAreShownWithTheirFlags) {
  store("System", store::kOnConnect, true, "begin end.");
  store("System", store::kOnStop, false, "begin\r\nend.");
  TConnEventForm& form = show("System");
  EXPECT_EQ(view.pages.editor(1).text, "begin end.");
  EXPECT_TRUE(form.PageEnabled(1));
  EXPECT_EQ(view.pages.editor(5).text, "begin\r\nend.");
  EXPECT_FALSE(form.PageEnabled(5));
  EXPECT_TRUE(view.pages.languageSet);
  EXPECT_GT(view.pages.editor(0).focused, 0);
}

TEST_F(EventEditorTest, EnabledFollowsTheActivePage) {
  store("Lab", store::kOnBeforeConnect, true, "begin end.");
  TConnEventForm& form = show("Lab");
  EXPECT_TRUE(view.enabledChecked);
  form.PageChanged(2);
  EXPECT_FALSE(view.enabledChecked);
  form.EnabledClicked(true);
  form.PageChanged(3);
  EXPECT_FALSE(view.enabledChecked);
  form.PageChanged(0);
  form.EnabledClicked(false);
  form.PageChanged(2);
  EXPECT_TRUE(view.enabledChecked);
  form.PageChanged(0);
  EXPECT_FALSE(view.enabledChecked);
  EXPECT_EQ((std::vector<bool>{form.PageEnabled(0), form.PageEnabled(1), form.PageEnabled(2), form.PageEnabled(3)}),
            (std::vector<bool>{false, false, true, false}));
}

TEST_F(EventEditorTest, SaveWritesEveryPageInKindOrder) {
  store("System", store::kOnStart, true, "old start");
  TConnEventForm& form = show("System");
  view.pages.editor(0).type("begin Beep end.");
  form.EnabledClicked(true);
  form.PageChanged(4);
  form.EnabledClicked(false);
  form.Execute(EditorCommand::SaveAndExit);
  EXPECT_TRUE(view.pages.captions.empty());
  EXPECT_EQ(view.closed, 1);
  form.FormClose();
  EXPECT_EQ(stored("System", 1), (store::EventRec{"System", 1, 1, "begin Beep end."}));
  EXPECT_EQ(stored("System", 5), (store::EventRec{"System", 5, 0, "old start"}));
  for (std::int32_t kind : {2, 3, 4, 6}) EXPECT_EQ(stored("System", kind), (store::EventRec{"System", kind, 0, ""}));
}

TEST_F(EventEditorTest, ExitWithoutSavingWritesNothing) {
  store("Lab", store::kOnConnect, true, "kept");
  TConnEventForm& form = show("Lab");
  view.pages.editor(1).type(" changed");
  form.Execute(EditorCommand::ExitWithoutSaving);
  EXPECT_EQ(view.closed, 1);
  form.FormClose();
  const auto kept = stored("Lab", store::kOnConnect);
  ASSERT_TRUE(kept);
  EXPECT_EQ(kept->Script, "kept");
  EXPECT_FALSE(stored("Lab", store::kOnBeforeConnect));
}

TEST_F(EventEditorTest, ImportReplacesTheActivePageAndACancelLeavesIt) {
  {
    std::ofstream(folder() + "hello.oxs", std::ios::binary) << "begin\r\n  Beep\r\nend.";
  }
  TConnEventForm& form = show("Lab");
  form.PageChanged(1);
  view.pages.editor(1).text = "before";
  form.Execute(EditorCommand::ImportScript);  // cancelled
  EXPECT_EQ(view.pages.editor(1).text, "before");
  ASSERT_EQ(view.dialogs.size(), 1u);
  EXPECT_EQ(view.dialogs[0], "Select script to import|Ondrix Script files|*.oxs|All files|*.*|oxs");
  view.importAnswer = folder() + "hello.oxs";
  form.Execute(EditorCommand::ImportScript);
  EXPECT_EQ(view.pages.editor(1).text, "begin\r\n  Beep\r\nend.");
  EXPECT_EQ(view.pages.status[1], "Modified");
  view.importAnswer = folder() + "missing.oxs";
  form.Execute(EditorCommand::ImportScript);
  EXPECT_EQ(view.pages.editor(1).text, "begin\r\n  Beep\r\nend.");
  ASSERT_EQ(dialogs.messages.size(), 1u);
  EXPECT_TRUE(dialogs.messages[0].starts_with("Cannot open file \"" + folder() + "missing.oxs\". ")) << dialogs.messages[0];
}

TEST_F(EventEditorTest, StatusShowsCaretModifiedAndTypingMode) {
  TConnEventForm& form = show("Lab");
  EXPECT_EQ(view.pages.status, (std::array<std::string, 3>{"1:1", "", "Insert"}));
  testing::FakeEditor& editor = view.pages.editor(0);
  editor.type("x");
  editor.line = 3;
  editor.column = 5;
  editor.overwrite = true;
  form.EditorChanged();
  EXPECT_EQ(view.pages.status, (std::array<std::string, 3>{"3:5", "Modified", "Overwrite"}));
  form.PageChanged(1);
  EXPECT_EQ(view.pages.status, (std::array<std::string, 3>{"1:1", "", "Insert"}));
}

TEST_F(EventEditorTest, ClipboardCommandsActOnTheActiveEditor) {
  TConnEventForm& form = show("Lab");
  form.PageChanged(2);
  for (EditorCommand id : {EditorCommand::Cut, EditorCommand::Copy, EditorCommand::Paste}) form.Execute(id);
  EXPECT_EQ(view.pages.editor(2).calls, (std::vector<std::string>{"Cut", "Copy", "Paste"}));
  EXPECT_TRUE(view.pages.editor(0).calls.empty());
}

TEST_F(EventEditorTest, CheckPutsTheCaretOnTheErrorLine) {
  TConnEventForm& form = show("Lab");
  testing::FakeEditor& editor = view.pages.editor(0);
  editor.text = "begin\r\n  Result := MainForm;\r\n  x := 1;\r\nend.";
  form.Execute(EditorCommand::CheckScript);
  ASSERT_EQ(dialogs.messages.size(), 1u);
  EXPECT_TRUE(dialogs.messages[0].starts_with("Syntax error in  (3): ")) << dialogs.messages[0];
  EXPECT_EQ(editor.line, 3);
  editor.text = "begin\r\n  Result := MainForm;\r\nend.";
  form.Execute(EditorCommand::CheckScript);
  EXPECT_EQ(dialogs.messages.back(), TEditorScriptRunner::kCheckedText);
}

}  // namespace
}  // namespace ondrix::shell
