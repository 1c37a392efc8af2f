#include "platform/codepage.h"

#include <gtest/gtest.h>

namespace ondrix::platform {
namespace {

TEST(CodePage, Cp437GlyphsOfControlAndHighPositions) {
  struct Case {
    unsigned char byte;
    char16_t expected;
  };
  for (const Case& c : {Case{0x00, u' '}, Case{0x01, u'\u263A'}, Case{0x1B, u'\u2190'},
                        Case{0x41, u'A'}, Case{0x7F, u'\u2302'}, Case{0x80, u'\u00C7'},
                        Case{0xB3, u'\u2502'}, Case{0xC4, u'\u2500'}, Case{0xDA, u'\u250C'},
                        Case{0xE1, u'\u00DF'}, Case{0xFE, u'\u25A0'}, Case{0xFF, u'\u00A0'}}) {
    EXPECT_EQ(cp437ToUnicode(c.byte), c.expected) << int(c.byte);
  }
}

TEST(CodePage, Cp1252RoundTripsEveryByte) {
  for (int b = 0; b < 256; ++b) {
    const char16_t u = cp1252ToUnicode(static_cast<unsigned char>(b));
    EXPECT_EQ(unicodeToCp1252(u), b) << b;
  }
  EXPECT_EQ(cp1252ToUnicode(0x80), u'\u20AC');
  EXPECT_EQ(cp1252ToUnicode(0x9F), u'\u0178');
  EXPECT_EQ(unicodeToCp1252(U'\u4E00'), -1);
}

TEST(CodePage, Utf8Conversions) {
  EXPECT_EQ(cp437ToUtf8("\xC9\xCD\xBB"), "\u2554\u2550\u2557");
  EXPECT_EQ(cp1252ToUtf8("caf\xE9 \x80"), "caf\u00E9 \u20AC");
  EXPECT_EQ(utf8ToCp1252("caf\u00E9 \u20AC"), "caf\xE9 \x80");
  EXPECT_EQ(utf8ToCp1252("\u4E00x"), "?x");
  // A truncated sequence and a stray continuation byte pass through as bytes.
  EXPECT_EQ(utf8ToCp1252("a\xC3"), "a\xC3");
  EXPECT_EQ(utf8ToCp1252("\x80z"), "\x80z");
}

}  // namespace
}  // namespace ondrix::platform
