#include "platform/trace.h"

#include <cstdio>
#include <cstdlib>
#include <string>

namespace ondrix::platform {
namespace {

class FileTrace final : public TraceSink {
 public:
  FileTrace() {
    if (const char* path = std::getenv("ONDRIX_TRACE_FILE"); path && *path) {
      file_ = std::fopen(path, "ab");
      owned_ = file_ != nullptr;
    } else if (const char* on = std::getenv("ONDRIX_TRACE"); on && std::string(on) == "1") {
      file_ = stderr;
    }
  }
  ~FileTrace() override {
    if (owned_) std::fclose(file_);
  }
  FileTrace(const FileTrace&) = delete;
  FileTrace& operator=(const FileTrace&) = delete;

  bool enabled() const override { return file_ != nullptr; }
  void write(std::string_view text) override {
    if (!file_) return;
    std::fwrite(text.data(), 1, text.size(), file_);
    std::fflush(file_);
  }

 private:
  std::FILE* file_ = nullptr;
  bool owned_ = false;
};

}  // namespace

TraceSink& environmentTrace() {
  static FileTrace sink;
  return sink;
}

}  // namespace ondrix::platform
