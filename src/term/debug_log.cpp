#include "term/debug_log.h"

#include <cerrno>
#include <cstring>

namespace ondrix::term {

TDebugLog::~TDebugLog() {
  try {
    Close();
  } catch (const EInOutError&) {
    // A destructor cannot report the lost marker; the bytes before it are already flushed.
  }
}

void TDebugLog::Open(const std::string& path) {
  if (file_) return;
  file_ = std::fopen(path.c_str(), "ab");
  if (!file_) file_ = std::fopen(path.c_str(), "wb");
  if (!file_) throw EInOutError(errno);
  put("<Open>\r\n", 8);
}

void TDebugLog::Close() {
  if (!file_) return;
  std::FILE* f = file_;
  const bool written = std::fwrite("<Close>\r\n", 1, 9, f) == 9 && std::fflush(f) == 0;
  const int error = errno;
  file_ = nullptr;
  const bool closed = std::fclose(f) == 0;
  if (!written || !closed) throw EInOutError(written ? errno : error);
}

void TDebugLog::Write(std::uint8_t byte) {
  const char c = static_cast<char>(byte);
  put(&c, 1);
}

void TDebugLog::put(const char* bytes, std::size_t count) {
  if (std::fwrite(bytes, 1, count, file_) != count || std::fflush(file_) != 0) throw EInOutError(errno);
}

}  // namespace ondrix::term
