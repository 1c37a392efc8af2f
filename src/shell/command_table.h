#pragma once
// The main window's commands: one table from which the main menu, the terminal pop-up menu, the
// button bar and the managers bar are built, and through which enabling and checking go. Each row
// gives the command's id, its handler name, the menu caption ("&" marks the mnemonic), the pop-up
// caption where the pop-up menu words it differently, the hint (the toolbar button's tool tip or,
// on the managers bar, its letter), the short-cut, whether it is a session command (tag 99:
// enabled only while a session is attached), and where it appears.

#include <cstdint>
#include <span>
#include <string_view>

namespace ondrix::shell {

enum class CommandId : std::uint8_t {
  QuickConnect,
  Reconnect,
  Disconnect,
  PrintScreen,
  PrinterFont,
  SetupPrinter,
  EjectPrinterPage,
  ConnectionDefaults,
  Exit,
  Copy,
  Paste,
  SendBreak,
  ResetTerminal,
  ShowToolbar,
  ConnectionManager,
  PaletteManager,
  KeylistManager,
  EventManager,
  ScriptManager,
  AddinManager,
  ModifyColors,
  ModifyFont,
  ForceLineDraws,
  RearrangeTabs,
  QuickRunScript,
  LogToFile,
  FtpClient,
  FtpServer,
  NextTab,
  PreviousTab,
  Detach,
  Contents,
  Index,
  ScriptingHelp,
  NewsPage,
  About,
  Count_  // not a command: the number of commands
};

inline constexpr int kCommandCount = static_cast<int>(CommandId::Count_);

// The menus of the main window, in menu-bar order.
enum class TMenu : std::uint8_t { None, File, Edit, Managers, Tools, Help };

// Where a command appears besides its menu (bits).
enum TPlace : std::uint8_t {
  kPopup = 1,        // the terminal pop-up menu VTPopup
  kButtonBar = 2,    // "Ondrix button bar"
  kManagersBar = 4,  // "Ondrix Managers"
};

struct TCommand {
  CommandId Id;
  std::string_view Handler;       // e.g. "Connect1Click"
  std::string_view Caption;       // the menu caption, e.g. "&Quick connect..."
  std::string_view PopupCaption;  // the pop-up menu's caption when it differs, else empty
  std::string_view Hint;          // tool tip of the button, or the letter of a managers bar button
  std::string_view ShortCut;      // portable key text ("Ctrl+Insert"), or empty
  bool SessionCommand;            // tag 99
  bool Checkable;
  TMenu Menu;                     // None: not in the main menu (e.g. Detach: pop-up and toolbar)
  std::uint8_t Places;            // TPlace bits
  bool SeparatorBefore;           // in its menu, a separator line goes before it
};

// Every command, in menu order within each menu. The "Connect" submenu follows "&Quick
// connect..." in the File menu and "Change &keylist" follows "Modify &Font..." in the Tools menu;
// both are built from the stores (see TMainForm).
std::span<const TCommand> commandTable();
const TCommand& command(CommandId id);

// The order of the terminal pop-up menu and of the button bar (separators as CommandId::Count_).
std::span<const CommandId> popupOrder();
std::span<const CommandId> buttonBarOrder();

}  // namespace ondrix::shell
