#include "automation/file_copy.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <array>
#include <cerrno>
#include <cstdio>
#include <vector>

namespace ondrix::automation {
namespace {

constexpr std::size_t kChunk = 64 * 1024;

bool isFolder(const std::string& path) {
  struct stat st {};
  return ::stat(path.c_str(), &st) == 0 && S_ISDIR(st.st_mode);
}

std::string baseName(const std::string& path) {
  const std::size_t slash = path.rfind('/');
  return slash == std::string::npos ? path : path.substr(slash + 1);
}

bool writeAll(int fd, const char* data, std::size_t size) {
  while (size > 0) {
    const ssize_t n = ::write(fd, data, size);
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) return false;
    data += n;
    size -= static_cast<std::size_t>(n);
  }
  return true;
}

// Copies the open `in` into the open `out`; false on a read or write error.
bool copyContents(int in, int out) {
  std::vector<char> buffer(kChunk);
  for (;;) {
    const ssize_t n = ::read(in, buffer.data(), buffer.size());
    if (n < 0 && errno == EINTR) continue;
    if (n < 0) return false;
    if (n == 0) return true;
    if (!writeAll(out, buffer.data(), static_cast<std::size_t>(n))) return false;
  }
}

}  // namespace

std::string currentFolder() {
  std::vector<char> buffer(4096);
  while (::getcwd(buffer.data(), buffer.size()) == nullptr) {
    if (errno != ERANGE) return {};
    buffer.resize(buffer.size() * 2);
  }
  return buffer.data();
}

std::string expandFileName(const std::string& name) {
  std::string path = !name.empty() && name[0] == '/' ? name : currentFolder() + "/" + name;
  std::vector<std::string> parts;
  std::size_t start = 0;
  while (start <= path.size()) {
    std::size_t end = path.find('/', start);
    if (end == std::string::npos) end = path.size();
    const std::string part = path.substr(start, end - start);
    if (part == "..") {
      if (!parts.empty()) parts.pop_back();
    } else if (!part.empty() && part != ".") {
      parts.push_back(part);
    }
    start = end + 1;
  }
  std::string expanded;
  for (const std::string& part : parts) expanded += "/" + part;
  return expanded.empty() ? "/" : expanded;
}

bool copyFile(const std::string& source, const std::string& destination) {
  std::string target = expandFileName(destination);
  if (isFolder(target)) target += "/" + baseName(source);
  const int in = ::open(source.c_str(), O_RDONLY | O_CLOEXEC);
  if (in < 0) return false;  // "Cannot open file"
  struct stat from {}, to {};
  if (::fstat(in, &from) != 0 || S_ISDIR(from.st_mode) ||
      (::stat(target.c_str(), &to) == 0 && to.st_dev == from.st_dev && to.st_ino == from.st_ino)) {
    ::close(in);
    return false;
  }
  const int out = ::open(target.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, from.st_mode & 0777);
  if (out < 0) {  // "Cannot create file"
    ::close(in);
    return false;
  }
  const bool copied = copyContents(in, out);
  ::close(in);
  const bool closed = ::close(out) == 0;
  if (copied && closed) return true;
  ::unlink(target.c_str());
  return false;
}

bool moveFile(const std::string& source, const std::string& destination) {
  const std::string target = expandFileName(destination);
  if (::rename(source.c_str(), target.c_str()) == 0) return true;
  if (::access(source.c_str(), W_OK) != 0) return false;  // "Cannot move file"
  if (!copyFile(source, destination)) return false;
  return ::unlink(source.c_str()) == 0;
}

bool renameFile(const std::string& from, const std::string& to) {
  if (::renameat2(AT_FDCWD, from.c_str(), AT_FDCWD, to.c_str(), RENAME_NOREPLACE) == 0) return true;
  if (errno != EINVAL && errno != ENOSYS) return false;
  // A file system without the no-replace rename.
  struct stat st {};
  if (::lstat(to.c_str(), &st) == 0) return false;
  return ::rename(from.c_str(), to.c_str()) == 0;
}

}  // namespace ondrix::automation
