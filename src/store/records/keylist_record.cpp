#include "store/records/keylist_record.h"

#include <algorithm>

#include "store/records/record_bytes.h"

namespace ondrix::store {
namespace {

constexpr std::size_t kName = 4;
constexpr std::size_t kEntryCount = 259;
constexpr std::size_t kLabel = 0;
constexpr std::size_t kSendText = 21;
constexpr std::size_t kScanCode = 277;
constexpr std::size_t kShift = 278;
constexpr std::size_t kCtrl = 279;
constexpr std::size_t kAlt = 280;
constexpr std::size_t kExtended = 281;

std::string encodeEntry(const KeyEntry& e) {
  RecordWriter w(KeyEntry::kSize);
  w.putText(kLabel, 20, e.KeyLabel);
  w.putText(kSendText, 255, e.SendText);
  w.putByte(kScanCode, e.ScanCode);
  w.putBool(kShift, e.ShiftKey);
  w.putBool(kCtrl, e.CtrlKey);
  w.putBool(kAlt, e.AltKey);
  w.putBool(kExtended, e.ExtendedKey);
  return w.take();
}

KeyEntry decodeEntry(std::string_view bytes) {
  const RecordReader r(bytes);
  KeyEntry e;
  e.KeyLabel = r.text(kLabel, 20);
  e.SendText = r.text(kSendText, 255);
  e.ScanCode = r.byte(kScanCode);
  e.ShiftKey = r.boolean(kShift);
  e.CtrlKey = r.boolean(kCtrl);
  e.AltKey = r.boolean(kAlt);
  e.ExtendedKey = r.boolean(kExtended);
  return e;
}

}  // namespace

std::string TKeyItem::encode() const {
  const auto count = std::min<std::size_t>(Entries.size(), kMaxEntries);
  RecordWriter w(kFixedSize);
  w.putInt32(0, RecordNo);
  w.putText(kName, 254, Name);
  w.putInt32(kEntryCount, static_cast<std::int32_t>(count));
  std::string out = w.take();
  out.reserve(kFixedSize + count * KeyEntry::kSize);
  for (std::size_t i = 0; i < count; ++i) out += encodeEntry(Entries[i]);
  return out;
}

TKeyItem TKeyItem::decode(std::string_view item) {
  const RecordReader r(item.substr(0, std::min(item.size(), kFixedSize)));
  TKeyItem k;
  k.RecordNo = r.int32(0);
  k.Name = r.text(kName, 254);
  const std::int32_t count = std::clamp(r.int32(kEntryCount), 0, kMaxEntries);
  for (std::int32_t i = 0; i < count; ++i) {
    const std::size_t at = kFixedSize + static_cast<std::size_t>(i) * KeyEntry::kSize;
    if (at + KeyEntry::kSize > item.size()) break;
    k.Entries.push_back(decodeEntry(item.substr(at, KeyEntry::kSize)));
  }
  return k;
}

}  // namespace ondrix::store
