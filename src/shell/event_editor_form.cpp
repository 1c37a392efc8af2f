#include "shell/event_editor_form.h"

#include <exception>

#include "platform/services.h"
#include "shell/script_files.h"

namespace ondrix::shell {

TConnEventForm::TConnEventForm(TConnEventView& view, std::string dataFolder, std::string programFolder,
                               script::TComponent& mainForm)
    : view_(view), programFolder_(std::move(programFolder)), events_(std::move(dataFolder)), runner_(mainForm) {
  view_.SetCaption(kDesignCaption);
}

TConnEventForm::~TConnEventForm() {
  try {
    FormClose();
  } catch (const std::exception& e) {
    platform::services().trace->write(std::string("EVENTS.QDB not closed: ") + e.what());
  }
}

int TConnEventForm::KindCount() const { return Owner == store::kSystemOwner ? store::kOnStop : store::kOnWatch; }

TScriptEditor* TConnEventForm::ActiveEditor() {
  if (active_ < 0 || active_ >= PageCount()) return nullptr;
  return pages_[static_cast<std::size_t>(active_)].Editor;
}

void TConnEventForm::FormShow() {
  events_.Open();
  storeOpen_ = true;
  view_.SetCaption(Caption());
  for (std::int32_t kind = 1; kind <= KindCount(); ++kind) {
    const store::EventRec handler = events_.Read(Owner, kind);
    TScriptEditor& editor = view_.AddPage(std::string(store::eventKindName(kind)));
    editor.LoadText(handler.Script);
    pages_.push_back({kind, handler.Enabled != 0, &editor});
    view_.SetActivePage(PageCount() - 1);
  }
  active_ = 0;
  view_.SetActivePage(0);
  pages_.front().Editor->Focus();
  view_.SetEnabledChecked(pages_.front().Enabled);
  view_.SetLanguage(loadScriptLanguage(programFolder_ + std::string(kScriptLanguageFileName)));
  UpdateStatus();
}

void TConnEventForm::FormClose() {
  RemovePages();
  if (storeOpen_) {
    storeOpen_ = false;
    events_.Close();
  }
}

void TConnEventForm::RemovePages() {
  while (!pages_.empty()) {
    pages_.erase(pages_.begin());
    view_.RemovePage(0);
  }
  active_ = -1;
}

void TConnEventForm::PageChanged(int index) {
  if (index < 0 || index >= PageCount() || index == active_) return;
  active_ = index;
  view_.SetEnabledChecked(pages_[static_cast<std::size_t>(index)].Enabled);
  UpdateStatus();
}

void TConnEventForm::EnabledClicked(bool checked) {
  if (active_ >= 0 && active_ < PageCount()) pages_[static_cast<std::size_t>(active_)].Enabled = checked;
}

void TConnEventForm::UpdateStatus() {
  const TEditorStatus status = TEditorStatus::Of(ActiveEditor());
  view_.SetStatusText(0, status.Caret);
  view_.SetStatusText(1, status.Modified);
  view_.SetStatusText(2, status.Mode);
}

void TConnEventForm::Execute(EditorCommand id) {
  TScriptEditor* editor = ActiveEditor();
  switch (id) {
    case EditorCommand::ImportScript: Import(); return;
    case EditorCommand::SaveAndExit: SaveAndExit(); return;
    case EditorCommand::ExitWithoutSaving:
      if (CanClose()) view_.CloseWindow();
      return;
    case EditorCommand::CheckScript:
      if (editor != nullptr) runner_.Check(*editor);
      break;
    case EditorCommand::Cut:
      if (editor != nullptr) editor->Cut();
      break;
    case EditorCommand::Copy:
      if (editor != nullptr) editor->Copy();
      break;
    case EditorCommand::Paste:
      if (editor != nullptr) editor->Paste();
      break;
    case EditorCommand::Undo:
      if (editor != nullptr) editor->Undo();
      break;
    case EditorCommand::Redo:
      if (editor != nullptr) editor->Redo();
      break;
    default: return;
  }
  UpdateStatus();
}

void TConnEventForm::Import() {
  TScriptEditor* editor = ActiveEditor();
  if (editor == nullptr) return;
  const std::optional<std::string> path = view_.ChooseImportFile(kImportTitle, kImportFilter, kImportExtension);
  if (!path) return;
  std::string text;
  if (const TFileResult read = readScriptFile(*path, text); !read.Ok) {
    showError(read.Error);
    return;
  }
  editor->SetText(text);
  UpdateStatus();
}

// Every page is written before any goes, so a record file error leaves the window with all its
// texts for another try.
void TConnEventForm::SaveAndExit() {
  if (!CanClose()) return;
  try {
    for (const Page& page : pages_) {
      store::EventRec handler;
      handler.Name = Owner.substr(0, 254);
      handler.Kind = page.Kind;
      handler.Enabled = page.Enabled ? 1 : 0;
      handler.Script = page.Editor->Text();
      events_.Write(Owner, page.Kind, handler);
    }
  } catch (const std::exception& e) {
    showError(e.what());
    return;
  }
  RemovePages();
  view_.CloseWindow();
}

}  // namespace ondrix::shell
