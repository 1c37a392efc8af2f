// The widget shown on the offscreen platform, painting through Qt's own update path: what a
// sequence of small repaints leaves in the window equals a full repaint of the same screen, and
// repaint requests are gathered into frames.

#include <gtest/gtest.h>

#include <QEvent>
#include <QImage>
#include <QScreen>
#include <string>

#include "common/offscreen_app.h"
#include "term/emulvt.h"
#include "term/view/term_view.h"

namespace ondrix::term::view {
namespace {

class PaintCounter : public QObject {
 public:
  int paints = 0;

 protected:
  bool eventFilter(QObject*, QEvent* event) override {
    if (event->type() == QEvent::Paint) ++paints;
    return false;
  }
};

class ShownViewTest : public ::testing::Test {
 protected:
  ShownViewTest() : app((offscreenApplication(), 0)), view(model) {}

  void SetUp() override {
    model.SetColors(7, 0, 15, 0, 11, 0, 13, 0, 0, 7);
    view.resize(view.sizeHint());
    view.installEventFilter(&counter);
    view.show();
    settle();
  }

  // Lets the pending frame and its paint happen.
  void settle() {
    // Waiting for more events returns at the latest when the frame's timer fires.
    for (int i = 0; i < 100 && view.framePending(); ++i) QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);
    QCoreApplication::processEvents();
  }

  // What the window shows: the pixels the paints so far left in its backing store.
  QImage shown() {
    return view.screen()->grabWindow(view.winId()).toImage().convertToFormat(QImage::Format_RGB32);
  }
  // The same screen painted whole.
  QImage fullRepaint() { return view.grab().toImage().convertToFormat(QImage::Format_RGB32); }

  // Cells of `row` from `first` to `last` whose pixels differ between the two images, except the
  // cursor's cell, where the blinking caret may have turned in between.
  std::string differingCells(const QImage& a, const QImage& b, int row, int first, int last) const {
    std::string cells;
    const int cw = model.CharWidth(), lh = model.LineHeight();
    for (int col = first; col <= last; ++col) {
      if (row == model.Screen().Row() && col == model.Screen().Col()) continue;
      bool same = true;
      for (int y = row * lh; y < (row + 1) * lh && same; ++y)
        for (int x = col * cw; x < (col + 1) * cw && same; ++x) same = a.pixel(x, y) == b.pixel(x, y);
      if (!same) cells += std::to_string(col) + " ";
    }
    return cells;
  }

  int app;
  TEmulVT model;
  TermView view;
  PaintCounter counter;
};

// Each key's echo repaints only its own cell and the cursor's: every cell of the line must still
// look as a repaint of the whole screen draws it (glyphs at their cells, nothing cut off).
TEST_F(ShownViewTest, TypedLineLooksAsAFullRepaintDrawsIt) {
  model.FocusGained();
  const std::string prompt = "$ ";
  const std::string typed = "hello world, typed one key at a time: dig quick jumps";
  for (const std::string& line : {prompt, typed}) {
    for (const char c : line) {
      model.WriteChar(static_cast<std::uint8_t>(c));
      model.UpdateScreen();
      settle();
    }
  }
  model.WriteStr("\r\n\x1b[1;33;44mreply from the host\x1b[0m\r\n$ ");
  model.UpdateScreen();
  settle();
  const QImage painted = shown();
  const QImage whole = fullRepaint();
  const int last = static_cast<int>(prompt.size() + typed.size()) - 1;
  EXPECT_EQ(differingCells(painted, whole, 0, 0, last), "");
  EXPECT_EQ(differingCells(painted, whole, 1, 0, 20), "");
  model.FocusLost();
}

// Coloured cells and line-drawing shapes written a cell at a time, over a line written before.
TEST_F(ShownViewTest, CellsWrittenOneAtATimeOverOldTextLookAsAFullRepaintDrawsThem) {
  model.SetXlat(false);  // translation on: the line-drawing set draws box characters
  model.WriteStr("WWWWWWWWWWWWWWWWWWWWWWWWWWWWWWWWWWWWWWWW\r");
  model.UpdateScreen();
  settle();
  const std::string cells[] = {"\x1b[31mm", "\x1b[0;42mi", "\x1b(0q", "n", "\x1b(Bi", "\x1b[4I\xC9", "\xCD", "\xB1", "\x1b[7mM", "W"};
  for (const std::string& cell : cells) {
    model.WriteStr(cell);
    model.UpdateScreen();
    settle();
  }
  EXPECT_EQ(differingCells(shown(), fullRepaint(), 0, 0, 39), "");
}

TEST_F(ShownViewTest, RequestsDuringAFrameWaitForItsEnd) {
  const int before = counter.paints;
  for (int i = 0; i < 100; ++i) {
    model.WriteStr("\r\nmore text");
    model.UpdateScreen();
    QCoreApplication::processEvents();
  }
  settle();
  // One paint per frame that passed during the loop (one or two, a few on a slow machine), never
  // one per block.
  EXPECT_GE(counter.paints - before, 1);
  EXPECT_LT(counter.paints - before, 50);
  EXPECT_EQ(differingCells(shown(), fullRepaint(), 20, 0, 20), "");
}

}  // namespace
}  // namespace ondrix::term::view
