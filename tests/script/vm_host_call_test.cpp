// The host call protocol: packed argument words, parameter cells, result, var copy-back.

#include <gtest/gtest.h>

#include <stdexcept>
#include <vector>

#include "script/bin_prog.h"
#include "script/script_error.h"
#include "value_test_support.h"
#include "vm_program_builder.h"

namespace ondrix::script {
namespace {

using testing::ProgramBuilder;
using V = ScriptValue;

// What the handler saw on its last call.
struct Seen {
  int calls = 0;
  std::int32_t object = 0;
  std::string member;
  std::vector<std::string> cells;  // describe() of cells 0..100
  int highest = 0;
};

TFunListItem routine(std::string name, std::vector<std::uint8_t> types, Seen& seen,
                     std::function<void(ParamCells&, V&)> body = {}) {
  TFunListItem item;
  item.name = std::move(name);
  item.paramTypes = std::move(types);
  item.handler = [&seen, body](std::int32_t object, std::string_view member, ParamCells& cells, V& result, int highest) {
    ++seen.calls;
    seen.object = object;
    seen.member = std::string(member);
    seen.cells.clear();
    for (const V& c : cells) seen.cells.push_back(describe(c));
    seen.highest = highest;
    EXPECT_TRUE(result.isEmpty());
    if (body) body(cells, result);
  };
  return item;
}

TEST(VmHostCall, ArgumentsArePackedThreeToAWordInOpcodeABOrder) {
  HostTables host;
  Seen seen;
  host.routines.add(routine("Dummy", {0}, seen));  // number 0, so the tested one is number 1
  const int number = host.routines.add(routine("Form1.Sum", {0, 0, 0, 0, 0}, seen, [](ParamCells& cells, V& result) {
    result = V::integer(0);
    for (int k = 0; k < 5; ++k) result = V::integer(result.integerValue() + cells[static_cast<std::size_t>(k)].toInteger());
  }));
  ASSERT_EQ(number, 1);

  ProgramBuilder b;
  for (int k = 0; k < 5; ++k) b.load(10 + k, V::integer(1 << k));  // V10..V14 = 1, 2, 4, 8, 16
  b.emit(Opcode::SetObject, 77);
  // arguments 0, 1, 2 in the first word's opcode, A, B; 3 and 4 in the second word's opcode, A.
  b.emit(Opcode::HostCall, 20, number).data(/*a=*/11, /*b=*/12, /*opcode=*/10).data(14, 999999, 13);
  b.emit(Opcode::Halt);

  TBinProg prog(b.bytes(), host);
  prog.params()[5] = V::string("left over");
  prog.run();
  EXPECT_EQ(seen.calls, 1);
  EXPECT_EQ(seen.object, 77);
  EXPECT_EQ(seen.member, "SUM");
  EXPECT_EQ(seen.highest, 100);
  ASSERT_EQ(seen.cells.size(), 101u);
  EXPECT_EQ(seen.cells[0], "Integer:1");
  EXPECT_EQ(seen.cells[3], "Integer:8");
  EXPECT_EQ(seen.cells[4], "Integer:16");
  EXPECT_EQ(seen.cells[5], "String:left over");  // cells above n - 1 keep what they held
  EXPECT_EQ(seen.cells[6], "Empty");
  EXPECT_EQ(describe(prog.slot(20)), "Integer:31");
}

TEST(VmHostCall, VarParametersAreCopiedBack) {
  HostTables host;
  Seen seen;
  const int number = host.routines.add(routine("Swap", {1, 0, 1}, seen, [](ParamCells& cells, V& result) {
    std::swap(cells[0], cells[2]);
    cells[1] = V::string("changed");  // a value parameter: not copied back
    result = V::boolean(true);
  }));
  ProgramBuilder b;
  b.load(1, V::string("one")).load(2, V::string("two")).load(3, V::string("three"));
  b.emit(Opcode::HostCall, 4, number).data(2, 3, 1);
  b.emit(Opcode::Halt);
  TBinProg prog(b.bytes(), host);
  prog.run();
  EXPECT_EQ(describe(prog.slot(1)), "String:three");
  EXPECT_EQ(describe(prog.slot(2)), "String:two");
  EXPECT_EQ(describe(prog.slot(3)), "String:one");
  EXPECT_EQ(describe(prog.slot(4)), "Boolean:true");
}

TEST(VmHostCall, CopyBackWinsOverTheResultInTheSameSlot) {
  HostTables host;
  Seen seen;
  const int number = host.routines.add(routine("Inc", {1}, seen, [](ParamCells& cells, V& result) {
    cells[0] = V::integer(cells[0].toInteger() + 1);
    result = V::string("result");
  }));
  ProgramBuilder b;
  b.load(1, V::integer(41)).emit(Opcode::HostCall, 1, number).data(0, 0, 1).emit(Opcode::Halt);
  TBinProg prog(b.bytes(), host);
  prog.run();
  EXPECT_EQ(describe(prog.slot(1)), "Integer:42");
}

TEST(VmHostCall, RoutineWithoutParametersHasNoDataWords) {
  HostTables host;
  Seen seen;
  const int number = host.routines.add(routine("Now", {}, seen, [](ParamCells&, V& result) { result = V::date(1); }));
  ProgramBuilder b;
  b.emit(Opcode::HostCall, 1, number).emit(Opcode::Increment, 2).emit(Opcode::Halt);
  TBinProg prog(b.bytes(), host);
  prog.run();
  EXPECT_EQ(describe(prog.slot(1)), "Date:1.000000");
  EXPECT_EQ(describe(prog.slot(2)), "Integer:1");  // the next instruction ran, not a data word
}

TEST(VmHostCall, HandlerErrorsEndTheRun) {
  HostTables host;
  Seen seen;
  const int number = host.routines.add(routine("Fail", {1}, seen, [](ParamCells& cells, V&) {
    cells[0] = V::string("clobbered");
    throw std::runtime_error("Something went wrong");
  }));
  ProgramBuilder b;
  b.emit(Opcode::HostCall, 2, number).data(0, 0, 1).emit(Opcode::Increment, 3).emit(Opcode::Halt);
  TBinProg prog(b.bytes(), host);
  EXPECT_EQ(errorOf([&] { prog.run(); }), "Something went wrong");
  EXPECT_EQ(describe(prog.slot(1)), "Integer:0");  // no copy-back after a failure
  EXPECT_EQ(describe(prog.slot(3)), "Integer:0");
}

TEST(VmHostCall, AHandlerMayRunAProcedureOfTheSameProgram) {
  // main: call P; host call Event; V3 := V3 + 1; halt.   P: host call Event; return.
  // Event runs Q (V2 := V2 + 1; return) of the same program while the outer run is inside P.
  HostTables host;
  Seen seen;
  TBinProg* running = nullptr;
  std::int32_t procQ = 0;
  const int event = host.routines.add(routine("Event", {}, seen, [&](ParamCells&, V&) {
    running->runFrom(procQ);
  }));
  ProgramBuilder b;
  const int main = b.label(), p = b.label(), q = b.label();
  b.emit(Opcode::Jump, main);
  b.place(p);
  b.emit(Opcode::HostCall, 0, event).emit(Opcode::Return);
  b.place(q);
  b.emit(Opcode::Increment, 2).emit(Opcode::Return);
  b.place(main);
  b.emit(Opcode::Call, p).emit(Opcode::HostCall, 0, event).emit(Opcode::Increment, 3).emit(Opcode::Halt);
  TBinProg prog(b.bytes(), host);
  running = &prog;
  procQ = b.image().labels[static_cast<std::size_t>(q)];
  prog.run();
  EXPECT_EQ(seen.calls, 2);
  EXPECT_EQ(describe(prog.slot(2)), "Integer:2");
  EXPECT_EQ(describe(prog.slot(3)), "Integer:1");
  EXPECT_EQ(prog.returnDepth(), 0);
}

TEST(VmHostCall, ARoutineChangedAfterReadingIsRefused) {
  HostTables host;
  Seen seen;
  const int number = host.routines.add(routine("P", {0}, seen));
  ProgramBuilder b;
  b.emit(Opcode::HostCall, 2, number).data(0, 0, 1).emit(Opcode::Halt);
  TBinProg prog(b.bytes(), host);
  host.routines.add(routine("p", {0, 0, 0, 0}, seen));  // same name, other parameter count
  EXPECT_EQ(errorOf([&] { prog.run(); }), "Host routine 0 has changed since the program was read");
  EXPECT_EQ(seen.calls, 0);
}

}  // namespace
}  // namespace ondrix::script
