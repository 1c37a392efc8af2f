#include "automation/file_handles.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>

namespace ondrix::automation {
namespace {

// Reads at most this much at a time from a file whose size is not known (a pipe, a device).
constexpr std::int64_t kUnsizedChunk = 1 << 20;

}  // namespace

std::int32_t FileHandles::adopt(int fd) {
  if (fd < 0) return kInvalid;
  open_.insert(fd);
  return fd;
}

std::int32_t FileHandles::Open(const std::string& path, std::int32_t mode) {
  int flags = 0;
  switch (mode & 3) {
    case kOpenRead: flags = O_RDONLY; break;
    case kOpenWrite: flags = O_WRONLY; break;
    case kOpenReadWrite: flags = O_RDWR; break;
    default: return kInvalid;
  }
  return adopt(::open(path.c_str(), flags | O_CLOEXEC));
}

std::int32_t FileHandles::Create(const std::string& path) {
  return adopt(::open(path.c_str(), O_RDWR | O_CREAT | O_TRUNC | O_CLOEXEC, 0666));
}

void FileHandles::Close(std::int32_t handle) {
  if (open_.erase(handle) != 0) ::close(handle);
}

void FileHandles::CloseAll() {
  for (std::int32_t fd : open_) ::close(fd);
  open_.clear();
}

std::int32_t FileHandles::Read(std::int32_t handle, std::int32_t count, std::string& bytes) {
  bytes.clear();
  if (!Known(handle)) return -1;
  if (count <= 0) return 0;
  // Never allocate more than can be read: a regular file gives what remains after the position.
  std::int64_t room = count;
  struct stat st {};
  if (::fstat(handle, &st) == 0 && S_ISREG(st.st_mode)) {
    const off_t at = ::lseek(handle, 0, SEEK_CUR);
    room = std::min<std::int64_t>(room, at >= 0 && st.st_size > at ? st.st_size - at : 0);
  } else {
    room = std::min(room, kUnsizedChunk);
  }
  bytes.resize(static_cast<std::size_t>(room));
  std::size_t done = 0;
  while (done < bytes.size()) {
    const ssize_t n = ::read(handle, bytes.data() + done, bytes.size() - done);
    if (n < 0 && errno == EINTR) continue;
    if (n < 0) {
      bytes.clear();
      return -1;
    }
    if (n == 0) break;
    done += static_cast<std::size_t>(n);
  }
  bytes.resize(done);
  return static_cast<std::int32_t>(done);
}

std::int32_t FileHandles::Write(std::int32_t handle, const std::string& text, std::int32_t count) {
  if (!Known(handle)) return -1;
  const std::size_t wanted = count <= 0 ? 0 : std::min(text.size(), static_cast<std::size_t>(count));
  std::size_t done = 0;
  while (done < wanted) {
    const ssize_t n = ::write(handle, text.data() + done, wanted - done);
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) return done == 0 ? -1 : static_cast<std::int32_t>(done);
    done += static_cast<std::size_t>(n);
  }
  return static_cast<std::int32_t>(done);
}

std::int64_t FileHandles::Seek(std::int32_t handle, std::int64_t offset, std::int32_t origin) {
  if (!Known(handle) || origin < 0 || origin > 2) return -1;
  static constexpr int kWhence[] = {SEEK_SET, SEEK_CUR, SEEK_END};
  const off_t at = ::lseek(handle, static_cast<off_t>(offset), kWhence[origin]);
  return at < 0 ? -1 : static_cast<std::int64_t>(at);
}

}  // namespace ondrix::automation
