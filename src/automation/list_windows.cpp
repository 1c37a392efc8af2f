#include "automation/list_windows.h"

#include "platform/script_windows.h"

namespace ondrix::automation {

const ListWindows::Window* ListWindows::find(std::int32_t id) const {
  const auto it = windows_.find(id);
  return it == windows_.end() ? nullptr : &it->second;
}

ListWindows::Window* ListWindows::find(std::int32_t id) {
  const auto it = windows_.find(id);
  return it == windows_.end() ? nullptr : &it->second;
}

std::int32_t ListWindows::Create(std::string title, std::string label) {
  const std::int32_t id = nextId_++;
  windows_.emplace(id, Window{std::move(title), std::move(label), {}});
  return id;
}

void ListWindows::Delete(std::int32_t id) { windows_.erase(id); }

std::int32_t ListWindows::AddItem(std::int32_t id, std::string text) {
  Window* w = find(id);
  if (w == nullptr) return 0;
  w->items.push_back(std::move(text));
  return static_cast<std::int32_t>(w->items.size() - 1);
}

void ListWindows::DeleteItem(std::int32_t id, std::int32_t index) {
  Window* w = find(id);
  if (w != nullptr && index >= 0 && static_cast<std::size_t>(index) < w->items.size())
    w->items.erase(w->items.begin() + index);
}

std::string ListWindows::Item(std::int32_t id, std::int32_t index) const {
  const Window* w = find(id);
  if (w == nullptr || index < 0 || static_cast<std::size_t>(index) >= w->items.size()) return {};
  return w->items[static_cast<std::size_t>(index)];
}

std::int32_t ListWindows::Show(std::int32_t id) {
  const Window* w = find(id);
  if (w == nullptr) return -1;
  // Copied: a script run while the dialog waits may delete the window.
  const Window shown = *w;
  const int chosen = platform::scriptWindows().listOfValues(shown.title, shown.label, shown.items);
  return chosen >= 0 && static_cast<std::size_t>(chosen) < shown.items.size() ? chosen : -1;
}

}  // namespace ondrix::automation
