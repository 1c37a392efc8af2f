#pragma once
// The script text editor: a QScintilla editor with the script language's colouring, showing and
// returning Windows-1252 text, implementing the page editor the windows' logic works with. The
// Insert key toggles overwrite mode; F1 asks the keyword help for the word at the caret; every
// change of text, caret, changed flag or typing mode is reported by statusChanged().

#include <Qsci/qsciscintilla.h>

#include <functional>

#include "shell/editor_options.h"
#include "shell/script_editor.h"
#include "shell/script_language.h"

namespace ondrix::shell::ui {

class ScriptLexer;

class ScriptEditorWidget final : public QsciScintilla, public TScriptEditor {
  Q_OBJECT

 public:
  ScriptEditorWidget(const TScriptLanguage& language, const TScriptEditorOptions& options, QWidget* parent = nullptr);

  void applyOptions(const TScriptEditorOptions& options);
  // Colours with another language description from now on.
  void setLanguage(const TScriptLanguage& language);
  ScriptLexer* scriptLexer() const { return lexer_; }
  // The keyword help F1 opens in every script editor of the program (with the word at the caret,
  // empty when there is none); unset, F1 does nothing.
  static void setKeywordHelp(std::function<void(const QString& word)> help);
  QString wordAtCaret() const;

  // TScriptEditor
  std::string Text() const override;
  void SetText(const std::string& text) override;
  void LoadText(const std::string& text) override;
  bool Modified() const override { return isModified(); }
  void SetModified(bool modified) override { setModified(modified); }
  int CaretLine() const override;
  int CaretColumn() const override;
  void GoToLine(int line) override;
  bool Overwrite() const override { return overwriteMode(); }
  void Focus() override { setFocus(); }
  void Cut() override { cut(); }
  void Copy() override { copy(); }
  void Paste() override { paste(); }
  void Undo() override { undo(); }
  void Redo() override { redo(); }
  void Print(const std::string& title) override;

 signals:
  void statusChanged();

 protected:
  void keyPressEvent(QKeyEvent* event) override;

 private:
  ScriptLexer* lexer_;
  TScriptEditorOptions options_;
};

}  // namespace ondrix::shell::ui
