#pragma once
// What the main window's logic (TMainForm) asks of the window that shows it. The Qt main window
// implements it (src/shell/ui), and so does the headless view of ondrix-cli and the tests
// (src/shell/headless). Pages are addressed by their position among all pages, hidden (detached)
// ones included. Message boxes and input dialogs do not go through here: they are the platform's
// dialogs (platform::services().dialogs).

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "shell/command_table.h"

namespace ondrix::session {
class TTnEmulVT;
}

namespace ondrix::shell {

// Window bounds in pixels; -1 in a field means "not stored" (the window keeps what it has).
struct TBounds {
  int Left = -1;
  int Top = -1;
  int Width = -1;
  int Height = -1;
};

// A font as the font dialog and the connection record know it.
struct TFontChoice {
  std::string Name;
  int Size = 0;
  bool Bold = false;
  bool Italic = false;
  bool Underline = false;
};

// One item of the add-in menu: Tag = add-in number + parent tag x 65536; items with children are
// submenus and have no action of their own.
struct TAddinMenuItem {
  std::int32_t Tag = 0;
  std::string Caption;
  bool HasAction = true;
  std::vector<TAddinMenuItem> Children;
};

class TMainFormView {
 public:
  virtual ~TMainFormView() = default;

  // --- The window
  virtual void SetCaption(const std::string& caption) = 0;
  virtual TBounds Bounds() const = 0;
  // Applies each field that is not -1.
  virtual void SetBounds(const TBounds& bounds) = 0;
  // Asks the window to close; the close runs TMainForm::Shutdown() (from the window's own close
  // handling, never from inside the caller).
  virtual void RequestClose() = 0;

  // --- The tab control (TermControl)
  // A new tab at `index` showing the terminal `emu` (the view creates the terminal widget and
  // attaches it to `emu`). The terminal widget starts hidden.
  virtual void InsertPage(int index, const std::string& caption, session::TTnEmulVT& emu) = 0;
  // Removes the tab and its terminal widget (before the terminal itself is destroyed).
  virtual void RemovePage(int index) = 0;
  virtual void SetPageCaption(int index, const std::string& caption) = 0;
  virtual void SetPageTabVisible(int index, bool visible) = 0;
  virtual void MovePage(int from, int to) = 0;
  virtual void SetActivePage(int index) = 0;
  virtual void ShowTerminal(int index) = 0;
  virtual void FocusTerminal(int index) = 0;
  // TermControl hidden: the logo panel behind it shows.
  virtual void SetTabAreaVisible(bool visible) = 0;

  // --- Status bar panels 0..3
  virtual void SetStatusText(int panel, const std::string& text) = 0;

  // --- Commands
  virtual void SetCommandEnabled(CommandId id, bool enabled) = 0;
  virtual void SetCommandChecked(CommandId id, bool checked) = 0;
  // The button bar and the managers bar together ("Show toolbar").
  virtual void SetToolbarsVisible(bool visible) = 0;
  // The "Connect" submenu: one item per name (item i opens connection i); an empty list leaves the
  // disabled item "No connections available".
  virtual void SetConnectMenu(const std::vector<std::string>& names) = 0;
  // The "Change keylist" submenu, the same way ("(No keylist available)").
  virtual void SetKeylistMenu(const std::vector<std::string>& names) = 0;
  // The add-in menu between "Tools" and "Help"; an empty list removes it.
  virtual void SetAddinMenu(const std::vector<TAddinMenuItem>& items) = 0;

  // --- The user-configurable toolbar (hidden until it holds a button or spacer)
  // `width` in pixels; 0 or less: the button's natural width.
  virtual void AddUserButton(std::int32_t id, const std::string& caption, const std::string& hint, int width) = 0;
  virtual void RemoveUserButton(std::int32_t id) = 0;
  virtual void AddUserSpacer(std::int32_t id) = 0;
  virtual void RemoveUserSpacer(std::int32_t id) = 0;
  virtual void SetUserToolbarVisible(bool visible) = 0;
  // A user button's caption or glyph (a bitmap file) changed; a view without buttons ignores it.
  virtual void SetUserButtonCaption(std::int32_t id, const std::string& caption) {
    (void)id;
    (void)caption;
  }
  virtual void SetUserButtonGlyph(std::int32_t id, const std::string& bitmapFile) {
    (void)id;
    (void)bitmapFile;
  }

  // --- Dialogs of the window itself
  virtual std::optional<std::string> ClipboardText() = 0;  // nothing when it holds no text
  virtual void SetClipboardText(const std::string& text) = 0;
  // The font dialog limited to fixed-pitch fonts, preset with `current`.
  virtual std::optional<TFontChoice> ChooseFixedFont(const TFontChoice& current) = 0;
  // An open-file dialog with a title, a filter ("Desc|*.ext|Desc|*.*") and a default extension.
  virtual std::optional<std::string> ChooseOpenFile(const std::string& title, const std::string& filter,
                                                    const std::string& defaultExtension) = 0;
  // Opens a file or address with the desktop's default action (help pages, the news page).
  virtual void OpenDocument(const std::string& pathOrUrl) = 0;
};

}  // namespace ondrix::shell
