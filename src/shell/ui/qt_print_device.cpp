#include "shell/ui/qt_print_device.h"

#include <QFontMetrics>
#include <QPageSetupDialog>
#include <QPainter>
#include <QPrinterInfo>

#include "platform/codepage.h"

namespace ondrix::shell::ui {

QFont qtFont(const TFontChoice& font) {
  QFont result(QString::fromStdString(platform::cp1252ToUtf8(font.Name)), font.Size > 0 ? font.Size : 10);
  result.setBold(font.Bold);
  result.setItalic(font.Italic);
  result.setUnderline(font.Underline);
  return result;
}

QtPrintDevice::QtPrintDevice(QWidget* parent) : parent_(parent), printer_(QPrinter::HighResolution) {}

std::string QtPrintDevice::checkPrinter() {
  // A printer set to write a file (tests, or a file chosen in a print dialog) needs no device.
  if (printer_.outputFormat() == QPrinter::PdfFormat && !printer_.outputFileName().isEmpty()) return "";
  if (printer_.printerName().isEmpty()) {
    const QPrinterInfo preferred = QPrinterInfo::defaultPrinter();
    if (preferred.isNull()) return kNoPrinter;
    printer_.setPrinterName(preferred.printerName());
  }
  if (!printer_.isValid()) return "The printer " + printer_.printerName().toStdString() + " cannot be used.";
  return "";
}

std::string QtPrintDevice::PrintJob(const std::string& text, const TFontChoice& font) {
  if (std::string failure = checkPrinter(); !failure.empty()) return failure;
  printer_.setDocName(QStringLiteral("Ondrix"));
  QPainter painter;
  if (!painter.begin(&printer_))
    return "Cannot start a print job on " + printer_.printerName().toStdString() + ".";
  painter.setFont(qtFont(font));
  const QFontMetrics metrics(painter.font(), painter.device());
  const int bottom = painter.viewport().height();
  int y = metrics.ascent();
  // CR LF ends a line (split before the glyphs are mapped: 13 and 10 are glyphs of the code page
  // too); a page that is full goes on the next.
  for (std::size_t start = 0; start <= text.size();) {
    std::size_t end = text.find("\r\n", start);
    if (end == std::string::npos) end = text.size();
    if (y > bottom) {
      printer_.newPage();
      y = metrics.ascent();
    }
    painter.drawText(0, y, QString::fromStdString(platform::cp437ToUtf8(std::string_view(text).substr(start, end - start))));
    y += metrics.lineSpacing();
    start = end + 2;
  }
  if (!painter.end()) return "The print job on " + printer_.printerName().toStdString() + " failed.";
  return "";
}

std::string QtPrintDevice::Setup() {
  if (std::string failure = checkPrinter(); !failure.empty()) return failure;
  QPageSetupDialog dialog(&printer_, parent_);
  dialog.exec();
  return "";
}

}  // namespace ondrix::shell::ui
