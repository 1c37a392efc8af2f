// The widget rendered offscreen: cell colours in colour and monochrome modes, the selection
// outline and the caret, read back from the pixels.

#include <gtest/gtest.h>

#include <QFontMetrics>
#include <QImage>
#include <QScrollBar>

#include "common/offscreen_app.h"
#include "term/emulvt.h"
#include "term/view/term_view.h"

namespace ondrix::term::view {
namespace {

class SelectableVT : public TEmulVT {
 public:
  void select(const TRect& r) { selectRect_ = r; }
};

struct WithApp {
  WithApp() { offscreenApplication(); }
};

class RenderTest : public ::testing::Test, private WithApp {
 protected:
  RenderTest() : view(model) {}
  void SetUp() override {
    model.SetColors(7, 0, 15, 0, 11, 0, 13, 0, 0, 7);
    model.ClearScreen();
    view.resize(view.sizeHint());
    cw = model.CharWidth();
    lh = model.LineHeight();
  }
  QImage render() {
    model.UpdateScreen();
    return view.grab().toImage().convertToFormat(QImage::Format_RGB32);
  }
  // The pixel in the middle of cell (row, col).
  QColor cellCentre(const QImage& img, int row, int col) const {
    return img.pixelColor(col * cw + cw / 2, row * lh + lh / 2);
  }
  // A pixel of the cell's background: its top-left corner, which no glyph covers.
  QColor cellCorner(const QImage& img, int row, int col) const {
    return img.pixelColor(col * cw, row * lh);
  }

  SelectableVT model;
  TermView view;
  int cw = 0;
  int lh = 0;
};

TEST_F(RenderTest, FontIsMeasuredAndTheViewFitsTheScreen) {
  EXPECT_GT(cw, 3);
  EXPECT_GT(lh, cw);
  EXPECT_EQ(view.sizeHint(), QSize(80 * cw + 16, 25 * lh + model.TopMargin()));
  EXPECT_EQ(view.ClientWidth(), 80 * cw + 16);
}

TEST_F(RenderTest, ColourModePaintsThePaletteColours) {
  // Red full block on blue, then a blank on blue, then a yellow-on-default blank.
  model.WriteStr("\x1b[31;44m\xDB \x1b[0m \x1b[1;33;42mX");
  const QImage img = render();
  EXPECT_EQ(cellCentre(img, 0, 0), QColor(0xAA, 0, 0));
  EXPECT_EQ(cellCorner(img, 0, 1), QColor(0, 0, 0xAA));
  EXPECT_EQ(cellCorner(img, 0, 2), QColor(0, 0, 0));
  EXPECT_EQ(cellCorner(img, 0, 3), QColor(0, 0xAA, 0));
  EXPECT_EQ(cellCorner(img, 5, 5), QColor(0, 0, 0));

  model.SetPaletteEntry(5, 0x00102030);  // blue becomes (0x30, 0x20, 0x10) once entry 16 is set
  for (int n = 6; n <= 16; ++n) model.SetPaletteEntry(n, 0x00FFFFFF);
  EXPECT_EQ(cellCorner(render(), 0, 1), QColor(0x30, 0x20, 0x10));
}

TEST_F(RenderTest, MonochromeModePaintsBlackWhiteAndGrey) {
  model.SetMonoChrome(true);
  // 0x07: black text on white; 0x70: white text on grey; 0x41: black text on grey. Each as a
  // full block (the text colour) and a blank (the background).
  model.WriteStr("\x1b[0m\xDB \x1b[7m\xDB \x1b[31;44m\xDB ");
  const QImage img = render();
  EXPECT_EQ(cellCentre(img, 0, 0), QColor(0, 0, 0));
  EXPECT_EQ(cellCorner(img, 0, 1), QColor(255, 255, 255));
  EXPECT_EQ(cellCentre(img, 0, 2), QColor(255, 255, 255));
  EXPECT_EQ(cellCorner(img, 0, 3), QColor(127, 127, 127));
  EXPECT_EQ(cellCentre(img, 0, 4), QColor(0, 0, 0));
  EXPECT_EQ(cellCorner(img, 0, 5), QColor(127, 127, 127));
}

TEST_F(RenderTest, SelectionIsOutlinedBlackInsideWhite) {
  model.select({2 * cw, 3 * lh, 6 * cw, 5 * lh});
  const QImage img = render();
  const int l = 2 * cw, t = 3 * lh, r = 6 * cw - 1, b = 5 * lh - 1;
  for (const QPoint p : {QPoint(l, t), QPoint(r, t), QPoint(l, b), QPoint(r, b), QPoint(l + 5, t)})
    EXPECT_EQ(img.pixelColor(p), QColor(0, 0, 0)) << p.x() << "," << p.y();
  for (const QPoint p : {QPoint(l - 1, t - 1), QPoint(r + 1, b + 1), QPoint(l + 5, t - 1), QPoint(l - 1, t + 5)})
    EXPECT_EQ(img.pixelColor(p), QColor(255, 255, 255)) << p.x() << "," << p.y();
  EXPECT_EQ(img.pixelColor(l + 3, t + 3), QColor(0, 0, 0));  // no fill
}

TEST_F(RenderTest, CaretCoversTheCursorCellOnlyWhileFocused) {
  model.WriteStr("\x1b[44m\x1b[3;5H");
  model.FocusGained();
  QImage img = render();
  // The caret inverts the cell: black becomes white.
  EXPECT_EQ(cellCorner(img, 2, 4), QColor(255, 255, 255));
  EXPECT_EQ(cellCentre(img, 2, 4), QColor(255, 255, 255));
  EXPECT_EQ(cellCorner(img, 2, 5), QColor(0, 0, 0));
  model.FocusLost();
  img = render();
  EXPECT_EQ(cellCorner(img, 2, 4), QColor(0, 0, 0));
}

// The line runs under the whole of each run with text, blanks included, in the run's colour.
TEST_F(RenderTest, AnUnderlinedFontUnderlinesRunsWithText) {
  TFont font = model.Font();
  font.Underline = true;
  model.SetFont(font);
  cw = model.CharWidth();
  // Red "a b", green "c d", two blanks on blue, a red "x".
  model.WriteStr("\x1b[31ma b\x1b[32mc d\x1b[44m  \x1b[31;40mx\x1b[0m");
  const QImage img = render();
  const QFontMetrics metrics(TermView::qtFont(model.Font()));
  const int y = metrics.ascent() + metrics.underlinePos();
  EXPECT_EQ(img.pixelColor(1 * cw + cw / 2, y), QColor(0xAA, 0, 0));
  EXPECT_EQ(img.pixelColor(4 * cw + cw / 2, y), QColor(0, 0xAA, 0));
  EXPECT_EQ(img.pixelColor(6 * cw + cw / 2, y), QColor(0, 0, 0xAA));  // no text, no line
  EXPECT_EQ(img.pixelColor(8 * cw + cw / 2, y), QColor(0xAA, 0, 0));
  EXPECT_EQ(img.pixelColor(10 * cw + cw / 2, y), QColor(0, 0, 0));
}

TEST_F(RenderTest, TheScrollBarBrowsesTheHistory) {
  auto* bar = view.findChild<QScrollBar*>();
  ASSERT_NE(bar, nullptr);
  EXPECT_EQ(bar->minimum(), 0);
  EXPECT_EQ(bar->maximum(), 1500);
  EXPECT_EQ(bar->pageStep(), 20);
  EXPECT_EQ(bar->value(), 1500);
  render();  // delivers the pending resize
  EXPECT_EQ(bar->geometry(), QRect(view.width() - 16, 0, 16, view.height()));
  for (int i = 0; i < 40; ++i) model.WriteStr("\r\nline " + std::to_string(i));
  bar->triggerAction(QAbstractSlider::SliderPageStepSub);
  EXPECT_EQ(model.Screen().HistoryCount(), 1480);
  EXPECT_EQ(bar->value(), 1480);
  bar->triggerAction(QAbstractSlider::SliderSingleStepAdd);
  EXPECT_EQ(bar->value(), 1481);
  EXPECT_EQ(model.Screen().PushedCount(), 19);
  model.ScrollToLive();
  EXPECT_EQ(bar->value(), 1500);
  EXPECT_EQ(model.Screen().PushedCount(), 0);
}

}  // namespace
}  // namespace ondrix::term::view
