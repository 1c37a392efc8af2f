// TMainForm: the commands of the command table. The ones carried out here work on the active
// session or the window; the others (managers, dialogs, printing, logging, detaching) are carried
// out by the handler their window layer installs, and stay disabled until it does.

#include <algorithm>
#include <filesystem>

#include "platform/services.h"
#include "session/tnemulvt.h"
#include "shell/main_form_impl.h"

namespace ondrix::shell {
namespace {

constexpr int kClipboardLimit = 8191;  // characters copied and bytes pasted at most
constexpr const char* kQuickRunTitle = "Choose a script to run";
constexpr const char* kQuickRunFilter = "Ondrix Script files|*.oxs|All files|*.*";
constexpr const char* kQuickRunExtension = ".OXS";
constexpr const char* kFtpClientProgram = "OXPFTP";
constexpr const char* kFtpServerProgram = "OXFTPSrv";
constexpr const char* kHelpFile = "OXPRO.md";
constexpr const char* kScriptHelpFile = "OXPSCRIPT.md";

bool fileExists(const std::string& path) {
  std::error_code error;
  return std::filesystem::is_regular_file(path, error);
}

// The file a command needs in the program folder, or nullptr.
const char* programFile(CommandId id) {
  switch (id) {
    case CommandId::FtpClient: return kFtpClientProgram;
    case CommandId::FtpServer: return kFtpServerProgram;
    case CommandId::Contents:
    case CommandId::Index: return kHelpFile;
    case CommandId::ScriptingHelp: return kScriptHelpFile;
    default: return nullptr;
  }
}

}  // namespace

// --- Enabling -----------------------------------------------------------------------------------

bool TMainForm::Impl::builtIn(CommandId id) const {
  switch (id) {
    case CommandId::Reconnect:
    case CommandId::Disconnect:
    case CommandId::Exit:
    case CommandId::Copy:
    case CommandId::Paste:
    case CommandId::SendBreak:
    case CommandId::ResetTerminal:
    case CommandId::ShowToolbar:
    case CommandId::ModifyFont:
    case CommandId::ForceLineDraws:
    case CommandId::QuickRunScript:
    case CommandId::FtpClient:
    case CommandId::FtpServer:
    case CommandId::NextTab:
    case CommandId::PreviousTab:
    case CommandId::Contents:
    case CommandId::Index:
    case CommandId::ScriptingHelp:
    case CommandId::NewsPage: return true;
    default: return false;
  }
}

bool TMainForm::Impl::available(CommandId id) const {
  const int i = static_cast<int>(id);
  if (!handlers[static_cast<std::size_t>(i)]) {
    if (!builtIn(id)) return false;
    if (const char* file = programFile(id); file && !fileExists(form.programFolder_ + file)) return false;
  }
  return !command(id).SessionCommand || sessionCommandsOn;
}

void TMainForm::Impl::refreshCommand(CommandId id) { form.view_.SetCommandEnabled(id, available(id)); }

bool TMainForm::CommandEnabled(CommandId id) const { return impl_->available(id); }

bool TMainForm::CommandChecked(CommandId id) const { return impl_->checked[static_cast<std::size_t>(id)]; }

void TMainForm::SetCommandHandler(CommandId id, std::function<void()> handler) {
  impl_->handlers[static_cast<std::size_t>(id)] = std::move(handler);
  impl_->refreshCommand(id);
}

void TMainForm::EnableSessionCommands(bool on) {
  impl_->sessionCommandsOn = on;
  for (const TCommand& c : commandTable())
    if (c.SessionCommand) impl_->refreshCommand(c.Id);
}

// --- Carrying out -------------------------------------------------------------------------------

void TMainForm::Execute(CommandId id) {
  if (shutDown_ || !CommandEnabled(id)) return;
  Impl::EntryGuard guard(*impl_);
  impl_->runGuarded([&] {
    // The handler is copied: it may install another one for its own command.
    if (const std::function<void()> handler = impl_->handlers[static_cast<std::size_t>(id)])
      handler();
    else
      impl_->runBuiltIn(id);
  });
}

void TMainForm::Impl::runBuiltIn(CommandId id) {
  TTermPanel* panel = form.ActivePanel();
  switch (id) {
    case CommandId::Reconnect: reconnect(); break;
    case CommandId::Disconnect:
      if (form.PageCount() > 0) form.ClosePage(form.activePage_);
      break;
    case CommandId::Exit: form.CloseProgram(); break;
    case CommandId::Copy: copy(); break;
    case CommandId::Paste: paste(); break;
    case CommandId::SendBreak:
      if (panel) panel->Emu->SendBreak();
      break;
    case CommandId::ResetTerminal:
      if (panel) panel->Emu->SendReset();
      break;
    case CommandId::ShowToolbar: {
      const bool on = !checked[static_cast<std::size_t>(id)];
      form.checkedState(id, on);
      form.view_.SetToolbarsVisible(on);
      break;
    }
    case CommandId::ModifyFont: modifyFont(); break;
    case CommandId::ForceLineDraws: toggleForceLineDraws(); break;
    case CommandId::QuickRunScript: quickRunScript(); break;
    case CommandId::FtpClient: launchProgram(form.programFolder_ + kFtpClientProgram); break;
    case CommandId::FtpServer: launchProgram(form.programFolder_ + kFtpServerProgram); break;
    case CommandId::NextTab: navigate(1); break;
    case CommandId::PreviousTab: navigate(-1); break;
    case CommandId::Contents:
    case CommandId::Index: form.view_.OpenDocument(form.programFolder_ + kHelpFile); break;
    case CommandId::ScriptingHelp: form.view_.OpenDocument(form.programFolder_ + kScriptHelpFile); break;
    case CommandId::NewsPage: form.view_.OpenDocument(kNewsPage); break;
    default: break;
  }
}

void TMainForm::Impl::reconnect() {
  TTermPanel* panel = form.ActivePanel();
  if (!panel) return;
  session::TTnEmulVT& emu = *panel->Emu;
  if (emu.IsConnected()) {
    if (platform::services().dialogs->messageBox(kReconnectQuestion, kErrorCaption, platform::MessageStyle::Warning,
                                                 platform::MessageButtons::YesNo) != platform::MessageResult::Yes)
      return;
    // The question waited for the user; the page may have gone meanwhile.
    if (!alive(panel)) return;
    emu.Disconnect();  // OnDisconnect runs; its handler may close the page
    if (!alive(panel) || form.closeRequested_) return;
  }
  // Disconnect dropped the key definitions: the session gets its key list back.
  applyKeylist(*panel, panel->KeyListNo);
  emu.Connect();
}

void TMainForm::Impl::copy() {
  TTermPanel* panel = form.ActivePanel();
  if (!panel) return;
  char buffer[kClipboardLimit + 1];
  const int n = panel->Emu->GetSelectionText(buffer, sizeof buffer);
  if (n > 0) form.view_.SetClipboardText(std::string(buffer, static_cast<std::size_t>(n)));
}

void TMainForm::Impl::paste() {
  TTermPanel* panel = form.ActivePanel();
  if (!panel) return;
  const std::optional<std::string> text = form.view_.ClipboardText();
  if (!text) {
    platform::services().dialogs->messageBox(kNotText, kErrorCaption, platform::MessageStyle::Information,
                                             platform::MessageButtons::Ok);
    return;
  }
  if (!alive(panel)) return;
  const int count = static_cast<int>(std::min<std::size_t>(text->size(), kClipboardLimit));
  if (count > 0) panel->Emu->Send(text->data(), count);
}

void TMainForm::Impl::modifyFont() {
  TTermPanel* panel = form.ActivePanel();
  if (!panel) return;
  const term::TFont current = panel->Emu->Font();
  const std::optional<TFontChoice> choice =
      form.view_.ChooseFixedFont(TFontChoice{current.Name, current.Size, current.Bold, current.Italic, current.Underline});
  // The dialog waited for the user; the page may have gone meanwhile.
  if (!choice || !alive(panel)) return;
  term::TFont font = panel->Emu->Font();
  font.Name = choice->Name;
  font.Size = choice->Size;
  font.Bold = choice->Bold;
  font.Italic = choice->Italic;
  font.Underline = choice->Underline;
  panel->Emu->SetFont(font);
  store::ConnectionRecord& r = panel->Connection;
  r.FontName = choice->Name;
  r.FontSize = choice->Size;
  r.FontBold = choice->Bold;
  r.FontItalic = choice->Italic;
  r.FontUnderline = choice->Underline;
  writeConnection(*panel);
  panel->Emu->View().InvalidateAll();
}

void TMainForm::Impl::toggleForceLineDraws() {
  TTermPanel* panel = form.ActivePanel();
  if (!panel) return;
  const bool on = !checked[static_cast<std::size_t>(CommandId::ForceLineDraws)];
  form.checkedState(CommandId::ForceLineDraws, on);
  panel->Connection.ForceLineDraw = on;
  writeConnection(*panel);
  term::TFont font = panel->Emu->Font();
  font.CharSet = on ? term::kOemCharset : 0;
  panel->Emu->SetFont(font);
  panel->Emu->View().InvalidateAll();
}

void TMainForm::Impl::quickRunScript() {
  const std::optional<std::string> file = form.view_.ChooseOpenFile(kQuickRunTitle, kQuickRunFilter, kQuickRunExtension);
  if (file) form.RunScriptFile(*file);
}

void TMainForm::Impl::navigate(int step) {
  const int count = form.PageCount();
  if (count == 0) return;
  const int index = form.activePage_ < 0 ? 0 : form.activePage_;
  form.SetActivePage((index + step + count) % count);
}

}  // namespace ondrix::shell
