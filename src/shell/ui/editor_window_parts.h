#pragma once
// What the two script editing windows share: their commands as actions (menus, pop-up menu and
// toolbar built from the window's layout in the command table), the three-panel status bar, and
// the editor tools every page has (find and replace, the editor options).

#include <QObject>
#include <QStatusBar>
#include <array>
#include <functional>
#include <string>
#include <vector>

#include "shell/editor_commands.h"
#include "shell/editor_options.h"
#include "shell/script_language.h"

class QAction;
class QLabel;
class QMenu;
class QMenuBar;
class QTabWidget;
class QToolBar;

namespace ondrix::shell::ui {

class FindReplaceDialog;
class ScriptEditorWidget;

// Runs `body`; an exception becomes an error box instead of leaving a Qt slot.
void guarded(QWidget* parent, const std::function<void()>& body);

// The actions of one window's layout. Menu and toolbar share one action per command; the pop-up
// menu has its own (with its own captions), whose short-cuts are shown but not bound twice.
class EditorActions final : public QObject {
 public:
  EditorActions(const TEditorWindowLayout& layout, QWidget* window, std::function<void(EditorCommand)> trigger);

  QAction* action(EditorCommand id) const { return actions_.at(static_cast<std::size_t>(id)); }
  void setEnabled(EditorCommand id, bool enabled);
  void fillMenuBar(QMenuBar* bar) const;
  void fillToolBar(QToolBar* toolbar) const;
  QMenu* popup() const { return popup_; }

 private:
  QAction* makeAction(EditorCommand id, bool forPopup, QWidget* parent);

  const TEditorWindowLayout& layout_;
  std::function<void(EditorCommand)> trigger_;
  std::array<QAction*, kEditorCommandCount> actions_{};
  std::array<QAction*, kEditorCommandCount> popupActions_{};
  QMenu* popup_;
};

// Status bar panels: 0 the caret (centred, 65 wide), 1 "Modified" (80), 2 the typing mode (50).
class EditorStatusBar final : public QStatusBar {
 public:
  explicit EditorStatusBar(QWidget* parent);
  void setPanel(int panel, const std::string& text);
  QString panel(int index) const;

 private:
  std::array<QLabel*, 3> panels_{};
};

// Find, replace and the options of a window's editors, and the pages that hold them.
class EditorTools final : public QObject {
 public:
  EditorTools(QWidget* window, std::string dataFolder, std::function<ScriptEditorWidget*()> activeEditor);

  const TScriptEditorOptions& options() const { return options_; }
  const TScriptLanguage& language() const { return language_; }
  void setLanguage(const TScriptLanguage& language) { language_ = language; }

  // A new editor for a page, with the options, the colouring, the pop-up menu and the status
  // reports wired.
  ScriptEditorWidget* createEditor(QWidget* parent, QMenu* popup, std::function<void()> statusChanged);
  void forget(ScriptEditorWidget* editor);
  // A new page of `pages` with such an editor, and the removal of one (the editor is deleted at
  // the event loop's next safe point: its own event may be on the stack).
  ScriptEditorWidget* addPage(QTabWidget* pages, const std::string& caption, QMenu* popup,
                              std::function<void()> statusChanged);
  static void removePage(QTabWidget* pages, int index);

  // Find, replace, find next and the options dialog; false when the command is none of these.
  bool execute(EditorCommand id);

 private:
  void editOptions();

  QWidget* window_;
  std::string dataFolder_;
  std::function<ScriptEditorWidget*()> activeEditor_;
  TScriptEditorOptions options_;
  TScriptLanguage language_;
  std::vector<ScriptEditorWidget*> editors_;
  FindReplaceDialog* find_ = nullptr;
};

}  // namespace ondrix::shell::ui
