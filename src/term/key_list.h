#pragma once
// The user key definitions of one terminal: which byte string a key (scan code, shift state,
// extended flag) sends. Filled from a keylist when a connection is applied; searched linearly on
// every key stroke, the first matching entry winning.

#include <array>
#include <cstdint>
#include <string_view>
#include <vector>

namespace ondrix::term {

// Shift state bits of a key definition and of a key stroke.
enum TShiftBits : unsigned { kShift = 1, kAlt = 2, kCtrl = 4 };

inline constexpr int kMaxKeys = 499;
inline constexpr int kMaxKeyBytes = 50;

struct TKeyDef {
  std::uint8_t ScanCode = 0;  // 0: an unused entry, never matches
  unsigned ShiftState = 0;    // TShiftBits
  bool Extended = false;
  std::uint8_t Length = 0;
  std::array<std::uint8_t, kMaxKeyBytes> Bytes{};

  std::string_view Text() const { return {reinterpret_cast<const char*>(Bytes.data()), Length}; }
};

// The bytes of a key text: \e ESC, \t TAB, \b BS, \s blank, \\ and \^ themselves, a backslash
// before anything else dropped; ^c the control character c - 64. Only the first 50 characters of
// the text are read and at most 50 bytes result.
TKeyDef ParseKeyText(std::string_view text);

class TKeyList {
 public:
  TKeyList() { keys_.reserve(kMaxKeys); }

  // Appends a definition; ignored when the list is full.
  void AddKey(std::uint8_t scanCode, bool ctrl, std::string_view text, bool extended, bool shift,
              bool alt);
  void ClearKeys() { keys_.clear(); }
  // The first entry with this scan code, shift state and extended flag, or nullptr.
  const TKeyDef* Find(std::uint8_t scanCode, unsigned shiftState, bool extended) const;

  int Count() const { return static_cast<int>(keys_.size()); }
  const TKeyDef& operator[](int i) const { return keys_[static_cast<std::size_t>(i)]; }

 private:
  std::vector<TKeyDef> keys_;
};

}  // namespace ondrix::term
