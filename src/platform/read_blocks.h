#pragma once
// Reading a file or pipe to its end in blocks, each handed on as soon as it has arrived, so that
// a stream of any size passes through a fixed buffer.

#include <unistd.h>

#include <cerrno>
#include <cstddef>
#include <cstdint>
#include <functional>
#include <memory>
#include <span>

namespace ondrix::platform {

inline constexpr std::size_t kReadBlockSize = 64 * 1024;

// Reads `fd` until end of file; every read that returns data (at most `blockSize` bytes, fewer
// when a pipe delivers less) goes to `consume` before the next read. Interrupted reads are
// retried. Returns 0 at end of file, or the errno of the read that failed.
inline int readBlocks(int fd, const std::function<void(std::span<const std::uint8_t>)>& consume,
                      std::size_t blockSize = kReadBlockSize) {
  const std::unique_ptr<std::uint8_t[]> buffer(new std::uint8_t[blockSize]);
  for (;;) {
    const ssize_t n = ::read(fd, buffer.get(), blockSize);
    if (n > 0) {
      consume(std::span<const std::uint8_t>(buffer.get(), static_cast<std::size_t>(n)));
    } else if (n == 0) {
      return 0;
    } else if (errno != EINTR) {
      return errno;
    }
  }
}

}  // namespace ondrix::platform
