// Interpreter throughput on four kinds of received traffic at 80 x 25: ProcessBlock (the road of
// received data), ProcessChar fed byte by byte, and libvterm on the same bytes as the peer figure.
// Blocks are handed over in 2048-byte reads, as the telnet layer does.

#include <benchmark/benchmark.h>

#include <algorithm>
#include <memory>
#include <string_view>

#include "platform/services.h"
#include "stream_generators.h"
#include "term/screen.h"

#ifdef ONDRIX_HAVE_LIBVTERM
#include <vterm.h>
#endif

namespace ondrix::term::bench {
namespace {

using Generator = const std::string& (*)();

constexpr std::size_t kReadSize = 2048;

std::unique_ptr<TScreen> sessionScreen() {
  auto s = std::make_unique<TScreen>();
  s->SetNormalColors(7, 0);
  s->SetBoldColors(15, 0);
  s->SetUnderlineColors(11, 0);
  s->SetBlinkColors(13, 0);
  s->SetReverseColors(0, 7);
  s->SetXlatActive(true);
  s->SetXlatDefault(true);
  return s;
}

void BM_ProcessBlock(benchmark::State& state, Generator stream) {
  const std::string& bytes = stream();
  platform::CountingBeeper beeper;
  platform::ScopedServices scope({nullptr, nullptr, &beeper, nullptr, nullptr});
  auto screen = sessionScreen();
  for (auto _ : state) {
    for (std::size_t at = 0; at < bytes.size(); at += kReadSize)
      screen->ProcessBlock(std::string_view(bytes).substr(at, kReadSize));
    benchmark::DoNotOptimize(screen->Row());
  }
  state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * bytes.size()));
}

void BM_ProcessChar(benchmark::State& state, Generator stream) {
  const std::string& bytes = stream();
  platform::CountingBeeper beeper;
  platform::ScopedServices scope({nullptr, nullptr, &beeper, nullptr, nullptr});
  auto screen = sessionScreen();
  for (auto _ : state) {
    for (char c : bytes) screen->ProcessChar(static_cast<std::uint8_t>(c));
    benchmark::DoNotOptimize(screen->Row());
  }
  state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * bytes.size()));
}

#ifdef ONDRIX_HAVE_LIBVTERM
void BM_Libvterm(benchmark::State& state, Generator stream) {
  const std::string& bytes = stream();
  VTerm* vt = vterm_new(25, 80);
  vterm_set_utf8(vt, 0);
  VTermScreen* screen = vterm_obtain_screen(vt);
  vterm_screen_reset(screen, 1);
  for (auto _ : state) {
    for (std::size_t at = 0; at < bytes.size(); at += kReadSize)
      vterm_input_write(vt, bytes.data() + at, std::min(kReadSize, bytes.size() - at));
    benchmark::ClobberMemory();
  }
  vterm_free(vt);
  state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * bytes.size()));
}
#endif

#define ONDRIX_STREAM_BENCHES(fn)                                                \
  BENCHMARK_CAPTURE(fn, ascii_lines, &asciiLines)->Unit(benchmark::kMillisecond);     \
  BENCHMARK_CAPTURE(fn, coloured_text, &colouredText)->Unit(benchmark::kMillisecond); \
  BENCHMARK_CAPTURE(fn, redraw_traffic, &redrawTraffic)->Unit(benchmark::kMillisecond); \
  BENCHMARK_CAPTURE(fn, latin1_text, &latin1Text)->Unit(benchmark::kMillisecond)

ONDRIX_STREAM_BENCHES(BM_ProcessBlock);
ONDRIX_STREAM_BENCHES(BM_ProcessChar);
#ifdef ONDRIX_HAVE_LIBVTERM
ONDRIX_STREAM_BENCHES(BM_Libvterm);
#endif

}  // namespace
}  // namespace ondrix::term::bench

BENCHMARK_MAIN();
