#pragma once
// The session commands of the main window that need a dialog or the printer: "Log to file" (starts
// or stops the active session's log), "Print screen", "Printer font...", "Setup printer..." and
// "Eject printer page". Install() hands them to the main window as command handlers.

#include <optional>
#include <string>

#include "shell/main_form_view.h"
#include "shell/print_device.h"

namespace ondrix::shell {

class TMainForm;

// The dialogs these commands open.
class TSessionCommandsView {
 public:
  virtual ~TSessionCommandsView() = default;
  // A save-file dialog preset to `fileName`, with a filter ("Desc|*.ext|Desc|*.*") and a default
  // extension; the chosen file.
  virtual std::optional<std::string> ChooseSaveFile(const std::string& fileName, const std::string& filter,
                                                    const std::string& defaultExtension) = 0;
  // A font dialog offering every font, preset with `current`.
  virtual std::optional<TFontChoice> ChooseAnyFont(const TFontChoice& current) = 0;
};

class TSessionCommands {
 public:
  static constexpr const char* kLogFilter = "Ondrix log files|*.log|All files|*.*";
  static constexpr const char* kLogExtension = "LOG";
  static constexpr int kPrintBufferSize = 3072;  // the screen text printed is at most one less
  static constexpr const char* kPrintErrorCaption = "Print";

  TSessionCommands(TMainForm& form, TSessionCommandsView& view, TPrintDevice& printer);

  // Installs the five commands' handlers on the form.
  void Install();

  void LogToFile();
  void PrintScreen();
  void PrinterFont();
  void SetupPrinter();
  void EjectPrinterPage();

  // The printer font dialog is shared with "Modify Font...": a font chosen there presets the next
  // printer font dialog too.
  void FontChosen(const TFontChoice& font) { dialogFont_ = font; }
  const TFontChoice& CurrentPrinterFont() const { return printerFont_; }

 private:
  void report(const std::string& failure) const;

  TMainForm& form_;
  TSessionCommandsView& view_;
  TPrintDevice& printer_;
  TFontChoice printerFont_{"Courier New", 10, false, false, false};
  TFontChoice dialogFont_ = printerFont_;
};

}  // namespace ondrix::shell
