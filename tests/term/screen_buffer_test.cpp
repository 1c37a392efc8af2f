// The screen buffer's own operations: printing and wrapping, scrolling and the history, erasing,
// inserting and deleting, size changes and the changed rectangle.

#include <gtest/gtest.h>

#include "screen_fixture.h"

namespace ondrix::term::testing {
namespace {

using ScreenBuffer = ScreenTest;

TEST_F(ScreenBuffer, CreatesBlankScreenWithDefaults) {
  TScreen fresh;
  EXPECT_EQ(fresh.Rows(), 25);
  EXPECT_EQ(fresh.Cols(), 80);
  EXPECT_EQ(fresh.ScrollTop(), 0);
  EXPECT_EQ(fresh.ScrollBottom(), 24);
  EXPECT_EQ(fresh.SavedRow(), -1);
  EXPECT_EQ(fresh.SavedCol(), -1);
  EXPECT_EQ(fresh.HistoryCount(), 1500);
  EXPECT_EQ(fresh.PushedCount(), 0);
  EXPECT_EQ(fresh.Attribute(), 0);
  EXPECT_TRUE(fresh.AutoWrap());
  EXPECT_FALSE(fresh.PrinterPassThrough());
  EXPECT_EQ(fresh.MinRow(), 9999);
  EXPECT_EQ(fresh.MaxCol(), -1);
  for (const TLine* l : {&fresh.Line(0), &fresh.Line(100), &fresh.HistoryLine(0),
                         &fresh.HistoryLine(1500), &fresh.PushedLine(1500)}) {
    EXPECT_EQ(l->Chars[200], 0x20);
    EXPECT_EQ(l->Attrs[0], 0x47);
  }
}

TEST_F(ScreenBuffer, SetNormalColorsRewritesScreenAttributesButNotHistory) {
  feed("abc");
  screen->SetNormalColors(2, 5);
  EXPECT_EQ(screen->Attribute(), 0x52);
  EXPECT_EQ(attrAt(0, 0), 0x52);
  EXPECT_EQ(attrAt(24, 200), 0x52);
  EXPECT_EQ(charAt(0, 0), 'a');
  EXPECT_EQ(screen->HistoryLine(1500).Attrs[0], 0x47);
}

TEST_F(ScreenBuffer, EightyCharactersLeaveCursorAtColumnEightyAndTheNextWraps) {
  feed(std::string(80, 'x'));
  EXPECT_EQ(screen->Row(), 0);
  EXPECT_EQ(screen->Col(), 80);
  feed("y");
  EXPECT_EQ(charAt(1, 0), 'y');
  EXPECT_EQ(screen->Row(), 1);
  EXPECT_EQ(screen->Col(), 1);
}

TEST_F(ScreenBuffer, WrapOnLastRowScrollsIntoHistory) {
  feed("\x1b[25;1H" + std::string(80, 'z') + "!");
  EXPECT_EQ(screen->Row(), 24);
  EXPECT_EQ(rowText(24), "!");
  EXPECT_EQ(rowText(23), std::string(80, 'z'));
  EXPECT_EQ(screen->HistoryLine(1500).Chars[0], 0x20);  // the old top row was blank
}

TEST_F(ScreenBuffer, WithoutAutoWrapCharactersGoToHiddenColumnsUpToTwoHundred) {
  feed("\x1b[?7l" + std::string(80, 'a') + "bcd");
  EXPECT_EQ(rowText(0), std::string(80, 'a'));
  EXPECT_EQ(charAt(0, 80), 'b');
  EXPECT_EQ(screen->Col(), 83);
  feed(std::string(200, 'e') + "Z");
  EXPECT_EQ(screen->Row(), 0);
  EXPECT_EQ(screen->Col(), 200);
  EXPECT_EQ(charAt(0, 200), 'Z');
  EXPECT_EQ(charAt(0, 199), 'e');
}

TEST_F(ScreenBuffer, LineFeedAtRegionBottomScrollsOnlyTheRegion) {
  feed("top\x1b[6;1Hfive\x1b[11;1Hten\x1b[12;1Heleven");
  feed("\x1b[6;11r\x1b[11;1H\n");
  EXPECT_EQ(rowText(0), "top");
  EXPECT_EQ(rowText(9), "ten");
  EXPECT_EQ(rowText(10), "");
  EXPECT_EQ(rowText(11), "eleven");
  EXPECT_EQ(screen->Row(), 10);
  const TLine& saved = screen->HistoryLine(1500);
  EXPECT_EQ(std::string(reinterpret_cast<const char*>(saved.Chars.data()), 4), "five");
}

TEST_F(ScreenBuffer, LineFeedBelowRegionReturnsToItsBottom) {
  feed("\x1b[1;10r\x1b[21;1HA\n");
  EXPECT_EQ(screen->Row(), 9);
  EXPECT_EQ(rowText(20), "A");
}

TEST_F(ScreenBuffer, RestoreCursorHomesWithoutSaveAndOnTheSecondRestore) {
  feed("\x1b[5;5H\x1b""8");
  EXPECT_EQ(screen->Row(), 0);
  EXPECT_EQ(screen->Col(), 0);
  feed("\x1b[3;7H\x1b""7\x1b[10;10H\x1b""8");
  EXPECT_EQ(screen->Row(), 2);
  EXPECT_EQ(screen->Col(), 6);
  EXPECT_EQ(screen->SavedRow(), -1);
  feed("\x1b[10;10H\x1b""8");
  EXPECT_EQ(screen->Row(), 0);
  EXPECT_EQ(screen->Col(), 0);
}

TEST_F(ScreenBuffer, DeleteCharsShiftsLeftAndBlanksTheEnd) {
  std::string line;
  for (int i = 0; i < 80; ++i) line += static_cast<char>('0' + i % 10);
  feed(line + "\x1b[1;11H\x1b[3P");
  std::string expected = line.substr(0, 10) + line.substr(13) + "   ";
  EXPECT_EQ(std::string(reinterpret_cast<const char*>(screen->Line(0).Chars.data()), 80), expected);
  EXPECT_EQ(screen->Col(), 10);
  feed("\x1b[1;71H\x1b[500P");
  EXPECT_EQ(rowText(0), expected.substr(0, 70));
}

TEST_F(ScreenBuffer, InsertCharsPushesRightAndLosesTheOverflow) {
  feed("abcdef\x1b[1;3H\x1b[2@");
  EXPECT_EQ(rowText(0), "ab  cdef");
  feed("\x1b[1;79H\x1b[5@");
  EXPECT_EQ(charAt(0, 78), ' ');
  feed("\x1b[1;1H" + std::string(80, 'q') + "\x1b[1;1H\x1b[1@");
  EXPECT_EQ(rowText(0), " " + std::string(79, 'q'));
}

TEST_F(ScreenBuffer, InsertLinesOnRegionLastRowClearsOnlyThatRow) {
  feed("\x1b[1;5r");
  for (int r = 1; r <= 6; ++r) feed("\x1b[" + std::to_string(r) + ";1H" + std::to_string(r));
  feed("\x1b[5;3H\x1b[2L");
  EXPECT_EQ(rowText(3), "4");
  EXPECT_EQ(rowText(4), "");
  EXPECT_EQ(rowText(5), "6");
  EXPECT_EQ(screen->Col(), 0);
  EXPECT_TRUE(screen->AllDirty());
}

TEST_F(ScreenBuffer, InsertAndDeleteLinesStayInsideTheRegion) {
  for (int r = 1; r <= 8; ++r) feed("\x1b[" + std::to_string(r) + ";1H" + std::to_string(r));
  feed("\x1b[2;6r\x1b[3;1H\x1b[2L");
  const char* afterInsert[] = {"1", "2", "", "", "3", "4", "7", "8"};
  for (int r = 0; r < 8; ++r) EXPECT_EQ(rowText(r), afterInsert[r]) << r;
  feed("\x1b[2M");
  const char* afterDelete[] = {"1", "2", "3", "4", "", "", "7", "8"};
  for (int r = 0; r < 8; ++r) EXPECT_EQ(rowText(r), afterDelete[r]) << r;
}

TEST_F(ScreenBuffer, HistoryKeepsFifteenHundredAndOneLinesNewestLast) {
  for (int i = 0; i < 1600; ++i) feed("\x1b[1;1H" + std::to_string(i) + "\x1b" "D");
  EXPECT_EQ(screen->HistoryCount(), 1500);
  auto text = [&](int index) {
    const TLine& l = screen->HistoryLine(index);
    std::string t(reinterpret_cast<const char*>(l.Chars.data()), 6);
    return t.substr(0, t.find(' '));
  };
  EXPECT_EQ(text(1500), "1599");
  EXPECT_EQ(text(1), "100");
  EXPECT_EQ(text(0), "99");
}

// After the history ring has wrapped (and scrolled lines have traded places with history lines),
// browsing back still shows every line once, newest first, down to index 1; forward comes back.
TEST_F(ScreenBuffer, BrowsingAWrappedHistoryShowsEachLineOnceNewestFirst) {
  for (int i = 0; i < 1600; ++i) feed("\x1b[1;1H" + std::to_string(i) + "\x1b" "D");
  const std::string live = stateOf(*screen);
  for (int k = 0; k < 1500; ++k) {
    ASSERT_TRUE(screen->HistoryLineBack()) << k;
    ASSERT_EQ(rowText(0), std::to_string(1599 - k)) << k;
    ASSERT_EQ(rowText(1), k == 0 ? "" : std::to_string(1600 - k)) << k;
  }
  EXPECT_FALSE(screen->HistoryLineBack());  // index 0 ("99") stays behind the refusal
  EXPECT_EQ(rowText(0), "100");
  for (int k = 0; k < 1500; ++k) ASSERT_TRUE(screen->HistoryLineForward()) << k;
  EXPECT_FALSE(screen->HistoryLineForward());
  EXPECT_EQ(stateOf(*screen), live);
}

// Browsing back shows history line HistoryCount, then counts it off: the newest line comes first.
TEST_F(ScreenBuffer, HistoryLineBackRefusedWhenEmptyAndBrowsingRoundTrips) {
  feed("\x1b[1;1Holder\x1b" "D\x1b[1;1Hold\x1b" "D\x1b[1;1Hlive");
  EXPECT_TRUE(screen->HistoryLineBack());
  EXPECT_EQ(screen->HistoryCount(), 1499);
  EXPECT_EQ(screen->PushedCount(), 1);
  EXPECT_EQ(rowText(0), "old");
  EXPECT_EQ(rowText(1), "live");
  EXPECT_TRUE(screen->HistoryLineBack());
  EXPECT_EQ(rowText(0), "older");
  EXPECT_EQ(rowText(1), "old");
  EXPECT_TRUE(screen->HistoryLineForward());
  EXPECT_EQ(rowText(0), "old");
  EXPECT_TRUE(screen->HistoryLineForward());
  EXPECT_EQ(screen->HistoryCount(), 1500);
  EXPECT_EQ(screen->PushedCount(), 0);
  EXPECT_EQ(rowText(0), "live");
  EXPECT_FALSE(screen->HistoryLineForward());

  while (screen->HistoryCount() > 0) ASSERT_TRUE(screen->HistoryLineBack());
  const std::string before = stateOf(*screen);
  EXPECT_FALSE(screen->HistoryLineBack());
  EXPECT_EQ(stateOf(*screen), before);
}

// Erasing skips lines that are blank with the drawing attribute already: every way a line gets
// text (printing, a history line browsed back, a scrolled region) must make the next erase clear it,
// and an erase with another attribute must rewrite blank lines too.
TEST_F(ScreenBuffer, EveryWrittenLineIsErasedAgain) {
  feed("\x1b[2Jone\x1b[2J");
  EXPECT_EQ(rowText(0), "");
  feed("\x1b[3;1Htwo\x1b[2;1H\x1b[J");
  EXPECT_EQ(rowText(2), "");
  feed("\x1b[1;1Hold\x1b" "D");  // "old" goes to the history
  ASSERT_TRUE(screen->HistoryLineBack());
  EXPECT_EQ(rowText(0), "old");
  feed("\x1b[1;1H\x1b[2J");
  EXPECT_EQ(rowText(0), "");
  ASSERT_TRUE(screen->HistoryLineForward());
  feed("\x1b[44m\x1b[2J");  // blank lines get the new background
  for (int r : {0, 12, 24}) {
    EXPECT_EQ(attrAt(r, 0), 0x47) << r;  // background 4, foreground 7
    EXPECT_EQ(attrAt(r, 200), attrAt(r, 0)) << r;
  }
  feed("\x1b[m\x1b[5;9r\x1b[9;1Hlow\x1b" "D\x1b[r\x1b[2J");  // a line scrolled inside a region
  for (int r = 0; r < 25; ++r) EXPECT_EQ(rowText(r), "") << r;
}

TEST_F(ScreenBuffer, HistoryCountNeverExceedsFullWhenDataArrivesWhileBrowsing) {
  ASSERT_TRUE(screen->HistoryLineBack());
  feed("\x1b" "D");  // refills the history while one line is pushed down
  EXPECT_EQ(screen->HistoryCount(), 1500);
  EXPECT_TRUE(screen->HistoryLineForward());
  EXPECT_EQ(screen->HistoryCount(), 1500);
  EXPECT_EQ(screen->CheckInvariants(), nullptr);
}

TEST_F(ScreenBuffer, SetRowsClearsAndKeepsScrollTopInsideTheScreen) {
  feed("text\x1b[3;10r");
  screen->SetRows(40);
  EXPECT_EQ(screen->ScrollTop(), 2);
  EXPECT_EQ(screen->ScrollBottom(), 39);
  EXPECT_EQ(rowText(0), "");
  feed("\x1b[30;40r");
  screen->SetRows(12);
  EXPECT_EQ(screen->ScrollTop(), 0);
  EXPECT_EQ(screen->ScrollBottom(), 11);
  screen->SetRows(500);
  EXPECT_EQ(screen->Rows(), 100);
  screen->SetCols(0);
  EXPECT_EQ(screen->Cols(), 1);
}

TEST_F(ScreenBuffer, ChangedRectangleGrowsUntilAllDirty) {
  screen->ResetChanged();
  feed("\x1b[3;5Hab\x1b[7;2Hc");
  EXPECT_EQ(screen->MinRow(), 2);
  EXPECT_EQ(screen->MaxRow(), 6);
  EXPECT_EQ(screen->MinCol(), 1);
  EXPECT_EQ(screen->MaxCol(), 5);
  EXPECT_FALSE(screen->AllDirty());
  feed("\x1b[2J");
  EXPECT_TRUE(screen->AllDirty());
  screen->ResetChanged();
  EXPECT_FALSE(screen->AllDirty());
}

TEST_F(ScreenBuffer, TabStopsEveryEightColumnsAndNeverPastTwoHundred) {
  feed("\t");
  EXPECT_EQ(screen->Col(), 8);
  feed("\t");
  EXPECT_EQ(screen->Col(), 16);
  feed(std::string(30, '\t'));
  EXPECT_EQ(screen->Col(), 200);
  feed("x");  // wraps: the tab advance is not limited by Cols
  EXPECT_EQ(screen->Row(), 1);
  EXPECT_EQ(screen->Col(), 1);
}

TEST_F(ScreenBuffer, ErasingUsesTheCurrentAttribute) {
  feed("0123456789\x1b[1;5H\x1b[44m\x1b[K");
  EXPECT_EQ(rowText(0), "0123");
  EXPECT_EQ(attrAt(0, 4), 0x47);
  EXPECT_EQ(attrAt(0, 3), 0x07);
  feed("\x1b[3;3Hx\x1b[2;1H\x1b[1J");
  EXPECT_EQ(rowText(0), "");
  EXPECT_EQ(rowText(1), "");
  EXPECT_EQ(rowText(2), "  x");
  EXPECT_EQ(attrAt(1, 79), 0x47);
}

}  // namespace
}  // namespace ondrix::term::testing
