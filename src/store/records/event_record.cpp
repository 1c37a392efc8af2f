#include "store/records/event_record.h"

#include "store/records/record_bytes.h"

namespace ondrix::store {
namespace {
constexpr std::size_t kKind = 255;
constexpr std::size_t kEnabled = 259;
constexpr std::size_t kScriptLength = 260;
constexpr std::size_t kFixedSize = 264;
}  // namespace

std::string_view eventKindName(std::int32_t kind) {
  static constexpr std::string_view kNames[] = {"OnBeforeConnect", "OnConnect", "OnDisconnect",
                                                "OnWatch",         "OnStart",   "OnStop"};
  return kind >= 1 && kind <= 6 ? kNames[kind - 1] : std::string_view();
}

std::string EventRec::encode() const {
  RecordWriter w(kFixedSize);
  w.putText(0, 254, Name);
  w.putInt32(kKind, Kind);
  w.putByte(kEnabled, Enabled);
  w.putInt32(kScriptLength, static_cast<std::int32_t>(Script.size()));
  std::string out = w.take();
  out += Script;
  return out;
}

std::optional<EventRec> EventRec::decode(std::string_view item) {
  if (item.size() < kFixedSize) return std::nullopt;
  const RecordReader r(item);
  EventRec e;
  e.Name = r.text(0, 254);
  e.Kind = r.int32(kKind);
  e.Enabled = r.byte(kEnabled);
  const std::int32_t length = r.int32(kScriptLength);
  if (length > 0) {
    if (static_cast<std::size_t>(length) > item.size() - kFixedSize) return std::nullopt;
    e.Script.assign(item.substr(kFixedSize, static_cast<std::size_t>(length)));
  }
  return e;
}

std::string EventRec::key(std::string_view name, std::int32_t kind) {
  return std::string(name) + std::to_string(kind);
}

std::string AddinItem::encode() const {
  std::string out;
  appendInt32(out, ParentNo);
  appendCountedText(out, Caption);
  appendCountedText(out, Script);
  return out;
}

std::optional<AddinItem> AddinItem::decode(std::string_view item) {
  ItemReader r(item);
  AddinItem a;
  a.ParentNo = r.int32();
  a.Caption = r.countedText();
  if (r.failed()) return std::nullopt;
  // The menu needs only the parent and the caption: an item that ends there has no script.
  if (r.position() < item.size()) a.Script = r.countedText();
  if (r.failed()) return std::nullopt;
  return a;
}

}  // namespace ondrix::store
