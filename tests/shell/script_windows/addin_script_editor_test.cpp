// The add-in edit dialog with the main window's script editors: the script is in the program's
// script text editor, read back as edited (Windows-1252 kept), and "Check" compiles it with the
// editors' messages, putting the caret on an error's line. Without the editors it falls back to a
// plain text box without "Check".

#include <gtest/gtest.h>

#include <QPlainTextEdit>
#include <QPushButton>

#include "common/offscreen_app.h"
#include "script/script_engine.h"
#include "script_fakes.h"
#include "shell/ui/outside/addin_edit_dialog.h"
#include "shell/ui/outside/host_script_editors.h"
#include "shell/ui/script_editor_service.h"
#include "shell/ui/script_editor_widget.h"

namespace ondrix::shell::ui {
namespace {

class AddinScriptEditor : public shell::testing::ScriptWindowTest {
 protected:
  QApplication& app_ = offscreenApplication();
  const script::ScriptEngine engine_;
  script::TComponent mainForm_{nullptr, "TMainForm", "MainForm"};
  QWidget mainWindow_;
  ScriptEditorService* editors_ = nullptr;
  const store::AddinItem item_{0, "Gr\xFC\xDF" "e", "var i: Integer;\nbegin\n  i := 1; { caf\xE9 }\nend."};
};

TEST_F(AddinScriptEditor, WithoutTheMainWindowsEditorsTheScriptIsPlainText) {
  AddinEditDialog dialog("New add-in", item_, {}, nullptr, nullptr);
  EXPECT_NE(dialog.findChild<QPlainTextEdit*>("script"), nullptr);
  EXPECT_EQ(dialog.findChild<QPushButton*>("check"), nullptr);
  EXPECT_EQ(dialog.item().Script, item_.Script);
  EXPECT_EQ(dialog.item().Caption, item_.Caption);
}

TEST_F(AddinScriptEditor, EditsAndChecksInTheScriptTextEditor) {
  editors_ = new ScriptEditorService(mainForm_, folder(), folder(), &mainWindow_);
  ASSERT_EQ(mainWindow_.findChild<QObject*>(kScriptEditorsName), editors_);
  AddinEditDialog dialog("Edit add-in 00001", item_, {}, editors_, nullptr);
  auto* editor = dialog.findChild<ScriptEditorWidget*>("script");
  ASSERT_NE(editor, nullptr);
  EXPECT_EQ(editor->Text(), item_.Script);
  EXPECT_FALSE(editor->Modified());
  QPushButton* check = dialog.findChild<QPushButton*>("check");
  ASSERT_NE(check, nullptr);
  EXPECT_EQ(check->text(), "C&heck");
  EXPECT_EQ(check->shortcut(), QKeySequence(QStringLiteral("Ctrl+F9")));

  check->click();
  ASSERT_EQ(dialogs.messages, std::vector<std::string>{"The script compiles without errors."});
  EXPECT_EQ(dialogs.captions.back(), "Ondrix");

  editor->SetText("var i: Integer;\nbegin\n  i := 1;\n  oops;\nend. { \xE9 }");
  check->click();
  ASSERT_EQ(dialogs.messages.size(), 2u);
  EXPECT_NE(dialogs.messages.back().find("(4)"), std::string::npos) << dialogs.messages.back();
  EXPECT_EQ(editor->CaretLine(), 4);
  EXPECT_EQ(dialog.item().Script, "var i: Integer;\nbegin\n  i := 1;\n  oops;\nend. { \xE9 }");
}

}  // namespace
}  // namespace ondrix::shell::ui
