// Compile speed on a generated 10,000-line script (procedures, loops, conditions, expressions,
// string joins, comments and calls), reported as lines per second: once with the headless event
// loop, which gets a round before every token as in the program, and once with an idle loop.

#include <benchmark/benchmark.h>

#include <iterator>
#include <string>

#include "platform/services.h"
#include "script/compiler.h"

namespace {

using namespace ondrix::script;

constexpr int kLines = 10000;

constexpr int kProcedures = 20;

// Statement lines cycled through in the procedure bodies and the main block.
constexpr const char* kStatements[] = {
    "  for k := 1 to n do acc := acc + k * 2 - (k div 3);\n",
    "  if acc > 1000 then acc := acc mod 997 else acc := acc + $1F;\n",
    "  while acc < 10 do acc := acc + 1;\n",
    "  s := 'block ' + 'text'#13#10'more' { a comment };\n",
    "  repeat acc := acc - 1 until acc <= 100; // a line comment\n",
    "  total := total + acc * (n + 0x10) / 2.5;\n",
};

// A program of kLines lines: kProcedures procedures with long bodies, then a main block that
// calls them. Slots stay well within the machine's 1001.
std::string generateScript() {
  std::string text = "program bench;\nvar total, s: Integer;\n";
  int lines = 2;
  const int bodyLines = (kLines - 4) / (kProcedures + 1) - 5;
  for (int p = 0; p < kProcedures; ++p) {
    text += "procedure P" + std::to_string(p) + "(n: Integer; var acc: Integer);\n";
    text += "var k: Integer;\nbegin\n";
    for (int i = 0; i < bodyLines; ++i) text += kStatements[i % std::size(kStatements)];
    text += "end;\n";
    lines += bodyLines + 4;
  }
  text += "var acc, n, k: Integer;\nbegin\n";
  lines += 2;
  for (int i = 0; lines < kLines - 1; ++i, ++lines)
    text += i % 2 ? std::string(kStatements[(i / 2) % std::size(kStatements)])
                  : "  P" + std::to_string((i / 2) % kProcedures) + "(" + std::to_string(i % 7) + ", total);\n";
  text += "end.\n";
  return text;
}

// An event loop with nothing to do, to measure the compiler without the cost of a poll round.
class IdleLoop : public ondrix::platform::EventLoop {
 public:
  WatchId watch(int, unsigned, ReadyHandler) override { return 0; }
  void setInterest(WatchId, unsigned) override {}
  void unwatch(WatchId) override {}
  TimerId startTimer(std::chrono::milliseconds, bool, Task) override { return 0; }
  void stopTimer(TimerId) override {}
  void post(Task) override {}
  void processPendingEvents() override {}
  bool runOnce(std::chrono::milliseconds) override { return false; }
};

void compileLoop(benchmark::State& state) {
  const std::string source = generateScript();
  const HostTables host;
  for (auto _ : state) {
    std::string program;
    THalCompiler compiler(source, program, host);
    compiler.compile();
    benchmark::DoNotOptimize(program.data());
  }
  state.counters["lines/s"] =
      benchmark::Counter(static_cast<double>(kLines) * static_cast<double>(state.iterations()),
                         benchmark::Counter::kIsRate);
}

// With the headless poll loop, one poll round per token as in ondrix-cli.
void BM_Compile10kLines(benchmark::State& state) { compileLoop(state); }
BENCHMARK(BM_Compile10kLines)->Unit(benchmark::kMillisecond);

// The compiler alone.
void BM_Compile10kLinesIdleLoop(benchmark::State& state) {
  IdleLoop loop;
  const ondrix::platform::ScopedServices scope({&loop, nullptr, nullptr, nullptr, nullptr});
  compileLoop(state);
}
BENCHMARK(BM_Compile10kLinesIdleLoop)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
