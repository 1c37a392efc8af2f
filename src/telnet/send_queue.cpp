#include "telnet/send_queue.h"

#include <algorithm>
#include <cstring>

namespace ondrix::telnet {

void SendQueue::append(const char* data, std::size_t length) {
  while (length > 0) {
    if (blocks_.empty() || blocks_.back().writePos == kBlockSize) blocks_.emplace_back();
    Block& last = blocks_.back();
    const std::size_t n = std::min(length, kBlockSize - last.writePos);
    std::memcpy(last.bytes.data() + last.writePos, data, n);
    last.writePos += n;
    pending_ += n;
    data += n;
    length -= n;
  }
}


std::span<const char> SendQueue::front() const {
  if (blocks_.empty()) return {};
  const Block& b = blocks_.front();
  return {b.bytes.data() + b.readPos, b.writePos - b.readPos};
}

void SendQueue::consume(std::size_t count) {
  if (blocks_.empty()) return;
  Block& b = blocks_.front();
  count = std::min(count, b.writePos - b.readPos);
  b.readPos += count;
  pending_ -= count;
  if (b.readPos < b.writePos) return;
  if (blocks_.size() > 1) {
    blocks_.pop_front();
  } else {
    b.readPos = 0;
    b.writePos = 0;
  }
}

void SendQueue::clear() {
  blocks_.clear();
  pending_ = 0;
}

}  // namespace ondrix::telnet
