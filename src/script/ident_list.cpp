#include "script/ident_list.h"

namespace ondrix::script {

unsigned char upperCase1252(unsigned char c) {
  if (c >= 'a' && c <= 'z') return static_cast<unsigned char>(c - 32);
  switch (c) {
    case 0x9A: return 0x8A;  // s caron
    case 0x9C: return 0x8C;  // oe ligature
    case 0x9E: return 0x8E;  // z caron
    case 0xFF: return 0x9F;  // y diaeresis
    default: break;
  }
  if (c >= 0xE0 && c != 0xF7) return static_cast<unsigned char>(c - 32);
  return c;
}

std::string upperCase1252(std::string_view text) {
  std::string out(text);
  for (char& ch : out) ch = static_cast<char>(upperCase1252(static_cast<unsigned char>(ch)));
  return out;
}

const TIdentListItem* TIdentList::find(std::string_view name) const {
  const auto it = items_.find(upperCase1252(name));
  return it == items_.end() ? nullptr : &it->second;
}

TIdentListItem* TIdentList::find(std::string_view name) {
  const auto it = items_.find(upperCase1252(name));
  return it == items_.end() ? nullptr : &it->second;
}

TIdentListItem& TIdentList::add(std::string_view name, TIdentListItem item) {
  return items_.insert_or_assign(upperCase1252(name), std::move(item)).first->second;
}

}  // namespace ondrix::script
