#pragma once
// What the script manager's logic (TScriptEditForm) asks of the window that shows it.

#include <optional>
#include <string>

#include "shell/editor_commands.h"
#include "shell/script_editor.h"
#include "shell/script_language.h"

namespace ondrix::shell {

class TScriptEditView {
 public:
  virtual ~TScriptEditView() = default;

  // Appends a page with the caption and a script editor; the view owns the editor until the page
  // is removed.
  virtual TScriptEditor& AddPage(const std::string& caption) = 0;
  virtual void RemovePage(int index) = 0;
  virtual void SetPageCaption(int index, const std::string& caption) = 0;
  virtual void SetActivePage(int index) = 0;
  // The page control; hidden while there is no page.
  virtual void SetPagesVisible(bool visible) = 0;
  virtual void SetCommandEnabled(EditorCommand id, bool enabled) = 0;
  // Status bar panels 0..2.
  virtual void SetStatusText(int panel, const std::string& text) = 0;
  // The language description for the editors' colouring.
  virtual void SetLanguage(const TScriptLanguage& language) = 0;
  // The open and save dialogs (the save dialog preset with `initialName`, without a read-only
  // option, accepting only existing folders); nothing when cancelled.
  virtual std::optional<std::string> ChooseOpenFile(const std::string& filter, const std::string& defaultExtension) = 0;
  virtual std::optional<std::string> ChooseSaveFile(const std::string& initialName, const std::string& filter,
                                                    const std::string& defaultExtension) = 0;
  virtual void ShowWindow() = 0;
  // Asks the window to close; its close handling asks TScriptEditForm::CloseQuery.
  virtual void CloseWindow() = 0;
};

}  // namespace ondrix::shell
