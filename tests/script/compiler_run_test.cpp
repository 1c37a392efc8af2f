// Scripts compiled, written, read back and run on the machine; the results are read from the
// variables' slots.

#include <gtest/gtest.h>

#include <memory>

#include "compiler_test_support.h"
#include "script/value_text.h"

namespace ondrix::script {
namespace {

using testing::compileScript;

class ScriptRun {
 public:
  ScriptRun(std::string_view source, HostTables& host, const tobjcollect* objects = nullptr)
      : compiled_(compileScript(source, host, objects)),
        program_(std::make_unique<TBinProg>(compiled_.bytes, host)) {
    program_->run();
  }
  explicit ScriptRun(std::string_view source) : ScriptRun(source, emptyHost()) {}

  // The value of the variable `name` (a table key such as "X" or "P.RESULT").
  const ScriptValue& operator[](std::string_view name) const {
    const TIdentListItem* item = compiled_.identifiers.find(name);
    if (item == nullptr) throw std::runtime_error("no variable " + std::string(name));
    return program_->slot(item->value);
  }
  std::int32_t integer(std::string_view name) const { return (*this)[name].toInteger(); }
  std::string text(std::string_view name) const { return (*this)[name].toText(); }

 private:
  static HostTables& emptyHost() {
    static HostTables host;
    return host;
  }
  testing::Compiled compiled_;
  std::unique_ptr<TBinProg> program_;
};

TEST(CompilerRun, EmptyPrograms) {
  EXPECT_NO_THROW(ScriptRun("begin end."));
  EXPECT_NO_THROW(ScriptRun("end."));
  EXPECT_NO_THROW(ScriptRun("program p; begin end"));
}

TEST(CompilerRun, ArithmeticAndPrecedence) {
  ScriptRun r(
      "var a, b, c, d, e, f, g, h: Integer;\n"
      "begin\n"
      "  a := 2 + 3 * 4;  b := (2 + 3) * 4;  c := 7 div 2 - -1;  d := 17 mod 5 shl 2;\n"
      "  e := 1 + 2 = 3;  f := not 0;  g := $1F + 0x10 + $0A;  h := 10 - 2 - 3;\n"
      "end.");
  EXPECT_EQ(r.integer("A"), 14);
  EXPECT_EQ(r.integer("B"), 20);
  EXPECT_EQ(r.integer("C"), 4);
  EXPECT_EQ(r.integer("D"), 8);
  EXPECT_TRUE(r["E"].toBoolean());
  EXPECT_EQ(r.integer("F"), -1);
  EXPECT_EQ(r.integer("G"), 0x1F + 0x10 + 0x0A);
  EXPECT_EQ(r.integer("H"), 5);
}

TEST(CompilerRun, LiteralsOfEveryKind) {
  ScriptRun r(
      "var s, t, u, x, y, z, big: Integer;\n"
      "begin s := 'it''s'#13#10\"x\"; t := #65; u := 'a' + 'b'; x := 3.25; y := True; z := Nil;\n"
      "  big := 3000000000 end.");
  EXPECT_EQ(r.text("S"), "its\r\nx");
  EXPECT_EQ(r.text("T"), "A");
  EXPECT_EQ(r.text("U"), "ab");
  EXPECT_EQ(r["X"].kind(), ValueKind::Real);
  EXPECT_DOUBLE_EQ(r["X"].realValue(), 3.25);
  EXPECT_TRUE(r["Y"].toBoolean());
  EXPECT_EQ(r.integer("Z"), 0);
  EXPECT_DOUBLE_EQ(r["BIG"].toReal(), 3000000000.0);
}

TEST(CompilerRun, ControlFlow) {
  ScriptRun r(
      "label again, done;\n"
      "var i, n, sum, w, rep, g: Integer;\n"
      "begin\n"
      "  sum := 0; n := 3;\n"
      "  for i := 1 to n do begin sum := sum + i; n := 5 end;\n"  // the limit is re-evaluated
      "  w := 0; while w < 10 do w := w + 3;\n"
      "  rep := 0; repeat rep := rep + 1; until rep >= 4;\n"
      "  g := 0;\n"
      "again:\n"
      "  g := g + 1;\n"
      "  if g < 3 then goto again else goto done;\n"
      "  g := 100;\n"
      "done:\n"
      "end.");
  EXPECT_EQ(r.integer("SUM"), 15);
  EXPECT_EQ(r.integer("I"), 6);  // limit + 1
  EXPECT_EQ(r.integer("W"), 12);
  EXPECT_EQ(r.integer("REP"), 4);
  EXPECT_EQ(r.integer("G"), 3);
}

TEST(CompilerRun, ForLoopsBodyAndDownToEndValue) {
  ScriptRun r(
      "var i, c: Integer;\n"
      "begin c := 0; for i := 3 downto 1 do c := c * 10 + i; end.");
  EXPECT_EQ(r.integer("C"), 321);
  EXPECT_EQ(r.integer("I"), 0);
}

TEST(CompilerRun, IfElseChains) {
  ScriptRun r(
      "var x, a, b: Integer;\n"
      "begin\n"
      "  x := 2;\n"
      "  if x = 1 then a := 10 else if x = 2 then a := 20 else a := 30;\n"
      "  if x > 5 then b := 1;\n"
      "  if 0 then b := 2 else b := 3\n"
      "end.");
  EXPECT_EQ(r.integer("A"), 20);
  EXPECT_EQ(r.integer("B"), 3);
}

TEST(CompilerRun, ProceduresFunctionsAndVarParameters) {
  ScriptRun r(
      "var x, y, z: Integer;\n"
      "function Twice(a: Integer): Integer;\n"
      "begin Result := a * 2 end;\n"
      "procedure Swap(var a, b: Integer);\n"
      "var t: Integer;\n"
      "begin t := a; a := b; b := t end;\n"
      "procedure NoArgs;\n"
      "begin z := z + 1 end;\n"
      "begin\n"
      "  x := 1 + Twice(2);\n"  // the caller's pending operand survives the call
      "  y := 7; Swap(x, y);\n"
      "  z := 0; NoArgs; NoArgs;\n"
      "end.");
  EXPECT_EQ(r.integer("X"), 7);
  EXPECT_EQ(r.integer("Y"), 5);
  EXPECT_EQ(r.integer("Z"), 2);
}

TEST(CompilerRun, RecursionSharesTheLocals) {
  // Each activation writes the same slots: after the inner calls return, N holds the innermost
  // value, so the outer activation sees 1.
  ScriptRun r(
      "var depth, seen: Integer;\n"
      "procedure Down(n: Integer);\n"
      "begin\n"
      "  depth := depth + 1;\n"
      "  if n > 1 then Down(n - 1);\n"
      "  seen := n\n"
      "end;\n"
      "begin depth := 0; Down(4) end.");
  EXPECT_EQ(r.integer("DEPTH"), 4);
  EXPECT_EQ(r.integer("SEEN"), 1);
  EXPECT_EQ(r.integer("DOWN.N"), 1);
}

TEST(CompilerRun, ForwardDeclarationsAndNestedProcedures) {
  ScriptRun r(
      "var log: Integer;\n"
      "procedure B(k: Integer); forward;\n"
      "procedure A(k: Integer);\n"
      "  procedure Inner;\n"
      "  begin log := log * 10 + 9 end;\n"
      "begin log := log * 10 + k; Inner; if k > 1 then B(k - 1) end;\n"
      "procedure B(k: Integer);\n"
      "begin log := log * 10 + k; A(k) end;\n"
      "begin log := 0; A(2) end.");
  EXPECT_EQ(r.integer("LOG"), 29119);
}

TEST(CompilerRun, ClassesFieldsAndMethods) {
  ScriptRun r(
      "type\n"
      "  TCounter = class(TObject)\n"
      "  private\n"
      "    count: Integer;\n"
      "  public\n"
      "    procedure Add(n: Integer);\n"
      "    function Value: Integer; virtual;\n"
      "  end;\n"
      "var v: Integer;\n"
      "procedure TCounter.Add(n: Integer);\n"
      "begin count := count + n end;\n"
      "function TCounter.Value: Integer;\n"
      "begin Result := count end;\n"
      "begin TCounter.count := 5; TCounter.Add(3); TCounter.Value; v := TCounter.count end.");
  EXPECT_EQ(r.integer("V"), 8);
  EXPECT_EQ(r.integer("TCOUNTER.VALUE.RESULT"), 8);
}

TEST(CompilerRun, ArrayConstructorHoldsItsCountFirst) {
  ScriptRun r("var x: Integer; begin x := [1, 'two', 3.5] end.");
  const ScriptValue& x = r["X"];
  ASSERT_TRUE(x.isArray());
  ASSERT_EQ(x.arraySize(), 4u);
  EXPECT_EQ(x.element(0).toInteger(), 3);
  EXPECT_EQ(x.element(1).toInteger(), 1);
  EXPECT_EQ(x.element(2).toText(), "two");
  EXPECT_DOUBLE_EQ(x.element(3).toReal(), 3.5);
}

TEST(CompilerRun, VariableDeclaredAfterABodyKeepsItsValue) {
  ScriptRun r(
      "procedure P;\n"
      "var a: Integer;\n"
      "begin a := 1 + 2 * 3 end;\n"
      "var late: Integer;\n"
      "begin late := 42; P end.");
  EXPECT_EQ(r.integer("LATE"), 42);
}

}  // namespace
}  // namespace ondrix::script
