#include "screen_fixture.h"

#include <cstdio>

namespace ondrix::term::testing {
namespace {

class RecordingStream final : public platform::PrinterStream {
 public:
  explicit RecordingStream(RecordingPrinter& owner) : owner_(owner) { ++owner_.open_jobs; }
  ~RecordingStream() override { --owner_.open_jobs; }
  RecordingStream(const RecordingStream&) = delete;
  RecordingStream& operator=(const RecordingStream&) = delete;
  void write(std::string_view bytes) override { owner_.printed += bytes; }

 private:
  RecordingPrinter& owner_;
};

void setUp(TScreen& s, int rows, int cols) {
  s.SetNormalColors(7, 0);
  s.SetBoldColors(15, 0);
  s.SetUnderlineColors(11, 0);
  s.SetBlinkColors(13, 0);
  s.SetReverseColors(0, 7);
  s.SetRows(rows);
  s.SetCols(cols);
  s.SetXlatActive(true);
  s.SetXlatDefault(true);
}

void appendLine(std::string& out, const TLine& l) {
  out.append(reinterpret_cast<const char*>(l.Chars.data()), l.Chars.size());
  out.append(reinterpret_cast<const char*>(l.Attrs.data()), l.Attrs.size());
}

}  // namespace

std::unique_ptr<platform::PrinterStream> RecordingPrinter::open() {
  if (fail) return nullptr;
  ++jobs;
  return std::make_unique<RecordingStream>(*this);
}

ScreenTest::ScreenTest() {
  setUp(*screen, 25, 80);
  screen->OnCursorPos = [this](TScreen& sender, std::string_view text) {
    EXPECT_EQ(&sender, screen.get());
    replies.emplace_back(text);
  };
  screen->OnCursorVisibility = [this](TScreen&) { ++visibilityCalls; };
}

std::string ScreenTest::rowText(int row) const {
  const TLine& l = screen->Line(row);
  std::string text(reinterpret_cast<const char*>(l.Chars.data()), screen->Cols());
  text.erase(text.find_last_not_of(' ') + 1);
  return text;
}

std::unique_ptr<TScreen> makeScreen(int rows, int cols) {
  auto s = std::make_unique<TScreen>();
  setUp(*s, rows, cols);
  return s;
}

std::string stateOf(const TScreen& s) {
  char head[512];
  std::snprintf(head, sizeof head,
                "rows=%d cols=%d row=%d col=%d region=%d..%d attr=%d saved=%d,%d wrap=%d ins=%d "
                "gfx=%d hidden=%d xlat=%d ld=%d lit=%d prn=%d hist=%d pushed=%d esc=%d[%.*s]\n",
                s.Rows(), s.Cols(), s.Row(), s.Col(), s.ScrollTop(), s.ScrollBottom(),
                s.Attribute(), s.SavedRow(), s.SavedCol(), s.AutoWrap(), s.InsertMode(),
                s.Graphics(), s.CursorHidden(), s.XlatActive(), s.LineDrawing(), s.LiteralCount(),
                s.PrinterPassThrough(), s.HistoryCount(), s.PushedCount(), s.EscMode(),
                static_cast<int>(s.EscBuffer().size()), s.EscBuffer().data());
  std::string out = head;
  for (int r = 0; r < s.Rows(); ++r) appendLine(out, s.Line(r));
  for (int i = 0; i <= kHistoryFull; ++i) appendLine(out, s.HistoryLine(i));
  return out;
}

}  // namespace ondrix::term::testing
