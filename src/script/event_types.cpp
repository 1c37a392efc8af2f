#include "script/event_types.h"

namespace ondrix::script {
namespace {

using K = EventValueKind;
constexpr EventValueSpec kVarInteger[] = {{K::Integer, true}};
constexpr EventValueSpec kVarBoolean[] = {{K::Boolean, true}};
constexpr EventValueSpec kDragDrop[] = {{K::Object, false}, {K::Integer, false}, {K::Integer, false}};
constexpr EventValueSpec kDragOver[] = {
    {K::Object, false}, {K::Integer, false}, {K::Integer, false}, {K::Integer, false}, {K::Boolean, true}};
constexpr EventValueSpec kVarObject[] = {{K::Object, true}};
constexpr EventValueSpec kKeyPress[] = {{K::String, true}};
constexpr EventValueSpec kKey[] = {{K::Integer, true}, {K::Integer, false}};
constexpr EventValueSpec kMouse[] = {{K::Integer, false}, {K::Integer, false}, {K::Integer, false}, {K::Integer, false}};
constexpr EventValueSpec kMouseMove[] = {{K::Integer, false}, {K::Integer, false}, {K::Integer, false}};
constexpr EventValueSpec kHelp[] = {{K::Integer, false}, {K::Integer, false}, {K::Boolean, true}};
constexpr EventValueSpec kBoolean[] = {{K::Boolean, false}};
constexpr EventValueSpec kInteger[] = {{K::Integer, false}};
constexpr EventValueSpec kVarString[] = {{K::String, true}};

constexpr std::span<const EventValueSpec> none() { return {}; }

constexpr std::array kTypes{
    EventType{"TNotifyEvent", true, none()},
    EventType{"TQRNotifyEvent", true, none()},
    EventType{"TQRAfterPrintEvent", true, none()},
    EventType{"TQRAfterPreviewEvent", true, none()},
    EventType{"TCloseEvent", true, kVarInteger},
    EventType{"TCloseQueryEvent", true, kVarBoolean},
    EventType{"TDragDropEvent", true, kDragDrop},
    EventType{"TDragOverEvent", true, kDragOver},
    EventType{"TEndDragEvent", true, kDragDrop},
    EventType{"TStartDragEvent", true, kVarObject},
    EventType{"TKeyPressEvent", true, kKeyPress},
    EventType{"TKeyEvent", true, kKey},
    EventType{"TMouseEvent", true, kMouse},
    EventType{"TMouseMoveEvent", true, kMouseMove},
    EventType{"THelpEvent", false, kHelp},
    EventType{"TQROnNeedDataEvent", true, kVarBoolean},
    EventType{"TQRBandBeforePrintEvent", true, kVarBoolean},
    EventType{"TQRReportBeforePrintEvent", true, kVarBoolean},
    EventType{"TQRFilterEvent", false, kVarBoolean},
    EventType{"TQRBandAfterPrintEvent", true, kBoolean},
    EventType{"TQRNotifyOperationEvent", true, kInteger},
    EventType{"TQRProgressUpdateEvent", true, kInteger},
    EventType{"TQRPageAvailableEvent", true, kInteger},
    EventType{"TQRLabelOnPrintEvent", true, kVarString},
};

}  // namespace

const EventType* TEventList::find(std::string_view name) const {
  for (const EventType& t : kTypes)
    if (t.name == name) return &t;
  return nullptr;
}

std::span<const EventType> TEventList::all() const { return kTypes; }

const TEventList& eventTypes() {
  static const TEventList list;
  return list;
}

}  // namespace ondrix::script
