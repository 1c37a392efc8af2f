#pragma once
// TScriptEditForm: the script manager's logic. Each open script is a page with an editor and a
// file name (a full path, or "Untitled" + N + ".oxs" for a script never saved; N counts every
// untitled script of the window and is never reset). Commands tagged 99 are enabled only while a
// page exists. "Run script" runs the active editor's text, saved or not, through the window's own
// script component with the main window as "MainForm".

#include <functional>
#include <string>
#include <vector>

#include "shell/editor_commands.h"
#include "shell/editor_script_runner.h"
#include "shell/script_manager_view.h"

namespace ondrix::shell {

class TScriptEditForm {
 public:
  static constexpr const char* kCaption = "Ondrix script manager";
  static constexpr const char* kToolbarCaption = "Script Manager Toolbar";
  static constexpr const char* kFilter = "Ondrix script files|*.oxs|All files|*.*";
  static constexpr const char* kExtension = "oxs";

  // `mainForm` is the object scripts know as "MainForm".
  TScriptEditForm(TScriptEditView& view, const std::string& programFolder, script::TComponent& mainForm);

  // Opens the help for HelpContents or HelpIndex. The help commands are enabled only while one is
  // set.
  void SetHelpHandler(std::function<void(EditorCommand)> handler);

  // Carries out a command of the window (find, replace and the editor options are the window's
  // own and do nothing here). A disabled command does nothing.
  void Execute(EditorCommand id);
  bool CommandEnabled(EditorCommand id) const;

  // The view reports: another page became active; the active editor's text, caret or typing mode
  // changed.
  void PageChanged(int index);
  void EditorChanged() { UpdateStatus(); }

  // Closes the active page, asking to save a changed one; true when it closed.
  bool CloseActivePage();
  // Closing the window: closes the pages one at a time (each time the active one); true when all
  // are closed and the window may go, false when one was kept.
  bool CloseQuery();

  int PageCount() const { return static_cast<int>(pages_.size()); }
  int ActivePage() const { return active_; }
  const std::string& FileName(int index) const { return pages_.at(static_cast<std::size_t>(index)).FileName; }
  int UntitledCount() const { return untitled_; }
  TScriptEditor* ActiveEditor();
  script::THalComp& HalComp() { return runner_.HalComp(); }

  // Opens `path` in a new page (what "Open script..." does after the dialog); a name that does not
  // exist does nothing. Used by the window for files dropped on it as well.
  void OpenFile(const std::string& path);

 private:
  struct Page {
    std::string FileName;
    TScriptEditor* Editor;
  };

  Page* Active();
  void NewScript();
  void OpenScript();
  Page& AddPage(const std::string& fileName);
  bool Save(Page& page);
  bool SaveAs(Page& page, const std::string& initialName);
  bool WriteTo(Page& page, const std::string& path);
  void ActivatePage(int index);
  void UpdateCommands();
  void UpdateStatus();

  TScriptEditView& view_;
  TEditorScriptRunner runner_;
  std::function<void(EditorCommand)> help_;
  std::vector<Page> pages_;
  int active_ = -1;
  int untitled_ = 0;
};

}  // namespace ondrix::shell
