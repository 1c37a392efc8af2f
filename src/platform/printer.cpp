#include "platform/printer.h"

#include <cstdio>

namespace ondrix::platform {
namespace {

class DiscardStream final : public PrinterStream {
 public:
  void write(std::string_view) override {}
};

class FileStream final : public PrinterStream {
 public:
  explicit FileStream(std::FILE* file) : file_(file) {}
  ~FileStream() override { std::fclose(file_); }
  FileStream(const FileStream&) = delete;
  FileStream& operator=(const FileStream&) = delete;
  void write(std::string_view bytes) override { std::fwrite(bytes.data(), 1, bytes.size(), file_); }

 private:
  std::FILE* file_;
};

}  // namespace

std::unique_ptr<PrinterStream> HeadlessPrinter::open() {
  if (path_.empty()) return std::make_unique<DiscardStream>();
  std::FILE* file = std::fopen(path_.c_str(), "ab");
  if (!file) return nullptr;
  return std::make_unique<FileStream>(file);
}

}  // namespace ondrix::platform
