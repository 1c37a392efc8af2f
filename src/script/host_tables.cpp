#include <algorithm>

#include "script/host_interfaces.h"
#include "script/ident_list.h"

namespace ondrix::script {

int TFunList::add(TFunListItem item) {
  item.name = upperCase1252(item.name);
  const std::size_t dot = item.name.find('.');
  item.member = dot == std::string::npos ? item.name : item.name.substr(dot + 1);
  if (item.paramTypes.size() > static_cast<std::size_t>(kMaxRoutineParams))
    item.paramTypes.resize(kMaxRoutineParams);
  if (auto it = byName_.find(item.name); it != byName_.end()) {
    items_[static_cast<std::size_t>(it->second)] = std::move(item);
    return it->second;
  }
  const int number = size();
  byName_.emplace(item.name, number);
  items_.push_back(std::move(item));
  return number;
}

int TFunList::find(std::string_view name) const {
  const auto it = byName_.find(upperCase1252(name));
  return it == byName_.end() ? -1 : it->second;
}

void TFunList::clear() {
  items_.clear();
  byName_.clear();
}

int TResConstList::add(std::string_view name, ScriptValue value) {
  std::string key = upperCase1252(name);
  if (auto it = byName_.find(key); it != byName_.end()) {
    items_[static_cast<std::size_t>(it->second)].value = std::move(value);
    return it->second;
  }
  const int position = size();
  byName_.emplace(key, position);
  items_.push_back({std::move(key), std::move(value)});
  return position;
}

int TResConstList::find(std::string_view name) const {
  const auto it = byName_.find(upperCase1252(name));
  return it == byName_.end() ? -1 : it->second;
}

void TResConstList::clear() {
  items_.clear();
  byName_.clear();
}

void TDynaVars::add(TDynaVarItem item) {
  item.name = upperCase1252(item.name);
  auto it = std::lower_bound(items_.begin(), items_.end(), item.name,
                             [](const TDynaVarItem& a, const std::string& key) { return a.name < key; });
  if (it != items_.end() && it->name == item.name)
    *it = std::move(item);
  else
    items_.insert(it, std::move(item));
}

void TDynaVars::remove(std::string_view name) {
  const std::string key = upperCase1252(name);
  std::erase_if(items_, [&](const TDynaVarItem& item) { return item.name == key; });
}

DynaVarRef TDynaVars::resolve(std::string_view name, const THalComp* component) const {
  for (int i = size() - 1; i >= 0; --i) {
    const TDynaVarItem& item = items_[static_cast<std::size_t>(i)];
    if (item.boundTo != nullptr && item.boundTo != component) continue;
    if (!item.nameToId) continue;
    const std::int32_t id = item.nameToId(name);
    if (id != -1) return {i, id};
  }
  return {};
}

const TDynaVarItem* TDynaVars::at(int number) const {
  if (number < 0 || number >= size()) return nullptr;
  return &items_[static_cast<std::size_t>(number)];
}

void TDynaVars::clear() { items_.clear(); }

void tobjcollect::add(std::string_view name, std::string_view className, std::int32_t handle) {
  std::string key = upperCase1252(name);
  items_[key] = tobjitem{key, upperCase1252(className), handle};
}

const tobjitem* tobjcollect::find(std::string_view name) const {
  const auto it = items_.find(upperCase1252(name));
  return it == items_.end() ? nullptr : &it->second;
}

void ClassRegistry::add(std::string_view className, std::string_view parentName) {
  parents_[upperCase1252(className)] = upperCase1252(parentName);
}

bool ClassRegistry::knows(std::string_view className) const {
  return parents_.find(upperCase1252(className)) != parents_.end();
}

std::string ClassRegistry::parentOf(std::string_view className) const {
  const auto it = parents_.find(upperCase1252(className));
  return it == parents_.end() ? std::string() : it->second;
}

HostTables& hostTables() {
  static HostTables tables;
  return tables;
}

}  // namespace ondrix::script
