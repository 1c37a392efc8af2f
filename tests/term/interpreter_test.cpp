// Byte streams in, screen state out: the interpreter's tables, grouped by area. Each case starts
// from a fresh 25 x 80 screen with translation on and the default colours (normal 7 on 0).

#include <gtest/gtest.h>

#include <optional>
#include <utility>
#include <vector>

#include "screen_fixture.h"

namespace ondrix::term::testing {
namespace {

struct Case {
  const char* name;
  std::string input;
  std::optional<std::pair<int, int>> cursor = {};                // row, col
  std::vector<std::pair<int, std::string>> rows = {};             // row, visible text
  std::optional<int> attribute = {};
  std::vector<std::pair<int, std::vector<int>>> cells = {};       // col on row 0, char codes
};

class Interpreter : public ScreenTest {
 protected:
  void run(const std::vector<Case>& cases) {
    for (const Case& c : cases) {
      SCOPED_TRACE(c.name);
      screen = makeScreen(25, 80);
      feed(c.input);
      if (c.cursor) {
        EXPECT_EQ(screen->Row(), c.cursor->first);
        EXPECT_EQ(screen->Col(), c.cursor->second);
      }
      for (const auto& [row, text] : c.rows) EXPECT_EQ(rowText(row), text) << "row " << row;
      if (c.attribute) {
        EXPECT_EQ(screen->Attribute(), *c.attribute);
      }
      for (const auto& [col, codes] : c.cells)
        for (std::size_t i = 0; i < codes.size(); ++i)
          EXPECT_EQ(charAt(0, col + static_cast<int>(i)), codes[i]) << "col " << col + i;
    }
  }
};

TEST_F(Interpreter, CursorMovement) {
  run({
      {"CUP row and column", "\x1b[5;10H", {{4, 9}}},
      {"CUP home", "\x1b[5;5H\x1b[H", {{0, 0}}},
      {"CUP zeros mean first", "\x1b[7;7H\x1b[0;0H", {{0, 0}}},
      {"CUP column defaults to 1", "\x1b[1;9H\x1b[5H", {{4, 0}}},
      {"CUP clamps", "\x1b[99;999H", {{24, 79}}},
      {"HVP", "\x1b[3;5f", {{2, 4}}},
      {"blanks between parameters", "\x1b[ 3 ; 5 H", {{2, 4}}},
      {"CUU", "\x1b[10;10H\x1b[3A", {{6, 9}}},
      {"CUU stops at row 0, not at the region", "\x1b[5;10r\x1b[6;1H\x1b[9A", {{0, 0}}},
      {"CUU 0 moves one", "\x1b[5;1H\x1b[0A", {{3, 0}}},
      {"CUD stops at the last row", "\x1b[11;1H\x1b[20B", {{24, 0}}},
      {"CUF", "\x1b[1;5H\x1b[3C", {{0, 7}}},
      {"CUF past the end wraps", "\x1b[1;75H\x1b[10C", {{1, 4}}},
      {"CUF wrap stops at the last row", "\x1b[25;75H\x1b[10C", {{24, 4}}},
      {"CUF without wrap stops", "\x1b[?7l\x1b[1;75H\x1b[10C", {{0, 79}}},
      {"CUF huge count stays on the line record", "\x1b[65535C", {{1, 200}}},
      {"CUB stops at 0", "\x1b[1;5H\x1b[9D", {{0, 0}}},
      {"CUB 0 moves one", "\x1b[1;5H\x1b[0D", {{0, 3}}},
      {"BS stops at 0", "ab\b\b\b", {{0, 0}}},
      {"CR LF", "abc\r\ndef", {{1, 3}}, {{0, "abc"}, {1, "def"}}},
      {"LF keeps the column", "abc\ndef", {{1, 6}}, {{1, "   def"}}},
      {"save and restore (CSI)", "\x1b[4;6H\x1b[s\x1b[H\x1b[u", {{3, 5}}},
  });
}

TEST_F(Interpreter, Erasing) {
  run({
      {"ED 2 clears and homes", "abc\x1b[5;5Hx\x1b[2J", {{0, 0}}, {{0, ""}, {4, ""}}},
      {"ED 0 resets the attribute first", "\x1b[44mabc\x1b[1;2H\x1b[J", {{0, 1}}, {{0, "a"}}, 0x07},
      {"ED 1 erases the whole cursor line", "abc\ndef\x1b[2;2H\x1b[1J", {{1, 1}}, {{0, ""}, {1, ""}}},
      {"ED 3 is invalid and changes nothing", "abc\x1b[3J", {{0, 3}}, {{0, "abc"}}},
      {"EL whatever n", "abcdef\x1b[1;3H\x1b[1K", {{0, 2}}, {{0, "ab"}}},
      {"ECH-like P", "abcdef\x1b[1;2H\x1b[2P", {{0, 1}}, {{0, "adef"}}},
      {"ICH", "abcdef\x1b[1;2H\x1b[2@", {{0, 1}}, {{0, "a  bcdef"}}},
  });
}

TEST_F(Interpreter, SelectGraphicRendition) {
  run({
      {"no parameters", "\x1b[44m\x1b[m", {}, {}, 0x07},
      {"bold then colours keeps the bright bit", "\x1b[1;31;44m", {}, {}, 0x49},
      {"underline pair", "\x1b[4m", {}, {}, 0x0B},
      {"bold after underline keeps its background", "\x1b[4;1m", {}, {}, 0x0F},
      {"underline after bold replaces both", "\x1b[1;4m", {}, {}, 0x0B},
      {"blink pair", "\x1b[5m", {}, {}, 0x0D},
      {"reverse pair", "\x1b[7m", {}, {}, 0x70},
      {"8 is black on black", "\x1b[8m", {}, {}, 0x00},
      {"22 clears the bright bit", "\x1b[1;22m", {}, {}, 0x07},
      {"27 is normal", "\x1b[7;27m", {}, {}, 0x07},
      {"0 is normal", "\x1b[31;0m", {}, {}, 0x07},
      {"foreground keeps background", "\x1b[47;31m", {}, {}, 0x71},
      {"background bits after bold reverse", "\x1b[7m\x1b[1m\x1b[42m", {}, {}, 0x2F},
      {"unknown value is skipped, the rest applied", "\x1b[1;99;32m", {}, {}, 0x0A},
      {"leading separators", "\x1b[;;31m", {}, {}, 0x01},
      {"trailing separator adds no 0", "\x1b[31;m", {}, {}, 0x01},
      {"question mark is skipped", "\x1b[?31m", {}, {}, 0x01},
      {"cells get the attribute", "\x1b[32mA", {}, {}, 0x02},
      {"12 sets bit 7 of stored characters", "\x1b[12mA\x1b[10mB", {{0, 2}}, {}, {}, {{0, {0xC1, 0x42}}}},
  });
  screen = makeScreen(25, 80);
  feed("\x1b[33;41mx");
  EXPECT_EQ(attrAt(0, 0), 0x13);
}

TEST_F(Interpreter, Translation) {
  run({
      {"Latin-1 e acute", "\xe9", {}, {}, {}, {{0, {0x82}}}},
      {"C1 range prints blanks", "\x85\x9b", {{0, 2}}, {}, {}, {{0, {0x20, 0x20}}}},
      {"line drawing", "\x1b(0lqqkxjmntuvwop\x1b(Bq", {}, {}, {},
       {{0, {0xDA, 0xC4, 0xC4, 0xBF, 0xB3, 0xD9, 0xC0, 0xC5, 0xC3, 0xB4, 0xC1, 0xC2, 'o', 'p', 'q'}}}},
      {"SO and SI", "\x0eq\x0fq", {}, {}, {}, {{0, {0xC4, 'q'}}}},
      {"G1 designation has no effect", "\x1b)0q", {}, {}, {}, {{0, {'q'}}}},
      {"ESC [ 4 I turns translation off", "\x1b[4I\xe9\x0eq", {}, {}, {}, {{0, {0xE9, 'q'}}}},
      {"ESC [ 0 I turns it back on", "\x1b[4I\x1b[0I\xe9", {}, {}, {}, {{0, {0x82}}}},
      {"designating G0 restores translation from the default", "\x1b[4I\x1b(B\xe9", {}, {}, {},
       {{0, {0x82}}}},
  });
}

TEST_F(Interpreter, TranslationTablesAgreeWithTheLatin1List) {
  // Spot checks across the list (with ï and ü, which keep their case), and the two rules that hold
  // for whole ranges.
  const std::pair<int, int> samples[] = {{0xA0, 0xB1}, {0xA4, 0x0F}, {0xA8, 0x20}, {0xAD, 0xC4},
                                         {0xB6, 0x14}, {0xC3, 0x41}, {0xC7, 0x80}, {0xCC, 0x45},
                                         {0xD7, 0x78}, {0xDF, 0xE1}, {0xE3, 0x61}, {0xEF, 0x8B},
                                         {0xF7, 0xF6}, {0xFC, 0x81}, {0xFF, 0x98}};
  for (auto [from, to] : samples) EXPECT_EQ(kAsciiTable[from], to) << std::hex << from;
  for (int b = 0; b < 0x80; ++b) EXPECT_EQ(kAsciiTable[b], b);
  for (int b = 0x80; b < 0xA0; ++b) EXPECT_EQ(kAsciiTable[b], 0x20);
  int differences = 0;
  for (int b = 0; b < 256; ++b) differences += kAsciiTable[b] != kLineDrawingTable[b];
  EXPECT_EQ(differences, 11);
}

TEST_F(Interpreter, TranslationFollowsTheXlatDefault) {
  screen->SetXlatActive(false);
  screen->SetXlatDefault(false);
  feed("\x1b(0lqk\xe9");
  EXPECT_EQ(rowText(0), "lqk\xe9");
  EXPECT_FALSE(screen->XlatActive());
  EXPECT_TRUE(screen->LineDrawing());
}

TEST_F(Interpreter, Modes) {
  feed("abc\x1b[1;1H\x1b[4hX");
  EXPECT_EQ(rowText(0), "Xabc");
  EXPECT_TRUE(screen->InsertMode());
  feed("\x1b[4lY");
  EXPECT_EQ(rowText(0), "XYbc");
  EXPECT_FALSE(screen->InsertMode());

  feed("\x1b[?25l");
  EXPECT_TRUE(screen->CursorHidden());
  EXPECT_EQ(visibilityCalls, 1);
  feed("\x1b[?25h");
  EXPECT_FALSE(screen->CursorHidden());
  EXPECT_EQ(visibilityCalls, 2);

  feed("\x1b[?1h");
  EXPECT_EQ(screen->ScrollBottom(), 23);
  feed("\x1b[?1l");
  EXPECT_EQ(screen->ScrollBottom(), 24);

  feed("\x1b[5;10r\x1b[?4l");  // any reset restores the region's bottom, not its top
  EXPECT_EQ(screen->ScrollTop(), 4);
  EXPECT_EQ(screen->ScrollBottom(), 24);
  feed("\x1b[5;10r\x1b[l");
  EXPECT_EQ(screen->ScrollBottom(), 24);

  feed("\x1b[?7l");
  EXPECT_FALSE(screen->AutoWrap());
  feed("\x1b[?7h");
  EXPECT_TRUE(screen->AutoWrap());
}

TEST_F(Interpreter, BottomRowExclusionKeepsAOneRowScreenWhole) {
  screen->SetRows(1);
  feed("\x1b[?1hab\ncd");
  EXPECT_EQ(screen->ScrollTop(), 0);
  EXPECT_EQ(screen->ScrollBottom(), 0);
  EXPECT_EQ(rowText(0), "  cd");
}

TEST_F(Interpreter, ScrollRegion) {
  struct Region {
    const char* input;
    int top, bottom;
  };
  for (const Region& r : {Region{"\x1b[5;10r", 4, 9}, Region{"\x1b[5r", 0, 24},
                          Region{"\x1b[3;3r", 0, 24}, Region{"\x1b[0;10r", 0, 24},
                          Region{"\x1b[5;26r", 0, 24}, Region{"\x1b[5;25r", 4, 24},
                          Region{"\x1b[5;10r\x1b[r", 0, 24}, Region{"\x1b[10;5r", 0, 24},
                          Region{"\x1b[24;25r\x1b[?1h", 23, 23}}) {
    screen = makeScreen(25, 80);
    feed(std::string("\x1b[3;4H") + r.input);
    EXPECT_EQ(screen->ScrollTop(), r.top) << r.input;
    EXPECT_EQ(screen->ScrollBottom(), r.bottom) << r.input;
    EXPECT_EQ(screen->Row(), 2) << r.input;
    EXPECT_EQ(screen->Col(), 3) << r.input;
  }
}

TEST_F(Interpreter, ShortEscapeSequences) {
  run({
      {"IND scrolls, cursor stays", "top\x1b[5;1H\x1b" "D", {{4, 0}}, {{0, ""}}},
      {"RI at the top scrolls down", "top\x1b[1;1H\x1bM", {{0, 0}}, {{0, ""}, {1, "top"}}},
      {"RI below the top moves up", "\x1b[5;1H\x1bM", {{3, 0}}},
      {"NEL is not implemented", "ab\x1b" "E", {{0, 2}}, {{1, ""}}},
      {"ignored ones", "ab\x1b=\x1b>\x1b<\x1bH", {{0, 2}}, {{0, "ab"}}},
      {"save and restore", "\x1b[4;6H\x1b" "7\x1b[H\x1b" "8", {{3, 5}}},
      {"ESC blank F is ignored", "\x1b Fx", {{0, 1}}, {{0, "x"}}},
      {"ESC blank G is invalid", "\x1b Gx", {{0, 1}}, {{0, "x"}}},
      {"unknown G0 designation is invalid", "\x1b(Zq", {}, {{0, "q"}}},
      {"collected digit makes an invalid sequence", "\x1b" "5xy", {{0, 1}}, {{0, "y"}}},
      {"unknown final prints itself", "\x1b#8", {{0, 2}}, {{0, "#8"}}},
  });
}

TEST_F(Interpreter, OtherCsiSequences) {
  run({
      {"SU scrolls once whatever n", "top\ntwo\x1b[5S", {{1, 6}}, {{0, "   two"}}},
      {"SD is not implemented", "top\x1b[T", {{0, 3}}, {{0, "top"}}},
      {"TBC ignored", "a\x1b[3gb", {{0, 2}}, {{0, "ab"}}},
      {"> ends the sequence", "\x1b[>cx", {{0, 2}}, {{0, "cx"}}},
      {"unknown final", "\x1b[5zq", {{0, 1}}, {{0, "q"}}},
      {"IL", "a\nb\x1b[1;1H\x1b[L", {{0, 0}}, {{0, ""}, {1, "a"}, {2, " b"}}},
      {"DL", "a\nb\x1b[1;1H\x1b[M", {{0, 0}}, {{0, " b"}, {1, ""}}},
  });
}

TEST_F(Interpreter, CursorPositionReport) {
  feed("\x1b[4;11H\x1b[6n\x1b[1;1H\x1b[n");
  ASSERT_EQ(replies.size(), 2u);
  EXPECT_EQ(replies[0], "\x1b[4;11R");
  EXPECT_EQ(replies[1], "\x1b[1;1R");
  screen->OnCursorPos = nullptr;
  feed("\x1b[6n");  // no handler: nothing happens
  EXPECT_EQ(screen->CheckInvariants(), nullptr);
}

TEST_F(Interpreter, PrivateGroup) {
  run({
      {"literal count 4 stores the odd ones", "\x1b[1;4IaXbYz", {{0, 3}}, {{0, "XYz"}}},
      {"literal count defaults to 1", "\x1b[1IaB", {{0, 2}}, {{0, "aB"}}},
      {"literal bytes are not interpreted", "\x1b[1;3I\x1b\x0d\x1b", {{0, 2}}, {}, {},
       {{0, {0x1B, 0x1B}}}},
      {"literal bytes are not translated", "\x1b[1;1I\xe9", {}, {}, {}, {{0, {0xE9}}}},
      {"2 is accepted", "\x1b[2;5Iab", {{0, 2}}, {{0, "ab"}}},
      {"3 only traces", "\x1b[3;1;2;3;4Iab", {{0, 2}}, {{0, "ab"}}},
      {"unknown", "\x1b[9Iab", {{0, 2}}, {{0, "ab"}}},
  });
}

TEST_F(Interpreter, TraceTextsCarryARunningCounter) {
  feed("\x1b[3J\x1b" "E\x1b[3;10;11;1;255I\x1b[4h");
  EXPECT_EQ(trace.text(),
            "0001 Invalid Escape Sequence: [3J\r\n"
            "0002 Unimplemented Escape Sequence: E\r\n"
            "0003 Special key 0A0B01FF\r\n"
            "0004 Unimplemented Escape Sequence: [4h\r\n");
}

TEST_F(Interpreter, PrinterPassThroughCopiesEveryByteIncludingTheStopSequence) {
  feed("a\x1b[5ib\x1b[1mc\x1b[4id");
  EXPECT_EQ(printer.printed, "b\x1b[1mc\x1b[4i");
  EXPECT_EQ(printer.jobs, 1);
  EXPECT_EQ(printer.open_jobs, 0);
  EXPECT_FALSE(screen->PrinterPassThrough());
  EXPECT_EQ(rowText(0), "abcd");
  EXPECT_TRUE(dialogs.messages.empty());
}

TEST_F(Interpreter, PrinterThatCannotOpenIsReported) {
  printer.fail = true;
  feed("\x1b[5ix");
  EXPECT_FALSE(screen->PrinterPassThrough());
  ASSERT_EQ(dialogs.messages.size(), 1u);
  EXPECT_EQ(dialogs.messages[0], "Cannot passthrough to printer.");
  EXPECT_EQ(dialogs.styles[0], platform::MessageStyle::Error);
  EXPECT_EQ(dialogs.buttons[0], platform::MessageButtons::Ok);
  EXPECT_EQ(rowText(0), "x");
}

TEST_F(Interpreter, PrinterStartWhileOnKeepsTheJob) {
  feed("\x1b[5ia\x1b[5ib");
  EXPECT_EQ(printer.jobs, 1);
  EXPECT_EQ(printer.open_jobs, 1);
  EXPECT_EQ(printer.printed, "a\x1b[5ib");
}

}  // namespace
}  // namespace ondrix::term::testing
