#pragma once
// MainWindow: the Qt main window that shows TMainForm. It owns the form (created once the window's
// widgets exist, since the form builds its submenus while it is created) and implements the view
// the form talks to: the tab control with one terminal widget per page and its tabs along the
// bottom, over the black logo panel; the main menu, the terminal pop-up menu, the button bar and
// the managers bar made from the command table; the user-configurable toolbar on a second row;
// the status bar's four panels; the clipboard, font and file dialogs. Closing the window runs the
// form's shut-down.

#include <QLabel>
#include <QMainWindow>
#include <QMenu>
#include <QTabWidget>
#include <QToolBar>
#include <array>
#include <functional>
#include <map>
#include <memory>
#include <string>

#include "shell/main_form.h"
#include "shell/main_form_view.h"
#include "shell/ui/command_actions.h"
#include "shell/ui/logo_panel.h"

namespace ondrix::term::view {
class TermView;
}

namespace ondrix::shell::ui {

class MainWindow : public QMainWindow, public TMainFormView {
 public:
  static constexpr std::array<int, 4> kStatusPanelWidths = {300, 120, 120, 50};

  MainWindow(std::string programFolder, std::string dataFolder, QWidget* parent = nullptr);
  ~MainWindow() override;

  TMainForm& form() { return *form_; }

  // The parts of the window, for the program's start and for tests.
  QAction* commandAction(CommandId id) const { return actions_.action(id); }
  QMenu* popupMenu() const { return popup_; }
  QMenu* connectMenu() const { return connectMenu_; }
  QMenu* keylistMenu() const { return keylistMenu_; }
  QToolBar* buttonBar() const { return buttonBar_; }
  QToolBar* managersBar() const { return managersBar_; }
  QToolBar* userToolBar() const { return userBar_; }
  QTabWidget* tabs() const { return tabs_; }
  LogoPanel* logoPanel() const { return logo_; }
  QLabel* statusPanel(int panel) const { return status_.at(static_cast<std::size_t>(panel)); }
  term::view::TermView* terminal(int index) const;
  // The page widget of tab `index` (destroyed when the page is removed), or nullptr.
  QWidget* pageWidget(int index) const { return validPage(index) ? tabs_->widget(index) : nullptr; }
  // Detaching: takes page `index`'s terminal widget out of its page (without the main pop-up
  // menu) for another window to hold, and puts it back.
  term::view::TermView* takeTerminal(int index);
  void returnTerminal(int index, term::view::TermView* view);
  // Called with each font chosen in the fixed-pitch font dialog (the printer font dialog shares it).
  void setFontChosenHandler(std::function<void(const TFontChoice&)> handler) { fontChosen_ = std::move(handler); }

  // --- TMainFormView
  void SetCaption(const std::string& caption) override;
  TBounds Bounds() const override;
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
  void SetUserButtonCaption(std::int32_t id, const std::string& caption) override;
  void SetUserButtonGlyph(std::int32_t id, const std::string& bitmapFile) override;
  void AddUserSpacer(std::int32_t id) override;
  void RemoveUserSpacer(std::int32_t id) override;
  void SetUserToolbarVisible(bool visible) override;
  std::optional<std::string> ClipboardText() override;
  void SetClipboardText(const std::string& text) override;
  std::optional<TFontChoice> ChooseFixedFont(const TFontChoice& current) override;
  std::optional<std::string> ChooseOpenFile(const std::string& title, const std::string& filter,
                                            const std::string& defaultExtension) override;
  void OpenDocument(const std::string& pathOrUrl) override;

 protected:
  void closeEvent(QCloseEvent* event) override;

 private:
  void fitTerminal(const QWidget& view);
  // Changes to the tab control made for the form are not reported back to it.
  class Syncing;

  void execute(CommandId id);
  void buildMenus();
  void buildToolBars();
  void buildStatusBar();
  void fillNameMenu(QMenu& menu, const std::vector<std::string>& names, const char* emptyText,
                    void (TMainForm::*click)(int));
  void addAddinItem(QMenu* parent, const TAddinMenuItem& item);
  void removeUserAction(std::map<std::int32_t, QAction*>& actions, std::int32_t id);
  bool validPage(int index) const { return index >= 0 && index < tabs_->count(); }
  void attachPopup(term::view::TermView* view);

  CommandActions actions_;
  LogoPanel* logo_;
  QTabWidget* tabs_;
  QMenu* popup_ = nullptr;
  QMenu* connectMenu_ = nullptr;
  QMenu* keylistMenu_ = nullptr;
  QMenu* helpMenu_ = nullptr;
  std::vector<QAction*> addinActions_;  // the add-in items on the menu bar
  QToolBar* buttonBar_ = nullptr;
  QToolBar* managersBar_ = nullptr;
  QToolBar* userBar_ = nullptr;
  std::map<std::int32_t, QAction*> userButtons_;
  std::map<std::int32_t, QAction*> userSpacers_;
  std::array<QLabel*, 4> status_{};
  bool syncing_ = false;
  std::function<void(const TFontChoice&)> fontChosen_;
  std::unique_ptr<TMainForm> form_;
};

}  // namespace ondrix::shell::ui
