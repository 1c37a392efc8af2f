#pragma once
// The system printer through Qt's print support (CUPS): print jobs of plain text in a font, the
// page set-up dialog. The printer object is kept, so the set-up applies to later jobs.

#include <QFont>
#include <QPrinter>
#include <string>

#include "shell/print_device.h"

class QWidget;

namespace ondrix::shell::ui {

// The Qt font of a font choice (size 10 when it has none).
QFont qtFont(const TFontChoice& font);

class QtPrintDevice final : public TPrintDevice {
 public:
  static constexpr const char* kNoPrinter = "No printer is installed.";

  explicit QtPrintDevice(QWidget* parent);
  std::string PrintJob(const std::string& text, const TFontChoice& font) override;
  std::string Setup() override;
  // The printer the jobs go to (tests point it at a PDF file).
  QPrinter& printer() { return printer_; }

 private:
  // The failure text when no printer can take a job, else "".
  std::string checkPrinter();

  QWidget* parent_;
  QPrinter printer_;
};

}  // namespace ondrix::shell::ui
