#include "script/host_object.h"

#include <algorithm>

#include "script/ident_list.h"

namespace ondrix::script {

std::int32_t ObjectHandles::add(TComponent* component) {
  const std::int32_t handle = next_++;
  objects_[handle] = component;
  return handle;
}

void ObjectHandles::remove(std::int32_t handle) { objects_.erase(handle); }

TComponent* ObjectHandles::find(std::int32_t handle) const {
  const auto it = objects_.find(handle);
  return it == objects_.end() ? nullptr : it->second;
}

ObjectHandles& objectHandles() {
  static ObjectHandles handles;
  return handles;
}

TComponent::TComponent(TComponent* owner, std::string className, std::string name)
    : className_(std::move(className)), name_(std::move(name)), owner_(owner), handle_(objectHandles().add(this)) {
  if (owner_ != nullptr) owner_->components_.push_back(this);
}

TComponent::~TComponent() {
  objectHandles().remove(handle_);
  if (owner_ != nullptr) std::erase(owner_->components_, this);
  for (TComponent* child : components_) child->owner_ = nullptr;
}

TNotifyEvent* TComponent::notifyEvent(std::string_view name) {
  const auto it = notifyEvents_.find(upperCase1252(name));
  return it == notifyEvents_.end() ? nullptr : &it->second;
}

void TComponent::defineNotifyEvent(std::string_view name) { notifyEvents_.try_emplace(upperCase1252(name)); }

void TComponent::fireNotify(std::string_view name) {
  TNotifyEvent* event = notifyEvent(name);
  if (event != nullptr && *event) (*event)(this);
}

TComponent& hostScreen() {
  static TComponent screen(nullptr, "TScreen", "Screen");
  return screen;
}

TComponent& hostApplication() {
  static TComponent application(nullptr, "TApplication", "Application");
  return application;
}

}  // namespace ondrix::script
