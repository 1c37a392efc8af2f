// Fuzz target for the terminal interpreter. Input: byte 0 picks Rows (1..100), byte 1 Cols
// (1..200), byte 2 the options (translation, auto LF, auto CR, block size); the rest is the
// received stream. It is fed in blocks through the fast path with the invariants checked after
// every block; on the thorough inputs (fuzz_mode.h) it is also fed byte by byte with the
// invariants checked after every byte, and both screens must end up identical.

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <memory>

#include "fuzz_mode.h"
#include "platform/services.h"
#include "term/screen.h"

namespace {

using ondrix::term::TScreen;

void fail(const char* what) {
  std::fprintf(stderr, "screen fuzzer: %s\n", what);
  std::abort();
}

void setUp(TScreen& s, int rows, int cols, unsigned options) {
  s.SetNormalColors(7, 0);
  s.SetBoldColors(15, 0);
  s.SetUnderlineColors(11, 0);
  s.SetBlinkColors(13, 0);
  s.SetReverseColors(0, 7);
  s.SetRows(rows);
  s.SetCols(cols);
  s.SetAutoLF(options & 2);
  s.SetAutoCR(options & 4);
  s.SetXlatActive(!(options & 1));
  s.SetXlatDefault(!(options & 1));
}

bool sameLine(const ondrix::term::TLine& a, const ondrix::term::TLine& b) {
  return std::memcmp(&a, &b, sizeof a) == 0;
}

void compare(const TScreen& a, const TScreen& b) {
  if (a.Row() != b.Row() || a.Col() != b.Col() || a.ScrollTop() != b.ScrollTop() ||
      a.ScrollBottom() != b.ScrollBottom() || a.Attribute() != b.Attribute() ||
      a.SavedRow() != b.SavedRow() || a.SavedCol() != b.SavedCol() ||
      a.AutoWrap() != b.AutoWrap() || a.InsertMode() != b.InsertMode() ||
      a.Graphics() != b.Graphics() || a.CursorHidden() != b.CursorHidden() ||
      a.XlatActive() != b.XlatActive() || a.LineDrawing() != b.LineDrawing() ||
      a.LiteralCount() != b.LiteralCount() || a.PrinterPassThrough() != b.PrinterPassThrough() ||
      a.HistoryCount() != b.HistoryCount() || a.EscBuffer() != b.EscBuffer())
    fail("block and bytewise feeding disagree on the state");
  for (int r = 0; r < a.Rows(); ++r)
    if (!sameLine(a.Line(r), b.Line(r))) fail("block and bytewise feeding disagree on a row");
  for (int i = 1400; i <= ondrix::term::kHistoryFull; ++i)
    if (!sameLine(a.HistoryLine(i), b.HistoryLine(i))) fail("history lines disagree");
}

class SilentDialogs final : public ondrix::platform::Dialogs {
 public:
  ondrix::platform::MessageResult messageBox(std::string_view, std::string_view,
                                             ondrix::platform::MessageStyle,
                                             ondrix::platform::MessageButtons) override {
    return ondrix::platform::MessageResult::Ok;
  }
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (size < 3) return 0;
  const int rows = 1 + data[0] % ondrix::term::kMaxRows;
  const int cols = 1 + data[1] % ondrix::term::kMaxCols;
  const unsigned options = data[2];
  data += 3;
  size -= 3;

  static SilentDialogs dialogs;
  ondrix::platform::CountingBeeper beeper;
  ondrix::platform::ScopedServices scope({nullptr, nullptr, &beeper, nullptr, &dialogs});

  auto blocks = std::make_unique<TScreen>();
  setUp(*blocks, rows, cols, options);
  const std::size_t block = 1 + (options >> 3) * 7;
  for (std::size_t at = 0; at < size; at += block) {
    const std::size_t n = size - at < block ? size - at : block;
    blocks->ProcessBlock(std::span(data + at, n));
    if (const char* broken = blocks->CheckInvariants()) fail(broken);
  }
  if (!ondrix::fuzz::thoroughForInput(data, size)) return 0;

  auto bytewise = std::make_unique<TScreen>();
  setUp(*bytewise, rows, cols, options);
  for (std::size_t i = 0; i < size; ++i) {
    bytewise->ProcessChar(data[i]);
    if (const char* broken = bytewise->CheckInvariants()) fail(broken);
  }
  compare(*bytewise, *blocks);
  return 0;
}
