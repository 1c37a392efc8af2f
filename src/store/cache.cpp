#include "store/cache.h"

#include <algorithm>

namespace ondrix::store {

void TCacheList::Offer(const std::string& key, std::string_view bytes) {
  const std::size_t n = bytes.size();
  if (n >= cacheSize_) return;
  if (entries_.count(key) != 0) return;
  while (n + held_ > cacheSize_) {
    auto oldest = std::min_element(entries_.begin(), entries_.end(), [](const auto& a, const auto& b) {
      return a.second.stamp < b.second.stamp;
    });
    held_ -= oldest->second.bytes.size();
    entries_.erase(oldest);
    ++evictions_;
  }
  entries_.emplace(key, TCache{++stamp_, std::string(bytes)});
  held_ += n;
  ++requests_;
}

bool TCacheList::Lookup(const std::string& key, std::string& out) {
  const auto it = entries_.find(key);
  if (it == entries_.end()) return false;
  out = it->second.bytes;
  it->second.stamp = ++stamp_;
  ++hits_;
  ++requests_;
  return true;
}

void TCacheList::Drop(const std::string& key) {
  const auto it = entries_.find(key);
  if (it == entries_.end()) return;
  held_ -= it->second.bytes.size();
  entries_.erase(it);
}

void TCacheList::Clear() {
  entries_.clear();
  held_ = 0;
}

void TCacheList::SetCacheSize(std::size_t size) {
  Clear();
  cacheSize_ = size;
}

int TCacheList::CacheFrequency() const {
  if (requests_ == 0) return 0;
  return static_cast<int>((200 * hits_ + requests_) / (2 * requests_));
}

bool TCacheList::Consistent() const {
  std::size_t sum = 0;
  for (const auto& [key, entry] : entries_) sum += entry.bytes.size();
  return sum == held_ && held_ <= cacheSize_;
}

void TCacheList::ResetCounters() {
  requests_ = hits_ = evictions_ = 0;  // bytes held and use stamps stay true to the entries
}

}  // namespace ondrix::store
