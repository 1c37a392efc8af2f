#include "shell/session_commands.h"

#include "platform/services.h"
#include "session/tnemulvt.h"
#include "shell/main_form.h"

namespace ondrix::shell {

TSessionCommands::TSessionCommands(TMainForm& form, TSessionCommandsView& view, TPrintDevice& printer)
    : form_(form), view_(view), printer_(printer) {}

void TSessionCommands::Install() {
  form_.SetCommandHandler(CommandId::LogToFile, [this] { LogToFile(); });
  form_.SetCommandHandler(CommandId::PrintScreen, [this] { PrintScreen(); });
  form_.SetCommandHandler(CommandId::PrinterFont, [this] { PrinterFont(); });
  form_.SetCommandHandler(CommandId::SetupPrinter, [this] { SetupPrinter(); });
  form_.SetCommandHandler(CommandId::EjectPrinterPage, [this] { EjectPrinterPage(); });
}

void TSessionCommands::LogToFile() {
  const int index = form_.ActivePageIndex();
  if (index < 0) return;
  TTermPanel* panel = &form_.Panel(index);
  if (panel->Emu->Logging()) {
    panel->Emu->StopLog();
  } else {
    const std::optional<std::string> file =
        view_.ChooseSaveFile(form_.Page(index).Caption + ".log", kLogFilter, kLogExtension);
    // The dialog waited for the user; the page may have been closed meanwhile.
    bool stillOpen = false;
    for (int i = 0; i < form_.PageCount(); ++i) stillOpen = stillOpen || &form_.Panel(i) == panel;
    if (!file || !stillOpen) return;
    panel->Emu->StartLog(*file);  // tells the user when the file cannot be created
  }
  form_.UpdateStatus();
}

void TSessionCommands::PrintScreen() {
  TTermPanel* panel = form_.ActivePanel();
  if (!panel) return;
  char buffer[kPrintBufferSize];
  const int count = panel->Emu->GetScreenText(buffer, kPrintBufferSize);
  report(printer_.PrintJob(std::string(buffer, static_cast<std::size_t>(count > 0 ? count : 0)), printerFont_));
}

void TSessionCommands::PrinterFont() {
  const std::optional<TFontChoice> font = view_.ChooseAnyFont(dialogFont_);
  if (!font) return;
  printerFont_ = *font;
  dialogFont_ = *font;
}

void TSessionCommands::SetupPrinter() { report(printer_.Setup()); }

void TSessionCommands::EjectPrinterPage() { report(printer_.PrintJob(std::string(), printerFont_)); }

void TSessionCommands::report(const std::string& failure) const {
  if (failure.empty()) return;
  platform::services().dialogs->messageBox(failure, kPrintErrorCaption, platform::MessageStyle::Information,
                                           platform::MessageButtons::Ok);
}

}  // namespace ondrix::shell
