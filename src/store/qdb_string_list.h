#pragma once
// The key lists of the record engine: an ordered list of (key, object) pairs that is either kept
// sorted under the file's key comparison (inserting an equal key fails) or filled in order.
// `TIndexList` holds the index entries of a file; `TKeyList` is the plain text list that
// `TQDB::GetKeyList` fills.

#include <algorithm>
#include <cstdint>
#include <new>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "store/key_compare.h"
#include "store/qdb_errors.h"

namespace ondrix::store {

// The largest number of entries a list can hold (its block directory may grow to 4^13 slots).
inline constexpr int kMaxListCount = 67108864;

// Flag bits of an index entry, as on disk.
inline constexpr std::int32_t kFlagSystem = 1;
inline constexpr std::int32_t kFlagCompressed = 2;

// One index entry: where the item's bytes lie in the data section.
struct TIndex {
  std::int32_t offset = 0;
  std::int32_t size = 0;
  std::int32_t flags = 0;
};

struct TNoObject {};

template <class Object>
class TQDBStringList {
 public:
  bool Sorted = true;
  bool CaseSensitive = false;

  int Count() const { return static_cast<int>(items_.size()); }

  const std::string& Key(int index) const { return items_[checked(index)].first; }
  Object& Item(int index) { return items_[checked(index)].second; }
  const Object& Item(int index) const { return items_[checked(index)].second; }

  // Binary search: true when an equal key exists; `index` is the insertion point (the first key
  // not less than `key`), or the equal key's position.
  bool Find(std::string_view key, int& index) const {
    int low = 0;
    int high = Count() - 1;
    bool found = false;
    while (low <= high) {
      const int mid = (low + high) / 2;
      const int c = compareKeys(items_[mid].first, key, CaseSensitive);
      if (c < 0) {
        low = mid + 1;
      } else {
        high = mid - 1;
        if (c == 0) {
          found = true;
          low = mid;
        }
      }
    }
    index = low;
    return found;
  }

  // Sorted: inserts at the key's place, failing on an equal key. Unsorted: appends.
  int Add(std::string key, Object object) {
    int index = Count();
    if (Sorted && Find(key, index)) throw EQDBListError(std::string(text::kDuplicate));
    Insert(index, std::move(key), std::move(object));
    return index;
  }

  void Insert(int index, std::string key, Object object) {
    if (index < 0 || index > Count()) throw EQDBListError(std::string(text::kOutOfBounds));
    if (Count() >= kMaxListCount) throw EQDBListError(std::string(text::kOutOfBounds));
    try {
      items_.emplace(items_.begin() + index, std::move(key), std::move(object));
    } catch (const std::bad_alloc&) {
      throw EQDBListError(std::string(text::kNoCompress));
    }
  }

  void Delete(int index) { items_.erase(items_.begin() + checked(index)); }
  void Reverse() { std::reverse(items_.begin(), items_.end()); }
  // Frees every entry and empties the list.
  void EmptyAndClear() { std::vector<std::pair<std::string, Object>>().swap(items_); }

 private:
  std::size_t checked(int index) const {
    if (index < 0 || index >= Count()) throw EQDBListError(std::string(text::kOutOfBounds));
    return static_cast<std::size_t>(index);
  }

  std::vector<std::pair<std::string, Object>> items_;
};

using TIndexList = TQDBStringList<TIndex>;
using TKeyList = TQDBStringList<TNoObject>;

}  // namespace ondrix::store
