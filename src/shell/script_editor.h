#pragma once
// One page's script text editor as the windows' logic sees it: the text (Windows-1252 bytes), the
// caret, the changed flag, the typing mode and the clipboard and printing commands. The Qt editor
// widget implements it; tests use a plain fake.

#include <string>

namespace ondrix::shell {

class TScriptEditor {
 public:
  virtual ~TScriptEditor() = default;

  virtual std::string Text() const = 0;
  // Replaces the whole text (one undo step) and leaves the changed flag set.
  virtual void SetText(const std::string& text) = 0;
  // Replaces the text as freshly loaded: caret at the start, nothing selected, no undo history,
  // not changed.
  virtual void LoadText(const std::string& text) = 0;

  virtual bool Modified() const = 0;
  virtual void SetModified(bool modified) = 0;
  // The caret, both counted from 1.
  virtual int CaretLine() const = 0;
  virtual int CaretColumn() const = 0;
  // Puts the caret at the start of `line` (from 1), scrolled into view, with nothing selected.
  virtual void GoToLine(int line) = 0;
  virtual bool Overwrite() const = 0;
  virtual void Focus() = 0;

  virtual void Cut() = 0;
  virtual void Copy() = 0;
  virtual void Paste() = 0;
  virtual void Undo() = 0;
  virtual void Redo() = 0;
  // The editor's own printing, with the printer dialog.
  virtual void Print(const std::string& title) = 0;
};

// The three status bar panels of an editor window: the caret "%d:%d" (line, column), "Modified"
// or empty, "Insert" or "Overwrite". All empty without an editor.
struct TEditorStatus {
  std::string Caret;
  std::string Modified;
  std::string Mode;

  static TEditorStatus Of(const TScriptEditor* editor);
};

}  // namespace ondrix::shell
