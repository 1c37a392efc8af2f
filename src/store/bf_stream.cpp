#include "store/bf_stream.h"

#include <unistd.h>

#include <algorithm>
#include <cstring>

#include "store/key_compare.h"

namespace ondrix::store {

TBFStream::TBFStream(File file, std::size_t requestedBuffer)
    : file_(std::move(file)), buffer_(copyBufferSize(static_cast<std::int64_t>(requestedBuffer))) {
  base_ = file_.position();
}

TBFStream::~TBFStream() {
  if (writing_) {
    try {
      Flush();
    } catch (...) {  // a destructor cannot report it; Commit does
    }
  }
}

void TBFStream::refill() {
  base_ += static_cast<std::int64_t>(at_);
  file_.seek(base_);
  at_ = 0;
  // One byte of the buffer stays free as a terminator.
  filled_ = file_.read(buffer_.data(), buffer_.size() - 1);
}

std::uint8_t TBFStream::nextByte() {
  if (at_ >= filled_) {
    refill();
    if (filled_ == 0) throw StreamEnd();
  }
  return buffer_[at_++];
}

std::int32_t TBFStream::ReadInt32() {
  if (filled_ - std::min(at_, filled_) < 4) refill();
  if (filled_ < at_ + 4) throw StreamEnd();
  const std::uint8_t* p = buffer_.data() + at_;
  at_ += 4;
  return static_cast<std::int32_t>(std::uint32_t{p[0]} | (std::uint32_t{p[1]} << 8) |
                                   (std::uint32_t{p[2]} << 16) | (std::uint32_t{p[3]} << 24));
}

std::string TBFStream::ReadKey() {
  std::string key;
  for (std::uint8_t c = nextByte(); c != 0; c = nextByte()) {
    if (key.size() < kMaxKeyLength) key.push_back(static_cast<char>(c));
  }
  return key;
}

void TBFStream::put(const void* data, std::size_t size) {
  writing_ = true;
  if (at_ + size > buffer_.size() - 1) Flush();
  std::memcpy(buffer_.data() + at_, data, size);
  at_ += size;
}

void TBFStream::WriteInt32(std::int32_t value) {
  const auto v = static_cast<std::uint32_t>(value);
  const std::uint8_t bytes[4] = {static_cast<std::uint8_t>(v), static_cast<std::uint8_t>(v >> 8),
                                 static_cast<std::uint8_t>(v >> 16),
                                 static_cast<std::uint8_t>(v >> 24)};
  put(bytes, sizeof bytes);
}

void TBFStream::WriteKey(std::string_view key) {
  const std::string stored = toKey(key);
  put(stored.c_str(), stored.size() + 1);
}

void TBFStream::Flush() {
  if (!writing_ || at_ == 0) return;
  file_.writeAll(buffer_.data(), at_);
  base_ += static_cast<std::int64_t>(at_);
  at_ = 0;
}

TTempBFStream::TTempBFStream(std::string target)
    : TTempBFStream(createTempFile("QDT"), std::move(target)) {}

TTempBFStream::TTempBFStream(TempFile temp, std::string target)
    : TBFStream(std::move(temp.file), kBufferSize),
      tempPath_(std::move(temp.path)),
      target_(std::move(target)) {}

TTempBFStream::~TTempBFStream() {
  if (!committed_) ::unlink(tempPath_.c_str());
}

void TTempBFStream::Commit() {
  Flush();
  file().sync();
  file().close();
  committed_ = true;
  replaceFile(tempPath_, target_);
}

}  // namespace ondrix::store
