// The standard routines called directly, the way the machine calls host handlers.

#include <gtest/gtest.h>

#include <cstdio>
#include <sstream>
#include <vector>

#include "platform/headless/answer_dialogs.h"
#include "platform/services.h"
#include "script/value_text.h"
#include "std_test_support.h"

namespace ondrix::script::testing {
namespace {

struct Case {
  const char* routine;
  std::vector<ScriptValue> args;
  const char* expected;  // describe() of the result, or of the cell named by `cellOut`
  int cellOut = -1;
};

ScriptValue callVector(const Case& c) {
  HostTables& host = stdTables();
  const int number = host.routines.find(c.routine);
  EXPECT_GE(number, 0) << c.routine;
  ParamCells cells;
  for (std::size_t k = 0; k < c.args.size(); ++k) cells[k] = c.args[k];
  ScriptValue result;
  const TFunListItem& routine = host.routines.at(number);
  routine.handler(0, routine.member, cells, result, kHighestParamCell);
  return c.cellOut < 0 ? result : cells[static_cast<std::size_t>(c.cellOut)];
}

void runCases(const std::vector<Case>& cases) {
  for (const Case& c : cases) {
    std::string got;
    try {
      got = describe(callVector(c));
    } catch (const std::exception& e) {
      got = std::string("error: ") + e.what();
    }
    EXPECT_EQ(got, c.expected) << c.routine << " case " << (&c - cases.data());
  }
}

TEST(StdStrings, DocumentedBehaviour) {
  runCases({
      {"Copy", {S("abcdef"), I(2), I(3)}, "String:bcd"},
      {"Copy", {S("abcdef"), I(0), I(2)}, "String:ab"},
      {"Copy", {S("abcdef"), I(5), I(100)}, "String:ef"},
      {"Copy", {S("abcdef"), I(7), I(1)}, "String:"},
      {"Copy", {S("abcdef"), I(2), I(-1)}, "String:"},
      {"Pos", {S("cd"), S("abcdef")}, "Integer:3"},
      {"Pos", {S("x"), S("abc")}, "Integer:0"},
      {"Pos", {S(""), S("abc")}, "Integer:0"},
      {"Length", {I(123)}, "Integer:3"},
      {"Length", {S("")}, "Integer:0"},
      {"Length", {ScriptValue::boolean(true)}, "Integer:2"},
      {"Insert", {S("XY"), S("abc"), I(2)}, "String:aXYbc", 1},
      {"Insert", {S("XY"), S("abc"), I(2)}, "String:aXYbc"},
      {"Insert", {S("XY"), S("abc"), I(99)}, "String:abcXY", 1},
      {"Insert", {S("XY"), S("abc"), I(-5)}, "String:XYabc", 1},
      {"Delete", {S("abcdef"), I(2), I(3)}, "String:aef", 0},
      {"Delete", {S("abcdef"), I(5), I(10)}, "String:abcd", 0},
      {"Delete", {S("abcdef"), I(0), I(2)}, "String:abcdef", 0},
      {"Delete", {S("abcdef"), I(7), I(2)}, "String:abcdef", 0},
      {"SetLength", {S("abcdef"), I(3)}, "String:abc", 0},
      {"SetLength", {S("ab"), I(4)}, "String:ab  ", 0},
      {"SetLength", {S("ab"), I(-1)}, "String:", 0},
      {"UPCASE", {S("hello")}, "String:H"},
      {"UPCASE", {S("\xe4")}, "String:\xe4"},
      {"UPCASE", {S("")}, "String:"},
      {"AnsiUpperCase", {S("abc\xe9\xff\x9a")}, "String:ABC\xc9\x9f\x8a"},
      {"AnsiLowerCase", {S("ABC\xc9\x9f\x8a\xdf")}, "String:abc\xe9\xff\x9a\xdf"},
      {"AnsiCompareStr", {S("a"), S("B")}, "Integer:-1"},
      {"AnsiCompareStr", {S("a"), S("A")}, "Integer:-1"},
      {"AnsiCompareStr", {S("b"), S("A")}, "Integer:1"},
      {"AnsiCompareStr", {S("abc"), S("abc")}, "Integer:0"},
      {"AnsiCompareStr", {S("ab"), S("abc")}, "Integer:-1"},
      {"AnsiCompareStr", {S("1"), S("a")}, "Integer:-1"},
      {"AnsiCompareStr", {S("e"), S("\xe9")}, "Integer:-1"},
      {"AnsiCompareStr", {S("\xe9"), S("f")}, "Integer:-1"},
      {"AnsiCompareText", {S("abc"), S("ABC")}, "Integer:0"},
      {"AnsiCompareText", {S("abc"), S("ABD")}, "Integer:-1"},
      {"Trim", {S(" \t x y \r\n")}, "String:x y"},
      {"TrimLeft", {S("  x ")}, "String:x "},
      {"TrimRight", {S("  x ")}, "String:  x"},
  });
}

TEST(StdStrings, SetLengthRefusesTextsBeyondTheLimitBeforeAllocating) {
  const std::size_t saved = ScriptValue::maxStringLength();
  ScriptValue::setMaxStringLength(1000);
  EXPECT_EQ(callError("SetLength", {S("ab"), I(1001)}), "Out of memory");
  EXPECT_EQ(callRoutine("SetLength", {S("ab"), I(1000)}).cells[0].stringValue().size(), 1000u);
  ScriptValue::setMaxStringLength(saved);
}

TEST(StdConversions, NumbersAndText) {
  runCases({
      {"IntToHex", {I(255), I(4)}, "String:00FF"},
      {"IntToHex", {I(255), I(0)}, "String:FF"},
      {"IntToHex", {I(-1), I(2)}, "String:FFFFFFFF"},
      {"IntToStr", {I(-42)}, "String:-42"},
      {"IntToStr", {S("17")}, "String:17"},
      {"IntToStr", {S("abc")}, "error: Invalid variant type conversion"},
      {"StrToInt", {S("123")}, "Integer:123"},
      {"StrToInt", {S(" -7")}, "Integer:-7"},
      {"StrToInt", {S("$FF")}, "Integer:255"},
      {"StrToInt", {S("0x10")}, "Integer:16"},
      {"StrToInt", {S("$FFFFFFFF")}, "Integer:-1"},
      {"StrToInt", {S("-2147483648")}, "Integer:-2147483648"},
      {"StrToInt", {S("2147483648")}, "error: '2147483648' is not a valid integer value"},
      {"StrToInt", {S("12a")}, "error: '12a' is not a valid integer value"},
      {"StrToInt", {S("")}, "error: '' is not a valid integer value"},
      {"StrToInt", {S("1.5")}, "error: '1.5' is not a valid integer value"},
      {"StrToFloat", {S("1.5")}, "Real:1.5"},
      {"StrToFloat", {S(" -2.5e3 ")}, "Real:-2500"},
      {"StrToFloat", {S("1,5")}, "error: '1,5' is not a valid floating point value"},
      {"StrToFloat", {S("x")}, "error: 'x' is not a valid floating point value"},
      {"StrToFloat", {S("1e999")}, "error: '1e999' is not a valid floating point value"},
      {"FloatToStr", {R(0.1)}, "String:0.1"},
      {"FloatToStr", {R(1.0 / 3)}, "String:0.333333333333333"},
      {"FloatToStr", {I(5)}, "String:5"},
      {"FloatToStr", {R(1e20)}, "String:1E+20"},
      {"Str", {I(1)}, "String: 1.00000000000000E+0000", 1},
      {"Str", {R(-123.456)}, "String:-1.23456000000000E+0002", 1},
      {"Str", {R(0)}, "String: 0.00000000000000E+0000", 1},
      {"Str", {R(1.5e-300)}, "String: 1.50000000000000E-0300", 1},
      {"Str", {R(9.999999999999999)}, "String: 1.00000000000000E+0001", 1},
      {"Val", {S("12.5")}, "Real:12.5", 1},
      {"Val", {S("12.5")}, "Integer:0", 2},
      {"Val", {S("12")}, "Integer:12", 1},
      {"Val", {S("12a")}, "Integer:3", 2},
      {"Val", {S("  -3")}, "Integer:-3", 1},
      {"Val", {S("1e3")}, "Integer:1000", 1},
      {"Val", {S("$1F")}, "Integer:31", 1},
      {"Val", {S("")}, "Integer:1", 2},
      {"Val", {S("1.5e")}, "Integer:5", 2},
      {"Val", {S("12 ")}, "Integer:3", 2},
      {"Val", {S("3000000000")}, "Real:3000000000", 1},
  });
}

TEST(StdFormat, Directives) {
  runCases({
      {"Format", {S("%s=%d"), A({S("x"), I(5)})}, "String:x=5"},
      {"Format", {S("%d items, %s"), A({I(3), S("abc")})}, "String:3 items, abc"},
      {"Format", {S("100%%"), A({})}, "String:100%"},
      {"Format", {S("[%5d]"), A({I(42)})}, "String:[   42]"},
      {"Format", {S("[%-5d]"), A({I(42)})}, "String:[42   ]"},
      {"Format", {S("[%.5d]"), A({I(-42)})}, "String:[-00042]"},
      {"Format", {S("[%*d]"), A({I(4), I(7)})}, "String:[   7]"},
      {"Format", {S("[%-*.*f]"), A({I(8), I(1), R(2.25)})}, "String:[2.3     ]"},
      {"Format", {S("%1:s %0:s %s"), A({S("a"), S("b")})}, "String:b a b"},
      {"Format", {S("%u"), A({I(-1)})}, "String:4294967295"},
      {"Format", {S("%x %.4X"), A({I(255), I(10)})}, "String:FF 000A"},
      {"Format", {S("%p"), A({I(4096)})}, "String:00001000"},
      {"Format", {S("%f"), A({R(3.14159)})}, "String:3.14"},
      {"Format", {S("%.0f"), A({R(2.5)})}, "String:3"},
      {"Format", {S("%.3f"), A({I(2)})}, "String:2.000"},
      {"Format", {S("%e"), A({R(1234.5)})}, "String:1.23450000000000E+003"},
      {"Format", {S("%.3e"), A({R(-0.00012345)})}, "String:-1.23E-004"},
      {"Format", {S("%g"), A({R(1234.5)})}, "String:1234.5"},
      {"Format", {S("%g"), A({R(0.00001)})}, "String:0.00001"},
      {"Format", {S("%g"), A({R(1e20)})}, "String:1E+20"},
      {"Format", {S("%.3g"), A({R(1234.5)})}, "String:1.23E+03"},
      {"Format", {S("%n"), A({R(1234567.891)})}, "String:1,234,567.89"},
      {"Format", {S("%.0n"), A({R(-1234)})}, "String:-1,234"},
      {"Format", {S("%m"), A({R(1234.5)})}, "String:$1,234.50"},
      {"Format", {S("%m"), A({R(-5)})}, "String:($5.00)"},
      {"Format", {S("%m"), A({ScriptValue::currency(123456)})}, "String:$12.35"},
      {"Format", {S("[%.2s]"), A({S("abcdef")})}, "String:[ab]"},
      {"Format", {S("%s"), A({I(12)})}, "String:12"},
      {"Format", {S("%s"), A({R(1.5)})}, "String:1.5"},
      {"Format", {S("%d"), A({S("5")})}, "error: Format '%d' invalid or incompatible with argument"},
      {"Format", {S("%d"), A({R(5)})}, "error: Format '%d' invalid or incompatible with argument"},
      {"Format", {S("%f"), A({S("x")})}, "error: Format '%f' invalid or incompatible with argument"},
      {"Format", {S("%d %d"), A({I(1)})}, "error: Format '%d %d' invalid or incompatible with argument"},
      {"Format", {S("%q"), A({I(1)})}, "error: Format '%q' invalid or incompatible with argument"},
      {"Format", {S("abc%"), A({I(1)})}, "error: Format 'abc%' invalid or incompatible with argument"},
      {"Format", {S("%s"), A({ScriptValue::null()})}, "error: Format '%s' invalid or incompatible with argument"},
      {"Format", {S("%5000d"), A({I(1)})}, "error: Format result longer than 4096 characters"},
      {"Format", {S(std::string(4097, 'a')), A({})}, "error: Format string too long"},
      {"Format", {S(std::string(4096, 'a')), A({})}, std::string("String:" + std::string(4096, 'a')).c_str()},
  });
}

TEST(StdFormat, AtMostFiftyOneArguments) {
  std::vector<ScriptValue> values(60, I(1));
  ScriptValue array = ScriptValue::array(61);
  array.setElement(0, I(60));
  for (int k = 1; k <= 60; ++k) array.setElement(static_cast<std::size_t>(k), I(k));
  EXPECT_EQ(callRoutine("Format", {S("%50:d"), array}).result.toText(), "51");
  EXPECT_EQ(callError("Format", {S("%51:d"), array}), "Format '%51:d' invalid or incompatible with argument");
}

// The classic picture table: one format, four values (1234, -1234, 0.5, 0).
TEST(StdFormatFloat, PictureTable) {
  struct Row {
    const char* picture;
    const char* results[4];
  };
  const Row rows[] = {
      {"0", {"1234", "-1234", "1", "0"}},
      {"0.00", {"1234.00", "-1234.00", "0.50", "0.00"}},
      {"#.##", {"1234", "-1234", ".5", ""}},
      {"#,##0.00", {"1,234.00", "-1,234.00", "0.50", "0.00"}},
      {"#,##0.00;(#,##0.00)", {"1,234.00", "(1,234.00)", "0.50", "0.00"}},
      {"#,##0.00;;Zero", {"1,234.00", "-1,234.00", "0.50", "Zero"}},
      {"0.000E+00", {"1.234E+03", "-1.234E+03", "5.000E-01", "0.000E+00"}},
      {"#.###E-0", {"1.234E3", "-1.234E3", "5E-1", "0E0"}},
      {"", {"1234", "-1234", "0.5", "0"}},
      {"\"$\"#,##0.00", {"$1,234.00", "-$1,234.00", "$0.50", "$0.00"}},
      {"00000", {"01234", "-01234", "00001", "00000"}},
  };
  const double values[4] = {1234, -1234, 0.5, 0};
  for (const Row& row : rows)
    for (int k = 0; k < 4; ++k)
      EXPECT_EQ(callRoutine("FormatFloat", {S(row.picture), R(values[k])}).result.toText(), row.results[k])
          << row.picture << " " << values[k];
  runCases({
      {"FormatFloat", {S("#,##0"), R(1234567.891)}, "String:1,234,568"},
      {"FormatFloat", {S("0.00"), R(2.675)}, "String:2.68"},
      {"FormatFloat", {S("0.00"), R(-0.001)}, "String:0.00"},
      {"FormatFloat", {S("0.0#"), R(9.999)}, "String:10.0"},
      {"FormatFloat", {S("0.00"), S("1.5")}, "String:1.50"},
      {"FormatFloat", {S("0.00"), S("x")}, "error: Invalid variant type conversion"},
  });
}

TEST(StdDates, EncodeDecodeAndText) {
  runCases({
      {"EncodeDate", {I(2000), I(1), I(2)}, "Date:1/2/2000"},
      {"EncodeDate", {I(2000), I(2), I(30)}, "error: Invalid argument to date encode"},
      {"EncodeDate", {I(0), I(1), I(1)}, "error: Invalid argument to date encode"},
      {"DateToStr", {ScriptValue::date(36527.75)}, "String:1/2/2000"},
      {"DateToStr", {S("12/25/2000")}, "String:12/25/2000"},
      {"DateToStr", {S("31/12/2000")}, "error: '31/12/2000' is not a valid date"},
      {"StrToDate", {S("1/2/2000")}, "Date:1/2/2000"},
      {"StrToDate", {S("2000-01-02")}, "Date:1/2/2000"},
      {"StrToDate", {S("1/2/2000 10:00")}, "error: '1/2/2000 10:00' is not a valid date"},
      {"StrToDate", {S("hello")}, "error: 'hello' is not a valid date"},
      {"DecodeDate", {ScriptValue::date(36527.5)}, "Integer:2000", 1},
      {"DecodeDate", {ScriptValue::date(36527.5)}, "Integer:1", 2},
      {"DecodeDate", {S("2/29/2004")}, "Integer:29", 3},
      {"DecodeDate", {S("x")}, "error: 'x' is not a valid date"},
  });
  EXPECT_EQ(callRoutine("Date", {}).result.kind(), ValueKind::Date);
  const double today = callRoutine("Date", {}).result.realValue();
  EXPECT_EQ(today, static_cast<double>(static_cast<long long>(today)));
  const double time = callRoutine("Time", {}).result.realValue();
  EXPECT_TRUE(time >= 0 && time < 1);
  const double now = callRoutine("Now", {}).result.realValue();
  EXPECT_GE(now, today);
  EXPECT_LT(now, today + 1.0001);
}

TEST(StdDates, FormatDateTime) {
  const ScriptValue d = ScriptValue::date(*encodeDate(2004, 3, 7) + (13 * 3600 + 5 * 60 + 9) / 86400.0);
  runCases({
      {"FormatDateTime", {S("yyyy-mm-dd hh:nn:ss"), d}, "String:2004-03-07 13:05:09"},
      {"FormatDateTime", {S("d/m/yy h:n:s"), d}, "String:7/3/04 13:5:9"},
      {"FormatDateTime", {S("ddd dddd mmm mmmm"), d}, "String:Sun Sunday Mar March"},
      {"FormatDateTime", {S("h:mm am/pm"), d}, "String:1:05 pm"},
      {"FormatDateTime", {S("hh:mm A/P"), d}, "String:01:05 P"},
      {"FormatDateTime", {S("h ampm"), d}, "String:1 PM"},
      {"FormatDateTime", {S("c"), d}, "String:3/7/2004 1:05:09 PM"},
      {"FormatDateTime", {S(""), d}, "String:3/7/2004 1:05:09 PM"},
      {"FormatDateTime", {S("ddddd"), d}, "String:3/7/2004"},
      {"FormatDateTime", {S("dddddd"), d}, "String:Sunday, March 7, 2004"},
      {"FormatDateTime", {S("t|tt"), d}, "String:1:05 PM|1:05:09 PM"},
      {"FormatDateTime", {S("'year' yyyy \"d\""), d}, "String:year 2004 d"},
      {"FormatDateTime", {S("c"), S("12/25/2000")}, "String:12/25/2000"},
      {"FormatDateTime", {S("zzz"), ScriptValue::date(0.5 + 0.123 / 86400)}, "String:123"},
      {"FormatDateTime", {S("c"), S("nope")}, "error: 'nope' is not a valid date"},
  });
}

TEST(StdSystem, ParametersMoveAndIoResult) {
  setProgramArguments({"/opt/ondrix/ondrix-cli", "first", "second"});
  runCases({
      {"PARAMCOUNT", {}, "Integer:2"},
      {"PARAMSTR", {I(0)}, "String:/opt/ondrix/ondrix-cli"},
      {"PARAMSTR", {I(2)}, "String:second"},
      {"PARAMSTR", {I(3)}, "String:"},
      {"MOVE", {I(7), S("old"), I(4)}, "Integer:7", 1},
      {"MOVE", {I(7), S("old"), I(0)}, "String:old", 1},
  });
  setProgramArguments({});
  EXPECT_EQ(callRoutine("IORESULT", {}).result.toInteger(), 0);
  EXPECT_NO_THROW(callRoutine("RANDOMIZE", {}));
}

TEST(StdDialogs, AnswersMessagesAndCancel) {
  std::istringstream answers("typed\nsecond\n");
  std::FILE* out = std::tmpfile();
  ASSERT_NE(out, nullptr);
  platform::AnswerDialogs dialogs(&answers, out);
  platform::ScopedServices scope({nullptr, nullptr, nullptr, nullptr, &dialogs});

  EXPECT_EQ(callRoutine("INPUTBOX", {S("T"), S("P"), S("dflt")}).result.toText(), "typed");
  const CallResult ok = callRoutine("INPUTQUERY", {S("T"), S("P"), S("before")});
  EXPECT_TRUE(ok.result.identical(ScriptValue::boolean(true)));
  EXPECT_EQ(ok.cells[2].toText(), "second");
  // The answers are used up: cancelled from now on.
  EXPECT_EQ(callRoutine("INPUTBOX", {S("T"), S("P"), S("dflt")}).result.toText(), "dflt");
  const CallResult cancelled = callRoutine("INPUTQUERY", {S("T"), S("P"), S("before")});
  EXPECT_TRUE(cancelled.result.identical(ScriptValue::boolean(false)));
  EXPECT_EQ(cancelled.cells[2].toText(), "before");

  callRoutine("SHOWMESSAGE", {S("hello")});
  callRoutine("SHOWMESSAGEPOS", {I(42), I(10), I(20)});
  std::rewind(out);
  char buffer[64] = {};
  const std::size_t n = std::fread(buffer, 1, sizeof buffer - 1, out);
  EXPECT_EQ(std::string(buffer, n), "hello\n42\n");
  std::fclose(out);
}

TEST(StdRegistration, KindsParameterCodesAndConstants) {
  struct Row {
    const char* name;
    RoutineKind kind;
    std::vector<std::uint8_t> codes;
  };
  const auto P = RoutineKind::Procedure, F = RoutineKind::Function;
  const Row rows[] = {
      {"SHOWMESSAGE", P, {0}}, {"SHOWMESSAGEPOS", P, {0, 0, 0}}, {"INPUTBOX", F, {0, 0, 0}},
      {"INPUTQUERY", F, {0, 0, 1}}, {"SETLENGTH", P, {1, 0}}, {"LENGTH", F, {0}},
      {"INSERT", P, {0, 1, 0}}, {"POS", F, {0, 0}}, {"COPY", F, {0, 0, 0}},
      {"DELETE", P, {1, 0, 0}}, {"STR", P, {0, 1}}, {"IORESULT", F, {}},
      {"MOVE", P, {0, 1, 0}}, {"PARAMCOUNT", F, {}}, {"PARAMSTR", F, {0}},
      {"RANDOMIZE", P, {}}, {"UPCASE", F, {0}}, {"INTTOHEX", F, {0, 0}},
      {"INTTOSTR", F, {0}}, {"FORMAT", F, {0, 3}}, {"ANSIUPPERCASE", F, {0}},
      {"ANSILOWERCASE", F, {0}}, {"FLOATTOSTR", F, {0}}, {"ANSICOMPARESTR", F, {0, 0}},
      {"ANSICOMPARETEXT", F, {0, 0}}, {"TRIM", F, {0}}, {"TRIMLEFT", F, {0}},
      {"TRIMRIGHT", F, {0}}, {"VAL", P, {0, 1, 1}}, {"DATE", F, {}},
      {"TIME", F, {}}, {"NOW", F, {}}, {"STRTODATE", F, {0}},
      {"DATETOSTR", F, {0}}, {"DECODEDATE", P, {0, 1, 1, 1}}, {"ENCODEDATE", F, {0, 0, 0}},
      {"FORMATDATETIME", F, {0, 0}}, {"STRTOINT", F, {0}}, {"STRTOFLOAT", F, {0}},
      {"FORMATFLOAT", F, {0, 0}},
  };
  const HostTables& host = stdTables();
  EXPECT_EQ(host.routines.size(), static_cast<int>(std::size(rows)));
  for (const Row& row : rows) {
    const int n = host.routines.find(row.name);
    ASSERT_GE(n, 0) << row.name;
    EXPECT_EQ(host.routines.at(n).kind, row.kind) << row.name;
    EXPECT_EQ(host.routines.at(n).paramTypes, row.codes) << row.name;
  }
  const std::pair<const char*, int> integers[] = {
      {"MBLEFT", 0}, {"mbRight", 1}, {"mbMiddle", 2}, {"ssShift", 0}, {"ssAlt", 1},
      {"ssCtrl", 2}, {"ssLeft", 3}, {"ssRight", 4}, {"ssMiddle", 5}, {"ssDouble", 6},
      {"qrMasterDataAdvance", 0}, {"qrBandPrinted", 1}, {"qrBandSizeChange", 2},
  };
  for (const auto& [name, value] : integers) {
    const int k = host.constants.find(name);
    ASSERT_GE(k, 0) << name;
    EXPECT_TRUE(host.constants.at(k).value.identical(ScriptValue::integer(value))) << name;
  }
  EXPECT_TRUE(host.constants.at(host.constants.find("PI")).value.identical(ScriptValue::real(3.1415926535897932385)));
}

}  // namespace
}  // namespace ondrix::script::testing
