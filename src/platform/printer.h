#pragma once
// The default printer used as a text stream (printer pass-through, printing a screen).

#include <memory>
#include <string>
#include <string_view>

namespace ondrix::platform {

// One print job: bytes written go to the printer; destroying the stream ends the job.
class PrinterStream {
 public:
  virtual ~PrinterStream() = default;
  virtual void write(std::string_view bytes) = 0;
};

class Printer {
 public:
  virtual ~Printer() = default;
  // Starts a print job; nullptr when no printer can be opened (the caller tells the user).
  virtual std::unique_ptr<PrinterStream> open() = 0;
};

// Headless printer: discards what it is given, or appends it to a file when a path is set.
class HeadlessPrinter final : public Printer {
 public:
  HeadlessPrinter() = default;
  explicit HeadlessPrinter(std::string path) : path_(std::move(path)) {}
  std::unique_ptr<PrinterStream> open() override;

 private:
  std::string path_;
};

}  // namespace ondrix::platform
