// Behaviour of this interpreter that differs from the common terminal parsers on purpose. Each
// quirk has its own test so that nobody "fixes" it by accident.

#include <gtest/gtest.h>

#include "screen_fixture.h"

namespace ondrix::term::testing {
namespace {

using Quirks = ScreenTest;

TEST_F(Quirks, ControlCharacterInsideSequenceEndsIt) {
  feed("ab\x1b[2\rX");
  EXPECT_EQ(screen->Row(), 0);
  EXPECT_EQ(rowText(0), "abX");  // the CR was the final character: no carriage return
  EXPECT_FALSE(screen->EscMode());
  EXPECT_EQ(trace.text(), "0001 Invalid Escape Sequence: [2\r\r\n");  // final CR, then CR LF
}

TEST_F(Quirks, EscInsideSequenceEndsItAndIsConsumed) {
  feed("\x1b[1\x1b[2Jx");
  EXPECT_EQ(rowText(0), "[2Jx");
}

TEST_F(Quirks, EscEscPrintsTheGlyphOfTheSecondEsc) {
  feed("\x1b\x1b" "A");
  EXPECT_EQ(charAt(0, 0), 0x1B);
  EXPECT_EQ(charAt(0, 1), 'A');
  EXPECT_EQ(screen->Col(), 2);
}

TEST_F(Quirks, ControlAfterBareEscPrintsItsGlyph) {
  feed("\x1b\r");
  EXPECT_EQ(charAt(0, 0), 0x0D);
  EXPECT_EQ(screen->Col(), 1);
}

TEST_F(Quirks, EscapeBufferOverflowBeepsAndDropsTheSequence) {
  // The '[' counts: 79 collected characters still dispatch, the 80th beeps.
  feed("\x1b[" + std::string(77, '0') + "5H");
  EXPECT_EQ(beeps(), 0);
  EXPECT_EQ(screen->Row(), 4);

  feed("\x1b[" + std::string(78, '0') + "3H");
  EXPECT_EQ(beeps(), 1);
  EXPECT_FALSE(screen->EscMode());
  EXPECT_EQ(screen->Row(), 4);
  EXPECT_EQ(rowText(4), "H");  // what follows is ordinary text
}

TEST_F(Quirks, BellBeeps) {
  feed("\a\a");
  EXPECT_EQ(beeps(), 2);
}

TEST_F(Quirks, TranslatedCurrencySignActsAsShiftIn) {
  // 0xA4 translates to 0x0F, which ground state then takes as SI.
  feed("\x0e\xa4q");
  EXPECT_EQ(charAt(0, 0), 'q');
  EXPECT_FALSE(screen->LineDrawing());
  EXPECT_EQ(screen->Col(), 1);
}

TEST_F(Quirks, ParameterDigitsSaturateInsteadOfOverflowing) {
  // 4294967297 wraps to 1 in 32 bits; saturated it moves to the last row.
  feed("\x1b[4294967297B");
  EXPECT_EQ(screen->Row(), 24);
  feed("\x1b[1;99999999999999I");
  EXPECT_EQ(screen->LiteralCount(), 65535);
}

TEST_F(Quirks, ResetModeRestoresTheRegionBottomWhateverTheMode) {
  feed("\x1b[3;9r\x1b[?99l");
  EXPECT_EQ(screen->ScrollTop(), 2);
  EXPECT_EQ(screen->ScrollBottom(), 24);
}

TEST_F(Quirks, EraseBelowResetsTheDrawingAttribute) {
  feed("\x1b[41m\x1b[J");
  EXPECT_EQ(screen->Attribute(), 0x07);
  feed("\x1b[41m\x1b[0J");
  EXPECT_EQ(screen->Attribute(), 0x07);
  feed("\x1b[41m\x1b[2J");
  EXPECT_EQ(screen->Attribute(), 0x17);
}

}  // namespace
}  // namespace ondrix::term::testing
