#pragma once
// Event handler records (EVENTS.QDB) and add-in menu items (ADDINS.QDB).
//
// Event handler item, little-endian, keyed by the owner name followed by the kind in decimal:
//   offset size field
//      0  255  Name (length byte + up to 254 characters, unused room zero)
//    255    4  Kind (int32)
//    259    1  Enabled
//    260    4  script length L (int32)
//    264    L  script text
//
// Add-in item, keyed "%05d" by the add-in number:
//   int32 parent number (0 = top level), int32 caption length n, n caption characters,
//   int32 script length m (0 or less: no script), m script characters.

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace ondrix::store {

// Event kinds.
enum EventKind : std::int32_t {
  kOnBeforeConnect = 1,
  kOnConnect = 2,
  kOnDisconnect = 3,
  kOnWatch = 4,
  kOnStart = 5,
  kOnStop = 6,
};

// The owner name of the program-wide handlers.
inline constexpr std::string_view kSystemOwner = "System";

// "OnBeforeConnect" ... "OnStop"; empty for other kinds.
std::string_view eventKindName(std::int32_t kind);

struct EventRec {
  std::string Name;
  std::int32_t Kind = 0;
  std::uint8_t Enabled = 0;
  std::string Script;

  std::string encode() const;
  // nullopt when the item is too short for its fixed part or its script length.
  static std::optional<EventRec> decode(std::string_view item);
  // The key of (name, kind): "System5", "Mail host1".
  static std::string key(std::string_view name, std::int32_t kind);

  bool operator==(const EventRec&) const = default;
};

struct AddinItem {
  std::int32_t ParentNo = 0;
  std::string Caption;
  std::string Script;

  std::string encode() const;
  // nullopt when the parent or caption is cut short, or a script is announced but cut short.
  static std::optional<AddinItem> decode(std::string_view item);

  bool operator==(const AddinItem&) const = default;
};

}  // namespace ondrix::store
