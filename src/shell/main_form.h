#pragma once
// TMainForm: the main window's logic, without a window. It owns every session (one page per
// session: TTermSheet -> TTermPanel -> TTnEmulVT), the global watches, the user toolbar's buttons
// and spacers, the script timer and the add-in store held open for the run; it opens sessions from
// the connection book, routes received data through the watches, runs event handlers and script
// files for everybody else, carries out the commands of the command table, and runs start-up and
// shut-down in their fixed order. Everything visible goes through a TMainFormView; message boxes
// and input dialogs through the platform dialogs.

#include <cstdint>
#include <deque>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "shell/command_table.h"
#include "shell/main_form_view.h"
#include "store/records/connection_record.h"

namespace ondrix::session {
class TTnEmulVT;
}
namespace ondrix::script {
class TComponent;
}
namespace ondrix::store {
class AddinDB;
}

namespace ondrix::shell {

// A text watch on received data.
struct TWatch {
  std::string Text;        // searched for in received data
  std::string ScriptFile;  // run on a hit; empty: the OnWatch event fires instead
  std::int32_t MaxHits = 0;  // the watch removes itself after this many hits; 0: never
  std::int32_t Hits = 0;
  bool IsGlobal = false;
};

// The panel of one page: the session and what the shell keeps about it.
struct TTermPanel {
  TTermPanel();
  ~TTermPanel();
  std::unique_ptr<session::TTnEmulVT> Emu;
  std::vector<TWatch> WatchList;
  store::ConnectionRecord Connection;  // the record the session was opened from (a copy)
  bool TextWatchOn = false;
  std::string TextWatchScript;
  std::string NetworkErrorScript;
  std::string KeyListName;  // status panel 2
  std::int32_t KeyListNo = 0;  // the key list applied last (Reconnect applies it again)

  // The shell's bookkeeping: the page is being closed (its session no longer reaches the shell);
  // how many of its events are on the stack; its events that arrived meanwhile, run in order
  // once the running one returns.
  bool Closing = false;
  int EventDepth = 0;
  std::deque<std::function<void()>> PendingEvents;
};

// One page of the tab control. Its caption is the connection's name; a detached session's tab is
// hidden but the page stays (page numbers count it).
struct TTermSheet {
  std::string Caption;
  bool TabVisible = true;
  std::unique_ptr<TTermPanel> Panel;
};

// A button of the user-configurable toolbar: clicking it runs ScriptFile.
struct TToolBtn {
  std::int32_t Id = 0;
  std::string Caption;
  std::string Hint;
  std::string ScriptFile;
  std::string GlyphFile;  // a bitmap shown on the button; empty: none
};

class TMainForm {
 public:
  static constexpr const char* kCaption = "Ondrix version 1.1.3";
  static constexpr int kDefaultWidth = 665;
  static constexpr int kDefaultHeight = 453;
  static constexpr int kMaxScriptDepth = 64;
  static constexpr const char* kNestedTooDeeply = "Scripts nested too deeply";
  static constexpr const char* kNoHost = "No host defined for this connection.";
  static constexpr const char* kNotText = "Clipboard data is not text";
  static constexpr const char* kReconnectQuestion = "Are you sure you want to disconnect and reconnect?";
  static constexpr const char* kNewsPage = "https://ondrix.example/news";
  // Files of the data folder whose names begin with this are moved into kConflictsFolder.
  static constexpr const char* kConflictsFolder = "conflicts/";

  // Creation: the lists, the folders (ending in '/'), ADDINS.QDB opened and held, the Connect,
  // Change keylist and add-in menus built, and the "1"-prefixed files of the data folder moved
  // out of the way (into DATA/conflicts/, named with the date and time).
  TMainForm(TMainFormView& view, std::string programFolder, std::string dataFolder);
  ~TMainForm();
  TMainForm(const TMainForm&) = delete;
  TMainForm& operator=(const TMainForm&) = delete;

  // The window was first shown: caption, session commands off, bounds from DEFAULTS.QDB, the six
  // System event records ensured, OnStart, then the command line ("-s FILE", "-q", names).
  void FormShow(const std::vector<std::string>& arguments);
  // The window closes: reattach, disconnect every page (OnDisconnect before its tab goes), save
  // the bounds, OnStop, free the lists. Runs once; later calls do nothing.
  void Shutdown();
  bool ShutDown() const { return shutDown_; }

  const std::string& ProgramFolder() const { return programFolder_; }
  const std::string& DataFolder() const { return dataFolder_; }
  TMainFormView& View() { return view_; }
  // The object scripts know as "MainForm".
  script::TComponent& ScriptObject() { return *scriptObject_; }

  // --- Pages
  int PageCount() const { return static_cast<int>(pages_.size()); }
  TTermSheet& Page(int index) { return *pages_.at(static_cast<std::size_t>(index)); }
  TTermPanel& Panel(int index) { return *Page(index).Panel; }
  // The active page's index, -1 when there is none.
  int ActivePageIndex() const { return activePage_; }
  TTermPanel* ActivePanel();
  // Changes the active page (the outgoing terminal hides its caret; the new one gets the focus,
  // shows its caret; UpdateStatus).
  void SetActivePage(int index);
  // The tab was dragged or rearranged: page `from` moves to `to`.
  void MovePage(int from, int to);
  // Hides or shows a page's tab (detaching); the last visible page becomes active when the
  // active one is hidden.
  void SetPageTabVisible(int index, bool visible);

  // --- Operations other parts call
  // Errors of the record files and of the scripts these run propagate to the caller (a script
  // calling them ends with the error); the form's own entry points (session events, the timer,
  // clicks, commands, start-up and shut-down) show them in an error box and go on. Script runs
  // nest at most kMaxScriptDepth deep; one more raises kNestedTooDeeply.
  void OpenSession(int index);
  // A missing file shows "Script "NAME" not found." and runs nothing.
  void RunScriptFile(const std::string& fileName);
  // Runs the enabled, non-empty handler of (name, kind); false when there is none.
  bool RunEvent(std::int32_t kind, const std::string& name);
  void EnsureSystemEvent(std::int32_t kind, const std::string& name);
  void EnableSessionCommands(bool on);
  void UpdateStatus();
  void BuildConnectMenu();
  void BuildKeylistMenu();
  void BuildAddinMenu();
  void RemoveAddinMenu();
  // Closes a page as "Disconnect current" does for the active one. Safe to call from a script
  // run by that page's own event: destruction waits for a safe point.
  void ClosePage(int index);
  // Asks the window to close (the script procedure CloseProgram).
  void CloseProgram();
  // Closes ADDINS.QDB (before an outside program rewrites it) and opens it again.
  void CloseAddins();
  void ReopenAddins();

  // --- Commands
  void Execute(CommandId id);
  bool CommandEnabled(CommandId id) const;
  bool CommandChecked(CommandId id) const;
  // A command whose window lives outside this class (a manager, a dialog) is carried out by the
  // handler its window layer installs; until one is installed the command stays disabled.
  void SetCommandHandler(CommandId id, std::function<void()> handler);
  // Items of the built submenus.
  void ConnectMenuClick(int index);
  void KeylistMenuClick(int number);
  void AddinMenuClick(std::int32_t tag);

  // --- Watches (the global list; a page's own list is in its panel)
  std::vector<TWatch>& GlobalWatches() { return globalWatches_; }
  // The text of the last watch hit (or the whole chunk in text-watch mode).
  const std::string& WatchText() const { return watchText_; }
  // The name of the connection most recently started.
  const std::string& LastConnectionName() const { return lastConnectionName_; }

  // --- Status panel 0
  void WriteStatus(const std::string& text);

  // --- The user-configurable toolbar; ids are never reused within a run.
  // `width` in pixels; 0 or less: as wide as its caption or glyph needs.
  std::int32_t AddUserButton(const std::string& caption, const std::string& hint, const std::string& scriptFile,
                             int width = 0);
  bool RemoveUserButton(std::int32_t id);
  std::int32_t AddUserSpacer();
  bool RemoveUserSpacer(std::int32_t id);
  // A user button's caption, or its glyph (a bitmap file); false when no button has that id.
  bool SetUserButtonCaption(std::int32_t id, const std::string& caption);
  bool SetUserButtonGlyph(std::int32_t id, const std::string& bitmapFile);
  void UserButtonClick(std::int32_t id);

  // --- The script timer: one, fired once a second; setting it again restarts it.
  void SetScriptTimer(std::int32_t seconds, const std::string& scriptFile);
  void ClearScriptTimer();
  bool ScriptTimerPending() const;

  // Nothing is running and no session or timer could start anything: the headless run may end.
  bool Idle() const;

  // --- Further operations
  // One tick of the script timer (the event loop's one-second timer calls it; tests too).
  void ScriptTimerTick();
  std::int32_t ScriptTimerSeconds() const;
  std::int32_t ScriptTimerElapsed() const;
  const std::vector<TToolBtn>& UserButtons() const;
  const std::vector<std::int32_t>& UserSpacers() const;
  // CloseProgram was called (or the window asked to close) and Shutdown has not run yet.
  bool CloseRequested() const { return closeRequested_; }
  // Scripts running now (nesting depth).
  int ScriptDepth() const;
  // Runs a script text (an event handler, an add-in) as RunScriptFile runs a file's text.
  void RunScriptText(const std::string& text);
  // Every script run stops with "Step limit reached" after this many instructions (0: no limit).
  void SetScriptStepLimit(std::uint64_t steps);
  // Shut-down's first step (the detach windows put their sessions back as tabs).
  void SetReattachHandler(std::function<void()> reattachAll);
  // The messages a session's script runs raise are shown as error boxes; this is their caption.
  static constexpr const char* kErrorCaption = "Ondrix";

 private:
  struct Impl;
  void checkedState(CommandId id, bool on);
  TMainFormView& view_;
  std::string programFolder_;
  std::string dataFolder_;
  std::unique_ptr<script::TComponent> scriptObject_;
  std::vector<std::unique_ptr<TTermSheet>> pages_;
  int activePage_ = -1;
  std::vector<TWatch> globalWatches_;
  std::string watchText_;
  std::string lastConnectionName_;
  bool shutDown_ = false;
  bool closeRequested_ = false;
  std::unique_ptr<Impl> impl_;
};

}  // namespace ondrix::shell
