// Scripts run end to end through THalComp with the whole library registered: script text in,
// messages, Result and error text out.

#include <gtest/gtest.h>

#include <cstdio>
#include <sstream>

#include "platform/headless/answer_dialogs.h"
#include "platform/services.h"
#include "script/compiler_error.h"
#include "script/hal_comp.h"
#include "script/hal_event.h"
#include "script/internal_var.h"
#include "script/script_engine.h"
#include "script/script_error.h"

namespace ondrix::script {
namespace {

struct Outcome {
  std::string output;  // the script's messages, one line each
  std::string error;   // the text of the error that ended the run, or ""
};

// Runs scripts with the engine set up and the messages captured.
class Harness {
 public:
  explicit Harness(const std::string& answers = "")
      : answers_(answers), out_(std::tmpfile()), dialogs_(&answers_, out_), scope_({nullptr, nullptr, nullptr, nullptr, &dialogs_}) {}
  ~Harness() { std::fclose(out_); }

  Outcome run(THalComp& comp) {
    Outcome o;
    try {
      comp.prepare("MainForm", &mainForm);
      comp.run();
    } catch (const std::exception& e) {
      o.error = e.what();
    }
    o.output = takeOutput();
    return o;
  }
  Outcome run(std::string_view script) {
    THalComp comp;
    comp.setScriptText(script);
    return run(comp);
  }

  std::string takeOutput() {
    std::fflush(out_);
    std::rewind(out_);
    std::string text;
    char buffer[256];
    std::size_t n;
    while ((n = std::fread(buffer, 1, sizeof buffer, out_)) > 0) text.append(buffer, n);
    std::fclose(out_);
    out_ = std::tmpfile();
    dialogs_ = platform::AnswerDialogs(&answers_, out_);
    return text;
  }

  ScriptEngine engine;
  TComponent mainForm{nullptr, "TMainForm", "MainForm"};

 private:
  std::istringstream answers_;
  std::FILE* out_;
  platform::AnswerDialogs dialogs_;
  platform::ScopedServices scope_;
};

std::string syntaxError(int line, std::string_view text) {
  return "Syntax error in  (" + std::to_string(line) + "): \r\n" + std::string(text) + ".";
}

TEST(HalCompScripts, TextInOutputAndErrorsOut) {
  struct Case {
    const char* script;
    const char* output;
    std::string error;
  };
  const Case cases[] = {
      {"begin ShowMessage('Hello') end.", "Hello\n", ""},
      {"begin ShowMessage(Format('%s=%d', ['x', 5])) end.", "x=5\n", ""},
      {"begin ShowMessage(Copy('abcdef', 2, 3) + IntToStr(Pos('cd', 'abcdef'))) end.", "bcd3\n", ""},
      {"var s: Variant; begin s := 'abc'; Insert('X', s, 2); Delete(s, 4, 1); ShowMessage(s) end.", "aXb\n", ""},
      {"var v, c: Variant; begin Val('12a', v, c); ShowMessage(c); Val('12.5', v, c); ShowMessage(v * 2) end.", "3\n25\n", ""},
      {"var v, c: Variant; begin Val('1e400', v, c); ShowMessage(c) end.", "5\n", ""},
      {"var s: Variant; begin Str(1, s); ShowMessage(s) end.", " 1.00000000000000E+0000\n", ""},
      {"begin ShowMessage(IntToHex(255, 4) + UPCASE('hello') + IntToStr(Length(123))) end.", "00FFH3\n", ""},
      {"begin ShowMessage(FormatFloat('#,##0.00', 1234.5)) end.", "1,234.50\n", ""},
      {"begin ShowMessage(DateToStr(EncodeDate(2000, 1, 2))) end.", "1/2/2000\n", ""},
      {"var y, m, d: Variant; begin DecodeDate('12/25/2001', y, m, d); ShowMessage(Format('%d-%d-%d', [y, m, d])) end.",
       "2001-12-25\n", ""},
      {"begin ShowMessage(FloatToStr(pi)) end.", "3.14159265358979\n", ""},
      {"begin ShowMessage(mbMiddle + ssDouble + qrBandSizeChange) end.", "10\n", ""},
      {"begin ShowMessage('a'); StrToInt('x'); ShowMessage('b') end.", "a\n", "'x' is not a valid integer value"},
      {"begin EncodeDate(2001, 2, 29) end.", "", "Invalid argument to date encode"},
      {"begin ShowMessage(Format('%d', ['x'])) end.", "", "Format '%d' invalid or incompatible with argument"},
      {"begin Length('a' * 2) end.", "", "Invalid variant type conversion"},
      {"begin NoSuchRoutine end.", "", syntaxError(1, "Unknown identifier: NOSUCHROUTINE")},
      {"begin ShowMessage(IntToStr(Length(Result))) end.", "0\n", ""},
      {"begin ShowMessage(MainForm = Self) end.", "", syntaxError(1, "Unknown identifier: SELF")},
  };
  Harness h;
  for (const Case& c : cases) {
    const Outcome o = h.run(c.script);
    EXPECT_EQ(o.output, c.output) << c.script;
    EXPECT_EQ(o.error, c.error) << c.script;
  }
}

TEST(HalCompScripts, InputDialogsTakeAnswersInOrder) {
  Harness h("Ann\nBob\n");
  const Outcome o = h.run(
      "var s, ok: Variant; begin\n"
      "  ShowMessage(INPUTBOX('T', 'Name?', 'none'));\n"
      "  s := 'keep'; ok := INPUTQUERY('T', 'P', s); ShowMessage(s + ' ' + IntToStr(ok));\n"
      "  s := 'keep'; ok := INPUTQUERY('T', 'P', s); ShowMessage(s + ' ' + IntToStr(ok));\n"
      "  ShowMessage(INPUTBOX('T', 'Name?', 'none'));\n"
      "end.");
  EXPECT_EQ(o.error, "");
  EXPECT_EQ(o.output, "Ann\nBob -1\nkeep 0\nnone\n");
}

TEST(HalCompBinding, ResultOutlivesTheRun) {
  Harness h;
  EXPECT_EQ(h.run("begin Result := 6 * 7 end.").error, "");
  EXPECT_TRUE(internalVar().result().identical(ScriptValue::integer(42)));
  EXPECT_EQ(h.run("begin ShowMessage(Result + 1) end.").output, "43\n");
}

TEST(HalCompBinding, ExpressionBecomesAThreeLineScript) {
  Harness h;
  THalComp comp;
  comp.setExpression("1+1");
  EXPECT_EQ(comp.script(), (std::vector<std::string>{"begin", "Result:=1+1;", "end."}));
  comp.setExpression("'a' + 'b';");
  EXPECT_EQ(comp.script(), (std::vector<std::string>{"begin", "Result:='a' + 'b';", "end."}));
  EXPECT_EQ(h.run(comp).error, "");
  EXPECT_TRUE(internalVar().result().identical(ScriptValue::string("ab")));
  comp.setExpression("");
  EXPECT_EQ(comp.script()[1], "Result:='a' + 'b';");
  EXPECT_TRUE(comp.changed());
}

TEST(HalCompBinding, CompileBeforeRunAndRecompileOnlyOnChange) {
  Harness h;
  THalComp comp;
  try {
    comp.run();
    ADD_FAILURE() << "run without prepare";
  } catch (const EScriptError& e) {
    EXPECT_STREQ(e.what(), "Compile before run");
  }
  comp.setScriptText("var n: Variant; begin n := n + 1; Result := n end.");
  EXPECT_EQ(h.run(comp).error, "");
  THalRuner* first = comp.runner();
  ASSERT_NE(first, nullptr);
  EXPECT_TRUE(first->compiled());
  EXPECT_EQ(h.run(comp).error, "");
  EXPECT_EQ(comp.runner(), first);  // not rebuilt: the program kept its variable
  EXPECT_EQ(internalVar().result().toInteger(), 2);
  comp.setScriptText("var n: Variant; begin n := n + 1; Result := n * 10 end.");
  EXPECT_EQ(h.run(comp).error, "");
  EXPECT_EQ(internalVar().result().toInteger(), 10);  // a new runner, a fresh program
}

TEST(HalCompBinding, ErrorsLeaveTheComponentUsable) {
  Harness h;
  THalComp comp;
  comp.setScriptText("var n: Variant; begin n := n + 1; ShowMessage(n); if n = 1 then StrToInt('bad') end.");
  EXPECT_EQ(h.run(comp).error, "'bad' is not a valid integer value");
  const Outcome again = h.run(comp);
  EXPECT_EQ(again.error, "");
  EXPECT_EQ(again.output, "2\n");
  comp.setScriptText("begin x := end.");
  EXPECT_NE(h.run(comp).error.find("Syntax error in  (1)"), std::string::npos);
  EXPECT_NE(h.run(comp).error.find("Syntax error in  (1)"), std::string::npos);  // still not compiled
}

TEST(HalCompBinding, ObjectsNamedForTheScript) {
  Harness h;
  TComponent form(nullptr, "TForm1", "Form1");
  TComponent button(&form, "TButton", "Button1");
  THalComp comp(&form);
  comp.setScriptText(
      "begin ShowMessage(MainForm); ShowMessage(Self); ShowMessage(Button1); ShowMessage(Screen);"
      " ShowMessage(Application) end.");
  const Outcome o = h.run(comp);
  EXPECT_EQ(o.error, "");
  const std::string expected = std::to_string(h.mainForm.handle()) + "\n" + std::to_string(form.handle()) + "\n" +
                               std::to_string(button.handle()) + "\n" + std::to_string(hostScreen().handle()) + "\n" +
                               std::to_string(hostApplication().handle()) + "\n";
  EXPECT_EQ(o.output, expected);
  EXPECT_NE(form.handle(), button.handle());
  EXPECT_EQ(objectHandles().find(button.handle()), &button);
}

TEST(HalCompBinding, HandlesOfFreedObjectsFindNothing) {
  std::int32_t handle = 0;
  {
    TComponent temporary(nullptr, "TThing", "Thing");
    handle = temporary.handle();
    EXPECT_EQ(objectHandles().find(handle), &temporary);
  }
  EXPECT_EQ(objectHandles().find(handle), nullptr);
  TComponent next(nullptr, "TThing", "Thing");
  EXPECT_NE(next.handle(), handle);
}

TEST(HalCompBinding, ComponentVariablesAndControlLink) {
  Harness h;
  class Clicker : public TComponent {
   public:
    Clicker() : TComponent(nullptr, "TButton", "Button1") { defineNotifyEvent("OnClick"); }
    void click() { fireNotify("OnClick"); }
  } clicker;
  ScriptValue counter = ScriptValue::integer(5);
  {
    THalComp comp;
    comp.setName("Comp1");
    comp.VarNameTOID = [](std::string_view name) { return name == "COUNTER" || name == "Counter" ? 0 : -1; };
    comp.GetVar = [&](std::int32_t) { return counter; };
    comp.SetVar = [&](std::int32_t, const ScriptValue& v) { counter = v; };
    comp.setControlLink(&clicker);
    comp.setEventLink("OnClick");
    comp.setScriptText("begin Counter := Counter + 1; ShowMessage(Sender) end.");
    comp.loaded();
    clicker.click();
    clicker.click();
    EXPECT_EQ(counter.toInteger(), 7);
    const std::string sender = std::to_string(clicker.handle()) + "\n";
    EXPECT_EQ(h.takeOutput(), sender + sender);
    // Another component does not see Comp1's variables.
    EXPECT_NE(h.run("begin Counter := 1 end.").error, "");
  }
  EXPECT_EQ(hostTables().providers.resolve("Counter", nullptr).found(), false);
  clicker.click();  // the component is gone: nothing runs
  EXPECT_EQ(counter.toInteger(), 7);
}

TEST(HalCompBinding, ControlLinkToAFreedComponentReadsEmpty) {
  Harness h;
  THalComp comp;
  {
    TComponent gone(nullptr, "TButton", "Button9");
    comp.setControlLink(&gone);
    comp.setEventLink("OnClick");
    EXPECT_EQ(comp.controlLink(), &gone);
  }
  EXPECT_EQ(comp.controlLink(), nullptr);
  EXPECT_EQ(comp.eventLink(), "");
}

TEST(HalEventForwarding, SenderValuesAndVarValues) {
  Harness h;
  TComponent form(nullptr, "TForm1", "Form1_2");
  THalRuner runner(
      "var log: Variant;\n"
      "procedure FormClose(Sender: TObject; var Action: Integer);\n"
      "begin log := Sender; Action := Action + 5 end;\n"
      "procedure Ignored; begin end;\n"
      "begin end.",
      nullptr);
  runner.keepIdentifiers = true;
  runner.execute();
  THalEvent event(runner, "FormClose", &form);
  std::vector<ScriptValue> values{ScriptValue::integer(2)};
  event.fire(*eventTypes().find("TCloseEvent"), &form, values);
  EXPECT_EQ(values[0].toInteger(), 7);
  EXPECT_EQ(runner.program()->slot(runner.identifiers().find("LOG")->value).toInteger(), form.handle());

  THalEvent missing(runner, "NoSuchHandler", &form);
  try {
    missing.fire(*eventTypes().find("TNotifyEvent"), &form, values);
    ADD_FAILURE() << "missing procedure";
  } catch (const EScriptError& e) {
    EXPECT_STREQ(e.what(), "Procedure NoSuchHandler not found");
  }
}

TEST(HalEventForwarding, EventTypeTable) {
  const EventType* drag = eventTypes().find("TDragOverEvent");
  ASSERT_NE(drag, nullptr);
  EXPECT_EQ(drag->values.size(), 5u);
  EXPECT_TRUE(drag->values[4].isVar);
  EXPECT_FALSE(eventTypes().find("THelpEvent")->hasSender);
  EXPECT_FALSE(eventTypes().find("TQRFilterEvent")->hasSender);
  EXPECT_EQ(eventTypes().all().size(), 24u);
}

TEST(ScriptEngineUse, TablesSetUpOnceAndClearedByTheLastUse) {
  HostTables tables;
  {
    ScriptEngine first(tables);
    const int routines = tables.routines.size();
    EXPECT_GT(routines, 30);
    EXPECT_GE(tables.constants.find("PI"), 0);
    EXPECT_TRUE(tables.providers.resolve("result", nullptr).found());
    EXPECT_TRUE(tables.classes.knows("THalComp"));
    {
      ScriptEngine second(tables);
      EXPECT_EQ(ScriptEngine::useCount(), 2);
      EXPECT_EQ(tables.routines.size(), routines);
    }
    EXPECT_EQ(tables.routines.size(), routines);
  }
  EXPECT_EQ(tables.routines.size(), 0);
  EXPECT_EQ(tables.constants.size(), 0);
}

}  // namespace
}  // namespace ondrix::script
