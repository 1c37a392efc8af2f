// The main window's logic, headless: opening and closing sessions against a loopback host (time
// and memory per session), and received text through the data path with ten watches that never
// match (bytes per second), both fed in place and sent by a host over loopback.

#include <arpa/inet.h>
#include <benchmark/benchmark.h>
#include <malloc.h>
#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>

#include <chrono>
#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "../common/bench_data_folder.h"
#include "../common/sending_host.h"
#include "../term/stream_generators.h"
#include "platform/posix/poll_event_loop.h"
#include "platform/services.h"
#include "session/tnemulvt.h"
#include "shell/headless/headless_main_view.h"
#include "shell/main_form.h"
#include "store/stores/con_db_fcns.h"
#include "store/stores/factory_data.h"

namespace {

using namespace ondrix;

class QuietDialogs final : public platform::Dialogs {
 public:
  platform::MessageResult messageBox(std::string_view, std::string_view, platform::MessageStyle,
                                     platform::MessageButtons) override {
    return platform::MessageResult::Ok;
  }
};

// A listening socket on 127.0.0.1 that accepts every connection while the loop runs and keeps it.
class Acceptor {
 public:
  explicit Acceptor(platform::EventLoop& loop) : loop_(loop) {
    fd_ = ::socket(AF_INET, SOCK_STREAM | SOCK_NONBLOCK, 0);
    sockaddr_in sin{};
    sin.sin_family = AF_INET;
    sin.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    socklen_t len = sizeof sin;
    ::bind(fd_, reinterpret_cast<sockaddr*>(&sin), sizeof sin);
    ::getsockname(fd_, reinterpret_cast<sockaddr*>(&sin), &len);
    port_ = ntohs(sin.sin_port);
    ::listen(fd_, 256);
    watch_ = loop_.watch(fd_, platform::kReadable, [this](int, unsigned) {
      for (int c; (c = ::accept4(fd_, nullptr, nullptr, SOCK_NONBLOCK)) >= 0;) clients_.push_back(c);
    });
  }
  ~Acceptor() {
    loop_.unwatch(watch_);
    dropClients();
    ::close(fd_);
  }
  int port() const { return port_; }
  void dropClients() {
    for (int c : clients_) ::close(c);
    clients_.clear();
  }

 private:
  platform::EventLoop& loop_;
  int fd_ = -1;
  int port_ = 0;
  platform::EventLoop::WatchId watch_ = 0;
  std::vector<int> clients_;
};

// A data folder with one connection per port given, removed afterwards.
class DataFolder : public bench::BenchDataFolder {
 public:
  DataFolder() : BenchDataFolder("ondrix_bench_shell_") {}
  std::string program() const { return root(); }
  void addConnection(int number, int port) {
    store::ConnectionRecord r;
    r.RecordNo = number;
    r.Name = "Host " + std::to_string(number);
    r.Host = "127.0.0.1";
    r.Port = port;
    r.Emulation = "VT100";
    r.Lines = 24;
    r.Columns = 80;
    r.KeyListNo = 1;
    r.DefNormalFore = 8;
    r.DefNormalBack = 1;
    r.FontName = "Terminal";
    r.FontSize = 12;
    store::ConDBFcns connections(data());
    connections.Open();
    connections.Write(number, r);
    connections.Close();
  }
};

// Bytes the allocator has handed out and not had back (freed memory kept for reuse does not count).
long allocatedBytes() {
  const struct mallinfo2 m = ::mallinfo2();
  return static_cast<long>(m.uordblks + m.hblkhd);
}

bool runUntil(platform::EventLoop& loop, const std::function<bool()>& done) {
  const auto end = std::chrono::steady_clock::now() + std::chrono::seconds(20);
  while (!done()) {
    if (std::chrono::steady_clock::now() > end) return false;
    loop.runOnce(std::chrono::milliseconds(10));
  }
  return true;
}

void BM_OpenAndClose100Sessions(benchmark::State& state) {
  platform::PollEventLoop loop;
  QuietDialogs dialogs;
  platform::ScopedServices services(platform::Services{&loop, nullptr, nullptr, nullptr, &dialogs});
  DataFolder folder;
  Acceptor host(loop);
  constexpr int kSessions = 100;
  for (int i = 0; i < kSessions; ++i) folder.addConnection(i, host.port());
  shell::THeadlessMainFormView view;
  shell::TMainForm form(view, folder.program(), folder.data());
  long perSession = 0;
  for (auto _ : state) {
    const long before = allocatedBytes();
    for (int i = 0; i < kSessions; ++i) form.OpenSession(i);
    const bool connected = runUntil(loop, [&] {
      for (int i = 0; i < form.PageCount(); ++i)
        if (!form.Panel(i).Emu->IsConnected()) return false;
      return form.PageCount() == kSessions;
    });
    if (!connected) {
      state.SkipWithError("sessions did not connect");
      break;
    }
    perSession = (allocatedBytes() - before) / kSessions;
    while (form.PageCount() > 0) form.Execute(shell::CommandId::Disconnect);
    loop.processPendingEvents();
    host.dropClients();
  }
  state.counters["bytes_per_session"] = static_cast<double>(perSession);
  state.counters["sessions_per_second"] =
      benchmark::Counter(static_cast<double>(kSessions) * static_cast<double>(state.iterations()), benchmark::Counter::kIsRate);
}
BENCHMARK(BM_OpenAndClose100Sessions)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(5);

// Creating the main window's logic and showing it (bounds, the six System handlers, OnStart, the
// Connect menu) with a book of 1,000 connections.
void BM_StartUpWith1000Connections(benchmark::State& state) {
  platform::PollEventLoop loop;
  QuietDialogs dialogs;
  platform::ScopedServices services(platform::Services{&loop, nullptr, nullptr, nullptr, &dialogs});
  DataFolder folder;
  {
    store::ConDBFcns connections(folder.data());
    connections.Open();
    for (int i = 0; i < 1000; ++i) {
      store::ConnectionRecord r;
      r.RecordNo = i;
      r.Name = "Host " + std::to_string(i);
      r.Host = "127.0.0.1";
      connections.Write(i, r);
    }
    connections.Close();
  }
  for (auto _ : state) {
    shell::THeadlessMainFormView view;
    shell::TMainForm form(view, folder.program(), folder.data());
    form.FormShow({});
    if (view.ConnectMenu.size() != 1000) state.SkipWithError("the Connect menu is incomplete");
  }
}
BENCHMARK(BM_StartUpWith1000Connections)->Unit(benchmark::kMillisecond)->UseRealTime();

// Ten watches whose texts never occur in the stream.
void addWatches(shell::TTermPanel& panel) {
  for (int i = 0; i < 10; ++i) panel.WatchList.push_back(shell::TWatch{"#never" + std::to_string(i) + "#", "x.oxs", 0, 0, false});
}

void BM_DataThroughTenWatches(benchmark::State& state) {
  platform::PollEventLoop loop;
  QuietDialogs dialogs;
  platform::ScopedServices services(platform::Services{&loop, nullptr, nullptr, nullptr, &dialogs});
  DataFolder folder;
  Acceptor host(loop);
  folder.addConnection(0, host.port());
  shell::THeadlessMainFormView view;
  shell::TMainForm form(view, folder.program(), folder.data());
  form.OpenSession(0);
  if (!runUntil(loop, [&] { return form.Panel(0).Emu->IsConnected(); })) {
    state.SkipWithError("no connection");
    return;
  }
  addWatches(form.Panel(0));
  const std::string& stream = state.range(0) == 0 ? term::bench::asciiLines() : term::bench::colouredText();
  session::TTnEmulVT& emu = *form.Panel(0).Emu;
  constexpr std::size_t kChunk = 2048;  // what the telnet layer hands over per read
  for (auto _ : state) {
    for (std::size_t at = 0; at < stream.size(); at += kChunk) {
      int length = static_cast<int>(std::min(kChunk, stream.size() - at));
      emu.OnDataAvailable(&emu, stream.data() + at, length);
    }
  }
  state.SetBytesProcessed(static_cast<std::int64_t>(stream.size()) * state.iterations());
  state.SetLabel(state.range(0) == 0 ? "ascii lines" : "coloured text");
}
BENCHMARK(BM_DataThroughTenWatches)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);

// The same through the socket: a host thread sends 64 MiB of text over loopback.
void BM_LoopbackDataThroughTenWatches(benchmark::State& state) {
  constexpr std::size_t kSessionBytes = 64u << 20;
  platform::PollEventLoop loop;
  QuietDialogs dialogs;
  platform::ScopedServices services(platform::Services{&loop, nullptr, nullptr, nullptr, &dialogs});
  DataFolder folder;
  shell::THeadlessMainFormView view;
  shell::TMainForm form(view, folder.program(), folder.data());
  for (auto _ : state) {
    state.PauseTiming();
    bench::SendingHost host(term::bench::asciiLines(), kSessionBytes);
    folder.addConnection(0, host.port());
    form.OpenSession(0);
    shell::TTermPanel* panel = &form.Panel(form.PageCount() - 1);
    addWatches(*panel);
    // The host closes after the stream: the session's close ends the measurement.
    bool closed = false;
    auto shellClosed = panel->Emu->OnSessionClosed;
    panel->Emu->OnSessionClosed = [&closed, shellClosed](session::TTnEmulVT* sender) {
      closed = true;
      shellClosed(sender);
    };
    state.ResumeTiming();
    if (!runUntil(loop, [&] { return closed; })) state.SkipWithError("the stream did not end");
    state.PauseTiming();
    form.Execute(shell::CommandId::Disconnect);
    loop.processPendingEvents();
    state.ResumeTiming();
  }
  state.SetBytesProcessed(static_cast<std::int64_t>(kSessionBytes) * state.iterations());
}
BENCHMARK(BM_LoopbackDataThroughTenWatches)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(3);

}  // namespace

BENCHMARK_MAIN();
