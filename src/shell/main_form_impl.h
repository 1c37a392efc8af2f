#pragma once
// The private state of TMainForm and the helpers its files share (not part of the interface).
//
// Safety rules every entry point follows:
// - Each call that comes from outside (a command, a menu click, a session event, the timer, a
//   toolbar click) holds an EntryGuard for its duration. While any guard is alive, a closed page
//   is not destroyed: it leaves the page list and the view at once, its session stops reaching
//   the shell, and the sheet waits in `graveyard` until a task posted to the event loop finds no
//   guard alive.
// - A page's own events (data, close, network error) run one at a time: one that arrives while
//   another of the same page is on the stack waits in the panel's PendingEvents.
// - Timer ticks and toolbar clicks run one at a time, in arrival order (shellEvents).
// - Errors of script runs started by an event end that run; the event shows them in an error box
//   and carries on (runGuarded).

#include <array>
#include <cstdint>
#include <deque>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "platform/event_loop.h"
#include "script/script_engine.h"
#include "shell/main_form.h"
#include "store/stores/addin_db.h"

namespace ondrix::script {
class THalComp;
}

namespace ondrix::shell {

struct TMainForm::Impl {
  explicit Impl(TMainForm& owner);

  TMainForm& form;
  script::ScriptEngine engine;
  store::AddinDB addins;
  bool addinsOpen = false;

  // Commands
  std::array<std::function<void()>, kCommandCount> handlers;
  std::array<bool, kCommandCount> checked{};
  bool sessionCommandsOn = false;

  // The user-configurable toolbar
  std::vector<TToolBtn> userButtons;
  std::vector<std::int32_t> userSpacers;
  std::int32_t nextButtonId = 0;
  std::int32_t nextSpacerId = 0;

  // The script timer
  bool timerSet = false;
  platform::EventLoop::TimerId timerId = 0;
  std::string timerFile;
  std::int32_t timerSeconds = 0;
  std::int32_t timerElapsed = 0;

  // Script runs
  int scriptDepth = 0;
  std::uint64_t stepLimit = 0;
  std::function<void()> reattachAll;

  // Entry points on the stack, pages waiting to be destroyed, serialised shell events
  int entries = 0;
  std::vector<std::unique_ptr<TTermSheet>> graveyard;
  bool collectPosted = false;
  std::deque<std::function<void()>> shellEvents;
  bool shellEventRunning = false;
  std::shared_ptr<int> life = std::make_shared<int>(0);

  // Menus built from the stores
  std::vector<TAddinMenuItem> addinMenu;

  // --- helpers (main_form.cpp)
  struct EntryGuard {
    explicit EntryGuard(Impl& impl) : impl_(impl) { ++impl_.entries; }
    ~EntryGuard();
    EntryGuard(const EntryGuard&) = delete;
    EntryGuard& operator=(const EntryGuard&) = delete;
    Impl& impl_;
  };
  void postCollect();
  void collectNow() { graveyard.clear(); }
  int indexOf(const TTermPanel* panel) const;
  bool alive(const TTermPanel* panel) const { return indexOf(panel) >= 0 && !panel->Closing; }
  // Removes page `index` from the list and the view and parks it until it is safe to free.
  void discardPage(int index);
  // After a page went: page 0 becomes active, or with no page left the logo shows.
  void afterPageClosed();
  // Runs `event` for `panel` now, or after the panel's running event when one is on the stack.
  void pageEvent(TTermPanel& panel, std::function<void()> event);
  // Runs `event` for `panel` now, also nested in another of its events (events that cannot wait:
  // the connect result, the close of a page being closed); the outermost one runs the waiting ones.
  void pageEventNow(TTermPanel& panel, const std::function<void()>& event);
  // Runs `event` now, or after the timer tick or click that is running.
  void shellEvent(std::function<void()> event);

  // --- scripts (main_form_scripts.cpp)
  // Runs `action`; an error it raises is shown in an error box and goes no further.
  void runGuarded(const std::function<void()>& action);
  void showError(const std::string& text);
  void runComponent(script::THalComp& component);
  // The connection-scoped event: the connection's own handler, else the System one.
  void connectionEvent(std::int32_t kind, const std::string& name);
  void startTimerTick();
  void stopTimer();

  // --- sessions (main_form_session.cpp)
  void hookSession(TTermPanel& panel);
  void applyRecord(TTermSheet& sheet, int index);
  void applyKeylist(TTermPanel& panel, int number);
  void dataReceived(TTermPanel& panel, std::string chunk);
  void feed(TTermPanel& panel, const char* bytes, std::size_t count);
  void writeConnection(const TTermPanel& panel);

  // --- commands (main_form_commands.cpp)
  bool builtIn(CommandId id) const;
  bool available(CommandId id) const;
  void refreshCommand(CommandId id);
  void runBuiltIn(CommandId id);
  void reconnect();
  void copy();
  void paste();
  void modifyFont();
  void toggleForceLineDraws();
  void quickRunScript();
  void navigate(int step);

  // --- start-up (main_form_lifecycle.cpp)
  void moveConflictFiles();
  void processCommandLine(const std::vector<std::string>& arguments);
  void saveBounds();
};

// Starts `program` with no arguments in the current folder and does not wait (program_launch.cpp).
void launchProgram(const std::string& program);

}  // namespace ondrix::shell
