#include "shell/addin_editor_form.h"

#include <algorithm>
#include <charconv>
#include <filesystem>

#include "shell/addin_menu.h"
#include "store/records/record_bytes.h"
#include "store/stores/addin_db.h"
#include "store/stores/record_file.h"

namespace ondrix::shell {
namespace {

constexpr const char* kNoCaption = "Please enter a caption for the add-in.";
constexpr const char* kBadParent = "An add-in cannot go under itself or one of its own entries.";
constexpr const char* kFull = "No more add-ins can be added.";

std::optional<std::int32_t> keyNumber(const std::string& key) {
  std::int32_t number = 0;
  const auto [end, error] = std::from_chars(key.data(), key.data() + key.size(), number);
  if (error != std::errc() || end != key.data() + key.size() || number <= 0) return std::nullopt;
  return number;
}

}  // namespace

TAddinEditorForm::TAddinEditorForm(std::string dataFolder, TAddinEditorView& view)
    : path_(std::move(dataFolder) + std::string(store::AddinDB::kFileName)), view_(view) {}

void TAddinEditorForm::Load() {
  addins_.clear();
  unreadable_.clear();
  std::error_code error;
  if (std::filesystem::exists(path_, error)) {
    store::RecordFile file(std::filesystem::path(path_).parent_path().string() + "/", store::AddinDB::kFileName);
    file.Open();
    for (const std::string& key : file.Keys()) {
      const std::string bytes = file.Get(key).value_or("");
      const std::optional<std::int32_t> number = keyNumber(key);
      std::optional<store::AddinItem> item = store::AddinItem::decode(bytes);
      if (!number || !item) {
        unreadable_.emplace_back(key, bytes);
        continue;
      }
      // The parent the menu gives the entry: one before it, else the top level.
      const bool parentBefore = std::any_of(addins_.begin(), addins_.end(),
                                            [&](const TAddinEntry& e) { return e.Number == item->ParentNo; });
      if (!parentBefore) item->ParentNo = 0;
      addins_.push_back({*number, std::move(*item)});
    }
    file.Close();
  }
  show();
}

const TAddinEntry* TAddinEditorForm::Find(std::int32_t number) const {
  const std::size_t i = indexOf(number);
  return i < addins_.size() ? &addins_[i] : nullptr;
}

std::size_t TAddinEditorForm::indexOf(std::int32_t number) const {
  const auto it = std::find_if(addins_.begin(), addins_.end(), [&](const TAddinEntry& e) { return e.Number == number; });
  return static_cast<std::size_t>(it - addins_.begin());
}

bool TAddinEditorForm::isWithin(std::int32_t number, std::int32_t ancestor) const {
  // Parents come before their entries, so the chain of parents ends.
  for (const TAddinEntry* e = Find(number); e; e = Find(e->Item.ParentNo))
    if (e->Number == ancestor) return true;
  return false;
}

std::vector<TAddinEntry> TAddinEditorForm::ParentChoices(std::int32_t number) const {
  std::vector<TAddinEntry> choices;
  for (const TAddinEntry& e : addins_)
    if (number == 0 || !isWithin(e.Number, number)) choices.push_back(e);
  return choices;
}

bool TAddinEditorForm::acceptable(std::int32_t number, const store::AddinItem& item) const {
  if (item.Caption.empty()) {
    view_.ShowMessage(kNoCaption);
    return false;
  }
  if (item.ParentNo != 0 && (!Find(item.ParentNo) || (number != 0 && isWithin(item.ParentNo, number)))) {
    view_.ShowMessage(kBadParent);
    return false;
  }
  return true;
}

bool TAddinEditorForm::Add(const store::AddinItem& item) {
  if (addins_.size() + unreadable_.size() >= static_cast<std::size_t>(kMaxAddins)) {
    view_.ShowMessage(kFull);
    return false;
  }
  if (!acceptable(0, item)) return false;
  addins_.push_back({0, item});
  save();
  return true;
}

bool TAddinEditorForm::Edit(std::int32_t number, const store::AddinItem& item) {
  const std::size_t i = indexOf(number);
  if (i == addins_.size() || !acceptable(number, item)) return false;
  const bool moved = addins_[i].Item.ParentNo != item.ParentNo;
  addins_[i].Item = item;
  if (moved) {
    // The add-in and its entries go to the end, after their new parent.
    std::vector<bool> within;
    for (const TAddinEntry& e : addins_) within.push_back(isWithin(e.Number, number));
    std::vector<TAddinEntry> order;
    for (int pass = 0; pass < 2; ++pass)
      for (std::size_t k = 0; k < addins_.size(); ++k)
        if (within[k] == (pass == 1)) order.push_back(addins_[k]);
    addins_ = std::move(order);
  }
  save();
  return true;
}

bool TAddinEditorForm::Delete(std::int32_t number) {
  const std::size_t i = indexOf(number);
  if (i == addins_.size()) return false;
  const TAddinEntry gone = addins_[i];
  std::string question = "Delete the add-in \"" + gone.Item.Caption + "\"?";
  if (std::any_of(addins_.begin(), addins_.end(), [&](const TAddinEntry& e) { return e.Item.ParentNo == number; }))
    question += " Its entries move up one level.";
  if (!view_.Confirm(question)) return false;
  addins_.erase(addins_.begin() + static_cast<std::ptrdiff_t>(i));
  for (TAddinEntry& e : addins_)
    if (e.Item.ParentNo == number) e.Item.ParentNo = gone.Item.ParentNo;
  save();
  return true;
}

void TAddinEditorForm::save() {
  // New numbers in order; parents are renumbered before their entries look them up.
  std::vector<std::pair<std::int32_t, std::int32_t>> renumbered;  // old number -> new number
  std::vector<std::pair<std::string, std::string>> items;
  std::int32_t next = 1;
  for (TAddinEntry& e : addins_) {
    std::int32_t parent = 0;
    for (const auto& [from, to] : renumbered)
      if (from == e.Item.ParentNo && e.Item.ParentNo != 0) parent = to;
    e.Item.ParentNo = parent;
    if (e.Number != 0) renumbered.emplace_back(e.Number, next);
    e.Number = next++;
    items.emplace_back(store::numberKey(e.Number), e.Item.encode());
  }
  for (auto& [key, bytes] : unreadable_) {
    if (keyNumber(key)) key = store::numberKey(next++);
    items.emplace_back(key, bytes);
  }
  store::writeRecordFile(path_, items);
  show();
}

std::vector<TAddinMenuItem> TAddinEditorForm::MenuPreview() const {
  std::vector<TAddinMenuItem> menu;
  // Saved, the file holds the entries in this order, the unreadable items after them.
  for (const TAddinEntry& e : addins_) placeAddinMenuItem(menu, e.Number, e.Item);
  return menu;
}

void TAddinEditorForm::show() { view_.ShowAddins(addins_, MenuPreview()); }

}  // namespace ondrix::shell
