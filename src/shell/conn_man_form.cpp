#include "shell/conn_man_form.h"

#include <utility>

#include "platform/services.h"
#include "store/stores/evt_db_fcns.h"

namespace ondrix::shell {

TConnManForm::TConnManForm(TConnManView& view, std::string dataFolder, TConnectionHooks hooks)
    : view_(view),
      dataFolder_(std::move(dataFolder)),
      hooks_(std::move(hooks)),
      book_(dataFolder_) {}

void TConnManForm::setEnabled(TConnManView::TControl control, bool enabled) {
  enabled_[control] = enabled;
  view_.SetEnabled(control, enabled);
}

void TConnManForm::FormShow() {
  book_.Open();
  bookOpen_ = true;
  refresh();
}

void TConnManForm::refresh() {
  book_.Renumber();
  names_ = book_.ListNames();
  selected_ = -1;
  view_.ShowNames(names_);
  if (names_.empty()) {
    // Only "&Add new..." enables these again; a later refresh that finds names does not.
    setEnabled(TConnManView::kDeleteBtn, false);
    setEnabled(TConnManView::kEditBtn, false);
    setEnabled(TConnManView::kNames, false);
    setEnabled(TConnManView::kConnBtn, false);
    return;
  }
  select(0);
}

void TConnManForm::select(int index) {
  selected_ = index;
  current_ = book_.Read(index);
  view_.SetSelected(index);
  setEnabled(TConnManView::kConnBtn, !current_.Host.empty());
}

void TConnManForm::NamesClick(int index) {
  if (index < 0 || index >= static_cast<int>(names_.size())) return;
  select(index);
}

void TConnManForm::NewBtnClick() {
  // Enabled whenever they are off, not only when the list is empty: a refresh that found names
  // after an empty one left them off, and the kept manager would otherwise never enable them.
  setEnabled(TConnManView::kDeleteBtn, true);
  setEnabled(TConnManView::kEditBtn, true);
  setEnabled(TConnManView::kNames, true);
  setEnabled(TConnManView::kConnBtn, false);
  // The list mirrors the book, so the new record's number is the number of names.
  current_ = addSeededConnection(book_, dataFolder_);
  names_.push_back(current_.Name);
  selected_ = current_.RecordNo;
  view_.ShowNames(names_);
  view_.SetSelected(selected_);
}

void TConnManForm::EditBtnClick() {
  if (selected_ < 0) return;
  if (std::optional<store::ConnectionRecord> edited = view_.EditConnection(current_)) {
    current_ = std::move(*edited);
    book_.Write(current_.RecordNo, current_);
  }
  if (!current_.Host.empty()) setEnabled(TConnManView::kConnBtn, true);
}

void TConnManForm::DeleteBtnClick() {
  if (selected_ < 0) return;
  const std::string question = "Delete connection \"" + names_[static_cast<std::size_t>(selected_)] + "\"?";
  if (platform::services().dialogs->messageBox(question, {}, platform::MessageStyle::Warning,
                                               platform::MessageButtons::YesNo) !=
      platform::MessageResult::Yes)
    return;
  const int number = selected_;
  names_.erase(names_.begin() + number);
  store::EvtDBFcns events(dataFolder_);
  book_.Delete(number, events);
  refresh();
}

void TConnManForm::RenameClick() {
  if (selected_ < 0) return;
  if (std::optional<std::string> name = view_.AskNewName(names_[static_cast<std::size_t>(selected_)])) {
    names_[static_cast<std::size_t>(selected_)] = *name;
    current_.Name = cutText(*name);
    book_.Write(selected_, current_);
  }
  refresh();
}

void TConnManForm::closeBook() {
  if (!bookOpen_) return;
  bookOpen_ = false;
  book_.Close();
  if (hooks_.BuildConnectMenu) hooks_.BuildConnectMenu();
}

void TConnManForm::DoneBtnClick() {
  view_.Close();
  closeBook();
}

void TConnManForm::ConnBtnClick() {
  const int chosen = selected_;
  DoneBtnClick();
  if (chosen >= 0 && hooks_.OpenSession) hooks_.OpenSession(chosen);
}

void TConnManForm::FormClose() { closeBook(); }

}  // namespace ondrix::shell
