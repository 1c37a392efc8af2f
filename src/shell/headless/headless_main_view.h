#pragma once
// The main window without a window: what ondrix-cli run and the tests use. It keeps what the
// logic asked it to show (pages, status texts, enabled and checked commands, menus, the user
// toolbar) and writes one line per call into Log, so a test can check the order of things. The
// clipboard lives in memory, the open-file dialog is answered by the platform dialogs, and
// RequestClose sets a flag the run loop reads.

#include <array>
#include <optional>
#include <string>
#include <vector>

#include "shell/main_form_view.h"

namespace ondrix::shell {

class THeadlessMainFormView : public TMainFormView {
 public:
  struct Page {
    std::string Caption;
    bool TabVisible = true;
    session::TTnEmulVT* Emu = nullptr;
  };
  struct UserButton {
    std::int32_t Id = 0;
    std::string Caption;
    std::string Hint;
    int Width = 0;
  };

  void SetCaption(const std::string& caption) override;
  TBounds Bounds() const override { return WindowBounds; }
  void SetBounds(const TBounds& bounds) override;
  void RequestClose() override;

  void InsertPage(int index, const std::string& caption, session::TTnEmulVT& emu) override;
  void RemovePage(int index) override;
  void SetPageCaption(int index, const std::string& caption) override;
  void SetPageTabVisible(int index, bool visible) override;
  void MovePage(int from, int to) override;
  void SetActivePage(int index) override;
  void ShowTerminal(int index) override;
  void FocusTerminal(int index) override;
  void SetTabAreaVisible(bool visible) override;

  void SetStatusText(int panel, const std::string& text) override;

  void SetCommandEnabled(CommandId id, bool enabled) override;
  void SetCommandChecked(CommandId id, bool checked) override;
  void SetToolbarsVisible(bool visible) override;
  void SetConnectMenu(const std::vector<std::string>& names) override;
  void SetKeylistMenu(const std::vector<std::string>& names) override;
  void SetAddinMenu(const std::vector<TAddinMenuItem>& items) override;

  void AddUserButton(std::int32_t id, const std::string& caption, const std::string& hint, int width) override;
  void RemoveUserButton(std::int32_t id) override;
  void AddUserSpacer(std::int32_t id) override;
  void RemoveUserSpacer(std::int32_t id) override;
  void SetUserToolbarVisible(bool visible) override;

  std::optional<std::string> ClipboardText() override;
  void SetClipboardText(const std::string& text) override;
  std::optional<TFontChoice> ChooseFixedFont(const TFontChoice& current) override;
  std::optional<std::string> ChooseOpenFile(const std::string& title, const std::string& filter,
                                            const std::string& defaultExtension) override;
  void OpenDocument(const std::string& pathOrUrl) override;

  bool Enabled(CommandId id) const { return enabled_[static_cast<std::size_t>(id)]; }
  bool Checked(CommandId id) const { return checked_[static_cast<std::size_t>(id)]; }

  // What the window shows.
  std::string Caption;
  TBounds WindowBounds{0, 0, 665, 453};
  bool CloseRequested = false;
  std::vector<Page> Pages;
  int ActivePage = -1;
  bool TabAreaVisible = false;
  std::array<std::string, 4> StatusTexts;
  bool ToolbarsVisible = true;
  std::vector<std::string> ConnectMenu;
  std::vector<std::string> KeylistMenu;
  std::vector<TAddinMenuItem> AddinMenu;
  std::vector<UserButton> UserButtons;
  std::vector<std::int32_t> UserSpacers;
  bool UserToolbarVisible = false;
  std::vector<std::string> OpenedDocuments;
  // The clipboard: nothing while it holds no text.
  std::optional<std::string> Clipboard;
  // The font dialog's answer (nothing: cancelled); the dialog records what it was preset with.
  std::optional<TFontChoice> FontAnswer;
  std::optional<TFontChoice> FontPreset;
  // One line per call, in call order ("InsertPage 0 Lab", "RemovePage 0", "Status 0 text", ...).
  std::vector<std::string> Log;

 private:
  std::array<bool, kCommandCount> enabled_{};
  std::array<bool, kCommandCount> checked_{};
};

}  // namespace ondrix::shell
