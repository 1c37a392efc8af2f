#pragma once
// The script language lexer of the script text editor: styles the document with the token
// classes of TScriptHighlighter, line by line, keeping the state at each line's end (an open
// comment or string, the hex-digit mode) as the line's state so that styling can resume anywhere.
// The document is UTF-8; each line is styled as the Windows-1252 text scripts are made of.

#include <Qsci/qscilexercustom.h>

#include "shell/editor_options.h"
#include "shell/script_highlighter.h"

namespace ondrix::shell::ui {

class ScriptLexer final : public QsciLexerCustom {
 public:
  ScriptLexer(const TScriptLanguage& language, QObject* parent);

  const char* language() const override { return "Ondrix script"; }
  QString description(int style) const override;
  void styleText(int start, int end) override;

  // Font and colours of every style.
  void applyOptions(const TScriptEditorOptions& options);

 private:
  TScriptHighlighter highlighter_;
};

}  // namespace ondrix::shell::ui
