// The machine, one opcode at a time, on hand-built programs that go through the program format.

#include <gtest/gtest.h>

#include "script/bin_prog.h"
#include "script/compiler_error.h"
#include "script/script_error.h"
#include "value_test_support.h"
#include "vm_program_builder.h"

namespace ondrix::script {
namespace {

using testing::ProgramBuilder;
using V = ScriptValue;

struct BinaryCase {
  Opcode op;
  V left;
  V right;
  std::string expected;  // describe() of V[1] afterwards, or the error
};

// V1 op V2 with the slots set beforehand (not every kind can be a constant); halt.
std::string runBinary(const BinaryCase& c) {
  ProgramBuilder b;
  b.emit(c.op, 1, 2).emit(Opcode::Halt);
  TBinProg prog(b.bytes());
  prog.slot(1) = c.left;
  prog.slot(2) = c.right;
  const std::string error = errorOf([&] { prog.run(); });
  return error == "no error" ? describe(prog.slot(1)) : error;
}

TEST(VmOpcodes, BinaryOperators) {
  const BinaryCase cases[] = {
      {Opcode::Add, V::integer(2147483647), V::integer(1), "Real:2147483648"},
      {Opcode::Add, V::integer(2), V::integer(3), "Integer:5"},
      {Opcode::Add, V::string("10"), V::integer(5), "Real:15"},
      {Opcode::Add, V::string("a"), V::string("b"), "String:ab"},
      {Opcode::Subtract, V::integer(2), V::integer(3), "Integer:-1"},
      // Where the Integer short way must hand over to the class rules.
      {Opcode::Subtract, V::integer(-2147483647 - 1), V::integer(1), "Real:-2147483649"},
      {Opcode::Multiply, V::integer(65536), V::integer(65536), "Real:4294967296"},
      {Opcode::IntDivide, V::integer(-2147483647 - 1), V::integer(-1), "Integer overflow"},
      {Opcode::Modulo, V::integer(-2147483647 - 1), V::integer(-1), "Integer:0"},
      {Opcode::Modulo, V::integer(7), V::integer(0), "Division by zero"},
      {Opcode::Multiply, V::integer(3), V::real(0.5), "Real:1.5"},
      {Opcode::LessEqual, V::integer(2), V::integer(2), "Boolean:true"},
      {Opcode::GreaterEqual, V::integer(-1), V::integer(0), "Boolean:false"},
      {Opcode::Greater, V::integer(2147483647), V::integer(-2147483647 - 1), "Boolean:true"},
      {Opcode::Multiply, V::integer(6), V::integer(7), "Integer:42"},
      {Opcode::IntDivide, V::integer(-7), V::integer(2), "Integer:-3"},
      {Opcode::IntDivide, V::integer(5), V::integer(0), "Division by zero"},
      {Opcode::Modulo, V::integer(-7), V::integer(2), "Integer:-1"},
      {Opcode::Divide, V::integer(1), V::integer(4), "Real:0.25"},
      {Opcode::Divide, V::integer(5), V::integer(0), "Floating point division by zero"},
      {Opcode::Shl, V::integer(3), V::integer(2), "Integer:12"},
      {Opcode::Shr, V::integer(-8), V::integer(1), "Integer:2147483644"},
      {Opcode::Or, V::integer(3), V::integer(5), "Integer:7"},
      {Opcode::Xor, V::integer(3), V::integer(5), "Integer:6"},
      {Opcode::And, V::integer(3), V::integer(5), "Integer:1"},
      {Opcode::And, V::boolean(true), V::boolean(false), "Boolean:false"},
      {Opcode::GreaterEqual, V::integer(2), V::real(2.0), "Boolean:true"},
      {Opcode::LessEqual, V::integer(3), V::integer(2), "Boolean:false"},
      {Opcode::Greater, V::string("b"), V::string("a"), "Boolean:true"},
      {Opcode::Less, V::integer(1), V::real(1.5), "Boolean:true"},
      {Opcode::Less, V::string("abc"), V::string("abd"), "Boolean:true"},
      {Opcode::Less, V(), V::integer(1), "Invalid variant operation"},
      {Opcode::Equal, V::integer(1), V::real(1.0), "Boolean:false"},
      {Opcode::Equal, V::integer(1), V::integer(1), "Boolean:true"},
      {Opcode::Equal, V::null(), V::null(), "Boolean:true"},
      {Opcode::NotEqual, V::integer(1), V::real(1.0), "Boolean:true"},
      {Opcode::NotEqual, V::string("a"), V::string("a"), "Boolean:false"},
  };
  for (const BinaryCase& c : cases)
    EXPECT_EQ(runBinary(c), c.expected) << "opcode " << static_cast<int>(c.op) << " " << describe(c.left) << ", "
                                        << describe(c.right);
}

TEST(VmOpcodes, UnaryOperatorsAndSteps) {
  struct Case {
    Opcode op;
    V value;
    std::string expected;
  };
  const Case cases[] = {
      {Opcode::Not, V::integer(0), "Integer:-1"},
      {Opcode::Not, V::boolean(true), "Boolean:false"},
      {Opcode::Negate, V::boolean(true), "Integer:1"},
      {Opcode::Negate, V::string("2.5"), "Real:-2.5"},
      {Opcode::Increment, V::integer(41), "Integer:42"},
      {Opcode::Increment, V::integer(2147483647), "Real:2147483648"},
      {Opcode::Increment, V::string("1"), "Real:2"},
      {Opcode::Decrement, V::integer(-2147483647 - 1), "Real:-2147483649"},
      {Opcode::Decrement, V::real(0.5), "Real:-0.5"},
      {Opcode::Increment, V(), "Invalid variant operation"},
  };
  for (const Case& c : cases) {
    ProgramBuilder b;
    b.emit(c.op, 3).emit(Opcode::Halt);
    TBinProg prog(b.bytes());
    prog.slot(3) = c.value;
    const std::string error = errorOf([&] { prog.run(); });
    EXPECT_EQ(error == "no error" ? describe(prog.slot(3)) : error, c.expected) << describe(c.value);
  }
}

TEST(VmOpcodes, SlotsStartAsIntegerZeroAndPersistBetweenRuns) {
  ProgramBuilder b;
  b.emit(Opcode::Increment, 0).emit(Opcode::Move, 1000, 0).emit(Opcode::Halt);
  TBinProg prog(b.bytes());
  EXPECT_EQ(describe(prog.slot(500)), "Integer:0");
  prog.run();
  prog.run();
  EXPECT_EQ(describe(prog.slot(1000)), "Integer:2");
  EXPECT_THROW(prog.slot(1001), std::out_of_range);
}

TEST(VmOpcodes, LoadConstAndMoveCopyValues) {
  ProgramBuilder b;
  b.load(1, V::string("text")).emit(Opcode::Move, 2, 1).emit(Opcode::Increment, 1).emit(Opcode::Halt);
  EXPECT_THROW(TBinProg(b.bytes()).run(), EVariantError);  // "text" + 1
  b = ProgramBuilder();
  b.load(1, V::string("ab")).emit(Opcode::Move, 2, 1).emit(Opcode::Add, 2, 1).emit(Opcode::Halt);
  TBinProg prog(b.bytes());
  prog.run();
  EXPECT_EQ(prog.slot(1).stringValue(), "ab");
  EXPECT_EQ(prog.slot(2).stringValue(), "abab");
  EXPECT_EQ(prog.image().constants[0].stringValue(), "ab");
}

// if V[1] is false then V[2] := 1 else V[2] := 2
std::string branchTaken(const V& condition) {
  ProgramBuilder b;
  const int otherwise = b.label();
  const int done = b.label();
  b.emit(Opcode::JumpIfFalse, 1, otherwise);
  b.load(2, V::string("true branch")).emit(Opcode::Jump, done);
  b.place(otherwise);
  b.load(2, V::string("false branch"));
  b.place(done);
  b.emit(Opcode::Halt);
  TBinProg prog(b.bytes());
  prog.slot(1) = condition;
  const std::string error = errorOf([&] { prog.run(); });
  return error == "no error" ? std::string(prog.slot(2).stringValue()) : error;
}

TEST(VmOpcodes, ConditionalJump) {
  EXPECT_EQ(branchTaken(V::integer(0)), "false branch");
  EXPECT_EQ(branchTaken(V::boolean(false)), "false branch");
  EXPECT_EQ(branchTaken(V::real(0.0)), "false branch");
  EXPECT_EQ(branchTaken(V::integer(2)), "true branch");
  EXPECT_EQ(branchTaken(V::boolean(true)), "true branch");
  EXPECT_EQ(branchTaken(V::null()), "true branch");
  EXPECT_EQ(branchTaken(V()), "Invalid variant operation");
}

TEST(VmOpcodes, HaltStopsAndErrorsStopAtTheFailingInstruction) {
  ProgramBuilder b;
  b.emit(Opcode::Increment, 1).emit(Opcode::Halt).emit(Opcode::Increment, 1).emit(Opcode::Halt);
  TBinProg halted(b.bytes());
  halted.run();
  EXPECT_EQ(describe(halted.slot(1)), "Integer:1");

  b = ProgramBuilder();
  b.emit(Opcode::Increment, 1).emit(Opcode::IntDivide, 1, 2).emit(Opcode::Increment, 3).emit(Opcode::Halt);
  TBinProg failing(b.bytes());
  EXPECT_EQ(errorOf([&] { failing.run(); }), "Division by zero");
  EXPECT_EQ(describe(failing.slot(1)), "Integer:1");
  EXPECT_EQ(describe(failing.slot(3)), "Integer:0");
}

TEST(VmOpcodes, InvalidOpcodesFailWhenRun) {
  for (std::int32_t op : {21, 22, 24, 25, 27, 28, 31, 35, 41, 43, 53, 1000, -7}) {
    ProgramBuilder b;
    b.raw(op, 1, 2).emit(Opcode::Halt);
    TBinProg prog(b.bytes());  // reading accepts it: only running it is an error
    try {
      prog.run();
      ADD_FAILURE() << "opcode " << op << " ran";
    } catch (const ECompilerError& e) {
      EXPECT_STREQ(e.what(), "Invalid opcode");
    }
  }
}

TEST(VmOpcodes, StepLimitEndsAnEndlessLoop) {
  ProgramBuilder b;
  const int top = b.label();
  b.place(top);
  b.emit(Opcode::Increment, 1).emit(Opcode::Jump, top);
  TBinProg prog(b.bytes());
  prog.setStepLimit(100);
  EXPECT_EQ(errorOf([&] { prog.run(); }), "Step limit reached");
  EXPECT_EQ(describe(prog.slot(1)), "Integer:50");
}

TEST(VmOpcodes, RunningPastTheEndIsAnError) {
  ProgramBuilder b;
  b.emit(Opcode::Increment, 1);
  TBinProg prog(b.bytes());
  EXPECT_EQ(errorOf([&] { prog.run(); }), "The program ran past its last instruction");
  EXPECT_EQ(describe(prog.slot(1)), "Integer:1");
  EXPECT_EQ(errorOf([] { TBinProg(ProgramBuilder().bytes()).run(); }), "The program ran past its last instruction");
}

// A program of the compiler's shape: jump over a procedure that adds V[2] into V[1], then call it
// twice and halt.
ProgramBuilder procedureProgram(int& procLabel) {
  ProgramBuilder b;
  const int main = b.label();
  procLabel = b.label();
  b.emit(Opcode::Jump, main);
  b.place(procLabel);
  b.emit(Opcode::Add, 1, 2).emit(Opcode::Return);
  b.place(main);
  b.load(2, V::integer(5)).emit(Opcode::Call, procLabel).emit(Opcode::Call, procLabel).emit(Opcode::Halt);
  return b;
}

TEST(VmOpcodes, CallReturnAndRunFrom) {
  int proc = 0;
  const ProgramBuilder b = procedureProgram(proc);
  TBinProg prog(b.bytes());
  prog.run();
  EXPECT_EQ(describe(prog.slot(1)), "Integer:10");
  EXPECT_EQ(prog.returnDepth(), 0);
  // A procedure run by itself ends at its return, with the stack empty.
  prog.runFrom(b.image().labels[static_cast<std::size_t>(proc)]);
  EXPECT_EQ(describe(prog.slot(1)), "Integer:15");
  EXPECT_EQ(errorOf([&] { prog.runFrom(-1); }), "Cannot run from -1: not the start of an instruction");
  EXPECT_EQ(errorOf([&] { prog.runFrom(1000); }), "Cannot run from 1000: not the start of an instruction");
}

TEST(VmOpcodes, TheThousandAndSecondReturnAddressOverflows) {
  // V1 counts the calls made; the procedure calls itself forever.
  ProgramBuilder b;
  const int proc = b.label();
  b.place(proc);
  b.emit(Opcode::Increment, 1).emit(Opcode::Call, proc).emit(Opcode::Return);
  TBinProg prog(b.bytes());
  EXPECT_EQ(errorOf([&] { prog.run(); }), "Stack overflow");
  EXPECT_EQ(describe(prog.slot(1)), "Integer:1002");  // 1001 calls made, the 1002nd refused
  EXPECT_EQ(prog.returnDepth(), 1001);
  // The next run starts with an empty return stack.
  EXPECT_EQ(errorOf([&] { prog.run(); }), "Stack overflow");
  EXPECT_EQ(describe(prog.slot(1)), "Integer:2004");
}

TEST(VmOpcodes, CurrentObject) {
  ProgramBuilder b;
  b.emit(Opcode::SetObject, 1234).emit(Opcode::Halt);
  TBinProg prog(b.bytes());
  EXPECT_EQ(prog.currentObject(), 0);
  prog.run();
  EXPECT_EQ(prog.currentObject(), 1234);

  b = ProgramBuilder();
  b.load(4, V::integer(-99)).emit(Opcode::SetObjectFromSlot, 4).emit(Opcode::Halt);
  TBinProg fromSlot(b.bytes());
  fromSlot.run();
  EXPECT_EQ(fromSlot.currentObject(), -99);
}

TEST(VmOpcodes, NewArrayAndArrayStore) {
  ProgramBuilder b;
  b.emit(Opcode::NewArray, 1, 2);                       // V1 := array 0..2
  b.load(2, V::integer(2));
  b.emit(Opcode::ArrayStore, 0, 2).data(1);             // V1[0] := 2
  b.load(3, V::string("x"));
  b.emit(Opcode::ArrayStore, 2, 3).data(1);             // V1[2] := 'x'
  b.emit(Opcode::Move, 4, 1);
  b.emit(Opcode::ArrayStore, 1, 3).data(4);             // V4[1] := 'x', V1 unchanged
  b.emit(Opcode::Halt);
  TBinProg prog(b.bytes());
  prog.run();
  const V& a = prog.slot(1);
  ASSERT_EQ(a.arraySize(), 3u);
  EXPECT_EQ(describe(a.element(0)), "Integer:2");
  EXPECT_TRUE(a.element(1).isEmpty());
  EXPECT_EQ(describe(a.element(2)), "String:x");
  EXPECT_EQ(describe(prog.slot(4).element(1)), "String:x");

  ProgramBuilder outside;
  outside.emit(Opcode::NewArray, 1, 0).emit(Opcode::ArrayStore, 1, 2).data(1).emit(Opcode::Halt);
  EXPECT_EQ(errorOf([&] { TBinProg(outside.bytes()).run(); }), "Variant array index out of bounds");
  ProgramBuilder notArray;
  notArray.emit(Opcode::ArrayStore, 0, 2).data(1).emit(Opcode::Halt);
  EXPECT_EQ(errorOf([&] { TBinProg(notArray.bytes()).run(); }), "Variant is not an array");
  ProgramBuilder empty;
  empty.emit(Opcode::NewArray, 1, -1).emit(Opcode::Halt);
  TBinProg emptyArray(empty.bytes());
  emptyArray.run();
  EXPECT_EQ(emptyArray.slot(1).arraySize(), 0u);
}

TEST(VmOpcodes, DynamicVariables) {
  HostTables host;
  V stored = V::integer(7);
  std::int32_t lastId = -1;
  host.providers.add({"Vars", nullptr, [](std::string_view) { return 0; },
                      [&](std::int32_t id) {
                        lastId = id;
                        return stored;
                      },
                      [&](std::int32_t id, const V& value) {
                        lastId = id;
                        stored = value;
                      }});
  ProgramBuilder b;
  b.emit(Opcode::GetDynamic, 3, 0).data(5);  // V5 := var 3
  b.emit(Opcode::Increment, 5);
  b.emit(Opcode::SetDynamic, 4, 0).data(5);  // var 4 := V5
  b.emit(Opcode::Halt);
  TBinProg prog(b.bytes(), host);
  prog.run();
  EXPECT_EQ(describe(prog.slot(5)), "Integer:8");
  EXPECT_EQ(describe(stored), "Integer:8");
  EXPECT_EQ(lastId, 4);

  ProgramBuilder missing;
  missing.emit(Opcode::GetDynamic, 0, 1).data(5).emit(Opcode::Halt);
  EXPECT_EQ(errorOf([&] { TBinProg(missing.bytes(), host).run(); }), "Dynamic variable provider 1 not found");
}

}  // namespace
}  // namespace ondrix::script
