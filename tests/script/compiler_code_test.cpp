// The code the compiler emits for each construct, instruction by instruction.

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "compiler_test_support.h"

namespace ondrix::script {
namespace {

using ::testing::ElementsAre;
using testing::codeLines;
using testing::compileScript;

std::vector<std::string> code(std::string_view source, const HostTables& host = HostTables{}) {
  return codeLines(compileScript(source, host).image, host);
}

TEST(CompilerCode, EmptyProgramsJumpToTheMainBlockAndHalt) {
  for (const char* source : {"begin end.", "end.", "program p; begin end.", "unit u; end"}) {
    const testing::Compiled c = compileScript(source, HostTables{});
    EXPECT_THAT(codeLines(c.image, HostTables{}), ElementsAre("JMP 0 0", "HALT 0 0")) << source;
    EXPECT_THAT(c.image.labels, ElementsAre(1));
  }
}

TEST(CompilerCode, NothingAfterTheFinalTokenIsRead) {
  EXPECT_NO_THROW(compileScript("begin end. 'unterminated", HostTables{}));
  EXPECT_NO_THROW(compileScript("begin end; x := ", HostTables{}));
}

TEST(CompilerCode, AssignmentCopiesOperandsIntoTemporaries) {
  EXPECT_THAT(code("var x, y: Integer; begin x := y + 1 * -y end."),
              ElementsAre("JMP 0 0", "MOVE 2 1", "LOADK 3 0", "MOVE 4 1", "NEG 4 0", "MUL 3 4",
                          "ADD 2 3", "MOVE 0 2", "HALT 0 0"));
}

TEST(CompilerCode, RelationalOperatorsAreTwoTokens) {
  const auto ops = [](const char* op) {
    return code(std::string("var x: Integer; begin x := x ") + op + " 1 end.").at(3);
  };
  EXPECT_EQ(ops("="), "EQ 1 2");
  EXPECT_EQ(ops("< >"), "NE 1 2");
  EXPECT_EQ(ops("<"), "LT 1 2");
  EXPECT_EQ(ops(">"), "GT 1 2");
  EXPECT_EQ(ops("< ="), "LE 1 2");
  EXPECT_EQ(ops(">="), "GE 1 2");
}

TEST(CompilerCode, IfWithAndWithoutElse) {
  // Labels: 0 main, 1 else, 2 end.
  EXPECT_THAT(code("var x: Integer; begin if x then x := 1 else x := 2 end."),
              ElementsAre("JMP 0 0", "MOVE 1 0", "JF 1 1", "LOADK 1 0", "MOVE 0 1", "JMP 2 0",
                          "LOADK 1 1", "MOVE 0 1", "HALT 0 0"));
  EXPECT_THAT(code("var x: Integer; begin if x then x := 1; end."),
              ElementsAre("JMP 0 0", "MOVE 1 0", "JF 1 1", "LOADK 1 0", "MOVE 0 1", "HALT 0 0"));
}

TEST(CompilerCode, ForEvaluatesTheLimitEveryRound) {
  const testing::Compiled c = compileScript("var i: Integer; begin for i := 1 to 3 do i := i end.", HostTables{});
  EXPECT_THAT(codeLines(c.image, HostTables{}),
              ElementsAre("JMP 0 0", "LOADK 1 0", "MOVE 0 1",                // i := 1
                          "LOADK 1 1", "MOVE 2 0", "LE 2 1", "JF 2 2",       // L1: test
                          "MOVE 1 0", "MOVE 0 1", "INC 0 0", "JMP 1 0",      // body, step
                          "HALT 0 0"));                                      // L2
  EXPECT_THAT(c.image.labels, ElementsAre(1, 3, 11));
}

TEST(CompilerCode, DownToDecrements) {
  const auto lines = code("var i: Integer; begin for i := 3 downto 1 do i := i end.");
  EXPECT_EQ(lines.at(5), "GE 2 1");
  EXPECT_EQ(lines.at(9), "DEC 0 0");
}

TEST(CompilerCode, WhileAndRepeat) {
  EXPECT_THAT(code("var x: Integer; begin while x do x := 0 end."),
              ElementsAre("JMP 0 0", "MOVE 1 0", "JF 1 2", "LOADK 1 0", "MOVE 0 1", "JMP 1 0",
                          "HALT 0 0"));
  EXPECT_THAT(code("var x: Integer; begin repeat x := 0 until x end."),
              ElementsAre("JMP 0 0", "LOADK 1 0", "MOVE 0 1", "MOVE 1 0", "JF 1 1", "HALT 0 0"));
}

TEST(CompilerCode, ProcedureCallWithValueAndVarParameters) {
  // Slots: X 0, P.A 1, P.B 2, P.RESULT 3; the body has no temporaries, the main block starts at 4.
  EXPECT_THAT(code("var x: Integer;\n"
                   "procedure P(a: Integer; var b: Integer); begin end;\n"
                   "begin P(7, x) end."),
              ElementsAre("JMP 0 0", "RET 0 0", "LOADK 4 0", "MOVE 1 4", "MOVE 2 0", "CALL 1 0",
                          "MOVE 0 2", "MOVE 5 3", "HALT 0 0"));
}

TEST(CompilerCode, EachLiteralHasItsOwnConstant) {
  const testing::Compiled c = compileScript("var x: Integer; begin x := 1 + 1 + 'a'#66 end.", HostTables{});
  ASSERT_EQ(c.image.constants.size(), 3u);
  EXPECT_EQ(c.image.constants[2].stringValue(), "aB");
}

TEST(CompilerCode, ArrayConstructor) {
  EXPECT_THAT(code("var x: Integer; begin x := [1, 2] end."),
              ElementsAre("JMP 0 0", "LOADK 2 0", "LOADK 3 1", "NEWARR 1 2", "LOADK 4 2",
                          "ASTORE 0 4", "DATA 0 1 0", "ASTORE 1 2", "DATA 0 1 0", "ASTORE 2 3",
                          "DATA 0 1 0", "MOVE 0 1", "HALT 0 0"));
}

TEST(CompilerCode, HexRealAndStringLiterals) {
  const testing::Compiled c =
      compileScript("var x: Integer; begin x := $1F; x := 0xffffffff; x := 0xZZ; x := $ 7FFFFFFF1;"
                    " x := 2.50; x := #13#10; x := ''; end.",
                    HostTables{});
  const auto& k = c.image.constants;
  ASSERT_EQ(k.size(), 7u);
  EXPECT_EQ(k[0].integerValue(), 31);
  EXPECT_EQ(k[1].integerValue(), -1);
  EXPECT_EQ(k[2].integerValue(), 0);  // invalid hex text
  EXPECT_EQ(k[3].integerValue(), 0);  // more than 32 bits
  EXPECT_DOUBLE_EQ(k[4].realValue(), 2.5);
  EXPECT_EQ(k[5].stringValue(), "\r\n");
  EXPECT_EQ(k[6].stringValue(), "");
}

// The 32-bit boundary of decimal literals: up to 2147483647 an Integer, from 2147483648 a Real.
TEST(CompilerCode, DecimalLiteralsAreIntegersUpToTheThirtyTwoBitLimit) {
  const testing::Compiled c = compileScript(
      "var x: Integer; begin x := 2147483647; x := 2147483648; x := 2147483646;"
      " x := 100000000000000000000 end.",
      HostTables{});
  const auto& k = c.image.constants;
  ASSERT_EQ(k.size(), 4u);
  EXPECT_EQ(k[0].kind(), ValueKind::Integer);
  EXPECT_EQ(k[0].integerValue(), 2147483647);
  EXPECT_EQ(k[1].kind(), ValueKind::Real);
  EXPECT_DOUBLE_EQ(k[1].realValue(), 2147483648.0);
  EXPECT_EQ(k[2].kind(), ValueKind::Integer);
  EXPECT_EQ(k[2].integerValue(), 2147483646);
  EXPECT_EQ(k[3].kind(), ValueKind::Real);  // beyond 64 bits too
  EXPECT_DOUBLE_EQ(k[3].realValue(), 1e20);
}

TEST(CompilerCode, LongStringLiteralsAreKeptWhole) {
  const std::string text(300, 'x');
  const testing::Compiled c = compileScript("var s: Integer; begin s := '" + text + "' end.", HostTables{});
  HostTables host;
  TBinProg program(c.bytes, host);
  program.run();
  EXPECT_EQ(program.slot(0).stringValue(), text);
}

TEST(CompilerCode, IdentifierTableKeysAndParentClass) {
  const testing::Compiled c = compileScript(
      "type TA = class(TBase) f: Integer; procedure M(x: Integer); end;\n"
      "     TB = record(TOther) end;\n"
      "procedure TA.M(x: Integer); var loc: Integer; begin f := x end;\n"
      "begin end.",
      HostTables{});
  for (const char* key : {"TA.F", "TA.M", "TA.M.X", "TA.M.RESULT", "TA.M.LOC"})
    EXPECT_NE(c.identifiers.find(key), nullptr) << key;
  EXPECT_TRUE(c.identifiers.find("TA.M")->isProcedure);
  EXPECT_THAT(c.identifiers.find("TA.M")->paramNames, ElementsAre("X"));
  EXPECT_EQ(c.parentClass, "TOTHER");  // the last one wins
}

}  // namespace
}  // namespace ondrix::script
