#pragma once
// Qt key events as the keyboard translation sees keys: a fixed table gives each Qt key (and its
// keypad variant) a PC set-1 scan code, the extended flag and a Windows virtual-key code, so a
// keylist means the same key on every machine whatever the native scan codes are. The printable
// keys follow the US layout's positions; Qt reports shifted symbols as keys of their own, so they
// are listed with the key that types them.

#include <cstdint>

namespace ondrix::term::view {

struct KeyMapping {
  int qtKey = 0;
  bool keypad = false;  // the entry for the key with Qt's keypad modifier
  std::uint8_t scanCode = 0;
  bool extended = false;
  int virtualKey = 0;
};

// The mapping of a Qt key; keys without an entry map to scan code 0 and virtual key 0 (they only
// type what the platform delivers as text).
KeyMapping mapQtKey(int qtKey, bool keypad);

// The virtual key of the dead keys: Qt's dead circumflex maps to it, dead diaeresis to it with
// Shift added.
inline constexpr int kDeadKeyVirtualKey = 0xDD;

}  // namespace ondrix::term::view
