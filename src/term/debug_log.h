#pragma once
// The terminal control's raw debug log: every received byte, unchanged, between "<Open>" and
// "<Close>" marker lines, flushed after each byte so the file is current when the program stops.

#include <cstdint>
#include <cstdio>
#include <stdexcept>
#include <string>

namespace ondrix::term {

// A failed write or open of a file the program writes as a text stream: "I/O error " + the
// system's error number.
class EInOutError : public std::runtime_error {
 public:
  explicit EInOutError(int errorCode)
      : std::runtime_error("I/O error " + std::to_string(errorCode)), ErrorCode(errorCode) {}
  int ErrorCode;
};

class TDebugLog {
 public:
  static constexpr const char* kFileName = "EMULVT.LOG";

  TDebugLog() = default;
  ~TDebugLog();
  TDebugLog(const TDebugLog&) = delete;
  TDebugLog& operator=(const TDebugLog&) = delete;

  // Opens `path` for appending (creating it when it cannot be opened so) and writes "<Open>".
  void Open(const std::string& path = kFileName);
  // Writes "<Close>" and closes the file; nothing when it is not open.
  void Close();
  void Write(std::uint8_t byte);
  bool IsOpen() const { return file_ != nullptr; }

 private:
  void put(const char* bytes, std::size_t count);

  std::FILE* file_ = nullptr;
};

}  // namespace ondrix::term
