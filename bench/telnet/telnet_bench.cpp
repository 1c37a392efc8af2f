// Telnet receive speed: the protocol parser on text with sparse commands, and whole sessions
// receiving 64 MiB from a local server over loopback.

#include <arpa/inet.h>
#include <benchmark/benchmark.h>
#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>

#include <string>
#include <thread>

#include "platform/posix/poll_event_loop.h"
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

// A server thread on 127.0.0.1 that sends `total` bytes of text to its first client and closes.
class SendingServer {
 public:
  explicit SendingServer(std::size_t total) {
    listener_ = ::socket(AF_INET, SOCK_STREAM, 0);
    sockaddr_in sin{};
    sin.sin_family = AF_INET;
    sin.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    socklen_t len = sizeof sin;
    ::bind(listener_, reinterpret_cast<sockaddr*>(&sin), sizeof sin);
    ::listen(listener_, 1);
    ::getsockname(listener_, reinterpret_cast<sockaddr*>(&sin), &len);
    port_ = ntohs(sin.sin_port);
    thread_ = std::thread([this, total] {
      const int conn = ::accept(listener_, nullptr, nullptr);
      if (conn < 0) return;
      std::string block(1 << 16, 'x');
      for (std::size_t i = 0; i < block.size(); i += 81) block[i] = '\n';
      for (std::size_t sent = 0; sent < total;) {
        const ssize_t n = ::send(conn, block.data(), std::min(block.size(), total - sent), MSG_NOSIGNAL);
        if (n <= 0) break;
        sent += static_cast<std::size_t>(n);
      }
      ::close(conn);
    });
  }
  ~SendingServer() {
    ::shutdown(listener_, SHUT_RDWR);
    thread_.join();
    ::close(listener_);
  }
  std::uint16_t port() const { return port_; }

 private:
  int listener_;
  std::uint16_t port_;
  std::thread thread_;
};

constexpr std::size_t kSessionBytes = 64u << 20;

void BM_LoopbackReceiveSession(benchmark::State& state) {
  platform::PollEventLoop loop;
  platform::ScopedServices services{platform::Services{&loop, nullptr, nullptr, nullptr, nullptr}};
  for (auto _ : state) {
    SendingServer server(kSessionBytes);
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
    SendingServer server(kSessionBytes);
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
