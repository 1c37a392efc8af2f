// TMainForm: the submenus built from the stores (Connect, Change keylist) and the add-in menu.

#include <charconv>

#include "platform/services.h"
#include "shell/addin_menu.h"
#include "shell/main_form_impl.h"
#include "store/stores/con_db_fcns.h"
#include "store/stores/key_db_fcns.h"

namespace ondrix::shell {

void TMainForm::BuildConnectMenu() {
  store::ConDBFcns connections(dataFolder_);
  connections.Open();
  const std::vector<std::string> names = connections.ListNames();
  connections.Close();
  view_.SetConnectMenu(names);
}

void TMainForm::BuildKeylistMenu() {
  store::KeyDBFcns keylists(dataFolder_);
  keylists.Open();
  const std::vector<std::string> names = keylists.ListNames();
  keylists.Close();
  view_.SetKeylistMenu(names);
}

void TMainForm::KeylistMenuClick(int number) {
  Impl::EntryGuard guard(*impl_);
  impl_->runGuarded([&] {
    TTermPanel* panel = ActivePanel();
    if (!panel) return;
    impl_->applyKeylist(*panel, number);
    UpdateStatus();
  });
}

void TMainForm::BuildAddinMenu() {
  std::vector<TAddinMenuItem>& menu = impl_->addinMenu;
  menu.clear();
  if (impl_->addinsOpen) {
    for (const std::string& key : impl_->addins.ListKeys()) {
      std::int32_t number = 0;
      const auto [end, error] = std::from_chars(key.data(), key.data() + key.size(), number);
      if (error != std::errc() || end != key.data() + key.size()) break;
      const std::optional<store::AddinItem> addin = impl_->addins.Read(number);
      if (!addin) break;  // an unreadable record ends the menu; what was built stays
      placeAddinMenuItem(menu, number, *addin);
    }
  }
  view_.SetAddinMenu(menu);
}

void TMainForm::RemoveAddinMenu() {
  impl_->addinMenu.clear();
  view_.SetAddinMenu({});
}

void TMainForm::AddinMenuClick(std::int32_t tag) {
  Impl::EntryGuard guard(*impl_);
  impl_->runGuarded([&] {
    if (!impl_->addinsOpen) return;
    const std::optional<store::AddinItem> addin = impl_->addins.Read(tag & 0xFFFF);
    if (addin && !addin->Script.empty()) RunScriptText(addin->Script);
  });
}

void TMainForm::CloseAddins() {
  if (!impl_->addinsOpen) return;
  impl_->addinsOpen = false;
  impl_->addins.Close();
}

void TMainForm::ReopenAddins() {
  if (impl_->addinsOpen) return;
  impl_->addins.Open();
  impl_->addinsOpen = true;
}

}  // namespace ondrix::shell
