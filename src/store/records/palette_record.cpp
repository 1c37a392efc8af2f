#include "store/records/palette_record.h"

#include <algorithm>

#include "store/records/record_bytes.h"

namespace ondrix::store {
namespace {
constexpr std::size_t kName = 4;
constexpr std::size_t kColors = 68;
}  // namespace

std::string PaletteRecord::encode() const {
  RecordWriter w(kSize);
  w.putInt32(0, RecordNo);
  w.putText(kName, 60, Name);
  for (std::size_t i = 0; i < Colors.size(); ++i)
    w.putInt32(kColors + 4 * i, static_cast<std::int32_t>(Colors[i]));
  return w.take();
}

PaletteRecord PaletteRecord::decode(std::string_view item) {
  const RecordReader r(item.substr(0, std::min(item.size(), kSize)));
  PaletteRecord p;
  p.RecordNo = r.int32(0);
  p.Name = r.text(kName, 60);
  for (std::size_t i = 0; i < p.Colors.size(); ++i)
    p.Colors[i] = static_cast<std::uint32_t>(r.int32(kColors + 4 * i));
  return p;
}

PaletteRecord PaletteRecord::missing() {
  PaletteRecord p;
  p.RecordNo = -1;
  return p;
}

}  // namespace ondrix::store
