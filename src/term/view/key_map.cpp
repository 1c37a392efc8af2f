#include "term/view/key_map.h"

#include <Qt>
#include <array>

namespace ondrix::term::view {

namespace {

using K = KeyMapping;

// Virtual-key codes of the OEM punctuation keys.
constexpr int kVkOem1 = 0xBA, kVkOemPlus = 0xBB, kVkOemComma = 0xBC, kVkOemMinus = 0xBD,
              kVkOemPeriod = 0xBE, kVkOem2 = 0xBF, kVkOem3 = 0xC0, kVkOem4 = 0xDB, kVkOem5 = 0xDC,
              kVkOem7 = 0xDE;
// The key right of P has no virtual key of its own here: its code, 221, is the dead key of the
// translation, and a US keyboard's "]" must still type.
constexpr int kVkBracketRight = 0;

constexpr auto kTable = std::to_array<KeyMapping>({
    // Letters (virtual key = the capital letter).
    K{Qt::Key_Q, false, 0x10, false, 'Q'}, K{Qt::Key_W, false, 0x11, false, 'W'},
    K{Qt::Key_E, false, 0x12, false, 'E'}, K{Qt::Key_R, false, 0x13, false, 'R'},
    K{Qt::Key_T, false, 0x14, false, 'T'}, K{Qt::Key_Y, false, 0x15, false, 'Y'},
    K{Qt::Key_U, false, 0x16, false, 'U'}, K{Qt::Key_I, false, 0x17, false, 'I'},
    K{Qt::Key_O, false, 0x18, false, 'O'}, K{Qt::Key_P, false, 0x19, false, 'P'},
    K{Qt::Key_A, false, 0x1E, false, 'A'}, K{Qt::Key_S, false, 0x1F, false, 'S'},
    K{Qt::Key_D, false, 0x20, false, 'D'}, K{Qt::Key_F, false, 0x21, false, 'F'},
    K{Qt::Key_G, false, 0x22, false, 'G'}, K{Qt::Key_H, false, 0x23, false, 'H'},
    K{Qt::Key_J, false, 0x24, false, 'J'}, K{Qt::Key_K, false, 0x25, false, 'K'},
    K{Qt::Key_L, false, 0x26, false, 'L'}, K{Qt::Key_Z, false, 0x2C, false, 'Z'},
    K{Qt::Key_X, false, 0x2D, false, 'X'}, K{Qt::Key_C, false, 0x2E, false, 'C'},
    K{Qt::Key_V, false, 0x2F, false, 'V'}, K{Qt::Key_B, false, 0x30, false, 'B'},
    K{Qt::Key_N, false, 0x31, false, 'N'}, K{Qt::Key_M, false, 0x32, false, 'M'},
    // The digit row, plain and shifted.
    K{Qt::Key_1, false, 0x02, false, '1'}, K{Qt::Key_Exclam, false, 0x02, false, '1'},
    K{Qt::Key_2, false, 0x03, false, '2'}, K{Qt::Key_At, false, 0x03, false, '2'},
    K{Qt::Key_3, false, 0x04, false, '3'}, K{Qt::Key_NumberSign, false, 0x04, false, '3'},
    K{Qt::Key_4, false, 0x05, false, '4'}, K{Qt::Key_Dollar, false, 0x05, false, '4'},
    K{Qt::Key_5, false, 0x06, false, '5'}, K{Qt::Key_Percent, false, 0x06, false, '5'},
    K{Qt::Key_6, false, 0x07, false, '6'}, K{Qt::Key_AsciiCircum, false, 0x07, false, '6'},
    K{Qt::Key_7, false, 0x08, false, '7'}, K{Qt::Key_Ampersand, false, 0x08, false, '7'},
    K{Qt::Key_8, false, 0x09, false, '8'}, K{Qt::Key_Asterisk, false, 0x09, false, '8'},
    K{Qt::Key_9, false, 0x0A, false, '9'}, K{Qt::Key_ParenLeft, false, 0x0A, false, '9'},
    K{Qt::Key_0, false, 0x0B, false, '0'}, K{Qt::Key_ParenRight, false, 0x0B, false, '0'},
    // Punctuation, plain and shifted.
    K{Qt::Key_Minus, false, 0x0C, false, kVkOemMinus}, K{Qt::Key_Underscore, false, 0x0C, false, kVkOemMinus},
    K{Qt::Key_Equal, false, 0x0D, false, kVkOemPlus}, K{Qt::Key_Plus, false, 0x0D, false, kVkOemPlus},
    K{Qt::Key_BracketLeft, false, 0x1A, false, kVkOem4}, K{Qt::Key_BraceLeft, false, 0x1A, false, kVkOem4},
    K{Qt::Key_BracketRight, false, 0x1B, false, kVkBracketRight},
    K{Qt::Key_BraceRight, false, 0x1B, false, kVkBracketRight},
    K{Qt::Key_Backslash, false, 0x2B, false, kVkOem5}, K{Qt::Key_Bar, false, 0x2B, false, kVkOem5},
    K{Qt::Key_Semicolon, false, 0x27, false, kVkOem1}, K{Qt::Key_Colon, false, 0x27, false, kVkOem1},
    K{Qt::Key_Apostrophe, false, 0x28, false, kVkOem7}, K{Qt::Key_QuoteDbl, false, 0x28, false, kVkOem7},
    K{Qt::Key_QuoteLeft, false, 0x29, false, kVkOem3}, K{Qt::Key_AsciiTilde, false, 0x29, false, kVkOem3},
    K{Qt::Key_Comma, false, 0x33, false, kVkOemComma}, K{Qt::Key_Less, false, 0x33, false, kVkOemComma},
    K{Qt::Key_Period, false, 0x34, false, kVkOemPeriod}, K{Qt::Key_Greater, false, 0x34, false, kVkOemPeriod},
    K{Qt::Key_Slash, false, 0x35, false, kVkOem2}, K{Qt::Key_Question, false, 0x35, false, kVkOem2},
    K{Qt::Key_Space, false, 0x39, false, 0x20},
    // Dead keys.
    K{Qt::Key_Dead_Circumflex, false, 0x1B, false, kDeadKeyVirtualKey},
    K{Qt::Key_Dead_Diaeresis, false, 0x1B, false, kDeadKeyVirtualKey},
    // Editing and control keys.
    K{Qt::Key_Escape, false, 0x01, false, 0x1B}, K{Qt::Key_Backspace, false, 0x0E, false, 0x08},
    K{Qt::Key_Tab, false, 0x0F, false, 0x09}, K{Qt::Key_Backtab, false, 0x0F, false, 0x09},
    K{Qt::Key_Return, false, 0x1C, false, 0x0D}, K{Qt::Key_Enter, true, 0x1C, true, 0x0D},
    K{Qt::Key_Enter, false, 0x1C, true, 0x0D},
    K{Qt::Key_Shift, false, 0x2A, false, 0x10}, K{Qt::Key_Control, false, 0x1D, false, 0x11},
    K{Qt::Key_Alt, false, 0x38, false, 0x12}, K{Qt::Key_AltGr, false, 0x38, true, 0x12},
    K{Qt::Key_CapsLock, false, 0x3A, false, 0x14}, K{Qt::Key_NumLock, false, 0x45, false, 0x90},
    K{Qt::Key_ScrollLock, false, 0x46, false, 0x91}, K{Qt::Key_Pause, false, 0x45, false, 0x13},
    K{Qt::Key_Print, false, 0x37, true, 0x2C}, K{Qt::Key_Menu, false, 0x5D, true, 0x5D},
    K{Qt::Key_Meta, false, 0x5B, true, 0x5B}, K{Qt::Key_Super_L, false, 0x5B, true, 0x5B},
    // Function keys.
    K{Qt::Key_F1, false, 0x3B, false, 0x70}, K{Qt::Key_F2, false, 0x3C, false, 0x71},
    K{Qt::Key_F3, false, 0x3D, false, 0x72}, K{Qt::Key_F4, false, 0x3E, false, 0x73},
    K{Qt::Key_F5, false, 0x3F, false, 0x74}, K{Qt::Key_F6, false, 0x40, false, 0x75},
    K{Qt::Key_F7, false, 0x41, false, 0x76}, K{Qt::Key_F8, false, 0x42, false, 0x77},
    K{Qt::Key_F9, false, 0x43, false, 0x78}, K{Qt::Key_F10, false, 0x44, false, 0x79},
    K{Qt::Key_F11, false, 0x57, false, 0x7A}, K{Qt::Key_F12, false, 0x58, false, 0x7B},
    // The navigation block (extended) and its keypad copies (Num Lock off, not extended).
    K{Qt::Key_Insert, false, 0x52, true, 0x2D}, K{Qt::Key_Insert, true, 0x52, false, 0x2D},
    K{Qt::Key_Delete, false, 0x53, true, 0x2E}, K{Qt::Key_Delete, true, 0x53, false, 0x2E},
    K{Qt::Key_Home, false, 0x47, true, 0x24}, K{Qt::Key_Home, true, 0x47, false, 0x24},
    K{Qt::Key_End, false, 0x4F, true, 0x23}, K{Qt::Key_End, true, 0x4F, false, 0x23},
    K{Qt::Key_PageUp, false, 0x49, true, 0x21}, K{Qt::Key_PageUp, true, 0x49, false, 0x21},
    K{Qt::Key_PageDown, false, 0x51, true, 0x22}, K{Qt::Key_PageDown, true, 0x51, false, 0x22},
    K{Qt::Key_Up, false, 0x48, true, 0x26}, K{Qt::Key_Up, true, 0x48, false, 0x26},
    K{Qt::Key_Down, false, 0x50, true, 0x28}, K{Qt::Key_Down, true, 0x50, false, 0x28},
    K{Qt::Key_Left, false, 0x4B, true, 0x25}, K{Qt::Key_Left, true, 0x4B, false, 0x25},
    K{Qt::Key_Right, false, 0x4D, true, 0x27}, K{Qt::Key_Right, true, 0x4D, false, 0x27},
    K{Qt::Key_Clear, true, 0x4C, false, 0x0C},
    // The keypad with Num Lock on.
    K{Qt::Key_0, true, 0x52, false, 0x60}, K{Qt::Key_1, true, 0x4F, false, 0x61},
    K{Qt::Key_2, true, 0x50, false, 0x62}, K{Qt::Key_3, true, 0x51, false, 0x63},
    K{Qt::Key_4, true, 0x4B, false, 0x64}, K{Qt::Key_5, true, 0x4C, false, 0x65},
    K{Qt::Key_6, true, 0x4D, false, 0x66}, K{Qt::Key_7, true, 0x47, false, 0x67},
    K{Qt::Key_8, true, 0x48, false, 0x68}, K{Qt::Key_9, true, 0x49, false, 0x69},
    K{Qt::Key_Asterisk, true, 0x37, false, 0x6A}, K{Qt::Key_Plus, true, 0x4E, false, 0x6B},
    K{Qt::Key_Minus, true, 0x4A, false, 0x6D}, K{Qt::Key_Period, true, 0x53, false, 0x6E},
    K{Qt::Key_Comma, true, 0x53, false, 0x6E}, K{Qt::Key_Slash, true, 0x35, true, 0x6F},
});

}  // namespace

KeyMapping mapQtKey(int qtKey, bool keypad) {
  const KeyMapping* plain = nullptr;
  for (const KeyMapping& m : kTable) {
    if (m.qtKey != qtKey) continue;
    if (m.keypad == keypad) return m;
    if (!m.keypad) plain = &m;
  }
  // A key reported with the keypad modifier but listed only plainly (some platforms flag keys
  // of the main block that way) keeps its plain mapping.
  if (plain && keypad) return *plain;
  return {qtKey, keypad, 0, false, 0};
}

}  // namespace ondrix::term::view
