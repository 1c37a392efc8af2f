#pragma once
// TConnEventForm: the event handler editor's logic. It edits the handlers of one owner (a
// connection's name, or "System" for the program-wide handlers; compared exactly): one page per
// event kind (six for "System", four otherwise), each with its script and "Enabled" flag. The
// handlers are read from EVENTS.QDB when the window is shown, the file stays open while the window
// is up, and "Save and exit" writes every page, changed or not, in kind order.

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "shell/editor_commands.h"
#include "shell/editor_script_runner.h"
#include "shell/event_editor_view.h"
#include "store/stores/evt_db_fcns.h"

namespace ondrix::shell {

class TConnEventForm {
 public:
  static constexpr const char* kDesignCaption = "Connection event handlers";
  static constexpr const char* kImportTitle = "Select script to import";
  static constexpr const char* kImportFilter = "Ondrix Script files|*.oxs|All files|*.*";
  static constexpr const char* kImportExtension = "oxs";

  // `mainForm` is the object scripts know as "MainForm" (for "Check script").
  TConnEventForm(TConnEventView& view, std::string dataFolder, std::string programFolder,
                 script::TComponent& mainForm);
  ~TConnEventForm();
  TConnEventForm(const TConnEventForm&) = delete;
  TConnEventForm& operator=(const TConnEventForm&) = delete;

  // Set by the caller before the window is shown.
  std::string Owner;

  // "Event handlers for "OWNER"".
  std::string Caption() const { return "Event handlers for \"" + Owner + "\""; }
  // 6 for "System" (exact case), else 4.
  int KindCount() const;

  // Showing: EVENTS.QDB opened, one page per kind read from it, the first page active.
  void FormShow();
  // Whether the window may close now: not while a check compiles (it processes events).
  bool CanClose() const { return !runner_.Running(); }
  // The window closes (either way): the pages go, EVENTS.QDB is closed.
  void FormClose();

  // The view reports: another page became active, "Enabled" was clicked, the active editor's
  // text or caret changed (or its typing mode).
  void PageChanged(int index);
  void EnabledClicked(bool checked);
  void EditorChanged() { UpdateStatus(); }

  // Import, save and exit, exit without saving, check, and the editing commands on the active
  // editor. Other commands are the window's own (find, replace, options).
  void Execute(EditorCommand id);

  int PageCount() const { return static_cast<int>(pages_.size()); }
  int ActivePage() const { return active_; }
  std::int32_t PageKind(int index) const { return pages_.at(static_cast<std::size_t>(index)).Kind; }
  bool PageEnabled(int index) const { return pages_.at(static_cast<std::size_t>(index)).Enabled; }
  TScriptEditor* ActiveEditor();

 private:
  struct Page {
    std::int32_t Kind;
    bool Enabled;
    TScriptEditor* Editor;
  };

  void UpdateStatus();
  void Import();
  void SaveAndExit();
  void RemovePages();

  TConnEventView& view_;
  std::string programFolder_;
  store::EvtDBFcns events_;
  bool storeOpen_ = false;
  TEditorScriptRunner runner_;
  std::vector<Page> pages_;
  int active_ = -1;
};

}  // namespace ondrix::shell
