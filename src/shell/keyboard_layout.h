#pragma once
// The buttons of the keyboard editor's on-screen keyboard, laid out like a PC keyboard: the main
// block, the navigation block and the numeric pad, with their captions, the key name each enters
// into "Key:" and its place. Positions are in quarter keys, so the window can scale them.

#include <cstdint>
#include <span>
#include <string_view>

namespace ondrix::shell {

enum class TKeyGroup : std::uint8_t {
  Modifier,   // Shift, Ctrl, Alt (left and right): toggle, stay down until a key completes
  Named,      // Esc, f1-f12, Tab, Enter, Space, Bksp and the navigation keys: complete a combination
  Caps,       // toggle, appends its caption
  Character,  // letters, digits, punctuation and the numeric pad: complete a combination
};

struct TKeyButton {
  std::string_view Caption;  // shown on the button
  // Entered into "Key:": the caption, except on the numeric pad, whose keys enter the names under
  // which SCANCODES.QDB knows them ("KP7", "KPENTER"), so they stay apart from the main keys.
  std::string_view Name;
  TKeyGroup Group;
  std::uint8_t Row;     // 0 is the function key row
  std::uint8_t Column;  // left edge, in quarter keys
  std::uint8_t Width;   // in quarter keys
};

inline constexpr int kKeyboardRows = 6;
inline constexpr int kKeyboardColumns = 92;  // quarter keys

std::span<const TKeyButton> keyboardButtons();
// The first button entering `name` (main block before the numeric pad), -1 when none does.
int findKeyButton(std::string_view name);
// The button index of a modifier by caption and side.
int modifierButton(std::string_view caption, bool right = false);

}  // namespace ondrix::shell
