#pragma once
// Shared set-up of the terminal tests: a screen sized and coloured like a session's, with the
// platform services replaced by recorders (beeps, trace lines, printer jobs, message boxes).

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "platform/services.h"
#include "term/screen.h"

namespace ondrix::term::testing {

class RecordingTrace final : public platform::TraceSink {
 public:
  bool enabled() const override { return true; }
  void write(std::string_view text) override { text_ += text; }
  const std::string& text() const { return text_; }

 private:
  std::string text_;
};

// Collects printer jobs in memory; can be told to fail opening.
class RecordingPrinter final : public platform::Printer {
 public:
  std::unique_ptr<platform::PrinterStream> open() override;
  bool fail = false;
  int jobs = 0;
  int open_jobs = 0;
  std::string printed;
};

class RecordingDialogs final : public platform::Dialogs {
 public:
  platform::MessageResult messageBox(std::string_view text, std::string_view, platform::MessageStyle style,
                                     platform::MessageButtons buttons) override {
    messages.emplace_back(text);
    styles.push_back(style);
    this->buttons.push_back(buttons);
    return platform::MessageResult::Ok;
  }
  std::vector<std::string> messages;
  std::vector<platform::MessageStyle> styles;
  std::vector<platform::MessageButtons> buttons;
};

// The colours ondrix-cli replay uses by default: normal 7/0, bold 15/0, underline 11/0,
// blink 13/0, reverse 0/7.
class ScreenTest : public ::testing::Test {
 protected:
  ScreenTest();

  void feed(std::string_view bytes) { screen->ProcessBlock(bytes); }
  void feedBytewise(std::string_view bytes) {
    for (char c : bytes) screen->ProcessChar(static_cast<std::uint8_t>(c));
  }
  // The visible text of a row (columns 0..Cols-1), trailing blanks trimmed.
  std::string rowText(int row) const;
  std::uint8_t charAt(int row, int col) const { return screen->Line(row).Chars[col]; }
  std::uint8_t attrAt(int row, int col) const { return screen->Line(row).Attrs[col]; }
  int beeps() const { return beeper.count(); }

  platform::CountingBeeper beeper;
  RecordingTrace trace;
  RecordingPrinter printer;
  RecordingDialogs dialogs;
  platform::ScopedServices services{{nullptr, &trace, &beeper, &printer, &dialogs}};
  std::unique_ptr<TScreen> screen = std::make_unique<TScreen>();
  std::vector<std::string> replies;
  int visibilityCalls = 0;
};

// A fresh screen set up like ScreenTest's (for tests that compare several screens).
std::unique_ptr<TScreen> makeScreen(int rows, int cols);

// A printable summary of everything observable, for comparing two screens.
std::string stateOf(const TScreen& s);

}  // namespace ondrix::term::testing
