// ondrix-cli run and eval as a user calls them: script files in, standard output, standard error
// and exit status out.

#include <gtest/gtest.h>

#include <string>

#include "cli_runner.h"

namespace {

using ondrix::cli::testing::CliRunner;
using ondrix::cli::testing::Result;

class Cli : public ::testing::Test {
 protected:
  std::string write(const std::string& name, const std::string& text) { return runner_.write(name, text); }
  Result cli(const std::string& args) { return runner_.cli(args); }

  // Runs a script; without a --timeout of its own the run ends after 20 s (exit 124), so a script
  // that never ends fails its test instead of hanging it.
  Result run(const std::string& script, const std::string& options = "") {
    const std::string limit = options.find("--timeout") == std::string::npos ? "--timeout 20 " : "";
    return cli("run " + limit + options + " '" + write("script.oxs", script) + "'");
  }

  CliRunner runner_{"ondrix-cli-test"};
  const std::string& dir_ = runner_.dir();
};

TEST_F(Cli, RunScriptsTableDriven) {
  struct Case {
    const char* script;
    int status;
    const char* out;
    const char* err;
  };
  const Case cases[] = {
      {"begin ShowMessage('Hello, world') end.", 0, "Hello, world\n", ""},
      {"var i, s: Integer; begin s := 0; for i := 1 to 10 do s := s + i; ShowMessage(Format('sum=%d', [s])) end.", 0,
       "sum=55\n", ""},
      {"begin ShowMessage(MainForm > 0) end.", 0, "-1\n", ""},
      {"begin ShowMessage('before'); StrToInt('x1'); ShowMessage('after') end.", 1, "before\n",
       "'x1' is not a valid integer value\n"},
      {"begin ShowMessage(1 div 0) end.", 1, "", "Division by zero\n"},
      {"begin\n  ShowMessage('x')\n  ShowMessage('y')\nend.", 2, "", nullptr},
      {"begin Foo end.", 2, "", "Syntax error in  (1): \r\nUnknown identifier: FOO.\n"},
  };
  for (const Case& c : cases) {
    const Result r = run(c.script);
    EXPECT_EQ(r.status, c.status) << c.script;
    EXPECT_EQ(r.out, c.out) << c.script;
    if (c.err != nullptr) {
      EXPECT_EQ(r.err, c.err) << c.script;
    }
  }
}

TEST_F(Cli, AnswersFileFeedsInputDialogsThenCancels) {
  const std::string answers = write("answers.txt", "Alice\r\n");
  const Result r = run(
      "var s: String; begin ShowMessage(INPUTBOX('c', 'p', 'none')); s := 'old';"
      " if not INPUTQUERY('c', 'p', s) then ShowMessage('cancelled ' + s) end.",
      "--answers '" + answers + "'");
  EXPECT_EQ(r.status, 0) << r.err;
  EXPECT_EQ(r.out, "Alice\ncancelled old\n");
}

TEST_F(Cli, ArgumentsReachParamStr) {
  const std::string script = write("args.oxs", "begin ShowMessage(PARAMCOUNT); ShowMessage(PARAMSTR(2)) end.");
  const Result r = cli("run --timeout 20 '" + script + "' one two");
  EXPECT_EQ(r.status, 0) << r.err;
  EXPECT_EQ(r.out, "2\ntwo\n");
}

TEST_F(Cli, TimeoutEndsAnEndlessScript) {
  const Result r = run("begin while true do begin end end.", "--timeout 0.5");
  EXPECT_EQ(r.status, 124);
}

TEST_F(Cli, UsageErrors) {
  EXPECT_EQ(cli("run").status, 64);
  EXPECT_EQ(cli("run --timeout abc x.oxs").status, 64);
  EXPECT_EQ(cli("eval").status, 64);
  EXPECT_EQ(cli("run '" + dir_ + "/missing.oxs'").status, 1);
}

TEST_F(Cli, EvalPrintsResult) {
  struct Case {
    const char* expression;
    int status;
    const char* out;
  };
  const Case cases[] = {
      {"1+1", 0, "2\n"},
      {"6 * 7;", 0, "42\n"},
      {"'a' + 'b'", 0, "ab\n"},
      {"1 / 4", 0, "0.25\n"},
      {"1 = 1", 0, "-1\n"},
      {"Copy('abcdef', 2, 3)", 0, "bcd\n"},
      {"FormatFloat('0.00', 2.5)", 0, "2.50\n"},
      {"StrToInt('zz')", 1, ""},
      {"1 + * 2", 2, ""},
  };
  for (const Case& c : cases) {
    const Result r = cli(std::string("eval \"") + c.expression + "\"");
    EXPECT_EQ(r.status, c.status) << c.expression << " " << r.err;
    EXPECT_EQ(r.out, c.out) << c.expression;
  }
}

TEST_F(Cli, CompileKnowsTheLibrary) {
  const std::string script = write("lib.oxs", "begin ShowMessage(IntToStr(Length('abc'))) end.");
  EXPECT_EQ(cli("compile '" + script + "'").status, 0);
}

TEST_F(Cli, CompileReportsTheCompilersMessageExactly) {
  const std::string script = write("bad.oxs", "var x: Integer;\nbegin\n  x := 1 < 2 < 3;\nend.");
  const Result r = cli("compile '" + script + "'");
  EXPECT_EQ(r.status, 2);
  EXPECT_EQ(r.err, "Syntax error in  (3): \r\nOperator delimeter expected.\n");
  EXPECT_EQ(r.out, "");
  EXPECT_EQ(cli("compile '" + dir_ + "/missing.oxs'").status, 1);
  EXPECT_EQ(cli("compile").status, 64);
}

TEST_F(Cli, CompileListing) {
  const std::string script = write("list.oxs", "var x: Integer;\nbegin x := 'a' + MainForm end.");
  const Result r = cli("compile --listing '" + script + "'");
  EXPECT_EQ(r.status, 0) << r.err;
  EXPECT_NE(r.out.find("constants 2\n"), std::string::npos) << r.out;
  EXPECT_NE(r.out.find("labels 1\n  L0 -> 1\n"), std::string::npos) << r.out;
  EXPECT_NE(r.out.find("JMP     L0"), std::string::npos) << r.out;
  EXPECT_NE(r.out.find("HALT"), std::string::npos) << r.out;
  EXPECT_EQ(cli("compile '" + script + "'").out, "");  // without --listing nothing is printed
}

}  // namespace
