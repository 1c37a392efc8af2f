#pragma once
// The operating-system file calls of the record engine, behind a seam: tests install a
// FileSystem that fails the Nth write, sync or rename and then check that no file was lost.
// Also the small file handle, temporary working files and whole-file replacement built on it.

#include <sys/types.h>

#include <cstddef>
#include <cstdint>
#include <functional>
#include <string>
#include <string_view>

namespace ondrix::store {

class FileSystem {
 public:
  virtual ~FileSystem() = default;
  virtual ssize_t write(int fd, const void* data, std::size_t size);
  virtual int fsync(int fd);
  virtual int rename(const char* from, const char* to);
};

// The installed file system (the real one unless a test replaced it).
FileSystem& fileSystem();

// Installs `replacement` for the lifetime of this object.
class ScopedFileSystem {
 public:
  explicit ScopedFileSystem(FileSystem& replacement);
  ~ScopedFileSystem();
  ScopedFileSystem(const ScopedFileSystem&) = delete;
  ScopedFileSystem& operator=(const ScopedFileSystem&) = delete;

 private:
  FileSystem* previous_;
};

// An open file descriptor with its path. Failures throw EQDBFileError with the errno mapping,
// except reads past the end, which throw EQDBFileError "The file %s is not a valid QDB file".
class File {
 public:
  File() = default;
  File(int fd, std::string path) : fd_(fd), path_(std::move(path)) {}
  File(File&& other) noexcept;
  File& operator=(File&& other) noexcept;
  File(const File&) = delete;
  File& operator=(const File&) = delete;
  ~File();

  static File open(const std::string& path, int flags, mode_t mode = 0666);

  bool isOpen() const { return fd_ >= 0; }
  int fd() const { return fd_; }
  const std::string& path() const { return path_; }

  // Reads up to `size` bytes; fewer only at the end of the file.
  std::size_t read(void* data, std::size_t size);
  // Reads exactly `size` bytes; a short file is reported as not valid for `fileName`.
  void readExact(void* data, std::size_t size, std::string_view fileName);
  void writeAll(const void* data, std::size_t size);
  void seek(std::int64_t position);
  std::int64_t position() const;
  std::int64_t size() const;
  void truncate(std::int64_t size);
  void sync();
  void close();

 private:
  int fd_ = -1;
  std::string path_;
};

// A fresh file in the temporary folder named <prefix><six unique characters>.
struct TempFile {
  std::string path;
  File file;
};
// Throws EQDBIndexError "Could not create a necessary temporary file" when no name can be made.
TempFile createTempFile(std::string_view prefix);

// `path` with the three-letter prefix of its file name replaced by `prefix`.
std::string withPrefix(const std::string& path, std::string_view prefix);

// Puts the complete, synced file `from` in the place of `to` by rename(2): a crash leaves the old
// or the new file, never neither. Across file systems the bytes are first copied into a
// temporary file beside `to`, synced, and that file is renamed. `from` is gone afterwards.
void replaceFile(const std::string& from, const std::string& to);

// Called on each buffer of a copy before it is written (scrambling, progress).
using BufferVisitor = std::function<void(std::uint8_t* data, std::size_t size)>;

// Copies `size` bytes from the current position of `in` to the current position of `out` through
// one buffer of copyBufferSize(size) bytes. A short `in` is reported as not valid for `fileName`.
void copyBytes(File& in, File& out, std::int64_t size, std::string_view fileName,
               const BufferVisitor& visit = {});

// The buffer size for copying or scrambling a section of `size` bytes.
std::size_t copyBufferSize(std::int64_t size);

bool fileExists(const std::string& path);

}  // namespace ondrix::store
