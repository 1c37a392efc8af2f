#pragma once
// The session windows of the main window: the window of a detached session (TDetachForm shown,
// with its pop-up menu "Copy", "Paste", "Reattach"), the "Rearrange tabs" dialog, and the dialogs
// and printer of the logging and printing commands. installSessionWindows() hands the main window
// its commands "Detach", "Rearrange tabs...", "Log to file", "Print screen", "Printer font...",
// "Setup printer..." and "Eject printer page", and the reattaching step of its shut-down.

#include <QDialog>
#include <QListWidget>
#include <QMenu>
#include <QObject>
#include <QPointer>
#include <QWidget>
#include <map>
#include <memory>

#include "shell/detached_sessions.h"
#include "shell/rearrange_form.h"
#include "shell/session_commands.h"
#include "shell/ui/qt_print_device.h"

namespace ondrix::term::view {
class TermView;
}

namespace ondrix::shell::ui {

class MainWindow;

// The window of one detached session; it holds the session's terminal widget.
class DetachedWindow final : public QWidget {
 public:
  DetachedWindow(TDetachedSessions& sessions, TDetachForm& form, QWidget* mainWindow);
  QMenu* popupMenu() const { return popup_; }
  term::view::TermView* terminal() const { return terminal_; }
  void holdTerminal(term::view::TermView* terminal);
  term::view::TermView* releaseTerminal();
  // The logic is done with this window: it goes without asking the logic again.
  void dispose();

 protected:
  void closeEvent(QCloseEvent* event) override;

 private:
  TDetachedSessions& sessions_;
  TDetachForm& form_;
  QMenu* popup_;
  term::view::TermView* terminal_ = nullptr;
  bool disposed_ = false;
};

// The "Rearrange tabs" dialog; the list's items are dropped on one another.
class RearrangeDialog final : public QDialog {
 public:
  RearrangeDialog(TRearrangeForm& form, QWidget* parent);
  QListWidget* list() const { return list_; }
  // The selected item is dropped on the item nearest to `at` (list coordinates).
  void dropAt(const QPoint& at);

 private:
  void fill();
  TRearrangeForm& form_;
  QListWidget* list_;
};

class SessionWindows final : public QObject, public TSessionCommandsView, public TDetachView {
 public:
  SessionWindows(TMainForm& form, MainWindow& window);
  ~SessionWindows() override;

  TSessionCommands& commands() { return commands_; }
  TDetachedSessions& detached() { return detached_; }
  QtPrintDevice& printDevice() { return printer_; }
  DetachedWindow* windowOf(const TDetachForm& form) const;
  // The rearrange dialog, modal; then the active terminal gets the focus.
  void rearrange();

  // --- TSessionCommandsView
  std::optional<std::string> ChooseSaveFile(const std::string& fileName, const std::string& filter,
                                            const std::string& defaultExtension) override;
  std::optional<TFontChoice> ChooseAnyFont(const TFontChoice& current) override;

  // --- TDetachView
  int ButtonBarHeight() const override;
  std::pair<int, int> TerminalSize(int index) const override;
  void OpenWindow(TDetachForm& form, int index, const TBounds& clientArea, const std::string& caption) override;
  void ReturnTerminal(TDetachForm& form, int index) override;
  void DestroyWindow(TDetachForm& form) override;

 private:
  TMainForm& form_;
  MainWindow& window_;
  QtPrintDevice printer_;
  TSessionCommands commands_;
  TDetachedSessions detached_;
  std::map<const TDetachForm*, QPointer<DetachedWindow>> windows_;
};

// Creates the session windows of `window` (owned by it) and installs their commands on `form`.
SessionWindows& installSessionWindows(TMainForm& form, MainWindow& window);

}  // namespace ondrix::shell::ui
