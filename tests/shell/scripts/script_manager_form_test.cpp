// The script manager's logic: untitled numbering, tag 99 enabling, open, save, save as, the close
// question with each answer, closing the window page by page, run and check.

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>

#include "script/internal_var.h"
#include "script/script_engine.h"
#include "shell/script_manager_form.h"
#include "script_fakes.h"

namespace ondrix::shell {
namespace {

using platform::MessageResult;
using testing::FakeEditor;
using testing::FakeManagerView;

std::string readFile(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  std::ostringstream text;
  text << in.rdbuf();
  return text.str();
}

class ScriptManagerTest : public testing::ScriptWindowTest {
 protected:
  TScriptEditForm& form() {
    if (!form_) form_ = std::make_unique<TScriptEditForm>(view, folder(), mainForm_);
    return *form_;
  }
  std::string question(const std::string& fileName) {
    return "Script \"" + fileName + "\" has been modified. Save changes?";
  }
  FakeEditor& active() { return view.pages.editor(form().ActivePage()); }

  FakeManagerView view;
  const script::ScriptEngine engine_;
  script::TComponent mainForm_{nullptr, "TMainForm", "MainForm"};
  std::unique_ptr<TScriptEditForm> form_;
};

TEST_F(ScriptManagerTest, UntitledNumbersCountOnAfterPagesClose) {
  for (int i = 0; i < 3; ++i) form().Execute(EditorCommand::NewScript);
  EXPECT_EQ(view.pages.captions, (std::vector<std::string>{"Untitled1.oxs", "Untitled2.oxs", "Untitled3.oxs"}));
  EXPECT_EQ(form().ActivePage(), 2);
  EXPECT_EQ(view.shown, 3);
  ASSERT_TRUE(form().CloseQuery());  // nothing changed: no question
  EXPECT_TRUE(dialogs.messages.empty());
  form().Execute(EditorCommand::NewScript);
  EXPECT_EQ(view.pages.captions, (std::vector<std::string>{"Untitled4.oxs"}));
  EXPECT_EQ(form().FileName(0), "Untitled4.oxs");
}

TEST_F(ScriptManagerTest, NewScriptLoadsAFileOfItsNameFromTheCurrentFolder) {
  std::ofstream(folder() + "Untitled1.oxs", std::ios::binary) << "begin end.";
  form().Execute(EditorCommand::NewScript);
  EXPECT_EQ(active().text, "begin end.");
  EXPECT_FALSE(active().modified);
  EXPECT_EQ(form().FileName(0), "Untitled1.oxs");
}

TEST_F(ScriptManagerTest, TaggedCommandsNeedAPage) {
  form();
  EXPECT_FALSE(view.pagesVisible);
  const auto expectTagged = [this](bool enabled) {
    for (const TEditorCommand& c : editorCommandTable()) {
      const bool help = c.Id == EditorCommand::HelpContents || c.Id == EditorCommand::HelpIndex;
      EXPECT_EQ(view.commandEnabled.at(c.Id), help ? false : (!c.Tag99 || enabled)) << c.Caption;
    }
  };
  expectTagged(false);
  for (EditorCommand id : {EditorCommand::RunScript, EditorCommand::SaveScript, EditorCommand::CloseScript,
                           EditorCommand::PrintScript, EditorCommand::Cut, EditorCommand::Copy, EditorCommand::Paste})
    EXPECT_TRUE(editorCommand(id).Tag99);
  form().Execute(EditorCommand::SaveScript);  // disabled: no dialog, no crash
  EXPECT_TRUE(view.dialogs.empty());
  form().Execute(EditorCommand::NewScript);
  EXPECT_TRUE(view.pagesVisible);
  expectTagged(true);
  form().Execute(EditorCommand::CloseScript);
  EXPECT_FALSE(view.pagesVisible);
  expectTagged(false);
  EXPECT_EQ(view.pages.status, (std::array<std::string, 3>{"", "", ""}));
}

TEST_F(ScriptManagerTest, HelpCommandsFollowTheHandler) {
  std::vector<EditorCommand> asked;
  form().SetHelpHandler([&asked](EditorCommand id) { asked.push_back(id); });
  EXPECT_TRUE(view.commandEnabled.at(EditorCommand::HelpContents));
  form().Execute(EditorCommand::HelpContents);
  form().Execute(EditorCommand::HelpIndex);
  EXPECT_EQ(asked, (std::vector<EditorCommand>{EditorCommand::HelpContents, EditorCommand::HelpIndex}));
}

TEST_F(ScriptManagerTest, OpenLoadsAnExistingFileWithItsFullPath) {
  std::filesystem::create_directory(folder() + "sub");
  std::ofstream(folder() + "sub/login.oxs", std::ios::binary) << "begin\r\nend.";
  view.openAnswers = {std::nullopt, folder() + "sub/nothing.oxs", folder() + "sub/login.oxs"};
  for (int i = 0; i < 3; ++i) form().Execute(EditorCommand::OpenScript);
  EXPECT_EQ(view.dialogs.front(), "open|Ondrix script files|*.oxs|All files|*.*|oxs");
  ASSERT_EQ(form().PageCount(), 1);
  EXPECT_EQ(form().FileName(0), folder() + "sub/login.oxs");
  EXPECT_EQ(view.pages.captions[0], "login.oxs");
  EXPECT_EQ(active().text, "begin\r\nend.");
  EXPECT_FALSE(active().modified);
  EXPECT_EQ(view.shown, 1);
}

TEST_F(ScriptManagerTest, SaveAsksForANameOnlyForAnUntitledScript) {
  form().Execute(EditorCommand::NewScript);
  active().type("begin end.");
  view.saveAnswers = {std::nullopt};
  form().Execute(EditorCommand::SaveScript);
  EXPECT_EQ(view.dialogs.back(), "save Untitled1.oxs|Ondrix script files|*.oxs|All files|*.*|oxs");
  EXPECT_TRUE(active().modified);
  EXPECT_FALSE(std::filesystem::exists(folder() + "Untitled1.oxs"));

  view.saveAnswers = {folder() + "first.oxs"};
  form().Execute(EditorCommand::SaveScript);
  EXPECT_EQ(readFile(folder() + "first.oxs"), "begin end.");
  EXPECT_EQ(form().FileName(0), folder() + "first.oxs");
  EXPECT_EQ(view.pages.captions[0], "first.oxs");
  EXPECT_FALSE(active().modified);

  active().type("\r\n");
  const std::size_t dialogsBefore = view.dialogs.size();
  form().Execute(EditorCommand::SaveScript);  // named: no dialog
  EXPECT_EQ(view.dialogs.size(), dialogsBefore);
  EXPECT_EQ(readFile(folder() + "first.oxs"), "begin end.\r\n");

  view.saveAnswers = {folder() + "second.oxs"};
  form().Execute(EditorCommand::SaveScriptAs);
  EXPECT_EQ(view.dialogs.back(), "save " + folder() + "first.oxs|Ondrix script files|*.oxs|All files|*.*|oxs");
  EXPECT_EQ(view.pages.captions[0], "second.oxs");
  EXPECT_EQ(readFile(folder() + "second.oxs"), "begin end.\r\n");
}

TEST_F(ScriptManagerTest, ASaveThatFailsIsReportedAndKeepsTheTextChanged) {
  form().Execute(EditorCommand::NewScript);
  active().type("text");
  view.saveAnswers = {folder() + "no-such-folder/x.oxs"};
  form().Execute(EditorCommand::SaveScript);
  ASSERT_EQ(dialogs.messages.size(), 1u);
  EXPECT_TRUE(dialogs.messages[0].starts_with("Cannot create file \"" + folder() + "no-such-folder/x.oxs\". "));
  EXPECT_TRUE(active().modified);
  EXPECT_EQ(form().FileName(0), "Untitled1.oxs");
}

TEST_F(ScriptManagerTest, TheCloseQuestionAndEachAnswer) {
  struct Case {
    std::string name;
    MessageResult answer;
    std::optional<std::string> saveAs;  // the save dialog's answer
    bool closed;
    bool written;
  };
  const Case cases[] = {
      {"yes, saved under a name", MessageResult::Yes, "saved.oxs", true, true},
      {"yes, save dialog cancelled", MessageResult::Yes, std::nullopt, false, false},
      {"no", MessageResult::No, std::nullopt, true, false},
      {"cancel", MessageResult::Cancel, std::nullopt, false, false},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    std::filesystem::remove(folder() + "saved.oxs");
    view = FakeManagerView();
    form_.reset();
    dialogs.messages.clear();
    form().Execute(EditorCommand::NewScript);
    active().type("begin end.");
    dialogs.answers = {c.answer};
    if (c.saveAs) view.saveAnswers = {folder() + *c.saveAs};
    EXPECT_EQ(form().CloseActivePage(), c.closed);
    ASSERT_EQ(dialogs.messages.size(), 1u);
    EXPECT_EQ(dialogs.messages[0], question("Untitled1.oxs"));
    EXPECT_EQ(dialogs.styles[0], platform::MessageStyle::Warning);
    EXPECT_EQ(form().PageCount(), c.closed ? 0 : 1);
    EXPECT_EQ(std::filesystem::exists(folder() + "saved.oxs"), c.written);
    if (c.answer == MessageResult::Yes) {
      EXPECT_EQ(view.dialogs.back().substr(0, 18), "save Untitled1.oxs");
    }
  }
}

TEST_F(ScriptManagerTest, ClosingAPageActivatesTheFirst) {
  for (int i = 0; i < 3; ++i) form().Execute(EditorCommand::NewScript);
  form().PageChanged(1);
  form().Execute(EditorCommand::CloseScript);
  EXPECT_EQ(view.pages.captions, (std::vector<std::string>{"Untitled1.oxs", "Untitled3.oxs"}));
  EXPECT_EQ(form().ActivePage(), 0);
  EXPECT_EQ(view.pages.active, 0);
}

TEST_F(ScriptManagerTest, ClosingTheWindowStopsAtACancelledPage) {
  for (int i = 0; i < 3; ++i) form().Execute(EditorCommand::NewScript);
  view.pages.editor(1).type("keep me");
  form().PageChanged(0);
  dialogs.answers = {MessageResult::Cancel};
  EXPECT_FALSE(form().CloseQuery());
  // The first page closed, the changed one became active and was kept with the third.
  EXPECT_EQ(view.pages.captions, (std::vector<std::string>{"Untitled2.oxs", "Untitled3.oxs"}));
  EXPECT_EQ(view.pages.editor(0).text, "keep me");
  dialogs.answers = {MessageResult::No};
  EXPECT_TRUE(form().CloseQuery());
  EXPECT_EQ(form().PageCount(), 0);
}

TEST_F(ScriptManagerTest, ExitAsksTheWindowToClose) {
  form().Execute(EditorCommand::ExitManager);
  EXPECT_EQ(view.closeRequests, 1);
}

TEST_F(ScriptManagerTest, RunUsesTheEditorTextAsItStands) {
  form().Execute(EditorCommand::NewScript);
  active().text = "begin\r\n  Result := 6 * 7\r\nend.";
  form().Execute(EditorCommand::RunScript);
  EXPECT_TRUE(dialogs.messages.empty()) << dialogs.messages.front();
  EXPECT_EQ(form().HalComp().script(), (std::vector<std::string>{"begin", "  Result := 6 * 7", "end."}));
  EXPECT_EQ(script::internalVar().result().toInteger(), 42);
  active().text = "begin\r\n  Result := MainForm\r\nend.";
  form().Execute(EditorCommand::RunScript);
  EXPECT_TRUE(dialogs.messages.empty());
  EXPECT_EQ(script::internalVar().result().toInteger(), mainForm_.handle());
}

TEST_F(ScriptManagerTest, RunAndCheckReportErrorsAndKeepThePage) {
  form().Execute(EditorCommand::NewScript);
  active().text = "begin\r\n\r\n  Result := 1 div 0\r\nend.";
  form().Execute(EditorCommand::RunScript);
  ASSERT_EQ(dialogs.messages.size(), 1u);
  EXPECT_EQ(dialogs.messages[0], "Division by zero");
  EXPECT_EQ(dialogs.styles[0], platform::MessageStyle::Error);
  EXPECT_EQ(active().line, 1);  // a run-time error does not move the caret
  active().text = "begin\r\n\r\n  Result := (\r\nend.";
  form().Execute(EditorCommand::RunScript);
  EXPECT_TRUE(dialogs.messages.back().starts_with("Syntax error in  (4): "));
  EXPECT_EQ(active().line, 4);
  active().text = "begin end.";
  form().Execute(EditorCommand::CheckScript);
  EXPECT_EQ(dialogs.messages.back(), TEditorScriptRunner::kCheckedText);
  EXPECT_EQ(form().PageCount(), 1);
}

TEST_F(ScriptManagerTest, PrintAndClipboardGoToTheActiveEditor) {
  form().Execute(EditorCommand::NewScript);
  form().Execute(EditorCommand::NewScript);
  for (EditorCommand id : {EditorCommand::Cut, EditorCommand::Copy, EditorCommand::Paste, EditorCommand::PrintScript})
    form().Execute(id);
  EXPECT_EQ(view.pages.editor(1).calls, (std::vector<std::string>{"Cut", "Copy", "Paste", "Print Untitled2.oxs"}));
  EXPECT_TRUE(view.pages.editor(0).calls.empty());
}

TEST(CompileErrorLine, ReadsTheLineOfTheCompilerFrame) {
  EXPECT_EQ(compileErrorLine("Syntax error in  (12): \r\nUnknown identifier: X."), 12);
  EXPECT_EQ(compileErrorLine("Syntax error in  (0): \r\nx."), std::nullopt);
  EXPECT_EQ(compileErrorLine("Syntax error in  (12"), std::nullopt);
  EXPECT_EQ(compileErrorLine("Invalid opcode"), std::nullopt);
}

}  // namespace
}  // namespace ondrix::shell
