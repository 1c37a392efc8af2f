#pragma once
// Buffered file streams for the index of a record file: 32-bit little-endian integers and
// zero-terminated keys through one buffer of max(1024, min(requested, 524,288)) bytes.
// `TTempBFStream` writes a fresh temporary file and, on Commit, puts it in place of its target.

#include <cstdint>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

#include "store/file_system.h"

namespace ondrix::store {

// Thrown when a read runs past the end of the stream.
class StreamEnd : public std::runtime_error {
 public:
  StreamEnd() : std::runtime_error("read past the end of the stream") {}
};

class TBFStream {
 public:
  TBFStream(File file, std::size_t requestedBuffer);
  TBFStream(const TBFStream&) = delete;
  TBFStream& operator=(const TBFStream&) = delete;
  virtual ~TBFStream();

  std::int32_t ReadInt32();
  // Reads up to and including the zero byte; keeps the first 255 characters.
  std::string ReadKey();
  void WriteInt32(std::int32_t value);
  void WriteKey(std::string_view key);
  // Writes the collected bytes to the file.
  void Flush();
  // Logical position in the file.
  std::int64_t Position() const { return base_ + static_cast<std::int64_t>(at_); }

 protected:
  File& file() { return file_; }

 private:
  std::uint8_t nextByte();
  void refill();
  void put(const void* data, std::size_t size);

  File file_;
  std::vector<std::uint8_t> buffer_;
  std::int64_t base_ = 0;   // file position of buffer_[0]
  std::size_t at_ = 0;      // logical position inside the buffer
  std::size_t filled_ = 0;  // bytes read into the buffer
  bool writing_ = false;
};

class TTempBFStream : public TBFStream {
 public:
  static constexpr std::size_t kBufferSize = 32768;
  explicit TTempBFStream(std::string target);
  ~TTempBFStream() override;

  // Flushes, syncs and closes the temporary file, then replaces the target by it.
  void Commit();

 private:
  TTempBFStream(TempFile temp, std::string target);
  std::string tempPath_;
  std::string target_;
  bool committed_ = false;
};

}  // namespace ondrix::store
