#include "shell/palette_man_form.h"

#include "shell/manager_messages.h"
#include "shell/open_store.h"
#include "store/stores/con_db_fcns.h"
#include "store/stores/def_db_fcns.h"

namespace ondrix::shell {

TPaletteManForm::TPaletteManForm(TPaletteManView& view, std::string dataFolder)
    : view_(view), dataFolder_(dataFolder), palettes_(std::move(dataFolder)) {}

void TPaletteManForm::load(int number) {
  withOpen(palettes_, [this, number] { current_ = palettes_.Read(number); });
}

void TPaletteManForm::colorPanels() {
  // A palette missing from the store has no colours to show.
  if (current_.RecordNo < 0) {
    showNotice("Could not get colors");
    return;
  }
  for (int panel = 1; panel <= kPanels; ++panel)
    view_.SetPanelColor(panel, current_.Colors[static_cast<std::size_t>(panel - 1)]);
}

void TPaletteManForm::show() { view_.ShowNames(names_, selected_); }

void TPaletteManForm::writeCurrent() {
  current_.RecordNo = selected_;
  withOpen(palettes_, [this] { palettes_.Write(selected_, current_); });
}

void TPaletteManForm::FormShow() {
  withOpen(palettes_, [this] { names_ = palettes_.ListNames(); });
  selected_ = names_.empty() ? -1 : 0;
  current_ = store::PaletteRecord::missing();
  show();
  if (names_.empty()) return;
  load(0);
  colorPanels();
}

void TPaletteManForm::NamesClick(int index) {
  if (index < 0 || index >= static_cast<int>(names_.size())) return;
  selected_ = index;
  load(index);
  colorPanels();
}

void TPaletteManForm::PanelDblClick(int panel) {
  if (panel < 1 || panel > kPanels || selected_ < 0) return;
  if (selected_ == 0) {
    showNotice("Cannot modify the default palette");
    return;
  }
  std::uint32_t& color = current_.Colors[static_cast<std::size_t>(panel - 1)];
  const std::optional<std::uint32_t> chosen = view_.ChooseColor(color);
  if (!chosen) return;
  color = *chosen;
  view_.SetPanelColor(panel, color);
  writeCurrent();
}

void TPaletteManForm::NewBtnClick() {
  const int number = static_cast<int>(names_.size());
  const std::string name = ("New palette " + std::to_string(number)).substr(0, kMaxName);
  names_.push_back(name);
  selected_ = number;
  show();
  load(0);
  current_.Name = name;
  current_.RecordNo = number;
  colorPanels();
  writeCurrent();
}

void TPaletteManForm::DeleteBtnClick() {
  if (selected_ < 0) return;
  if (selected_ == 0) {
    showNotice("Cannot delete the default palette");
    return;
  }
  const int number = selected_;
  if (!askWarning("Delete palette \"" + names_[static_cast<std::size_t>(number)] + "\"?")) return;
  withOpen(palettes_, [this, number] { palettes_.Delete(number); });
  store::ConDBFcns(dataFolder_).PaletteDeleted(number);
  store::DefDBFcns defaults(dataFolder_);
  withOpen(defaults, [&defaults, number] { defaults.NumberDeleted("PaletteNo", number); });
  names_.erase(names_.begin() + number);
  selected_ = 0;
  show();
  load(0);
  colorPanels();
}

void TPaletteManForm::RenameClick() {
  if (selected_ < 0) return;
  if (selected_ == 0) {
    showNotice("Cannot rename the default palette");
    return;
  }
  const std::optional<std::string> name = view_.AskNewName(current_.Name);
  if (!name) return;
  current_.Name = name->substr(0, kMaxName);
  names_[static_cast<std::size_t>(selected_)] = current_.Name;
  show();
  writeCurrent();
}

void TPaletteManForm::DoneBtnClick() { view_.CloseWindow(); }

}  // namespace ondrix::shell
