#pragma once
// One keylist (an item of KEYS.QDB): a name and up to 250 key definitions.
//
// Stored layout, little-endian; text[n] = length byte + room for n characters, unused room zero:
//   offset size        field
//      0    4          RecordNo (int32)
//      4  255          Name text[254]
//    259    4          EntryCount n (int32, 0..250)
//    263  282 x n      entries:
//                        0   21  KeyLabel text[20]  ("CTRL+", "ALT+", "SHIFT+", then the key name)
//                       21  256  SendText text[255]
//                      277    1  ScanCode (255 when the key name was not found)
//                      278    4  ShiftKey, CtrlKey, AltKey, ExtendedKey (bytes 1/0)

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace ondrix::store {

struct KeyEntry {
  static constexpr std::size_t kSize = 282;

  std::string KeyLabel;
  std::string SendText;
  std::uint8_t ScanCode = 0;
  bool ShiftKey = false;
  bool CtrlKey = false;
  bool AltKey = false;
  bool ExtendedKey = false;

  bool operator==(const KeyEntry&) const = default;
};

// One keylist held in memory (also while keylists are renumbered).
struct TKeyItem {
  static constexpr std::size_t kFixedSize = 263;
  static constexpr int kMaxEntries = 250;

  std::int32_t RecordNo = 0;
  std::string Name;
  std::vector<KeyEntry> Entries;

  std::string encode() const;
  // Reads the fixed part and as many whole entries as the count announces and the item holds
  // (at most 250): a damaged count never reads past the item.
  static TKeyItem decode(std::string_view item);

  bool operator==(const TKeyItem&) const = default;
};

}  // namespace ondrix::store
