// The script text editor widget: Windows-1252 text in and out, the caret and typing mode, and the
// lexer's styles on a sample script (each token class gets its style, also after non-ASCII text).

#include <gtest/gtest.h>

#include <QKeyEvent>
#include <string>
#include <vector>

#include "common/offscreen_app.h"
#include "shell/ui/script_editor_widget.h"

namespace ondrix::shell::ui {
namespace {

class EditorWidget : public ::testing::Test {
 protected:
  EditorWidget() : app_(offscreenApplication()), editor_(language(), TScriptEditorOptions{}) {}
  static TScriptLanguage language() {
    TScriptLanguage l = TScriptLanguage::Builtin();
    l.Routines = {"SENDTEXT"};
    l.Constants = {"MBLEFT"};
    return l;
  }
  // The style at the first byte of the `occurrence`-th `needle` in the document.
  ScriptStyle styleOf(const char* needle, int occurrence = 1) {
    const QByteArray bytes = editor_.text().toUtf8();
    qsizetype at = -1;
    for (int i = 0; i < occurrence; ++i) at = bytes.indexOf(needle, at + 1);
    EXPECT_GE(at, 0) << needle;
    return static_cast<ScriptStyle>(
        editor_.SendScintilla(QsciScintillaBase::SCI_GETSTYLEAT, static_cast<unsigned long>(at)));
  }
  void style() { editor_.SendScintilla(QsciScintillaBase::SCI_COLOURISE, 0UL, -1L); }

  QApplication& app_;
  ScriptEditorWidget editor_;
};

TEST_F(EditorWidget, KeepsWindows1252TextAndStartsUnchanged) {
  editor_.LoadText("caf\xE9 \x80 \xFC\r\nend.");
  EXPECT_EQ(editor_.Text(), "caf\xE9 \x80 \xFC\r\nend.");
  EXPECT_FALSE(editor_.Modified());
  EXPECT_EQ(editor_.CaretLine(), 1);
  EXPECT_EQ(editor_.CaretColumn(), 1);
  editor_.SetText("x");
  EXPECT_TRUE(editor_.Modified());
  editor_.Undo();
  EXPECT_EQ(editor_.Text(), "caf\xE9 \x80 \xFC\r\nend.");
}

TEST_F(EditorWidget, GoToLineAndTheInsertKey) {
  editor_.LoadText("a\nb\nc\nd");
  editor_.GoToLine(3);
  EXPECT_EQ(editor_.CaretLine(), 3);
  editor_.GoToLine(99);
  EXPECT_EQ(editor_.CaretLine(), 4);
  int reports = 0;
  QObject::connect(&editor_, &ScriptEditorWidget::statusChanged, [&reports] { ++reports; });
  EXPECT_FALSE(editor_.Overwrite());
  QKeyEvent insert(QEvent::KeyPress, Qt::Key_Insert, Qt::NoModifier);
  QApplication::sendEvent(&editor_, &insert);
  EXPECT_TRUE(editor_.Overwrite());
  EXPECT_EQ(reports, 1);
  QApplication::sendEvent(&editor_, &insert);
  EXPECT_FALSE(editor_.Overwrite());
}

TEST_F(EditorWidget, F1AsksTheKeywordHelpForTheWordAtTheCaret) {
  std::vector<QString> asked;
  ScriptEditorWidget::setKeywordHelp([&asked](const QString& word) { asked.push_back(word); });
  editor_.SetText("begin\n  SendText(0, 'x');\nend.");
  editor_.setCursorPosition(1, 5);  // inside "SendText"
  QKeyEvent f1(QEvent::KeyPress, Qt::Key_F1, Qt::NoModifier);
  QCoreApplication::sendEvent(&editor_, &f1);
  editor_.setCursorPosition(1, 0);  // on the blanks before it
  QCoreApplication::sendEvent(&editor_, &f1);
  ScriptEditorWidget::setKeywordHelp({});
  QCoreApplication::sendEvent(&editor_, &f1);  // no help installed: nothing happens
  EXPECT_EQ(asked, (std::vector<QString>{"SendText", ""}));
  EXPECT_EQ(editor_.Text(), "begin\n  SendText(0, 'x');\nend.");
}

TEST_F(EditorWidget, EveryTokenClassGetsItsStyle) {
  editor_.LoadText(
      "{ h\xE9llo }\n"
      "program Demo;\n"
      "begin\n"
      "  SendText('caf\xE9' + #13, mbLeft, $1F, 0x20, 42, other); // done\n"
      "  (* two\n"
      "     lines *) end.\n");
  style();
  const struct {
    const char* needle;
    ScriptStyle style;
  } cases[] = {
      {"{ h", ScriptStyle::Comment},      {"llo }", ScriptStyle::Comment},  {"program", ScriptStyle::Keyword},
      {"Demo", ScriptStyle::Identifier},  {";", ScriptStyle::Operator},     {"SendText", ScriptStyle::Routine},
      {"'caf", ScriptStyle::String},      {"#13", ScriptStyle::CharCode},   {"mbLeft", ScriptStyle::Constant},
      {"1F", ScriptStyle::Number},        {"0x20", ScriptStyle::Number},    {"42", ScriptStyle::Number},
      {"other", ScriptStyle::Identifier}, {"// done", ScriptStyle::Comment}, {"lines", ScriptStyle::Comment},
      {"end.", ScriptStyle::Keyword},     {" ", ScriptStyle::Comment},
  };
  for (const auto& c : cases) EXPECT_EQ(styleOf(c.needle), c.style) << c.needle;
  EXPECT_EQ(styleOf("  SendText"), ScriptStyle::Default);
}

TEST_F(EditorWidget, AnOpenCommentRestylesTheLinesAfterIt) {
  editor_.LoadText("begin\nend.\n");
  style();
  EXPECT_EQ(styleOf("end"), ScriptStyle::Keyword);
  editor_.insertAt(QStringLiteral("{ "), 0, 0);
  style();
  EXPECT_EQ(styleOf("end"), ScriptStyle::Comment);
}

TEST_F(EditorWidget, OptionsSetTabWidthAndLineNumbers) {
  TScriptEditorOptions options;
  options.TabWidth = 7;
  options.LineNumbers = false;
  editor_.applyOptions(options);
  EXPECT_EQ(editor_.tabWidth(), 7);
  EXPECT_EQ(editor_.marginWidth(0), 0);
  options.LineNumbers = true;
  editor_.applyOptions(options);
  EXPECT_GT(editor_.marginWidth(0), 0);
}

}  // namespace
}  // namespace ondrix::shell::ui
