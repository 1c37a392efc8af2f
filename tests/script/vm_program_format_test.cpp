// Writing and reading the program format, and the reader's refusal of malformed programs.

#include <gtest/gtest.h>

#include <cmath>

#include "script/bin_prog.h"
#include "script/script_error.h"
#include "value_test_support.h"
#include "vm_program_builder.h"

namespace ondrix::script {
namespace {

using testing::ProgramBuilder;
using V = ScriptValue;

std::string readError(const std::string& bytes, const TFunList& routines = TFunList()) {
  return errorOf([&] { readProgram(bytes, routines); });
}

TEST(VmProgramFormat, ConstantsSurviveWritingAndReading) {
  ProgramBuilder b;
  const std::vector<V> constants{V::integer(-2147483647 - 1), V::integer(7), V::real(-0.1), V::real(1e300),
                                 V::string(""), V::string(std::string(255, 'x')), V::string(std::string(256, 'y')),
                                 V::string(std::string(70000, '\0')), V::boolean(true), V::boolean(false)};
  for (const V& c : constants) b.constant(c);
  b.label();
  b.emit(Opcode::Halt);
  const ProgramImage image = readProgram(b.bytes(), TFunList());
  ASSERT_EQ(image.constants.size(), constants.size());
  for (std::size_t i = 0; i < constants.size(); ++i)
    EXPECT_TRUE(image.constants[i].identical(constants[i])) << i << ": " << describe(image.constants[i]);
  EXPECT_EQ(image.labels, std::vector<std::int32_t>{0});
  ASSERT_EQ(image.code.size(), 1u);
  EXPECT_EQ(image.code[0].opcode, 26);
}

TEST(VmProgramFormat, LayoutOfEachSection) {
  ProgramBuilder b;
  b.constant(V::integer(0x01020304));
  b.constant(V::string("ab"));
  b.constant(V::boolean(true));
  b.place(b.label());
  b.emit(Opcode::LoadConst, 1, 0);
  const std::string expected = std::string("\x03\x00\x00\x00", 4) +                       // 3 constants
                               std::string("\x01\x04\x03\x02\x01", 5) +                   // Integer
                               std::string("\x03\x02" "ab", 4) +                          // String
                               std::string("\x04\x01", 2) +                               // Boolean
                               std::string("\x01\x00\x00\x00" "\x00\x00\x00\x00", 8) +    // 1 label -> 0
                               std::string("\x01\x00\x00\x00", 4) +                       // 1 instruction
                               std::string("\x01\x00\x00\x00\x00\x00\x00\x00\x17\x00\x00\x00", 12);
  EXPECT_EQ(b.bytes(), expected);
  const std::string longString = [] {
    ProgramBuilder l;
    l.constant(V::string(std::string(300, 'z')));
    return l.bytes();
  }();
  EXPECT_EQ(longString.substr(4, 5), std::string("\x05\x2c\x01\x00\x00", 5));  // tag 5, length 300
}

TEST(VmProgramFormat, OnlyFourKindsCanBeWritten) {
  for (const V& v : {V(), V::null(), V::currency(1), V::date(1), V::array(1)}) {
    ProgramBuilder b;
    b.constant(v);
    std::string out = "kept";
    EXPECT_EQ(errorOf([&] { writeProgram(b.image(), out); }), "Unknown variable type during writing program")
        << describe(v);
    EXPECT_EQ(out, "kept");
  }
}

TEST(VmProgramFormat, TagsAreChecked) {
  EXPECT_EQ(readError(std::string("\x01\x00\x00\x00\x06\x00", 6)), "Unknown reader type");
  EXPECT_EQ(readError(std::string("\x01\x00\x00\x00\x00\x00", 6)), "Unknown reader type");
  // A Boolean byte other than 0 and 1 reads as true.
  const ProgramImage image = readProgram(std::string("\x01\x00\x00\x00\x04\x07" "\0\0\0\0" "\0\0\0\0", 14), TFunList());
  EXPECT_EQ(describe(image.constants[0]), "Boolean:true");
}

TEST(VmProgramFormat, EveryTruncationIsRefused) {
  ProgramBuilder b;
  b.constant(V::string("hello"));
  b.constant(V::real(2.5));
  b.constant(V::string(std::string(300, 'q')));
  b.place(b.label());
  b.emit(Opcode::LoadConst, 1, 0).emit(Opcode::GetDynamic, 0, 0).data(2).emit(Opcode::Halt);
  const std::string bytes = b.bytes();
  ASSERT_NO_THROW(readProgram(bytes, TFunList()));
  for (std::size_t n = 0; n < bytes.size(); ++n) {
    const std::string error = readError(bytes.substr(0, n));
    EXPECT_EQ(error.rfind("Malformed program: the data ends inside the ", 0), 0u) << n << ": " << error;
  }
  EXPECT_EQ(readError(bytes + '\0'), "Malformed program: data after the code");
}

TEST(VmProgramFormat, CountsAreCheckedBeforeAnythingIsAllocated) {
  EXPECT_EQ(readError(std::string("\xff\xff\xff\xff", 4)), "Malformed program: negative count of constants");
  EXPECT_EQ(readError(std::string("\xff\xff\xff\x7f", 4)), "Malformed program: the data ends inside the constants");
  EXPECT_EQ(readError(std::string("\0\0\0\0" "\xff\xff\xff\x7f", 8)), "Malformed program: the data ends inside the labels");
  EXPECT_EQ(readError(std::string("\0\0\0\0" "\0\0\0\0" "\xff\xff\xff\x0f", 12)),
            "Malformed program: the data ends inside the code");
  EXPECT_EQ(readError(std::string("\x01\0\0\0" "\x05\x00\x00\x10\x00", 9)),
            "Malformed program: the data ends inside the constants");
  EXPECT_EQ(readError(std::string("\x01\0\0\0" "\x05\xff\xff\xff\xff", 9)),
            "Malformed program: a string constant is longer than any string may be");
}

struct OperandCase {
  const char* what;
  ProgramBuilder program;
  std::string error;
};

std::vector<OperandCase> operandCases() {
  std::vector<OperandCase> cases;
  auto add = [&](const char* what, std::string error, auto build) {
    ProgramBuilder b;
    build(b);
    cases.push_back({what, b, std::move(error)});
  };
  add("slot 1001", "Malformed program: instruction 0: slot 1001 out of range",
      [](ProgramBuilder& b) { b.emit(Opcode::Add, 1001, 0); });
  add("negative slot", "Malformed program: instruction 1: slot -1 out of range",
      [](ProgramBuilder& b) { b.emit(Opcode::Halt).emit(Opcode::Move, 0, -1); });
  add("constant", "Malformed program: instruction 0: constant 1 out of range",
      [](ProgramBuilder& b) { b.constant(V::integer(1)); b.emit(Opcode::LoadConst, 0, 1); });
  add("label", "Malformed program: instruction 0: label 0 out of range",
      [](ProgramBuilder& b) { b.emit(Opcode::Jump, 0); });
  add("label of a call", "Malformed program: instruction 0: label 5 out of range",
      [](ProgramBuilder& b) { b.label(); b.emit(Opcode::Call, 5); });
  add("jump-if-false slot", "Malformed program: instruction 0: slot 2000 out of range",
      [](ProgramBuilder& b) { b.label(); b.emit(Opcode::JumpIfFalse, 2000, 0); });
  add("host routine", "Malformed program: instruction 0: host routine 0 out of range",
      [](ProgramBuilder& b) { b.emit(Opcode::HostCall, 0, 0); });
  add("array size", "Malformed program: instruction 0: array high index -2 out of range",
      [](ProgramBuilder& b) { b.emit(Opcode::NewArray, 0, -2); });
  add("huge array", "Malformed program: instruction 0: array high index 4097 out of range",
      [](ProgramBuilder& b) { b.emit(Opcode::NewArray, 0, 4097); });
  add("array index", "Malformed program: instruction 0: array index -1 out of range",
      [](ProgramBuilder& b) { b.emit(Opcode::ArrayStore, -1, 0).data(0); });
  add("array store target", "Malformed program: instruction 1: slot 5000 out of range",
      [](ProgramBuilder& b) { b.emit(Opcode::ArrayStore, 0, 0).data(5000); });
  add("dynamic target", "Malformed program: instruction 1: slot -3 out of range",
      [](ProgramBuilder& b) { b.emit(Opcode::GetDynamic, 0, 0).data(-3); });
  add("provider", "Malformed program: instruction 0: provider -1 out of range",
      [](ProgramBuilder& b) { b.emit(Opcode::SetDynamic, 0, -1).data(0); });
  add("missing data word", "Malformed program: instruction 0: data words run past the end of the code",
      [](ProgramBuilder& b) { b.emit(Opcode::SetDynamic, 0, 0); });
  add("label past the end", "Malformed program: label 0 points to 2, which is not an instruction",
      [](ProgramBuilder& b) { b.target(b.label(), 2); b.emit(Opcode::Halt); });
  add("label into a data word", "Malformed program: label 0 points to 1, which is not an instruction",
      [](ProgramBuilder& b) { const int l = b.label(); b.emit(Opcode::GetDynamic, 0, 0); b.place(l); b.data(1).emit(Opcode::Jump, l); });
  return cases;
}

TEST(VmProgramFormat, OperandsAreCheckedAgainstTheirRanges) {
  for (OperandCase& c : operandCases()) {
    EXPECT_EQ(readError(c.program.bytes()), c.error) << c.what;
  }
}

TEST(VmProgramFormat, HostCallDataWordsAreChecked) {
  TFunList routines;
  TFunListItem item;
  item.name = "SEVEN";
  item.paramTypes.assign(7, 0);  // three data words
  routines.add(item);
  ProgramBuilder b;
  b.emit(Opcode::HostCall, 0, 0).data(1, 2, 0).data(4, 5, 3).data(-5, -5, 6).emit(Opcode::Halt);
  EXPECT_NO_THROW(readProgram(b.bytes(), routines));  // fields past the 7th argument are free
  ProgramBuilder bad;
  bad.emit(Opcode::HostCall, 0, 0).data(1, 2, 0).data(4, 1001, 3).data(0, 0, 6).emit(Opcode::Halt);
  EXPECT_EQ(readError(bad.bytes(), routines), "Malformed program: instruction 2: slot 1001 out of range");
  ProgramBuilder short_;
  short_.emit(Opcode::HostCall, 0, 0).data(1, 2, 0).data(4, 5, 3);
  EXPECT_EQ(readError(short_.bytes(), routines),
            "Malformed program: instruction 0: data words run past the end of the code");
}

TEST(VmProgramFormat, ALabelJustPastTheLastInstructionIsAccepted) {
  ProgramBuilder b;
  const int l = b.label();
  b.emit(Opcode::Halt);
  b.place(l);
  EXPECT_NO_THROW(readProgram(b.bytes(), TFunList()));
  ProgramBuilder empty;
  empty.label();  // a label never placed is instruction 0, even with no code
  EXPECT_NO_THROW(readProgram(empty.bytes(), TFunList()));
}

TEST(VmProgramFormat, Listing) {
  TFunList routines;
  TFunListItem item;
  item.name = "Form.Show";
  item.paramTypes = {0, 1};
  routines.add(item);
  ProgramBuilder b;
  const int main = b.label();
  b.constant(V::string("it's\r"));
  b.constant(V::real(2.5));
  b.emit(Opcode::Jump, main);
  b.place(main);
  b.emit(Opcode::LoadConst, 3, 0).emit(Opcode::HostCall, 4, 0).data(3, 0, 2);
  b.emit(Opcode::GetDynamic, 7, 1).data(9).emit(Opcode::NewArray, 5, 2).raw(99, 1, 2).emit(Opcode::Halt);
  EXPECT_EQ(listProgram(b.image(), &routines),
            "constants 2\n"
            "  K0  String 'it''s'#13\n"
            "  K1  Real 2.5\n"
            "labels 1\n"
            "  L0 -> 1\n"
            "code 9\n"
            "  0000  JMP     L0\n"
            "  0001  LOADK   V3, K0\n"
            "  0002  HCALL   V4, R0 (FORM.SHOW)\n"
            "  0003    data  V2 V3\n"
            "  0004  GETDYN  id 7, P1\n"
            "  0005    data  V9\n"
            "  0006  NEWARR  V5, 0..2\n"
            "  0007  ?99 1, 2\n"
            "  0008  HALT\n");
}

}  // namespace
}  // namespace ondrix::script
