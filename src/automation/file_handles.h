#pragma once
// The files scripts opened with FileOpen and FileCreate. Only the handles handed out here are
// accepted by FileRead, FileWrite, FileSeek and FileClose: any other number (the program's own
// sockets, its display connection, a record file, a handle already closed) fails like an invalid
// handle. Handles still open when the table goes are closed.

#include <cstdint>
#include <set>
#include <string>

namespace ondrix::automation {

class FileHandles {
 public:
  static constexpr std::int32_t kInvalid = -1;
  static constexpr std::int32_t kOpenRead = 0;
  static constexpr std::int32_t kOpenWrite = 1;
  static constexpr std::int32_t kOpenReadWrite = 2;

  FileHandles() = default;
  ~FileHandles() { CloseAll(); }
  FileHandles(const FileHandles&) = delete;
  FileHandles& operator=(const FileHandles&) = delete;

  // Opens an existing file for reading, writing or both (the low two bits of `mode`; sharing
  // bits are ignored); kInvalid on failure.
  std::int32_t Open(const std::string& path, std::int32_t mode);
  // Creates the file or truncates it, open for reading and writing; kInvalid on failure.
  std::int32_t Create(const std::string& path);
  void Close(std::int32_t handle);
  void CloseAll();

  // Reads up to `count` bytes (nothing for a count of 0 or less) into `bytes`; the number read,
  // or -1 for an unknown handle or a read error.
  std::int32_t Read(std::int32_t handle, std::int32_t count, std::string& bytes);
  // Writes the first `count` bytes of `text` (capped to its length; nothing for 0 or less); the
  // number written, or -1.
  std::int32_t Write(std::int32_t handle, const std::string& text, std::int32_t count);
  // origin 0 start, 1 current, 2 end; the new position, or -1.
  std::int64_t Seek(std::int32_t handle, std::int64_t offset, std::int32_t origin);

  bool Known(std::int32_t handle) const { return open_.count(handle) != 0; }
  std::size_t OpenCount() const { return open_.size(); }

 private:
  std::int32_t adopt(int fd);

  std::set<std::int32_t> open_;
};

}  // namespace ondrix::automation
