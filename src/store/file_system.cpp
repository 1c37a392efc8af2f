#include "store/file_system.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <utility>
#include <vector>

#include "platform/paths.h"
#include "store/qdb_errors.h"

namespace ondrix::store {

namespace {

FileSystem& realFileSystem() {
  static FileSystem real;
  return real;
}

FileSystem* installed = nullptr;

constexpr std::size_t kMinCopyBuffer = 1024;
constexpr std::size_t kMaxCopyBuffer = 524288;

std::string folderOf(const std::string& path) {
  const auto slash = path.rfind('/');
  return slash == std::string::npos ? std::string("./") : path.substr(0, slash + 1);
}

// mkstemp in `folder` with the name <prefix>XXXXXX.
TempFile makeTemp(const std::string& folder, std::string_view prefix) {
  std::string name = folder + std::string(prefix) + "XXXXXX";
  const int fd = ::mkstemp(name.data());
  if (fd < 0) throw EQDBIndexError(std::string(text::kNoTempFile));
  return TempFile{name, File(fd, name)};
}

}  // namespace

ssize_t FileSystem::write(int fd, const void* data, std::size_t size) {
  return ::write(fd, data, size);
}
int FileSystem::fsync(int fd) { return ::fsync(fd); }
int FileSystem::rename(const char* from, const char* to) { return ::rename(from, to); }

FileSystem& fileSystem() { return installed ? *installed : realFileSystem(); }

ScopedFileSystem::ScopedFileSystem(FileSystem& replacement) : previous_(installed) {
  installed = &replacement;
}
ScopedFileSystem::~ScopedFileSystem() { installed = previous_; }

File::File(File&& other) noexcept
    : fd_(std::exchange(other.fd_, -1)), path_(std::move(other.path_)) {}

File& File::operator=(File&& other) noexcept {
  if (this != &other) {
    if (fd_ >= 0) ::close(fd_);
    fd_ = std::exchange(other.fd_, -1);
    path_ = std::move(other.path_);
  }
  return *this;
}

File::~File() {
  if (fd_ >= 0) ::close(fd_);
}

File File::open(const std::string& path, int flags, mode_t mode) {
  const int fd = ::open(path.c_str(), flags | O_CLOEXEC, mode);
  if (fd < 0) throw fileErrorFromErrno(errno, path);
  return File(fd, path);
}

std::size_t File::read(void* data, std::size_t size) {
  std::size_t done = 0;
  auto* bytes = static_cast<char*>(data);
  while (done < size) {
    const ssize_t n = ::read(fd_, bytes + done, size - done);
    if (n < 0) {
      if (errno == EINTR) continue;
      throw fileErrorFromErrno(errno, path_);
    }
    if (n == 0) break;
    done += static_cast<std::size_t>(n);
  }
  return done;
}

void File::readExact(void* data, std::size_t size, std::string_view fileName) {
  if (read(data, size) != size) throw EQDBFileError(-1, formatMessage(text::kNotValid, fileName));
}

void File::writeAll(const void* data, std::size_t size) {
  const auto* bytes = static_cast<const char*>(data);
  while (size > 0) {
    const ssize_t n = fileSystem().write(fd_, bytes, size);
    if (n < 0) {
      if (errno == EINTR) continue;
      throw fileErrorFromErrno(errno, path_);
    }
    if (n == 0) throw fileErrorFromErrno(ENOSPC, path_);
    bytes += n;
    size -= static_cast<std::size_t>(n);
  }
}

void File::seek(std::int64_t position) {
  if (::lseek(fd_, position, SEEK_SET) < 0) throw fileErrorFromErrno(errno, path_);
}

std::int64_t File::position() const {
  const off_t at = ::lseek(fd_, 0, SEEK_CUR);
  if (at < 0) throw fileErrorFromErrno(errno, path_);
  return at;
}

std::int64_t File::size() const {
  struct stat st {};
  if (::fstat(fd_, &st) != 0) throw fileErrorFromErrno(errno, path_);
  return st.st_size;
}

void File::truncate(std::int64_t size) {
  if (::ftruncate(fd_, size) != 0) throw fileErrorFromErrno(errno, path_);
}

void File::sync() {
  if (fileSystem().fsync(fd_) != 0) throw fileErrorFromErrno(errno, path_);
}

void File::close() {
  if (fd_ >= 0) {
    const int fd = std::exchange(fd_, -1);
    if (::close(fd) != 0 && errno != EINTR) throw fileErrorFromErrno(errno, path_);
  }
}

TempFile createTempFile(std::string_view prefix) {
  return makeTemp(platform::tempFolder(), prefix);
}

std::string withPrefix(const std::string& path, std::string_view prefix) {
  const auto slash = path.rfind('/');
  const std::size_t start = slash == std::string::npos ? 0 : slash + 1;
  std::string result = path;
  result.replace(start, std::min(prefix.size(), result.size() - start), prefix);
  return result;
}

std::size_t copyBufferSize(std::int64_t size) {
  const auto wanted = static_cast<std::size_t>(std::max<std::int64_t>(size, 0));
  return std::max(kMinCopyBuffer, std::min(wanted, kMaxCopyBuffer));
}

void copyBytes(File& in, File& out, std::int64_t size, std::string_view fileName,
               const BufferVisitor& visit) {
  std::vector<std::uint8_t> buffer(copyBufferSize(size));
  while (size > 0) {
    const auto chunk = static_cast<std::size_t>(std::min<std::int64_t>(size, buffer.size()));
    in.readExact(buffer.data(), chunk, fileName);
    if (visit) visit(buffer.data(), chunk);
    out.writeAll(buffer.data(), chunk);
    size -= static_cast<std::int64_t>(chunk);
  }
}

void replaceFile(const std::string& from, const std::string& to) {
  if (fileSystem().rename(from.c_str(), to.c_str()) == 0) return;
  if (errno != EXDEV) {
    const int error = errno;
    ::unlink(from.c_str());
    throw fileErrorFromErrno(error, to);
  }
  // Another file system: copy beside the target first so the final step is still a rename.
  TempFile near = makeTemp(folderOf(to), ".QDD");
  try {
    File source = File::open(from, O_RDONLY);
    struct stat st {};
    if (::fstat(source.fd(), &st) == 0) ::fchmod(near.file.fd(), st.st_mode & 07777);
    copyBytes(source, near.file, source.size(), to);
    near.file.sync();
    near.file.close();
    if (fileSystem().rename(near.path.c_str(), to.c_str()) != 0) throw fileErrorFromErrno(errno, to);
  } catch (...) {
    ::unlink(near.path.c_str());
    throw;
  }
  ::unlink(from.c_str());
}

bool fileExists(const std::string& path) {
  struct stat st {};
  return ::stat(path.c_str(), &st) == 0;
}

}  // namespace ondrix::store
