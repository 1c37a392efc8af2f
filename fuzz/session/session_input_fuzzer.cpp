// Drives a telnet terminal (without a connection) with outside input of every kind it takes: key
// definitions from keylists, key strokes, received bytes, mouse drags, history scrolling, screen
// size changes, caret strings, and the screen text calls with arbitrary rectangles and buffer
// sizes. Each input is a sequence of operations: one byte naming the operation, then its bytes.
// The screen's invariants are checked after every received block and at the end, and after every
// operation on the thorough inputs (fuzz_mode.h).

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <vector>

#include "fuzz_mode.h"
#include "session/tnemulvt.h"
#include "telnet/socket_errors.h"

namespace {

class FuzzVT : public ondrix::session::TTnEmulVT {
 public:
  using TTnEmulVT::SetConnected;
};

class Input {
 public:
  Input(const std::uint8_t* data, std::size_t size) : data_(data), size_(size) {}
  bool more() const { return pos_ < size_; }
  std::uint8_t byte() { return pos_ < size_ ? data_[pos_++] : 0; }
  int word() { return byte() | (byte() << 8); }
  std::string text() {
    const std::size_t n = std::min<std::size_t>(byte(), size_ - pos_);
    std::string s(reinterpret_cast<const char*>(data_ + pos_), n);
    pos_ += n;
    return s;
  }

 private:
  const std::uint8_t* data_;
  std::size_t size_;
  std::size_t pos_ = 0;
};

// Calls a text operation with a buffer of exactly `size` bytes and checks the result's bounds.
template <typename Call>
void checkedText(int size, Call call) {
  std::vector<char> buffer(static_cast<std::size_t>(size));
  const int count = call(buffer.data(), size);
  if (count < 0 || (size > 0 && count >= size) || (size == 0 && count != 0)) std::abort();
  if (size > 0 && buffer[static_cast<std::size_t>(count)] != '\0') std::abort();
}


void checkScreen(const FuzzVT& vt) {
  if (vt.Screen().CheckInvariants() != nullptr) std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const bool thorough = ondrix::fuzz::thoroughForInput(data, size);
  FuzzVT vt;
  vt.OnKeyBuffer = nullptr;
  Input in(data, size);
  for (int steps = 0; in.more() && steps < 500; ++steps) {
    switch (in.byte() % 11) {
      case 0: {
        const std::uint8_t scan = in.byte();
        const std::uint8_t flags = in.byte();
        vt.AddKey(scan, flags & 1, in.text(), flags & 2, flags & 4, flags & 8);
        break;
      }
      case 1: {
        ondrix::term::TKeyStroke k;
        k.VirtualKey = in.byte();
        k.ScanCode = in.byte();
        const std::uint8_t flags = in.byte();
        k.Extended = flags & 1;
        k.Shift = (flags >> 1) & 7;
        k.CapsLock = flags & 16;
        k.SystemKey = flags & 32;
        vt.KeyDown(k);
        break;
      }
      case 2:
        vt.WriteStr(in.text());
        vt.UpdateScreen();
        checkScreen(vt);
        break;
      case 3: {
        const std::uint8_t kind = in.byte();
        const auto button = static_cast<ondrix::term::TMouseButton>(kind % 3);
        const int x = in.word() - 1000, y = in.word() - 1000;
        if (kind & 4) vt.MouseDown(button, 0, x, y);
        else if (kind & 8) vt.MouseUp(button, 0, x, y);
        else vt.MouseMove(0, x, y);
        break;
      }
      case 4: {
        const int r1 = static_cast<std::int8_t>(in.byte()), c1 = static_cast<std::int8_t>(in.byte());
        const int r2 = static_cast<std::int8_t>(in.byte()), c2 = static_cast<std::int8_t>(in.byte());
        checkedText(in.byte(), [&](char* b, int n) { return vt.GetScreenRegion(r1, c1, r2, c2, b, n); });
        break;
      }
      case 5:
        checkedText(in.word() % 30000, [&](char* b, int n) { return vt.GetSelectionText(b, n); });
        break;
      case 6:
        checkedText(in.word() % 30000, [&](char* b, int n) { return vt.GetScreenText(b, n); });
        break;
      case 7:
        vt.HistoryScroll(static_cast<ondrix::term::TScrollCode>(in.byte() % 7), in.word() % 1600);
        break;
      case 8: {
        const int rows = in.byte(), cols = in.byte();
        vt.SetRows(rows);
        vt.SetCols(cols);
        break;
      }
      case 9:
        vt.ResetStr = in.text();
        try {
          vt.SendReset();
        } catch (const ondrix::telnet::ESocketException&) {
          // Connected without a socket: the failure reaches the caller, as it should.
        }
        break;
      case 10:
        vt.SetConnected(in.byte() & 1);
        break;
    }
    if (thorough) checkScreen(vt);
  }
  checkScreen(vt);
  return 0;
}
