#include "shell/script_manager_form.h"

#include <filesystem>

#include "platform/services.h"
#include "shell/script_files.h"

namespace ondrix::shell {

namespace {

constexpr std::string_view kUntitled = "Untitled";

}  // namespace

TScriptEditForm::TScriptEditForm(TScriptEditView& view, const std::string& programFolder,
                                 script::TComponent& mainForm)
    : view_(view), runner_(mainForm) {
  view_.SetLanguage(loadScriptLanguage(programFolder + std::string(kScriptLanguageFileName)));
  view_.SetPagesVisible(false);
  UpdateCommands();
  UpdateStatus();
}

void TScriptEditForm::SetHelpHandler(std::function<void(EditorCommand)> handler) {
  help_ = std::move(handler);
  UpdateCommands();
}

TScriptEditForm::Page* TScriptEditForm::Active() {
  if (active_ < 0 || active_ >= PageCount()) return nullptr;
  return &pages_[static_cast<std::size_t>(active_)];
}

TScriptEditor* TScriptEditForm::ActiveEditor() {
  Page* page = Active();
  return page ? page->Editor : nullptr;
}

bool TScriptEditForm::CommandEnabled(EditorCommand id) const {
  if (id == EditorCommand::HelpContents || id == EditorCommand::HelpIndex) return static_cast<bool>(help_);
  return !editorCommand(id).Tag99 || !pages_.empty();
}

void TScriptEditForm::UpdateCommands() {
  for (const TEditorCommand& command : editorCommandTable()) view_.SetCommandEnabled(command.Id, CommandEnabled(command.Id));
}

void TScriptEditForm::UpdateStatus() {
  const TEditorStatus status = TEditorStatus::Of(ActiveEditor());
  view_.SetStatusText(0, status.Caret);
  view_.SetStatusText(1, status.Modified);
  view_.SetStatusText(2, status.Mode);
}

void TScriptEditForm::Execute(EditorCommand id) {
  if (!CommandEnabled(id)) return;
  Page* page = Active();
  switch (id) {
    case EditorCommand::NewScript: NewScript(); return;
    case EditorCommand::OpenScript: OpenScript(); return;
    case EditorCommand::SaveScript: Save(*page); break;
    case EditorCommand::SaveScriptAs: SaveAs(*page, page->FileName); break;
    case EditorCommand::CloseScript: CloseActivePage(); return;
    case EditorCommand::PrintScript: page->Editor->Print(fileNameOnly(page->FileName)); break;
    case EditorCommand::ExitManager: view_.CloseWindow(); return;
    case EditorCommand::Cut: page->Editor->Cut(); break;
    case EditorCommand::Copy: page->Editor->Copy(); break;
    case EditorCommand::Paste: page->Editor->Paste(); break;
    case EditorCommand::Undo: page->Editor->Undo(); break;
    case EditorCommand::Redo: page->Editor->Redo(); break;
    case EditorCommand::RunScript: runner_.Run(*page->Editor); break;
    case EditorCommand::CheckScript: runner_.Check(*page->Editor); break;
    case EditorCommand::HelpContents:
    case EditorCommand::HelpIndex: help_(id); return;
    default: return;
  }
  UpdateStatus();
}

TScriptEditForm::Page& TScriptEditForm::AddPage(const std::string& fileName) {
  TScriptEditor& editor = view_.AddPage(fileNameOnly(fileName));
  pages_.push_back({fileName, &editor});
  return pages_.back();
}

void TScriptEditForm::ActivatePage(int index) {
  active_ = index;
  view_.SetPagesVisible(true);
  view_.SetActivePage(index);
  UpdateStatus();
  UpdateCommands();
}

void TScriptEditForm::NewScript() {
  ++untitled_;
  const std::string fileName = std::string(kUntitled) + std::to_string(untitled_) + ".oxs";
  Page& page = AddPage(fileName);
  ActivatePage(PageCount() - 1);
  // A file of that name in the current folder is loaded (the name stays untitled).
  std::error_code ec;
  if (std::filesystem::is_regular_file(fileName, ec)) {
    std::string text;
    if (const TFileResult read = readScriptFile(fileName, text); read.Ok)
      page.Editor->LoadText(text);
    else
      showError(read.Error);
  }
  UpdateStatus();
  view_.ShowWindow();
  page.Editor->Focus();
}

void TScriptEditForm::OpenScript() {
  if (const std::optional<std::string> path = view_.ChooseOpenFile(kFilter, kExtension)) OpenFile(*path);
}

void TScriptEditForm::OpenFile(const std::string& path) {
  std::error_code ec;
  if (!std::filesystem::exists(path, ec)) return;
  std::string text;
  if (const TFileResult read = readScriptFile(path, text); !read.Ok) {
    showError(read.Error);
    return;
  }
  const std::filesystem::path full = std::filesystem::absolute(path, ec);
  Page& page = AddPage(ec ? path : full.lexically_normal().string());
  page.Editor->LoadText(text);
  ActivatePage(PageCount() - 1);
  view_.ShowWindow();
  page.Editor->Focus();
}

bool TScriptEditForm::WriteTo(Page& page, const std::string& path) {
  if (const TFileResult written = writeScriptFile(path, page.Editor->Text()); !written.Ok) {
    showError(written.Error);
    return false;
  }
  page.Editor->SetModified(false);
  return true;
}

bool TScriptEditForm::SaveAs(Page& page, const std::string& initialName) {
  const std::optional<std::string> path = view_.ChooseSaveFile(initialName, kFilter, kExtension);
  if (!path || !WriteTo(page, *path)) return false;
  page.FileName = *path;
  const int index = static_cast<int>(&page - pages_.data());
  view_.SetPageCaption(index, fileNameOnly(*path));
  return true;
}

bool TScriptEditForm::Save(Page& page) {
  if (page.FileName.starts_with(kUntitled)) return SaveAs(page, page.FileName);
  return WriteTo(page, page.FileName);
}

// A changed page asks first. Unlike a plain "discard on cancel", a save dialog that is cancelled
// or a save that fails keeps the page, so the text is never lost without the user saying "No".
bool TScriptEditForm::CloseActivePage() {
  Page* page = Active();
  if (page == nullptr || runner_.Running()) return false;
  if (page->Editor->Modified()) {
    const std::string question = "Script \"" + page->FileName + "\" has been modified. Save changes?";
    switch (platform::services().dialogs->messageBox(question, kCaption, platform::MessageStyle::Warning,
                                                     platform::MessageButtons::YesNoCancel)) {
      case platform::MessageResult::Yes:
        if (!Save(*page)) return false;
        break;
      case platform::MessageResult::No: break;
      default: return false;
    }
  }
  const int index = active_;
  pages_.erase(pages_.begin() + index);
  view_.RemovePage(index);
  if (pages_.empty()) {
    active_ = -1;
    view_.SetPagesVisible(false);
    UpdateCommands();
    UpdateStatus();
  } else {
    ActivatePage(0);
  }
  return true;
}

bool TScriptEditForm::CloseQuery() {
  if (runner_.Running()) return false;
  while (!pages_.empty())
    if (!CloseActivePage()) return false;
  return true;
}

void TScriptEditForm::PageChanged(int index) {
  if (index < 0 || index >= PageCount() || index == active_) return;
  active_ = index;
  UpdateStatus();
}

}  // namespace ondrix::shell
