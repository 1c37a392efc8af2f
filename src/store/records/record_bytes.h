#pragma once
// Little-endian integers and fixed-room texts inside the stores' binary records.
//
// A fixed-room text ("text[n]") is one length byte followed by room for n characters; the unused
// room is zero. Longer texts are cut to the room when written; a stored length larger than the
// room (a damaged record) is cut to the room when read.

#include <cstdint>
#include <string>
#include <string_view>

namespace ondrix::store {

// Writes into a record of fixed size, zero-filled at construction.
class RecordWriter {
 public:
  explicit RecordWriter(std::size_t size) : bytes_(size, '\0') {}

  void putInt32(std::size_t offset, std::int32_t value);
  void putByte(std::size_t offset, std::uint8_t value);
  void putBool(std::size_t offset, bool value) { putByte(offset, value ? 1 : 0); }
  // Length byte at `offset`, then the text cut to `room` characters.
  void putText(std::size_t offset, std::size_t room, std::string_view text);

  std::string take() { return std::move(bytes_); }

 private:
  std::string bytes_;
};

// Reads from a record; bytes beyond the end of a short record read as zero.
class RecordReader {
 public:
  explicit RecordReader(std::string_view bytes) : bytes_(bytes) {}

  std::int32_t int32(std::size_t offset) const;
  std::uint8_t byte(std::size_t offset) const;
  bool boolean(std::size_t offset) const { return byte(offset) != 0; }
  std::string text(std::size_t offset, std::size_t room) const;

 private:
  std::string_view bytes_;
};

// Appends a 32-bit little-endian integer (variable-length items).
void appendInt32(std::string& out, std::int32_t value);
// Appends a 32-bit length followed by the characters.
void appendCountedText(std::string& out, std::string_view text);

// Reads variable-length items front to back; reading past the end marks the reader as failed and
// yields zero or empty values, so a damaged item can never be read out of bounds.
class ItemReader {
 public:
  explicit ItemReader(std::string_view bytes) : bytes_(bytes) {}

  std::int32_t int32();
  // A 32-bit length followed by that many characters; a length below 1 gives an empty text.
  std::string countedText();
  bool failed() const { return failed_; }
  std::size_t position() const { return pos_; }

 private:
  std::string_view bytes_;
  std::size_t pos_ = 0;
  bool failed_ = false;
};

// The "%05d" key of a numbered record.
std::string numberKey(int number);

}  // namespace ondrix::store
