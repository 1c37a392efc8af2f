// Keyboard translation: what a key stroke sends. The terminal has no built-in tables for cursor,
// function or keypad keys; they send what the user key list defines. The terminal itself types
// letters (with Shift, Caps Lock and Ctrl), Backspace, Tab, Enter and Esc, and two dead keys
// (virtual key 221: circumflex, with Shift diaeresis) that accent the next vowel.

#include <array>
#include <string_view>

#include "term/emulvt.h"

namespace ondrix::term {

namespace {

// Windows virtual-key codes the translation looks at.
enum VirtualKey : int {
  kVkBack = 0x08,
  kVkTab = 0x09,
  kVkReturn = 0x0D,
  kVkShift = 0x10,
  kVkControl = 0x11,
  kVkMenu = 0x12,
  kVkEscape = 0x1B,
  kVkPrior = 0x21,
  kVkNext = 0x22,
  kVkEnd = 0x23,
  kVkHome = 0x24,
  kVkLeft = 0x25,
  kVkUp = 0x26,
  kVkRight = 0x27,
  kVkDown = 0x28,
  kVkDeadKey = 0xDD,
};

constexpr std::uint8_t kScanKeypadStar = 0x37;
constexpr std::uint8_t kScanF10 = 0x44;

constexpr std::string_view kVowels = "aeiou";
constexpr std::array<std::uint8_t, 5> kCircumflexVowels = {0xE2, 0xEA, 0xEE, 0xF4, 0xFB};
constexpr std::array<std::uint8_t, 5> kDiaeresisVowels = {0xE4, 0xEB, 0xEF, 0xF6, 0xFC};

// Replaces a lower-case vowel by its accented form from `table`.
char accent(char ch, const std::array<std::uint8_t, 5>& table) {
  const std::size_t i = kVowels.find(ch);
  return i == std::string_view::npos ? ch : static_cast<char>(table[i]);
}

}  // namespace

bool TCustomEmulVT::FindKey(std::uint8_t scanCode, unsigned shiftState, bool extended) {
  if (!connected_) return true;
  const TKeyDef* def = keys_.Find(scanCode, shiftState, extended);
  if (!def) return false;
  SendKeyBuffer(reinterpret_cast<const char*>(def->Bytes.data()), def->Length);
  return true;
}

TKeyResult TCustomEmulVT::KeyDown(const TKeyStroke& key) {
  const int vk = key.VirtualKey & 0xFF;
  char ch = static_cast<char>(vk);
  unsigned shift = key.Shift & (kShift | kAlt | kCtrl);
  const bool letter = vk >= 'A' && vk <= 'Z';
  if (letter && key.CapsLock) shift |= kShift;

  if (vk != kVkShift && vk != kVkControl && vk != kVkMenu) {
    if (key.ScanCode == kScanKeypadStar && !key.Extended && shift == (kCtrl | kAlt))
      return TKeyResult::Handled;
    if (key.SystemKey && key.ScanCode != kScanF10) return TKeyResult::Refused;
    if (FindKey(key.ScanCode, shift, key.Extended)) return TKeyResult::Handled;
  }

  switch (vk) {
    case kVkBack:
    case kVkTab:
    case kVkReturn:
    case kVkEscape:
      break;
    case kVkPrior:
    case kVkNext:
    case kVkEnd:
    case kVkHome:
    case kVkLeft:
    case kVkUp:
    case kVkRight:
    case kVkDown:
      // A definition stored as extended also serves the keypad copies of these keys.
      return FindKey(key.ScanCode, shift, true) ? TKeyResult::Handled : TKeyResult::NotHandled;
    case kVkDeadKey:
      if (shift & kAlt) return TKeyResult::NotHandled;
      if (shift & kShift)
        diaeresis_ = true;
      else
        circumflex_ = true;
      return TKeyResult::Handled;
    default:
      if (!letter) return TKeyResult::NotHandled;
      if (shift & kCtrl)
        ch = static_cast<char>(ch & 0x1F);
      else if (!(shift & kShift))
        ch = static_cast<char>(ch - 'A' + 'a');
      if (circumflex_) {
        ch = accent(ch, kCircumflexVowels);
        circumflex_ = false;
      }
      if (diaeresis_) {
        ch = accent(ch, kDiaeresisVowels);
        diaeresis_ = false;
      }
      break;
  }
  if (ch != 0) KeyPress(ch);
  return TKeyResult::Handled;
}

void TCustomEmulVT::KeyPress(char& key) {
  if (OnKeyPress) OnKeyPress(this, key);
}

void TCustomEmulVT::SendKeyBuffer(const char* buffer, int length) {
  if (OnKeyBuffer) {
    OnKeyBuffer(this, buffer, length);
    return;
  }
  for (int i = 0; i < length; ++i) {
    char c = buffer[i];
    KeyPress(c);
  }
}

}  // namespace ondrix::term
