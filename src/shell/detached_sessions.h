#pragma once
// Detached sessions: "Detach" moves the active session's terminal into a window of its own
// (TDetachForm) and hides its tab; the page stays, so page numbers, tab navigation and scripts
// still count it. "Reattach" (the window's pop-up menu, closing the window, shut-down) puts it
// back. DetachedForms lists the open windows in the order they were detached.

#include <memory>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "shell/main_form_view.h"

namespace ondrix::shell {

class TMainForm;
struct TTermPanel;

// The window of one detached session.
struct TDetachForm {
  TTermPanel* Panel = nullptr;  // the detached session's panel
  bool ReattachOnClose = false;  // set when shown, cleared by "Reattach"
};

// The detached windows as the Qt layer shows them.
class TDetachView {
 public:
  virtual ~TDetachView() = default;
  // The height of the main window's button bar (the new window's top is placed below it).
  virtual int ButtonBarHeight() const = 0;
  // The width and height of page `index`'s terminal.
  virtual std::pair<int, int> TerminalSize(int index) const = 0;
  // Creates the window of `form` with the given client area and caption, moves page `index`'s
  // terminal into it (with the pop-up menu "Copy", "Paste", "Reattach") and shows it, not modal,
  // with the keyboard focus on the terminal.
  virtual void OpenWindow(TDetachForm& form, int index, const TBounds& clientArea, const std::string& caption) = 0;
  // Moves the terminal of `form` back into page `index` (with the main pop-up menu).
  virtual void ReturnTerminal(TDetachForm& form, int index) = 0;
  // Closes and frees the window of `form` (later, not inside the caller).
  virtual void DestroyWindow(TDetachForm& form) = 0;
};

class TDetachedSessions {
 public:
  static constexpr int kClipboardCopyLimit = 2047;  // characters copied at most
  static constexpr int kClipboardPasteLimit = 4095;  // bytes pasted at most

  TDetachedSessions(TMainForm& form, TDetachView& view);
  ~TDetachedSessions();
  TDetachedSessions(const TDetachedSessions&) = delete;
  TDetachedSessions& operator=(const TDetachedSessions&) = delete;

  // Installs the "Detach" command and the reattaching step of shut-down on the form.
  void Install();

  // Detaches the active session (its tab must be visible).
  void Detach();
  // Puts the session of `form` back into its tab and closes the window.
  void Reattach(TDetachForm& form);
  // The window is closing (close box, or after Reattach): reattaches first while ReattachOnClose
  // is set, then forgets the window.
  void Close(TDetachForm& form);
  // The session's page was closed while it was detached: the window goes without reattaching.
  void PageClosed(TDetachForm& form);
  // Shut-down: every window reattached, first to last.
  void ReattachAll();

  // The window's pop-up "Copy" and "Paste", on its own session.
  void Copy(TDetachForm& form);
  void Paste(TDetachForm& form);

  const std::vector<std::unique_ptr<TDetachForm>>& DetachedForms() const { return forms_; }

 private:
  int pageOf(const TDetachForm& form) const;
  // Removes entry `position` of DetachedForms and frees its window.
  void detachedClosed(int position);
  int positionOf(const TDetachForm& form) const;

  TMainForm& form_;
  TDetachView& view_;
  std::vector<std::unique_ptr<TDetachForm>> forms_;
};

}  // namespace ondrix::shell
