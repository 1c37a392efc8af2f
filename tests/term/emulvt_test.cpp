// The terminal control model: repaint requests, caret, colours, font, history scroll bar, painting
// plan and the debug log, observed through a recording view.

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "fake_view.h"
#include "term/emulvt.h"

namespace ondrix::term {
namespace {

using testing::FakeView;

class EmulVTTest : public ::testing::Test {
 protected:
  void SetUp() override {
    vt.SetView(&view);
    vt.UpdateScreen();
    view.clearRequests();
  }
  FakeView view;
  TEmulVT vt;
};

TEST_F(EmulVTTest, CreationDefaults) {
  TEmulVT fresh;
  EXPECT_EQ(fresh.Font().Name, "Terminal");
  EXPECT_EQ(fresh.Font().Size, 12);
  EXPECT_FALSE(fresh.Font().Bold || fresh.Font().Italic || fresh.Font().Underline);
  EXPECT_FALSE(fresh.AutoRepaint());
  EXPECT_FALSE(fresh.Connected());
  EXPECT_TRUE(fresh.CaretAllowed());
  EXPECT_EQ(fresh.Keys().Count(), 0);
  EXPECT_FALSE(fresh.Screen().InsertMode());
  EXPECT_EQ(fresh.ScrollPosition(), 1500);
  EXPECT_FALSE(fresh.HasSelection());
  EXPECT_TRUE(fresh.OemGlyphs());
}

TEST_F(EmulVTTest, FontIsMeasuredThroughTheView) {
  EXPECT_EQ(vt.CharWidth(), 10);
  EXPECT_EQ(vt.LineHeight(), 20);
  EXPECT_EQ(vt.TopMargin(), 3);
  view.metrics = {7, 14, 2};
  TFont f;
  f.Name = "Courier";
  f.FixedPitch = false;
  vt.SetFont(f);
  EXPECT_TRUE(vt.Font().FixedPitch);
  EXPECT_TRUE(view.lastMeasured.FixedPitch);
  EXPECT_EQ(vt.CharWidth(), 7);
  EXPECT_EQ(vt.LineHeight(), 14);
  EXPECT_FALSE(vt.OemGlyphs());
  f.CharSet = kOemCharset;
  vt.SetFont(f);
  EXPECT_TRUE(vt.OemGlyphs());
  vt.SetLineHeight(30);  // set directly, not measured again
  EXPECT_EQ(vt.LineHeight(), 30);
}

TEST_F(EmulVTTest, OneChangedCellRepaintsThatCellAndTheCursorCell) {
  vt.WriteStr("\x1b[3;5HX");
  vt.UpdateScreen();
  ASSERT_EQ(view.wholeRepaints, 0);
  ASSERT_EQ(view.rects.size(), 2u);
  // Row 2, column 4 at 10x20 cells and a top margin of 3.
  EXPECT_EQ(view.rects[0], (TRect{40, 43, 50, 63}));
  EXPECT_EQ(view.rects[1], (TRect{50, 43, 60, 63}));  // the cursor moved on to column 5
  view.clearRequests();
  vt.UpdateScreen();  // nothing changed since: only the cursor cell
  EXPECT_EQ(view.rects.size(), 1u);
}

TEST_F(EmulVTTest, AScrollRepaintsTheWholeControl) {
  vt.WriteStr("\x1b[25;1H\n");
  vt.UpdateScreen();
  EXPECT_EQ(view.wholeRepaints, 1);
  EXPECT_TRUE(view.rects.empty());
  EXPECT_FALSE(vt.Screen().AllDirty());
}

TEST_F(EmulVTTest, AutoRepaintUpdatesAfterEveryWrite) {
  vt.SetAutoRepaint(true);
  vt.WriteChar('a');
  EXPECT_EQ(view.rects.size(), 2u);
}

TEST_F(EmulVTTest, RowsAndColsRepaintOnlyOnChange) {
  vt.WriteStr("keep");
  vt.SetRows(vt.Rows());
  vt.SetCols(vt.Cols());
  EXPECT_EQ(view.wholeRepaints, 0);
  EXPECT_EQ(vt.Screen().Line(0).Chars[0], 'k');
  vt.SetRows(30);
  vt.SetCols(100);
  EXPECT_EQ(view.wholeRepaints, 2);
  EXPECT_EQ(vt.Rows(), 30);
  EXPECT_EQ(vt.Cols(), 100);
  EXPECT_EQ(vt.Screen().Line(0).Chars[0], ' ');
}

TEST_F(EmulVTTest, XlatIsTheNegationOfTheScreensDefault) {
  vt.SetXlat(false);
  EXPECT_TRUE(vt.Screen().XlatActive());
  EXPECT_TRUE(vt.Screen().XlatDefault());
  EXPECT_FALSE(vt.Xlat());
  vt.SetXlat(true);
  EXPECT_FALSE(vt.Screen().XlatDefault());
  EXPECT_TRUE(vt.Xlat());
}

TEST_F(EmulVTTest, CaretFollowsFocusWritesAndUpdates) {
  EXPECT_FALSE(view.caretExists);
  view.focused = true;
  vt.FocusGained();
  EXPECT_TRUE(vt.Screen().Focused());
  EXPECT_TRUE(view.caretExists && view.caretVisible);
  EXPECT_EQ(view.caretWidth, 10);
  EXPECT_EQ(view.caretHeight, 20);
  vt.WriteStr("ab\r\n");
  EXPECT_FALSE(view.caretVisible);  // writing hides it
  vt.UpdateScreen();
  EXPECT_TRUE(view.caretVisible);
  EXPECT_EQ(view.caretX, 0);
  EXPECT_EQ(view.caretY, 20);

  vt.WriteStr("\x1b[?25l");  // the host hides the cursor
  vt.UpdateScreen();
  EXPECT_FALSE(view.caretVisible);
  vt.WriteStr("\x1b[?25h");
  EXPECT_TRUE(view.caretVisible);

  view.focused = false;
  vt.FocusLost();
  EXPECT_FALSE(vt.Screen().Focused());
  EXPECT_FALSE(view.caretExists);
  vt.UpdateScreen();
  EXPECT_FALSE(view.caretExists);

  vt.SetCaretAllowed(false);
  vt.FocusGained();
  EXPECT_FALSE(view.caretExists);
}

TEST_F(EmulVTTest, CaretIsNotShownOnFocusWhileTheHostHidesTheCursor) {
  vt.WriteStr("\x1b[?25l");
  vt.FocusGained();
  EXPECT_TRUE(view.caretExists);
  EXPECT_FALSE(view.caretVisible);
}

TEST_F(EmulVTTest, ColourModeUsesThePaletteMadeCurrentByEntry16) {
  const auto c = vt.CellColors(0x1E);
  EXPECT_EQ(c.Fore, (TRgb{0x55, 0xFF, 0xFF}));  // 14: bright cyan of the default palette
  EXPECT_EQ(c.Back, (TRgb{0xAA, 0, 0}));        // 1: red
  vt.SetPaletteEntry(2, 0x00332211);
  EXPECT_EQ(vt.CellColors(0x10).Back, (TRgb{0xAA, 0, 0}));  // not current before entry 16
  vt.SetPaletteEntry(16, 0x00FFFFFF);
  EXPECT_EQ(vt.CellColors(0x10).Back, (TRgb{0x11, 0x22, 0x33}));
  EXPECT_EQ(view.wholeRepaints, 1);
  vt.SetPaletteEntry(0, 0x00123456);   // outside 1..16: ignored
  vt.SetPaletteEntry(17, 0x00123456);
  EXPECT_EQ(vt.PaletteColor(0), (TRgb{0, 0, 0}));
}

TEST_F(EmulVTTest, MonochromeColours) {
  vt.SetMonoChrome(true);
  struct Case {
    std::uint8_t attr;
    TRgb fore;
    TRgb back;
  };
  const TRgb white{255, 255, 255}, black{0, 0, 0}, grey{127, 127, 127};
  for (const Case& c : {Case{0x07, black, white}, Case{0x70, white, grey}, Case{0x0F, black, grey},
                        Case{0x0E, black, white}, Case{0x00, white, white}}) {
    SCOPED_TRACE(int(c.attr));
    EXPECT_EQ(vt.CellColors(c.attr).Fore, c.fore);
    EXPECT_EQ(vt.CellColors(c.attr).Back, c.back);
  }
}

TEST_F(EmulVTTest, SetColorsPassesThePairsToTheScreen) {
  vt.SetColors(7, 0, 15, 0, 11, 0, 13, 0, 0, 7);
  EXPECT_EQ(vt.Screen().NormalColors().attribute(), 0x07);
  EXPECT_EQ(vt.Screen().BoldColors().attribute(), 0x0F);
  EXPECT_EQ(vt.Screen().UnderlineColors().attribute(), 0x0B);
  EXPECT_EQ(vt.Screen().BlinkColors().attribute(), 0x0D);
  EXPECT_EQ(vt.Screen().ReverseColors().attribute(), 0x70);
  EXPECT_EQ(vt.NormalBackground(), (TRgb{0, 0, 0}));
}

TEST_F(EmulVTTest, PaintPlanSplitsRowsIntoRunsOfEqualAttribute) {
  vt.SetColors(7, 0, 15, 0, 11, 0, 13, 0, 0, 7);
  vt.WriteStr("\x1b[2;1Hab\x1b[1mCD\x1b[0mef");
  std::vector<TTextRun> runs;
  // Row 1 only: its y is 20..40; the first row painted is one above the update top.
  vt.PaintRuns({0, 45, 800, 60}, [&](const TTextRun& r) { runs.push_back(r); });
  ASSERT_FALSE(runs.empty());
  EXPECT_EQ(runs.front().Row, 1);
  std::vector<TTextRun> row1;
  for (const TTextRun& r : runs)
    if (r.Row == 1) row1.push_back(r);
  ASSERT_GE(row1.size(), 3u);
  EXPECT_EQ(row1[0].Count, 2);
  EXPECT_EQ(row1[0].Attr, 0x07);
  EXPECT_EQ(row1[1].Count, 2);
  EXPECT_EQ(row1[1].Attr, 0x0F);
  EXPECT_EQ(std::string(reinterpret_cast<const char*>(row1[1].Chars), 2), "CD");
  EXPECT_EQ(row1[1].Cell, (TRect{20, 20, 40, 40}));
  EXPECT_EQ(row1[2].Col, 4);
  EXPECT_EQ(row1[2].Attr, 0x07);
  int covered = 0;
  for (std::size_t i = 0; i < row1.size(); ++i) {
    covered += row1[i].Count;
    if (i > 0) {
      EXPECT_NE(row1[i].Attr, row1[i - 1].Attr);  // neighbouring runs always differ
    }
  }
  EXPECT_EQ(covered, 199);
  EXPECT_EQ(runs.back().Row, 2);  // row 2 starts at y 40 < 60; row 3 at 60 is not painted
  EXPECT_EQ(vt.FirstPaintRow({0, 0, 10, 10}), 0);
  EXPECT_EQ(vt.TopMarginBand({0, 0, 800, 50}), (TRect{0, 0, 800, 3}));
  EXPECT_EQ(vt.TopMarginBand({0, 1, 800, 50}), TRect{});
}

TEST_F(EmulVTTest, PaintPlanStopsAtRow100AndColumn199) {
  int rows = 0, maxRight = 0;
  vt.PaintRuns({0, 0, 5000, 5000}, [&](const TTextRun& r) {
    rows = std::max(rows, r.Row + 1);
    maxRight = std::max(maxRight, r.Col + r.Count);
  });
  EXPECT_EQ(rows, 100);
  EXPECT_EQ(maxRight, 199);
}

// Fills the screen and history with numbered lines: line n reads "L<n>".
void numberedLines(TCustomEmulVT& vt, int count) {
  for (int i = 0; i < count; ++i) vt.WriteStr("\r\nL" + std::to_string(i));
  vt.UpdateScreen();
}

std::string rowText(const TCustomEmulVT& vt, int row, int width = 6) {
  const auto& chars = vt.Screen().Line(row).Chars;
  std::string s(reinterpret_cast<const char*>(chars.data()), static_cast<std::size_t>(width));
  return s.substr(0, s.find_last_not_of(' ') + 1);
}

TEST_F(EmulVTTest, ThumbDraggedThirtyLinesUpShowsThirtyHistoryLines) {
  numberedLines(vt, 100);  // L99 on row 24, L75 on row 0, L74 the newest history line
  ASSERT_EQ(rowText(vt, 0), "L75");
  vt.HistoryScroll(TScrollCode::ThumbTrack, 1470);
  EXPECT_EQ(vt.ScrollPosition(), 1470);
  EXPECT_EQ(view.scrollPosition, 1470);
  EXPECT_EQ(vt.Screen().HistoryCount(), 1470);
  // The thirty newest history lines on top, the live screen's first rows below them.
  EXPECT_EQ(rowText(vt, 0), "L45");
  EXPECT_EQ(rowText(vt, 24), "L69");
  EXPECT_TRUE(view.focused);
  EXPECT_GE(view.wholeRepaints, 1);
  vt.HistoryScroll(TScrollCode::LineDown, 1471);
  EXPECT_EQ(vt.ScrollPosition(), 1471);
  EXPECT_EQ(rowText(vt, 0), "L46");
  vt.HistoryScroll(TScrollCode::PageUp, 1451);
  EXPECT_EQ(vt.ScrollPosition(), 1451);
  EXPECT_EQ(rowText(vt, 0), "L26");
  vt.HistoryScroll(TScrollCode::PageDown, 1471);
  EXPECT_EQ(rowText(vt, 0), "L46");
  vt.ScrollToLive();
  EXPECT_EQ(vt.ScrollPosition(), 1500);
  EXPECT_EQ(view.scrollPosition, 1500);
  EXPECT_EQ(rowText(vt, 0), "L75");
  EXPECT_EQ(rowText(vt, 24), "L99");
}

// 55 numbered lines on a 25-row screen: N0..N29 scrolled off (history indices 1471..1500), N30..N54
// live. At every depth d of browsing, row r must show line 1501 + r - d of the sequence "history
// 0..1500, then the live rows", so each line appears once, in order, and none is skipped.
TEST_F(EmulVTTest, BrowsingShowsEveryScrolledOffLineOnceInOrder) {
  std::string stream = "N0";
  for (int i = 1; i < 55; ++i) stream += "\r\nN" + std::to_string(i);
  vt.WriteStr(stream);
  vt.UpdateScreen();
  std::vector<std::string> live;
  for (int r = 0; r < 25; ++r) live.push_back(rowText(vt, r));
  ASSERT_EQ(live.front(), "N30");
  auto expected = [](int line) -> std::string {
    if (line <= 1470) return "";                                   // blank history of creation
    if (line <= 1500) return "N" + std::to_string(line - 1471);   // scrolled off
    return "N" + std::to_string(30 + line - 1501);                 // live rows
  };
  auto check = [&](const char* how) {
    const int depth = 1500 - vt.ScrollPosition();
    ASSERT_EQ(vt.ScrollPosition(), vt.Screen().HistoryCount()) << how;
    ASSERT_EQ(view.scrollPosition, vt.ScrollPosition()) << how;
    for (int r = 0; r < 25; ++r)
      ASSERT_EQ(rowText(vt, r), expected(1501 + r - depth)) << how << " depth " << depth << " row " << r;
  };
  struct Walk {
    TScrollCode back, forward;
    int step;
  };
  for (const Walk w : {Walk{TScrollCode::LineUp, TScrollCode::LineDown, 1},
                       Walk{TScrollCode::PageUp, TScrollCode::PageDown, 20}}) {
    for (int i = 0; i < 3; ++i) {  // 3 lines or 3 pages back, into the blank history
      vt.HistoryScroll(w.back, vt.ScrollPosition() - w.step);
      check("back");
    }
    for (int i = 0; i < 3; ++i) {
      vt.HistoryScroll(w.forward, vt.ScrollPosition() + w.step);
      check("forward");
    }
    EXPECT_EQ(vt.ScrollPosition(), 1500);
    EXPECT_EQ(vt.Screen().PushedCount(), 0);
    for (int r = 0; r < 25; ++r) EXPECT_EQ(rowText(vt, r), live[static_cast<std::size_t>(r)]) << r;
  }
  // Down to the oldest end one line at a time: 1500 steps, then a refusal; line 0 stays behind it.
  for (int i = 0; i < 1500; ++i) vt.HistoryScroll(TScrollCode::LineUp, vt.ScrollPosition() - 1);
  check("oldest");
  EXPECT_EQ(vt.ScrollPosition(), 0);
  vt.HistoryScroll(TScrollCode::LineUp, -1);
  check("refused");
  vt.ScrollToLive();
  for (int r = 0; r < 25; ++r) EXPECT_EQ(rowText(vt, r), live[static_cast<std::size_t>(r)]) << r;
}

TEST_F(EmulVTTest, RefusedScrollsLeaveThePositionAtTheHistoryCount) {
  vt.HistoryScroll(TScrollCode::LineDown, 1500);  // nothing pushed: refused
  EXPECT_EQ(vt.ScrollPosition(), 1500);
  vt.HistoryScroll(TScrollCode::ThumbTrack, 0);  // the whole history (blank lines at start)
  EXPECT_EQ(vt.Screen().HistoryCount(), 0);
  EXPECT_EQ(vt.ScrollPosition(), 0);
  vt.HistoryScroll(TScrollCode::LineUp, 0);  // nothing left: refused, stays at 0
  EXPECT_EQ(vt.ScrollPosition(), 0);
  vt.HistoryScroll(TScrollCode::ThumbTrack, 1500);
  EXPECT_EQ(vt.ScrollPosition(), 1500);
  EXPECT_EQ(vt.Screen().PushedCount(), 0);
}

class TempDir {
 public:
  TempDir() : old_(std::filesystem::current_path()) {
    path_ = std::filesystem::temp_directory_path() / ("emulvt_" + std::to_string(::getpid()));
    std::filesystem::create_directories(path_);
    std::filesystem::current_path(path_);
  }
  ~TempDir() {
    std::filesystem::current_path(old_);
    std::filesystem::remove_all(path_);
  }
  std::filesystem::path path_;

 private:
  std::filesystem::path old_;
};

std::string fileText(const std::filesystem::path& p) {
  std::ifstream in(p, std::ios::binary);
  std::ostringstream s;
  s << in.rdbuf();
  return s.str();
}

TEST_F(EmulVTTest, DebugLogHoldsTheRawBytesBetweenMarkersAndAppends) {
  TempDir dir;
  vt.SetLog(true);
  EXPECT_TRUE(vt.Log());
  vt.WriteStr(std::string("\x1b[1mA\xFF\0B", 8));
  vt.SetLog(false);
  EXPECT_FALSE(vt.Log());
  vt.WriteStr("not logged");
  {
    TEmulVT other;
    other.SetLog(true);
    other.WriteChar('Z');
  }  // destruction closes the log
  EXPECT_EQ(fileText(dir.path_ / "EMULVT.LOG"),
            std::string("<Open>\r\n\x1b[1mA\xFF\0B<Close>\r\n<Open>\r\nZ<Close>\r\n", 43));
}

TEST_F(EmulVTTest, LeftPressTakesTheFocusAndRaisesTheMouseEvents) {
  int downs = 0;
  vt.OnMouseDown = [&](TCustomEmulVT*, TMouseButton, unsigned, int, int) { ++downs; };
  vt.MouseDown(TMouseButton::Right, 0, 5, 5);
  EXPECT_FALSE(view.focused);
  vt.MouseDown(TMouseButton::Left, 0, 5, 5);
  EXPECT_TRUE(view.focused);
  EXPECT_EQ(downs, 2);
}

TEST(EmulVTHeadless, WithoutAViewTheClientAreaFitsTheScreen) {
  TEmulVT vt;
  vt.SetRows(30);
  vt.SetCols(100);
  EXPECT_EQ(vt.View().ClientWidth(), 100 * vt.CharWidth());
  EXPECT_EQ(vt.View().ClientHeight(), 30 * vt.LineHeight());
}

TEST(EmulVTCursorPos, TheReportReachesTheHandler) {
  TEmulVT vt;
  std::string report;
  vt.SetOnCursorPos([&](TCustomEmulVT*, const std::string& s) { report = s; });
  vt.WriteStr("\x1b[5;7H\x1b[6n");
  EXPECT_EQ(report, "\x1b[5;7R");
}

}  // namespace
}  // namespace ondrix::term
