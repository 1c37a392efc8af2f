#include "shell/key_man_form.h"

#include "shell/manager_messages.h"
#include "shell/open_store.h"
#include "store/stores/con_db_fcns.h"
#include "store/stores/def_db_fcns.h"

namespace ondrix::shell {

namespace {
constexpr std::size_t kMaxName = 254;
}

TKeyManForm::TKeyManForm(TKeyManView& view, std::string dataFolder)
    : view_(view), dataFolder_(dataFolder), keys_(std::move(dataFolder)) {
  release();
}

void TKeyManForm::load(int number) { current_ = keys_.Read(number); }

void TKeyManForm::writeBack() {
  if (!loaded()) return;
  current_.RecordNo = selected_;
  keys_.Write(selected_, current_);
}

void TKeyManForm::release() {
  store::KeyDBFcns::FreeEntries(current_);
  current_.RecordNo = -1;
  current_.Name.clear();
}

void TKeyManForm::show() { view_.ShowNames(names_, selected_); }

void TKeyManForm::FormShow() {
  shown_ = true;
  release();
  withOpen(keys_, [this] {
    names_ = keys_.ListNames();
    selected_ = names_.empty() ? -1 : 0;
    if (!names_.empty()) load(0);
  });
  view_.SetEditingEnabled(!names_.empty());
  show();
}

void TKeyManForm::NamesClick(int index) {
  if (index < 0 || index >= static_cast<int>(names_.size()) || index == selected_) return;
  withOpen(keys_, [this, index] {
    writeBack();
    release();
    selected_ = index;
    load(index);
  });
  current_.Name = names_[static_cast<std::size_t>(index)];
}

void TKeyManForm::EditBtnClick() {
  if (selected_ < 0) return;
  if (selected_ == 0) {
    showNotice("Cannot edit the default keylist.");
    return;
  }
  store::TKeyItem copy = current_;
  view_.EditKeys(selected_, copy);
  current_ = std::move(copy);
}

void TKeyManForm::NewBtnClick() {
  const int number = static_cast<int>(names_.size());
  withOpen(keys_, [this, number] {
    writeBack();
    release();
    load(0);
    current_.RecordNo = number;
    current_.Name = "New keylist " + std::to_string(number);
    keys_.Write(number, current_);
  });
  names_.push_back(current_.Name);
  selected_ = number;
  show();
  view_.SetEditingEnabled(true);
}

void TKeyManForm::DeleteBtnClick() {
  if (selected_ < 0) return;
  if (selected_ < kNativeKeyLists) {
    showNotice("Cannot delete a native keylist");
    return;
  }
  const int number = selected_;
  if (!askWarning("Delete keylist \"" + names_[static_cast<std::size_t>(number)] + "\"?")) return;
  release();
  withOpen(keys_, [this, number] { keys_.Delete(number); });
  names_.erase(names_.begin() + number);
  store::ConDBFcns(dataFolder_).KeyListDeleted(number);
  store::DefDBFcns defaults(dataFolder_);
  withOpen(defaults, [&defaults, number] { defaults.NumberDeleted("KeyListNo", number); });
  selected_ = 0;
  withOpen(keys_, [this] { load(0); });
  show();
}

void TKeyManForm::RenameClick() {
  if (selected_ < 0) return;
  if (selected_ == 0) {
    showNotice("Cannot rename the default keylist.");
    return;
  }
  const std::optional<std::string> name = view_.AskNewName(current_.Name);
  if (!name) return;
  current_.Name = name->substr(0, kMaxName);
  names_[static_cast<std::size_t>(selected_)] = current_.Name;
  withOpen(keys_, [this] { keys_.Write(selected_, current_); });
  show();
}

void TKeyManForm::DoneBtnClick() { view_.CloseWindow(); }

void TKeyManForm::FormClose() {
  if (!shown_) return;
  shown_ = false;
  // Writing back here rather than on "&Done" alone keeps the editor's changes however the window
  // is closed.
  withOpen(keys_, [this] { writeBack(); });
  release();
  if (OnClosed) OnClosed();
}

}  // namespace ondrix::shell
