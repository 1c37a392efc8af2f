#pragma once
// TIdentList: a sorted, case-insensitive table of names. Keys are stored upper-cased (Windows-1252
// upper-casing); the keyword table, the compiler's identifier table and its label names use it.

#include <array>
#include <cstdint>
#include <map>
#include <string>
#include <string_view>
#include <vector>

namespace ondrix::script {

inline constexpr int kMaxParams = 100;

// One entry: a variable (value = slot), a procedure (value = label number) or a keyword (value =
// keyword code). The type name is the declaration's type token, kept as written, never checked.
struct TIdentListItem {
  std::int32_t value = 0;
  std::string typeName;
  bool isProcedure = false;
  int paramCount = 0;
  std::array<std::uint8_t, kMaxParams> varParams{};  // 1 = var parameter
  std::vector<std::string> paramNames;               // upper-cased, in declaration order
};

class TIdentList {
 public:
  // The entry for `name` (any case), or null.
  const TIdentListItem* find(std::string_view name) const;
  TIdentListItem* find(std::string_view name);
  // Enters `name` (any case) and returns its entry; an existing entry is replaced.
  TIdentListItem& add(std::string_view name, TIdentListItem item = {});

  std::size_t size() const { return items_.size(); }
  // The entries in key order (keys upper-cased).
  const std::map<std::string, TIdentListItem, std::less<>>& items() const { return items_; }

 private:
  std::map<std::string, TIdentListItem, std::less<>> items_;
};

// Windows-1252 upper-casing of one character and of a text.
unsigned char upperCase1252(unsigned char c);
std::string upperCase1252(std::string_view text);

}  // namespace ondrix::script
