#pragma once
// The read cache of the record engine: copies of recently read or written items, keyed by item
// key (case-sensitive), bounded by the bytes of item data held (`CacheSize`, 65,536 by default).
// The entry used least recently (smallest use stamp) is evicted first.

#include <cstdint>
#include <map>
#include <string>
#include <string_view>

namespace ondrix::store {

inline constexpr std::size_t kDefaultCacheSize = 65536;

struct TCache {
  std::uint64_t stamp = 0;
  std::string bytes;
};

class TCacheList {
 public:
  // Keeps a copy of an item of fewer than CacheSize bytes, evicting old entries to make room.
  void Offer(const std::string& key, std::string_view bytes);
  // A hit copies the cached bytes into `out` and renews the entry's stamp.
  bool Lookup(const std::string& key, std::string& out);
  void Drop(const std::string& key);
  void Clear();

  std::size_t CacheSize() const { return cacheSize_; }
  // Empties the cache, then sets the limit.
  void SetCacheSize(std::size_t size);
  // round(100 * hits / requests); 0 without requests.
  int CacheFrequency() const;
  void ResetCounters();

  std::size_t BytesHeld() const { return held_; }
  std::uint64_t Requests() const { return requests_; }
  std::uint64_t Hits() const { return hits_; }
  std::uint64_t Evictions() const { return evictions_; }
  bool Contains(const std::string& key) const { return entries_.count(key) != 0; }
  // True when the bytes held are those of the entries and within the limit.
  bool Consistent() const;

 private:
  std::map<std::string, TCache> entries_;
  std::size_t cacheSize_ = kDefaultCacheSize;
  std::size_t held_ = 0;
  std::uint64_t requests_ = 0;
  std::uint64_t hits_ = 0;
  std::uint64_t evictions_ = 0;
  std::uint64_t stamp_ = 0;
};

}  // namespace ondrix::store
