#include "store/records/record_bytes.h"

#include <algorithm>
#include <cstdio>

namespace ondrix::store {

void RecordWriter::putInt32(std::size_t offset, std::int32_t value) {
  const auto u = static_cast<std::uint32_t>(value);
  for (int i = 0; i < 4; ++i) bytes_[offset + i] = static_cast<char>((u >> (8 * i)) & 0xFF);
}

void RecordWriter::putByte(std::size_t offset, std::uint8_t value) {
  bytes_[offset] = static_cast<char>(value);
}

void RecordWriter::putText(std::size_t offset, std::size_t room, std::string_view text) {
  const std::size_t n = std::min(text.size(), room);
  bytes_[offset] = static_cast<char>(n);
  std::copy_n(text.data(), n, bytes_.begin() + static_cast<std::ptrdiff_t>(offset + 1));
}

std::uint8_t RecordReader::byte(std::size_t offset) const {
  return offset < bytes_.size() ? static_cast<std::uint8_t>(bytes_[offset]) : 0;
}

std::int32_t RecordReader::int32(std::size_t offset) const {
  std::uint32_t u = 0;
  for (int i = 0; i < 4; ++i) u |= static_cast<std::uint32_t>(byte(offset + i)) << (8 * i);
  return static_cast<std::int32_t>(u);
}

std::string RecordReader::text(std::size_t offset, std::size_t room) const {
  const std::size_t n = std::min<std::size_t>(byte(offset), room);
  std::string out(n, '\0');
  for (std::size_t i = 0; i < n; ++i) out[i] = static_cast<char>(byte(offset + 1 + i));
  return out;
}

void appendInt32(std::string& out, std::int32_t value) {
  const auto u = static_cast<std::uint32_t>(value);
  for (int i = 0; i < 4; ++i) out += static_cast<char>((u >> (8 * i)) & 0xFF);
}

void appendCountedText(std::string& out, std::string_view text) {
  appendInt32(out, static_cast<std::int32_t>(text.size()));
  out += text;
}

std::int32_t ItemReader::int32() {
  if (bytes_.size() - pos_ < 4) {
    failed_ = true;
    pos_ = bytes_.size();
    return 0;
  }
  const std::int32_t value = RecordReader(bytes_.substr(pos_, 4)).int32(0);
  pos_ += 4;
  return value;
}

std::string ItemReader::countedText() {
  const std::int32_t n = int32();
  if (n <= 0) return {};
  if (static_cast<std::size_t>(n) > bytes_.size() - pos_) {
    failed_ = true;
    pos_ = bytes_.size();
    return {};
  }
  std::string out(bytes_.substr(pos_, static_cast<std::size_t>(n)));
  pos_ += static_cast<std::size_t>(n);
  return out;
}

std::string numberKey(int number) {
  char key[16];
  std::snprintf(key, sizeof key, "%05d", number);
  return key;
}

}  // namespace ondrix::store
