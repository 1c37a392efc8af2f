#pragma once
// TEventList: the host event types a script procedure can handle, with the values each event
// passes after its sender. Values marked var are handed back to the event after the procedure.

#include <array>
#include <cstdint>
#include <span>
#include <string_view>

namespace ondrix::script {

enum class EventValueKind : std::uint8_t { Object, Integer, Boolean, String };

struct EventValueSpec {
  EventValueKind kind;
  bool isVar;
};

struct EventType {
  std::string_view name;
  bool hasSender;
  std::span<const EventValueSpec> values;
};

class TEventList {
 public:
  // The event type called `name` (exact case), or null.
  const EventType* find(std::string_view name) const;
  std::span<const EventType> all() const;
};

const TEventList& eventTypes();

}  // namespace ondrix::script
