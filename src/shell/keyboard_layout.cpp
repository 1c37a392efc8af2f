#include "shell/keyboard_layout.h"

#include <array>

namespace ondrix::shell {
namespace {

using G = TKeyGroup;
constexpr G M = G::Modifier;
constexpr G N = G::Named;
constexpr G C = G::Character;

constexpr TKeyButton key(std::string_view caption, G group, int row, int column, int width = 4) {
  return {caption, caption, group, static_cast<std::uint8_t>(row), static_cast<std::uint8_t>(column),
          static_cast<std::uint8_t>(width)};
}
constexpr TKeyButton pad(std::string_view caption, std::string_view name, int row, int column,
                         int width = 4) {
  return {caption, name, C, static_cast<std::uint8_t>(row), static_cast<std::uint8_t>(column),
          static_cast<std::uint8_t>(width)};
}

constexpr std::array kButtons{
    // Function key row.
    key("Esc", N, 0, 0), key("f1", N, 0, 8), key("f2", N, 0, 12), key("f3", N, 0, 16),
    key("f4", N, 0, 20), key("f5", N, 0, 26), key("f6", N, 0, 30), key("f7", N, 0, 34),
    key("f8", N, 0, 38), key("f9", N, 0, 44), key("f10", N, 0, 48), key("f11", N, 0, 52),
    key("f12", N, 0, 56),
    // Digit row.
    key("`", C, 1, 0), key("1", C, 1, 4), key("2", C, 1, 8), key("3", C, 1, 12), key("4", C, 1, 16),
    key("5", C, 1, 20), key("6", C, 1, 24), key("7", C, 1, 28), key("8", C, 1, 32),
    key("9", C, 1, 36), key("0", C, 1, 40), key("-", C, 1, 44), key("=", C, 1, 48),
    key("Bksp", N, 1, 52, 8),
    // Upper letter row.
    key("Tab", N, 2, 0, 6), key("q", C, 2, 6), key("w", C, 2, 10), key("e", C, 2, 14),
    key("r", C, 2, 18), key("t", C, 2, 22), key("y", C, 2, 26), key("u", C, 2, 30),
    key("i", C, 2, 34), key("o", C, 2, 38), key("p", C, 2, 42), key("[", C, 2, 46),
    key("]", C, 2, 50), key("\\", C, 2, 54, 6),
    // Home row.
    key("Caps", G::Caps, 3, 0, 7), key("a", C, 3, 7), key("s", C, 3, 11), key("d", C, 3, 15),
    key("f", C, 3, 19), key("g", C, 3, 23), key("h", C, 3, 27), key("j", C, 3, 31),
    key("k", C, 3, 35), key("l", C, 3, 39), key(";", C, 3, 43), key("'", C, 3, 47),
    key("Enter", N, 3, 51, 9),
    // Lower letter row.
    key("Shift", M, 4, 0, 9), key("z", C, 4, 9), key("x", C, 4, 13), key("c", C, 4, 17),
    key("v", C, 4, 21), key("b", C, 4, 25), key("n", C, 4, 29), key("m", C, 4, 33),
    key(",", C, 4, 37), key(".", C, 4, 41), key("/", C, 4, 45), key("Shift", M, 4, 49, 11),
    // Bottom row.
    key("Ctrl", M, 5, 0, 6), key("Alt", M, 5, 6, 5), key("Space", N, 5, 11, 38),
    key("Alt", M, 5, 49, 5), key("Ctrl", M, 5, 54, 6),
    // Navigation block.
    key("Ins", N, 1, 62), key("Home", N, 1, 66), key("PgUp", N, 1, 70), key("Del", N, 2, 62),
    key("End", N, 2, 66), key("PgDn", N, 2, 70), key("Up", N, 4, 66), key("Left", N, 5, 62),
    key("Down", N, 5, 66), key("Right", N, 5, 70),
    // Numeric pad.
    pad("Num", "Num", 1, 76), pad("Div", "KP/", 1, 80), pad("Mul", "KP*", 1, 84),
    pad("Sub", "KP-", 1, 88), pad("7", "KP7", 2, 76), pad("8", "KP8", 2, 80), pad("9", "KP9", 2, 84),
    pad("Add", "KP+", 2, 88), pad("4", "KP4", 3, 76), pad("5", "KP5", 3, 80), pad("6", "KP6", 3, 84),
    pad("1", "KP1", 4, 76), pad("2", "KP2", 4, 80), pad("3", "KP3", 4, 84),
    pad("Entr", "KPENTER", 4, 88), pad("Ins", "KP0", 5, 76, 8), pad("Del", "KPDEL", 5, 84),
};

}  // namespace

std::span<const TKeyButton> keyboardButtons() { return kButtons; }

int findKeyButton(std::string_view name) {
  for (std::size_t i = 0; i < kButtons.size(); ++i)
    if (kButtons[i].Name == name) return static_cast<int>(i);
  return -1;
}

int modifierButton(std::string_view caption, bool right) {
  for (std::size_t i = 0; i < kButtons.size(); ++i) {
    if (kButtons[i].Group != M || kButtons[i].Caption != caption) continue;
    if (!right) return static_cast<int>(i);
    right = false;  // the second one with this caption is the right-hand key
  }
  return -1;
}

}  // namespace ondrix::shell
