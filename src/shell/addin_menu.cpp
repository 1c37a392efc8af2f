#include "shell/addin_menu.h"

#include <utility>

namespace ondrix::shell {
namespace {

// The first item, depth first, whose tag's low 16 bits are `number`.
TAddinMenuItem* findAddin(std::vector<TAddinMenuItem>& items, std::int32_t number) {
  for (TAddinMenuItem& item : items) {
    if ((item.Tag & 0xFFFF) == number) return &item;
    if (TAddinMenuItem* child = findAddin(item.Children, number)) return child;
  }
  return nullptr;
}

}  // namespace

void placeAddinMenuItem(std::vector<TAddinMenuItem>& menu, std::int32_t number, const store::AddinItem& addin) {
  TAddinMenuItem item{number + addin.ParentNo * kAddinParentShift, addin.Caption, true, {}};
  TAddinMenuItem* parent = addin.ParentNo != 0 ? findAddin(menu, addin.ParentNo) : nullptr;
  if (parent) {
    parent->HasAction = false;  // it becomes a submenu
    parent->Children.push_back(std::move(item));
  } else {
    menu.push_back(std::move(item));  // top level, also when the parent does not exist
  }
}

}  // namespace ondrix::shell
