#pragma once
// Host objects as scripts see them: components with a name, a class name and an owner, known to
// programs only by a handle. Handles are numbers handed out by one table and never reused, so a
// program holding the handle of a freed object finds nothing instead of a dangling pointer.

#include <cstdint>
#include <functional>
#include <map>
#include <string>
#include <string_view>
#include <vector>

namespace ondrix::script {

class TComponent;

// TNotifyEvent: an event whose only argument is its sender.
using TNotifyEvent = std::function<void(TComponent* sender)>;

// The handle table: handle -> live component. Handle 0 is "no object".
class ObjectHandles {
 public:
  std::int32_t add(TComponent* component);
  void remove(std::int32_t handle);
  // The component behind `handle`, or null when it was freed or never existed.
  TComponent* find(std::int32_t handle) const;

 private:
  std::map<std::int32_t, TComponent*> objects_;
  std::int32_t next_ = 1;
};

ObjectHandles& objectHandles();

// A component. Its owner lists it (and does not outlive it: the owner's holder frees both).
class TComponent {
 public:
  explicit TComponent(TComponent* owner = nullptr, std::string className = "TComponent", std::string name = {});
  virtual ~TComponent();
  TComponent(const TComponent&) = delete;
  TComponent& operator=(const TComponent&) = delete;

  const std::string& name() const { return name_; }
  void setName(std::string name) { name_ = std::move(name); }
  const std::string& className() const { return className_; }
  TComponent* owner() const { return owner_; }
  const std::vector<TComponent*>& components() const { return components_; }
  std::int32_t handle() const { return handle_; }

  // The notify event property called `name` (any case), or null when the component has none.
  TNotifyEvent* notifyEvent(std::string_view name);

 protected:
  // Declares a notify event property; subclasses fire it with fireNotify.
  void defineNotifyEvent(std::string_view name);
  void fireNotify(std::string_view name);

 private:
  std::string className_;
  std::string name_;
  TComponent* owner_;
  std::vector<TComponent*> components_;
  std::map<std::string, TNotifyEvent, std::less<>> notifyEvents_;  // upper-cased names
  std::int32_t handle_;
};

// The host's screen and application objects, named "Screen" and "Application" in every script.
TComponent& hostScreen();
TComponent& hostApplication();

}  // namespace ondrix::script
