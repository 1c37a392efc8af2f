#include "term/key_list.h"

namespace ondrix::term {

namespace {

std::uint8_t escaped(char c) {
  switch (c) {
    case 'e': return 27;
    case 't': return 9;
    case 'b': return 8;
    case 's': return ' ';
    default: return static_cast<std::uint8_t>(c);  // \\, \^ and any other character as it stands
  }
}

}  // namespace

TKeyDef ParseKeyText(std::string_view text) {
  TKeyDef def;
  text = text.substr(0, kMaxKeyBytes);
  std::size_t i = 0;
  while (i < text.size() && def.Length < kMaxKeyBytes) {
    const char c = text[i++];
    std::uint8_t out = static_cast<std::uint8_t>(c);
    if (c == '\\' || c == '^') {
      if (i >= text.size()) break;  // a lone marker at the end gives nothing
      const char next = text[i++];
      out = c == '\\' ? escaped(next) : static_cast<std::uint8_t>(next - 64);
    }
    def.Bytes[def.Length++] = out;
  }
  return def;
}

void TKeyList::AddKey(std::uint8_t scanCode, bool ctrl, std::string_view text, bool extended,
                      bool shift, bool alt) {
  if (Count() >= kMaxKeys) return;
  TKeyDef def = ParseKeyText(text);
  def.ScanCode = scanCode;
  def.Extended = extended;
  def.ShiftState = (shift ? kShift : 0u) | (alt ? kAlt : 0u) | (ctrl ? kCtrl : 0u);
  keys_.push_back(def);
}

const TKeyDef* TKeyList::Find(std::uint8_t scanCode, unsigned shiftState, bool extended) const {
  if (scanCode == 0) return nullptr;
  for (const TKeyDef& def : keys_)
    if (def.ScanCode == scanCode && def.ShiftState == shiftState && def.Extended == extended)
      return &def;
  return nullptr;
}

}  // namespace ondrix::term
