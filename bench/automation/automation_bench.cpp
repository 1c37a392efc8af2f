// The terminal procedures end to end, headless: a script sets ten watches that never match and an
// OnDisconnect handler that calls CloseProgram, a loopback host sends 64 MiB and closes, and the
// run ends at CloseProgram (bytes per second of wall time, beside a plain reader of the same
// socket); and the start-up of `ondrix-cli run` with an empty script.

#include <arpa/inet.h>
#include <fcntl.h>
#include <benchmark/benchmark.h>
#include <netinet/in.h>
#include <spawn.h>
#include <sys/socket.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <filesystem>
#include <fstream>
#include <memory>
#include <string>

#include "automation/routine_table.h"
#include "automation/script_procs.h"
#include "platform/posix/poll_event_loop.h"
#include "platform/services.h"
#include "shell/headless/headless_main_view.h"
#include "shell/main_form.h"
#include "store/stores/con_db_fcns.h"
#include "store/stores/evt_db_fcns.h"
#include "store/stores/factory_data.h"
#include "../common/bench_data_folder.h"
#include "../common/sending_host.h"

extern char** environ;

namespace {

using namespace ondrix;

constexpr std::size_t kStreamBytes = 64u << 20;

class QuietDialogs final : public platform::Dialogs {
 public:
  platform::MessageResult messageBox(std::string_view, std::string_view, platform::MessageStyle,
                                     platform::MessageButtons) override {
    return platform::MessageResult::Ok;
  }
};

// Printable lines of mixed text, as a busy host prints them.
const std::string& block() {
  static const std::string text = [] {
    std::string s;
    for (int i = 0; s.size() < 64 * 1024; ++i)
      s += "line " + std::to_string(i) + ": the quick brown fox jumps over the lazy dog 0123456789\r\n";
    s.resize(64 * 1024);
    return s;
  }();
  return text;
}

// The factory data folder of one benchmark run.
class DataFolder : public bench::BenchDataFolder {
 public:
  DataFolder() : BenchDataFolder("ondrix_bench_auto_") {}
};

void BM_HeadlessRunTenWatches(benchmark::State& state) {
  platform::PollEventLoop loop;
  QuietDialogs dialogs;
  platform::ScopedServices services(platform::Services{&loop, nullptr, nullptr, nullptr, &dialogs});
  DataFolder folder;
  store::EvtDBFcns events(folder.data());
  events.Open();
  events.Write("System", 3, store::EventRec{"System", 3, 1, "begin CloseProgram end."});
  events.Close();
  for (auto _ : state) {
    bench::SendingHost host(block(), kStreamBytes);
    store::ConnectionRecord r;
    r.RecordNo = 0;
    r.Name = "Stream";
    r.Host = "127.0.0.1";
    r.Port = host.port();
    r.Emulation = "VT100";
    r.Lines = 24;
    r.Columns = 80;
    r.FontName = "Terminal";
    r.FontSize = 12;
    store::ConDBFcns book(folder.data());
    book.Open();
    book.Write(0, r);
    book.Close();

    shell::THeadlessMainFormView view;
    shell::TMainForm form(view, folder.root(), folder.data());
    automation::registerAutomationRoutines();
    automation::TScriptProcs procs(&form);
    std::string script = "begin\n";
    for (int i = 0; i < 10; ++i) script += "  AddGlobalWatch('#never" + std::to_string(i) + "#', 0);\n";
    script += "  OpenConnection('stream');\nend.";
    form.RunScriptText(script);
    const auto limit = std::chrono::steady_clock::now() + std::chrono::seconds(60);
    while (!form.CloseRequested() && std::chrono::steady_clock::now() < limit) loop.runOnce(std::chrono::milliseconds(100));
    if (!form.CloseRequested()) {
      state.SkipWithError("the run did not end");
      break;
    }
  }
  state.SetBytesProcessed(static_cast<std::int64_t>(kStreamBytes) * state.iterations());
}
BENCHMARK(BM_HeadlessRunTenWatches)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(3);

// What reading the same socket costs with nothing done to the bytes.
void BM_PlainReader(benchmark::State& state) {
  std::vector<char> buffer(2048);
  for (auto _ : state) {
    bench::SendingHost host(block(), kStreamBytes);
    const int fd = ::socket(AF_INET, SOCK_STREAM, 0);
    sockaddr_in sin{};
    sin.sin_family = AF_INET;
    sin.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    sin.sin_port = htons(static_cast<std::uint16_t>(host.port()));
    ::connect(fd, reinterpret_cast<sockaddr*>(&sin), sizeof sin);
    std::size_t total = 0;
    for (ssize_t n; (n = ::read(fd, buffer.data(), buffer.size())) > 0;) total += static_cast<std::size_t>(n);
    ::close(fd);
    benchmark::DoNotOptimize(total);
  }
  state.SetBytesProcessed(static_cast<std::int64_t>(kStreamBytes) * state.iterations());
}
BENCHMARK(BM_PlainReader)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(3);

// `ondrix-cli run` of an empty script, from the start of the process to its end.
void BM_CliRunEmptyScript(benchmark::State& state) {
  DataFolder folder;
  const std::string script = folder.root() + "/empty.oxs";
  std::ofstream(script) << "begin\nend.\n";
  std::string cli = ONDRIX_CLI, run = "run", dataOption = "--data", data = folder.data();
  char* argv[] = {cli.data(), run.data(), dataOption.data(), data.data(), const_cast<char*>(script.c_str()), nullptr};
  posix_spawn_file_actions_t actions;
  posix_spawn_file_actions_init(&actions);
  posix_spawn_file_actions_addopen(&actions, 1, "/dev/null", O_WRONLY, 0);
  for (auto _ : state) {
    pid_t pid = 0;
    if (posix_spawn(&pid, argv[0], &actions, nullptr, argv, environ) != 0) {
      state.SkipWithError("cannot start ondrix-cli");
      break;
    }
    int status = 0;
    ::waitpid(pid, &status, 0);
    if (!WIFEXITED(status) || WEXITSTATUS(status) != 0) {
      state.SkipWithError("ondrix-cli run failed");
      break;
    }
  }
  posix_spawn_file_actions_destroy(&actions);
}
BENCHMARK(BM_CliRunEmptyScript)->Unit(benchmark::kMillisecond)->UseRealTime();

}  // namespace

BENCHMARK_MAIN();
