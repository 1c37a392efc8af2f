// The whole `ondrix-cli replay FILE` command on each 16 MiB stream, as wall time: process start,
// screen set-up, reading the file in blocks, interpreting and printing the screen. Set against
// BM_Libvterm (the interpreter alone) it gives the end-to-end ratio to the peer.

#include <benchmark/benchmark.h>
#include <fcntl.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <map>
#include <string>

#include "stream_generators.h"

extern char** environ;

namespace ondrix::term::bench {
namespace {

using Generator = const std::string& (*)();

// The stream written once to a file in the temporary folder; removed at exit.
const std::string& streamFile(Generator stream) {
  static std::map<Generator, std::string> files;
  auto [it, added] = files.try_emplace(stream);
  if (added) {
    const char* tmp = std::getenv("TMPDIR");
    std::string pattern = std::string(tmp != nullptr ? tmp : "/tmp") + "/ondrix-replay-XXXXXX";
    const int fd = ::mkstemp(pattern.data());
    const std::string& bytes = stream();
    if (fd < 0 || ::write(fd, bytes.data(), bytes.size()) != static_cast<ssize_t>(bytes.size())) {
      std::perror("replay benchmark: cannot write the stream file");
      std::exit(1);
    }
    ::close(fd);
    it->second = pattern;
    static const struct Remover {
      ~Remover() {
        for (const auto& [_, path] : files) ::unlink(path.c_str());
      }
    } remover;
  }
  return it->second;
}

// Runs `ondrix-cli replay FILE` with its output discarded; false when it did not exit 0.
bool replay(const std::string& file) {
  posix_spawn_file_actions_t actions;
  posix_spawn_file_actions_init(&actions);
  posix_spawn_file_actions_addopen(&actions, STDOUT_FILENO, "/dev/null", O_WRONLY, 0);
  char* const argv[] = {const_cast<char*>(ONDRIX_CLI), const_cast<char*>("replay"),
                        const_cast<char*>(file.c_str()), nullptr};
  pid_t pid = 0;
  const int error = posix_spawn(&pid, ONDRIX_CLI, &actions, nullptr, argv, environ);
  posix_spawn_file_actions_destroy(&actions);
  int status = 0;
  return error == 0 && ::waitpid(pid, &status, 0) == pid && WIFEXITED(status) &&
         WEXITSTATUS(status) == 0;
}

void BM_ReplayCommand(benchmark::State& state, Generator stream) {
  const std::string& file = streamFile(stream);
  for (auto _ : state) {
    if (!replay(file)) {
      state.SkipWithError("ondrix-cli replay failed");
      break;
    }
  }
  state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * stream().size()));
}

#define ONDRIX_REPLAY_BENCH(name, generator) \
  BENCHMARK_CAPTURE(BM_ReplayCommand, name, generator)->Unit(benchmark::kMillisecond)->UseRealTime()

ONDRIX_REPLAY_BENCH(ascii_lines, &asciiLines);
ONDRIX_REPLAY_BENCH(coloured_text, &colouredText);
ONDRIX_REPLAY_BENCH(redraw_traffic, &redrawTraffic);
ONDRIX_REPLAY_BENCH(latin1_text, &latin1Text);

}  // namespace
}  // namespace ondrix::term::bench
