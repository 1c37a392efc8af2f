// The machine's speed on hand-built programs of the compiler's shape.

#include <benchmark/benchmark.h>

#include <string>

#include "script/bin_prog.h"

namespace {

using namespace ondrix::script;

struct Loop {
  std::string bytes;
  int instructionsPerRound;
};

// for V1 := 0 to limit do <body>: the temporary V3 := V1; V4 := limit; V3 := V3 <= V4; if false
// leave; body; V1 := V1 + 1; repeat.
template <class Body>
Loop countingLoop(std::int32_t limit, Body body) {
  ProgramImage p;
  p.constants.push_back(ScriptValue::integer(limit));
  p.labels = {0, 0};
  auto emit = [&](Opcode op, std::int32_t a = 0, std::int32_t b = 0) {
    p.code.push_back({a, b, static_cast<std::int32_t>(op)});
  };
  p.labels[0] = static_cast<std::int32_t>(p.code.size());
  emit(Opcode::Move, 3, 1);
  emit(Opcode::LoadConst, 4, 0);
  emit(Opcode::LessEqual, 3, 4);
  emit(Opcode::JumpIfFalse, 3, 1);
  const std::size_t before = p.code.size();
  body(p, emit);
  const int bodySize = static_cast<int>(p.code.size() - before);
  emit(Opcode::Increment, 1);
  emit(Opcode::Jump, 0);
  p.labels[1] = static_cast<std::int32_t>(p.code.size());
  emit(Opcode::Halt);
  Loop loop;
  writeProgram(p, loop.bytes);
  loop.instructionsPerRound = 6 + bodySize;
  return loop;
}

void BM_CountingLoop(benchmark::State& state) {
  const std::int32_t rounds = 1000000;
  const Loop loop = countingLoop(rounds - 1, [](ProgramImage&, auto&) {});
  TBinProg prog(loop.bytes);
  for (auto _ : state) {
    prog.slot(1) = ScriptValue::integer(0);
    prog.run();
  }
  const double instructions = static_cast<double>(rounds) * loop.instructionsPerRound;
  state.counters["instructions/s"] =
      benchmark::Counter(instructions * static_cast<double>(state.iterations()), benchmark::Counter::kIsRate);
}
BENCHMARK(BM_CountingLoop)->Unit(benchmark::kMillisecond);

// s := s + 'x', 200,000 times: copy to a temporary, append, copy back.
void BM_StringAppend(benchmark::State& state) {
  const std::int32_t rounds = 200000;
  const Loop loop = countingLoop(rounds - 1, [](ProgramImage& p, auto& emit) {
    p.constants.push_back(ScriptValue::string("x"));
    emit(Opcode::Move, 5, 2);
    emit(Opcode::LoadConst, 6, 1);
    emit(Opcode::Add, 5, 6);
    emit(Opcode::Move, 2, 5);
  });
  TBinProg prog(loop.bytes);
  for (auto _ : state) {
    prog.slot(1) = ScriptValue::integer(0);
    prog.slot(2) = ScriptValue::string("");
    prog.run();
    if (prog.slot(2).stringValue().size() != static_cast<std::size_t>(rounds)) state.SkipWithError("wrong length");
  }
  state.counters["appends/s"] =
      benchmark::Counter(static_cast<double>(rounds) * static_cast<double>(state.iterations()), benchmark::Counter::kIsRate);
}
BENCHMARK(BM_StringAppend)->Unit(benchmark::kMillisecond);

// A host call with three arguments, one of them var, in the loop.
void BM_HostCall(benchmark::State& state) {
  const std::int32_t rounds = 200000;
  HostTables host;
  TFunListItem item;
  item.name = "ADD3";
  item.paramTypes = {0, 1, 0};
  item.handler = [](std::int32_t, std::string_view, ParamCells& cells, ScriptValue& result, int) {
    result = ScriptValue::integer(cells[0].integerValue() + cells[2].integerValue());
    cells[1] = result;
  };
  const int number = host.routines.add(item);
  const Loop loop = countingLoop(rounds - 1, [number](ProgramImage& p, auto& emit) {
    emit(Opcode::HostCall, 7, number);
    p.code.push_back({1, 1, 8});  // arguments V8, V1, V1
  });
  TBinProg prog(loop.bytes, host);
  for (auto _ : state) {
    prog.slot(1) = ScriptValue::integer(0);
    prog.run();
  }
  state.counters["calls/s"] =
      benchmark::Counter(static_cast<double>(rounds) * static_cast<double>(state.iterations()), benchmark::Counter::kIsRate);
}
BENCHMARK(BM_HostCall)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
