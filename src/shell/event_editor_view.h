#pragma once
// What the event handler editor's logic (TConnEventForm) asks of the window that shows it.

#include <optional>
#include <string>

#include "shell/script_editor.h"
#include "shell/script_language.h"

namespace ondrix::shell {

class TConnEventView {
 public:
  virtual ~TConnEventView() = default;

  virtual void SetCaption(const std::string& caption) = 0;
  // Appends a page with the caption and a script editor; the view owns the editor until the page
  // is removed.
  virtual TScriptEditor& AddPage(const std::string& caption) = 0;
  virtual void RemovePage(int index) = 0;
  virtual void SetActivePage(int index) = 0;
  // The "Enabled" check box.
  virtual void SetEnabledChecked(bool checked) = 0;
  // Status bar panels 0..2.
  virtual void SetStatusText(int panel, const std::string& text) = 0;
  // The language description for the editors' colouring.
  virtual void SetLanguage(const TScriptLanguage& language) = 0;
  // The open-file dialog; nothing when cancelled.
  virtual std::optional<std::string> ChooseImportFile(const std::string& title, const std::string& filter,
                                                      const std::string& defaultExtension) = 0;
  // Closes the window; the window's own close handling then calls TConnEventForm::FormClose.
  virtual void CloseWindow() = 0;
};

}  // namespace ondrix::shell
