// Every compile error with its text and line.

#include <gtest/gtest.h>

#include "compiler_test_support.h"

namespace ondrix::script {
namespace {

using testing::compileError;
using testing::syntaxError;

// Host routines used by the cases: a function, a procedure, routines with each parameter type
// code, and a routine of an unsupported kind and code.
HostTables makeHost() {
  HostTables host;
  host.routines.add({"NOW", "", RoutineKind::Function, {}, {}, {}});
  host.routines.add({"BEEPER", "", RoutineKind::Procedure, {}, {}, {}});
  host.routines.add({"FORMAT", "", RoutineKind::Function, {kParamValue, kParamArray}, {}, {}});
  host.routines.add({"ITEMS", "", RoutineKind::Procedure, {kParamValue, kParamAssigned}, {}, {}});
  host.routines.add({"ODD", "", RoutineKind::Procedure, {2}, {}, {}});
  host.routines.add({"EARLY", "", RoutineKind::Procedure, {kParamAssigned, kParamValue}, {}, {}});
  host.routines.add({"STRANGE", "", static_cast<RoutineKind>(2), {}, {}, {}});
  host.routines.add({"INC", "", RoutineKind::Procedure, {kParamVar}, {}, {}});
  host.constants.add("PI", ScriptValue::real(3.14159));
  host.constants.add("CASH", ScriptValue::currency(12345));
  return host;
}

struct Case {
  const char* source;
  int line;
  const char* text;
};

// Declarations.
const Case kDeclarationCases[] = {
    {"program ; begin end.", 1, "Program name expected"},
    {"program p\nbegin end.", 2, "Operator delimeter expected"},
    {"unit 5;", 1, "Program name expected"},
    {"label a, a;", 1, "Label <A> already defined"},
    {"label 1;", 1, "Label name expected"},
    {"label a b;", 1, "Comma or delimeter expected"},
    {"var x: Integer;\n    x: Integer;", 2, "Variable <X> already defined"},
    {"var x, x: Integer;", 1, "Variable <X> already defined"},
    {"var pi: Integer;", 1, "Variable name expected"},
    {"var x Integer;", 1, "Error in variable declaration block"},
    {"var x: Integer\nbegin end.", 2, "Operator delimeter expected"},
    {"var x: Integer;", 1, "Variable name expected"},  // groups continue until a keyword
    {"const x = 1;", 1, "Error in declaration block"},
    {"x: Integer;", 1, "Error in declaration block"},
    {"", 1, "Error in declaration block"},
    {"uses ;", 1, "Identifier expected"},
    {"procedure ;", 1, "Identifier expected"},
    {"procedure TFoo.;", 1, "Identifier expected"},
    {"procedure P(x);", 1, "Method declaration error"},
    {"procedure P(x, 1: Integer);", 1, "Method parameters declaration error"},
    {"procedure P(1: Integer);", 1, "Method parameters declaration error"},
    {"procedure P();", 1, "Method parameters declaration error"},
    {"procedure P(x: Integer\nbegin end;", 2, ") expected"},
    {"procedure P begin end;", 1, "Operator delimeter expected"},
    {"procedure P; virtual begin end;", 1, "Operator delimeter expected"},
    {"procedure P; forward\nbegin end.", 2, "Operator delimeter expected"},
    {"procedure P; begin end\nbegin end.", 2, "Operator delimeter expected"},
    {"type TFoo;", 1, "TFOO declaration  error"},
    {"type TFoo = Integer;", 1, "Only class declarations allowed"},
    {"type TFoo = class(1);", 1, "Parent name expected"},
    {"type TFoo = class(TBar;", 1, ") Expected"},
    {"type TFoo = class\n property X: Integer; end;", 2, "Properties not implemented"},
    {"type TFoo = class x: Integer; end begin end.", 1, "Operator delimeter expected"},
    {"type TFoo = class x: Integer;", 1, "END expected"},
    {"var x: Integer; type TFoo = class x: Integer; end;", 1, "Variable <X> already defined"},
};

// Statements.
const Case kStatementCases[] = {
    {"begin\n  x := 1\nend.", 2, "Variable <X> not defined"},
    {"var x: Integer;\nbegin\n  x := 1;\n", 4, "END expected"},
    {"var x: Integer;\nbegin x := 1 < 2 < 3; end.", 2, "Operator delimeter expected"},
    {"var x: Integer;\nbegin repeat if x = 1 then x := 2 until x = 2 end.", 2, "ELSE expected"},
    {"var x: Integer; begin if x = 1 then x := 1 x := 2 end.", 1, "ELSE expected"},
    {"var x: Integer; begin if x x := 1 end.", 1, "THEN expected"},
    {"var x: Integer; begin while x x := 1 end.", 1, "DO expected"},
    {"var x: Integer; begin repeat x := 1;", 1, "UNTIL Expected"},
    {"var x: Integer; begin repeat x := 1", 1, "Operator delimeter expected"},
    {"var x: Integer; begin repeat x := 1 end.", 1, "Unknown identifier: END"},
    {"var i: Integer; begin for i := 1 to 3 do ; end.", 1, "Unknown identifier: 0"},
    {"begin for 1 := 1 to 2 do end.", 1, "Variable name expected"},
    {"begin for y := 1 to 2 do end.", 1, "Variable <Y> not defined"},
    {"var i: Integer; begin for i = 1 to 2 do end.", 1, "Colon expected"},
    {"var i: Integer; begin for i : 1 to 2 do end.", 1, "= expected"},
    {"var i: Integer; begin for i := 1 of 2 do i := 1 end.", 1, "TO or DOWNTO expected"},
    {"var i: Integer; begin for i := 1 to 2 i := 1 end.", 1, "DO expected"},
    {"begin goto 1 end.", 1, "Label name expected"},
    {"begin goto x end.", 1, "Label <X> not defined"},
    {"begin\nx: end.", 2, "Label <X> not defined"},
    {"label L;\nbegin L: end.", 2, "Link Error"},
    {"label L;\nbegin goto L end.", 2, "Link Error"},
    {"begin foo end.", 1, "Unknown identifier: FOO"},
    {"begin 5 end.", 1, "Unknown identifier: 5"},
    {"begin pi end.", 1, "Unknown identifier: 0"},  // a constant token's value is its position
    {"var x, y: Integer; begin x := 1 y := 2 end.", 1, "Operator delimeter expected"},
    {"var x: Integer; begin x; end.", 1, "Variable Result not found for X"},
    // A nested procedure named Result takes the place of its parent's result variable.
    {"procedure P; procedure Result; begin end; begin end;\nbegin P end.", 2,
     "Variable Result not found for P"},
    {"begin x.; end.", 1, "Identifier expected"},
};

// Expressions and calls.
const Case kExpressionCases[] = {
    {"var x: Integer; begin x := 1.a end.", 1, "Real constant declaration error"},
    {"var x: Integer; begin x := $ x end.", 1, "Hex constant declaration error"},
    {"var x: Integer; begin x := 'a' # 'b' end.", 1, "String constant declaration error"},
    {"var x: Integer; begin x := (1 + 2; end.", 1, ") expected"},
    {"var x: Integer; begin x := [1, 2; end.", 1, "] expected but 0 found"},
    {"function F: Integer; begin Result := 1 end;\nvar x: Integer;\nbegin F; x := F; end.", 3,
     "Invalid procedure usage"},
    {"procedure P(a: Integer); begin end;\nbegin P end.", 2, "( expected"},
    {"procedure P(a, b: Integer); begin end;\nbegin P(1 2) end.", 2, "Comma expected"},
    {"procedure P(a: Integer); begin end;\nbegin P(1, 2) end.", 2, ") expected"},
    {"procedure P(var a: Integer); begin end;\nbegin P(1) end.", 2, "Variable name expected"},
    {"procedure P(var a: Integer); begin end;\nbegin P(q) end.", 2, "Variable <Q> not defined"},
    {"procedure P; forward;\nbegin\n  P\nend.", 3, "Procedure P has no body"},
    {"var x: Integer; begin x := Now(); end.", 1, "Operator delimeter expected"},
    {"var x: Integer; begin x := Beeper end.", 1, "Invalid procedure usage"},
    {"var x: Integer; begin x := Strange end.", 1, "Invalid procedure usage"},
    {"begin Strange end.", 1, "Invalid function usage"},
    {"begin Odd(1) end.", 1, "Unsupported parameter type"},
    {"begin Early(1) := 2 end.", 1, "Unsupported parameter type"},
    {"begin Format 'x' end.", 1, "( expected"},
    {"begin Format('x' [1]) end.", 1, "Comma expected"},
    {"begin Format('x', 1) end.", 1, "[ expected but 1 found"},
    {"begin Format('x', (1)) end.", 1, "[ expected but 0 found"},
    {"begin Format('x', [1) end.", 1, "] expected but 0 found"},
    {"begin Format('x', [1] end.", 1, ") expected"},
    {"begin Items(1) = 2 end.", 1, "Colon expected"},
    {"begin Items(1) : 2 end.", 1, "= expected"},
    {"begin Inc(5) end.", 1, "Variable name expected"},
    {"var x: Integer; begin x := Cash end.", 1, "Unknown variable type during writing program"},
    {"begin x.y := 1 end.", 1, "Variable <X.Y> not defined"},
};

// Lexer errors reach the caller through the same frame.
const Case kLexerCases[] = {
    {"begin\n{ open", 2, "Unexpected EOF in comment block"},
    {"var x: Integer; begin\n x := 'open", 2, "Unexpected EOF in string constant declaration"},
    {"var x!: Integer;", 1, "Bad identifier name <X!>"},
    {"var x: Integer; begin x := 12AB end.", 1, "Bad identifier <12AB>"},
};

void runCases(const Case* begin, const Case* end) {
  const HostTables host = makeHost();
  for (const Case* c = begin; c != end; ++c)
    EXPECT_EQ(compileError(c->source, host), syntaxError(c->line, c->text)) << c->source;
}

TEST(CompilerErrors, Declarations) { runCases(std::begin(kDeclarationCases), std::end(kDeclarationCases)); }
TEST(CompilerErrors, Statements) { runCases(std::begin(kStatementCases), std::end(kStatementCases)); }
TEST(CompilerErrors, Expressions) { runCases(std::begin(kExpressionCases), std::end(kExpressionCases)); }
TEST(CompilerErrors, Lexer) { runCases(std::begin(kLexerCases), std::end(kLexerCases)); }

TEST(CompilerErrors, TheFrameHasTwoBlanksACrLfAndAFullStop) {
  EXPECT_EQ(compileError("begin\n\n\n\n\n\n\n\n\n\n\n", HostTables{}),
            "Syntax error in  (12): \r\nEND expected.");
}

TEST(CompilerErrors, DeepNestingIsRejectedNotOverflowed) {
  const std::string deep = "var x: Integer; begin x := " + std::string(100000, '(') + "1 end.";
  EXPECT_EQ(compileError(deep, HostTables{}), syntaxError(1, "Nesting too deep"));
  std::string blocks = "begin ";
  for (int i = 0; i < 100000; ++i) blocks += "begin ";
  EXPECT_EQ(compileError(blocks, HostTables{}), syntaxError(1, "Nesting too deep"));
  // A reasonable depth compiles.
  EXPECT_EQ(compileError("var x: Integer; begin x := " + std::string(50, '(') + "1" +
                             std::string(50, ')') + " end.",
                         HostTables{}),
            "(compiled)");
}

TEST(CompilerErrors, MoreThanTheSlotsIsRejected) {
  auto declare = [](int count) {
    std::string source = "var ";
    for (int i = 1; i < count; ++i) source += "v" + std::to_string(i) + ", ";
    return source + "v0: Integer;\n";
  };
  EXPECT_EQ(compileError(declare(1001) + "begin end.", HostTables{}), "(compiled)");
  EXPECT_EQ(compileError(declare(1002) + "begin end.", HostTables{}),
            syntaxError(1, "Too many variables"));
  // 1001 variables leave no slot for a temporary.
  EXPECT_EQ(compileError(declare(1001) + "begin v0 := v1 end.", HostTables{}),
            syntaxError(2, "Too many variables"));
}

}  // namespace
}  // namespace ondrix::script
