// TMainForm: the user-configurable toolbar that scripts fill with buttons and spacers. Ids come
// from two counters and are never reused within a run; the toolbar shows while it holds anything.

#include <algorithm>

#include "shell/main_form_impl.h"

namespace ondrix::shell {

std::int32_t TMainForm::AddUserButton(const std::string& caption, const std::string& hint,
                                      const std::string& scriptFile, int width) {
  const std::int32_t id = impl_->nextButtonId++;
  impl_->userButtons.push_back(TToolBtn{id, caption, hint, scriptFile, {}});
  view_.AddUserButton(id, caption, hint, width);
  view_.SetUserToolbarVisible(true);
  return id;
}

bool TMainForm::RemoveUserButton(std::int32_t id) {
  auto& buttons = impl_->userButtons;
  const auto it = std::find_if(buttons.begin(), buttons.end(), [id](const TToolBtn& b) { return b.Id == id; });
  if (it == buttons.end()) return false;
  buttons.erase(it);
  view_.RemoveUserButton(id);
  view_.SetUserToolbarVisible(!buttons.empty() || !impl_->userSpacers.empty());
  return true;
}

std::int32_t TMainForm::AddUserSpacer() {
  const std::int32_t id = impl_->nextSpacerId++;
  impl_->userSpacers.push_back(id);
  view_.AddUserSpacer(id);
  view_.SetUserToolbarVisible(true);
  return id;
}

bool TMainForm::RemoveUserSpacer(std::int32_t id) {
  auto& spacers = impl_->userSpacers;
  const auto it = std::find(spacers.begin(), spacers.end(), id);
  if (it == spacers.end()) return false;
  spacers.erase(it);
  view_.RemoveUserSpacer(id);
  view_.SetUserToolbarVisible(!spacers.empty() || !impl_->userButtons.empty());
  return true;
}

bool TMainForm::SetUserButtonCaption(std::int32_t id, const std::string& caption) {
  auto& buttons = impl_->userButtons;
  const auto it = std::find_if(buttons.begin(), buttons.end(), [id](const TToolBtn& b) { return b.Id == id; });
  if (it == buttons.end()) return false;
  it->Caption = caption;
  view_.SetUserButtonCaption(id, caption);
  return true;
}

bool TMainForm::SetUserButtonGlyph(std::int32_t id, const std::string& bitmapFile) {
  auto& buttons = impl_->userButtons;
  const auto it = std::find_if(buttons.begin(), buttons.end(), [id](const TToolBtn& b) { return b.Id == id; });
  if (it == buttons.end()) return false;
  it->GlyphFile = bitmapFile;
  view_.SetUserButtonGlyph(id, bitmapFile);
  return true;
}

void TMainForm::UserButtonClick(std::int32_t id) {
  impl_->shellEvent([this, id] {
    const auto& buttons = impl_->userButtons;
    const auto it = std::find_if(buttons.begin(), buttons.end(), [id](const TToolBtn& b) { return b.Id == id; });
    if (it == buttons.end()) return;
    const std::string file = it->ScriptFile;  // the script may remove the button
    impl_->runGuarded([&] { RunScriptFile(file); });
  });
}

const std::vector<TToolBtn>& TMainForm::UserButtons() const { return impl_->userButtons; }
const std::vector<std::int32_t>& TMainForm::UserSpacers() const { return impl_->userSpacers; }

}  // namespace ondrix::shell
