#pragma once
// The send queue of a socket: bytes waiting to go out, kept in blocks of 1514 bytes (one Ethernet
// frame). Appending fills the last block, then opens new ones; sending takes the unsent bytes of
// the first block. An emptied block is released unless it is the only one, which is reused.

#include <array>
#include <cstddef>
#include <deque>
#include <span>

namespace ondrix::telnet {

class SendQueue {
 public:
  static constexpr std::size_t kBlockSize = 1514;

  void append(const char* data, std::size_t length);
  bool empty() const { return pending_ == 0; }
  std::size_t pending() const { return pending_; }  // bytes not yet sent, over all blocks
  std::size_t blockCount() const { return blocks_.size(); }

  // The unsent bytes of the first block (empty when the queue is empty).
  std::span<const char> front() const;
  // Marks `count` bytes of the first block as sent (count <= front().size()).
  void consume(std::size_t count);
  void clear();

 private:
  struct Block {
    std::array<char, kBlockSize> bytes;
    std::size_t writePos = 0;
    std::size_t readPos = 0;
  };
  std::deque<Block> blocks_;
  std::size_t pending_ = 0;
};

}  // namespace ondrix::telnet
