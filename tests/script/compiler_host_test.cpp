// Scripts that use the host: routines with each parameter type code, NAME_VET and NAME_SET,
// object names and object contexts, the class-parent walk, dynamic variables and constants.

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "compiler_test_support.h"

namespace ondrix::script {
namespace {

using testing::codeLines;
using testing::compileScript;

// A host whose routines record what they were called with.
struct RecordingHost {
  HostTables host;
  std::vector<std::string> calls;  // "MEMBER object arg0 arg1 ..." as text
  std::map<std::int32_t, ScriptValue> dynamic;
  tobjcollect objects;

  RecordingHost() {
    auto record = [this](std::int32_t object, std::string_view member, ParamCells& cells,
                         ScriptValue& result, int) {
      std::string line = std::string(member) + " " + std::to_string(object);
      for (const ScriptValue& cell : cells) {
        if (cell.isEmpty()) break;
        line += " " + (cell.isArray() ? "[" + std::to_string(cell.arraySize()) + "]" : cell.toText());
      }
      calls.push_back(line);
      cells.fill(ScriptValue());  // cells keep their values between calls; start the next one clean
      result = ScriptValue::integer(static_cast<std::int32_t>(calls.size()));
    };
    auto add = [&](const char* name, RoutineKind kind, std::vector<std::uint8_t> codes,
                   HostHandler handler) {
      host.routines.add({name, "", kind, std::move(codes), {}, std::move(handler)});
    };
    add("SHOW", RoutineKind::Procedure, {kParamValue}, record);
    add("SHOW_VET", RoutineKind::Procedure, {kParamValue, kParamValue}, record);
    add("FORMAT", RoutineKind::Function, {kParamValue, kParamArray}, record);
    add("SUM", RoutineKind::Function, {kParamArray}, [this](std::int32_t, std::string_view,
                                                             ParamCells& cells, ScriptValue& result, int) {
      std::int32_t total = 0;
      for (std::size_t i = 1; i < cells[0].arraySize(); ++i) total += cells[0].element(i).toInteger();
      result = ScriptValue::integer(total);
      calls.push_back("SUM");
    });
    add("BUMP", RoutineKind::Procedure, {kParamValue, kParamVar},
        [](std::int32_t, std::string_view, ParamCells& cells, ScriptValue&, int) {
          cells[1] = ScriptValue::integer(cells[1].toInteger() + cells[0].toInteger());
        });
    add("PUT", RoutineKind::Procedure, {kParamValue, kParamAssigned}, record);
    add("MANY", RoutineKind::Procedure,
        {kParamValue, kParamValue, kParamValue, kParamValue, kParamValue}, record);
    add("TCONTROL.CAPTION_SET", RoutineKind::Procedure, {kParamValue}, record);
    add("TCONTROL.CAPTION", RoutineKind::Function, {}, record);
    add("TFORM.CLOSE", RoutineKind::Procedure, {}, record);
    host.classes.add("TCONTROL");
    host.classes.add("TFORM", "TCONTROL");
    host.constants.add("MBLEFT", ScriptValue::integer(7));
    host.providers.add({"__InternalVar", nullptr,
                        [](std::string_view name) { return name == "RESULT" ? 0 : -1; },
                        [this](std::int32_t id) { return dynamic[id]; },
                        [this](std::int32_t id, const ScriptValue& v) { dynamic[id] = v; }});
    objects.add("MainForm", "TForm", 77);
  }

  // Compiles and runs; returns the compiled program for inspection.
  testing::Compiled run(std::string_view source) {
    testing::Compiled compiled = compileScript(source, host, &objects);
    TBinProg program(compiled.bytes, host);
    program.run();
    return compiled;
  }
};

TEST(CompilerHost, StatementsTryTheVetNameFirst) {
  RecordingHost h;
  h.run("begin Show(1, 2) end.");
  EXPECT_THAT(h.calls, ::testing::ElementsAre("SHOW_VET 0 1 2"));
}

TEST(CompilerHost, ArrayParametersCarryTheirCount) {
  RecordingHost h;
  h.run("var x: Integer; begin x := Format('%d-%d', [1, 2]); x := Sum(4, 5, 6); x := Sum([1]); "
        "x := Format('none', []) end.");
  EXPECT_THAT(h.calls, ::testing::ElementsAre("FORMAT 0 %d-%d [3]", "SUM", "SUM", "FORMAT 0 none [1]"));
}

TEST(CompilerHost, VarParametersAreCopiedBack) {
  RecordingHost h;
  testing::Compiled c = compileScript("var n: Integer; begin n := 5; Bump(3, n) end.", h.host, &h.objects);
  TBinProg program(c.bytes, h.host);
  program.run();
  EXPECT_EQ(program.slot(c.identifiers.find("N")->value).toInteger(), 8);
}

TEST(CompilerHost, AssignedParameterFollowsTheBracket) {
  RecordingHost h;
  h.run("begin Put('key') := 'value' end.");
  EXPECT_THAT(h.calls, ::testing::ElementsAre("PUT 0 key value"));
}

TEST(CompilerHost, ArgumentsArePackedThreeToAWord) {
  RecordingHost h;
  const testing::Compiled c = h.run("begin Many(1, 2, 3, 4, 5) end.");
  EXPECT_THAT(h.calls, ::testing::ElementsAre("MANY 0 1 2 3 4 5"));
  // Five temporaries 0..4 hold the arguments: word one has them in opcode, A, B order.
  EXPECT_THAT(codeLines(c.image, h.host),
              ::testing::ElementsAre("JMP 0 0", "LOADK 0 0", "LOADK 1 1", "LOADK 2 2", "LOADK 3 3",
                                     "LOADK 4 4", "HCALL 5 " + std::to_string(h.host.routines.find("MANY")),
                                     "DATA 0 1 2", "DATA 3 4 0", "HALT 0 0"));
}

TEST(CompilerHost, ObjectNamesContextsAndTheParentWalk) {
  RecordingHost h;
  h.run(
      "var f: TForm; x: Integer;\n"
      "begin\n"
      "  MainForm.Caption := 'title';\n"  // TFORM.CAPTION_SET found through TCONTROL
      "  x := MainForm.Caption;\n"
      "  MainForm.Close;\n"
      "  f := MainForm;\n"
      "  f.Close;\n"  // a variable of a host class: the object comes from its slot
      "end.");
  EXPECT_THAT(h.calls, ::testing::ElementsAre("CAPTION_SET 77 title", "CAPTION 77", "CLOSE 77", "CLOSE 77"));
}

TEST(CompilerHost, AnObjectNameDeclaredAsVariableTakesNoSlot) {
  RecordingHost h;
  const testing::Compiled c = h.run("var MainForm: TForm; x: Integer; begin x := MainForm end.");
  EXPECT_EQ(c.identifiers.find("MAINFORM"), nullptr);
  EXPECT_EQ(c.identifiers.find("X")->value, 0);
}

TEST(CompilerHost, DynamicVariablesAndConstants) {
  RecordingHost h;
  h.run("begin Result := 6 * 7 + mbLeft end.");
  EXPECT_EQ(h.dynamic[0].toInteger(), 49);
  h.run("begin Result := Result + 1 end.");
  EXPECT_EQ(h.dynamic[0].toInteger(), 50);
}

TEST(CompilerHost, InsideAFunctionResultIsTheFunctionsOwn) {
  RecordingHost h;
  h.dynamic[0] = ScriptValue::integer(1000);
  h.run(
      "var x: Integer;\n"
      "function F(n: Integer): Integer;\n"
      "begin Result := 0; while n > 0 do begin Result := Result + n; n := n - 1 end end;\n"
      "begin x := F(4); Result := x end.");
  EXPECT_EQ(h.dynamic[0].toInteger(), 10);
}

}  // namespace
}  // namespace ondrix::script
