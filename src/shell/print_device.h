#pragma once
// The system printer as the session commands use it: a print job that takes a text in a font, and
// the printer set-up dialog. The Qt window layer prints through the platform's print support; tests
// record the jobs.

#include <string>

#include "shell/main_form_view.h"

namespace ondrix::shell {

class TPrintDevice {
 public:
  virtual ~TPrintDevice() = default;
  // One job on the system printer holding `text` in `font`: lines separated by CR LF, characters as
  // the terminal's cells hold them (code page 437 glyph positions, so the page shows what the
  // screen shows, line-drawing characters included). An empty
  // text makes an empty job, which ejects a page. The platform's failure text, or "" when the job
  // was handed to the printer.
  virtual std::string PrintJob(const std::string& text, const TFontChoice& font) = 0;
  // The platform's printer set-up dialog; the failure text, or "" (also when cancelled).
  virtual std::string Setup() = 0;
};

}  // namespace ondrix::shell
