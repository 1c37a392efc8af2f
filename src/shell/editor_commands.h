#pragma once
// The commands of the two script editing windows (the script manager and the event handler
// editor): one table of captions ("&" marks the mnemonic), pop-up captions where the pop-up menu
// words them differently, toolbar hints, short-cuts and the tag 99 flag (enabled only while a page
// exists), and for each window the layout of its menus, pop-up menu and toolbar, from which the
// window builds them.

#include <cstdint>
#include <span>
#include <string_view>

namespace ondrix::shell {

enum class EditorCommand : std::uint8_t {
  // The script manager's file commands
  NewScript,
  OpenScript,
  SaveScript,
  SaveScriptAs,
  CloseScript,
  PrintScript,
  ExitManager,
  // The event handler editor's file commands
  ImportScript,
  SaveAndExit,
  ExitWithoutSaving,
  // Editing, in both windows
  Undo,
  Redo,
  Cut,
  Copy,
  Paste,
  Find,
  FindNext,
  Replace,
  EditorOptions,
  // Running
  RunScript,
  CheckScript,
  // Help
  HelpContents,
  HelpIndex,
  Count_  // not a command: the number of commands; in a layout, a separator
};

inline constexpr int kEditorCommandCount = static_cast<int>(EditorCommand::Count_);
inline constexpr EditorCommand kEditorSeparator = EditorCommand::Count_;

struct TEditorCommand {
  EditorCommand Id;
  std::string_view Caption;       // menu caption
  std::string_view PopupCaption;  // the pop-up menu's caption when it differs, else empty
  std::string_view Hint;          // the toolbar button's tool tip
  std::string_view ShortCut;      // portable key text ("Ctrl+F10"), or empty
  bool Tag99;                     // enabled only while at least one page exists

  std::string_view PopupText() const { return PopupCaption.empty() ? Caption : PopupCaption; }
};

std::span<const TEditorCommand> editorCommandTable();
const TEditorCommand& editorCommand(EditorCommand id);

struct TEditorMenu {
  std::string_view Caption;
  std::span<const EditorCommand> Items;  // kEditorSeparator: a separator line
};

struct TEditorWindowLayout {
  std::span<const TEditorMenu> Menus;
  std::span<const EditorCommand> Popup;
  std::span<const EditorCommand> Toolbar;
};

const TEditorWindowLayout& scriptManagerLayout();
const TEditorWindowLayout& eventEditorLayout();

}  // namespace ondrix::shell
