// Telnet receive speed: the protocol parser on text with sparse commands, and whole sessions
// receiving 64 MiB from a local server over loopback.

#include <benchmark/benchmark.h>

#include <string>

#include "platform/posix/poll_event_loop.h"
#include "../common/sending_host.h"
#include "platform/services.h"
#include "telnet/tncnx.h"

namespace {

using namespace ondrix;
using namespace ondrix::telnet;

// Terminal-like text with a command every ~400 bytes: NOP, a doubled 255, an ignored
// sub-negotiation, WONT BINARY and end-of-record (none of them needs an answer).
std::string sparseCommands(std::size_t size) {
  const std::string commands[] = {"\xFF\xF1", "\xFF\xFF", std::string("\xFF\xFA\x05" "abc\xFF\xF0"),
                                  std::string("\xFF\xFC\x00", 3), "\xFF\xEF"};
  std::string s;
  s.reserve(size + 64);
  unsigned seed = 12345;
  while (s.size() < size) {
    seed = seed * 1103515245u + 12345u;
    if (seed % 400 == 0) {
      s += commands[(seed >> 16) % 5];
    } else {
      s.push_back(static_cast<char>(32 + (seed >> 16) % 95));
      if ((seed >> 8) % 80 == 0) s += "\r\n";
    }
  }
  return s;
}

void BM_ParserSparseCommands(benchmark::State& state) {
  const std::string input = sparseCommands(1 << 20);
  TTnCnx cnx;
  std::size_t total = 0;
  cnx.OnDataAvailable = [&](TTnCnx*, const char*, int n) { total += static_cast<std::size_t>(n); };
  for (auto _ : state) {
    for (std::size_t pos = 0; pos < input.size(); pos += TTnCnx::kReadSize) {
      const std::size_t n = std::min<std::size_t>(TTnCnx::kReadSize, input.size() - pos);
      cnx.ProcessBlock(input.data() + pos, n);
    }
    benchmark::DoNotOptimize(total);
  }
  state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * input.size()));
}
BENCHMARK(BM_ParserSparseCommands)->Unit(benchmark::kMillisecond);

// 64 KiB of text lines, 80 characters each.
const std::string& textBlock() {
  static const std::string block = [] {
    std::string b(1 << 16, 'x');
    for (std::size_t i = 0; i < b.size(); i += 81) b[i] = '\n';
    return b;
  }();
  return block;
}

constexpr std::size_t kSessionBytes = 64u << 20;

void BM_LoopbackReceiveSession(benchmark::State& state) {
  platform::PollEventLoop loop;
  platform::ScopedServices services{platform::Services{&loop, nullptr, nullptr, nullptr, nullptr}};
  for (auto _ : state) {
    bench::SendingHost server(textBlock(), kSessionBytes);
    TTnCnx cnx;
    std::size_t received = 0;
    bool closed = false;
    cnx.OnDataAvailable = [&](TTnCnx*, const char*, int n) { received += static_cast<std::size_t>(n); };
    cnx.OnSessionClosed = [&](TTnCnx*, std::uint16_t) { closed = true; };
    cnx.Host = "127.0.0.1";
    cnx.Port = std::to_string(server.port());
    cnx.Connect();
    for (int rounds = 0; !closed && rounds < 10'000'000; ++rounds) loop.runOnce(std::chrono::milliseconds(100));
    if (received != kSessionBytes) state.SkipWithError("incomplete transfer");
  }
  state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * kSessionBytes));
}
BENCHMARK(BM_LoopbackReceiveSession)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(3);

// The same transfer through the bare socket with 2048-byte reads: the cost of the protocol layer
// is the difference.
void BM_LoopbackReceiveSocket(benchmark::State& state) {
  platform::PollEventLoop loop;
  platform::ScopedServices services{platform::Services{&loop, nullptr, nullptr, nullptr, nullptr}};
  for (auto _ : state) {
    bench::SendingHost server(textBlock(), kSessionBytes);
    TWSocket socket;
    std::size_t received = 0;
    bool closed = false;
    socket.OnDataAvailable = [&](TCustomWSocket* s, std::uint16_t) {
      char buf[2048];
      const int n = s->Receive(buf, sizeof buf);
      if (n > 0) received += static_cast<std::size_t>(n);
    };
    socket.OnSessionClosed = [&](TCustomWSocket*, std::uint16_t) { closed = true; };
    socket.SetAddr("127.0.0.1");
    socket.SetPort(std::to_string(server.port()));
    socket.Connect();
    for (int rounds = 0; !closed && rounds < 10'000'000; ++rounds) loop.runOnce(std::chrono::milliseconds(100));
    if (received != kSessionBytes) state.SkipWithError("incomplete transfer");
  }
  state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * kSessionBytes));
}
BENCHMARK(BM_LoopbackReceiveSocket)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(3);

}  // namespace

BENCHMARK_MAIN();
