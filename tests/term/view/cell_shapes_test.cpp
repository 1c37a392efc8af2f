// Box-drawing, block and shade characters drawn as shapes: the geometry of every box character at
// many cell sizes (its strokes reach exactly the edges it names, where its neighbours' strokes
// arrive), and frames of each kind painted at several fonts and sizes without a gap.

#include <gtest/gtest.h>

#include <QFontMetrics>
#include <QImage>
#include <algorithm>
#include <set>
#include <string>
#include <utility>
#include <vector>

#include "common/offscreen_app.h"
#include "term/emulvt.h"
#include "term/view/cell_shapes.h"
#include "term/view/term_view.h"

namespace ondrix::term::view {
namespace {

enum Edge { Top, Right, Bottom, Left };

// The spans (across the edge) where a shape's rectangles touch `edge` of the cell.
std::set<std::pair<int, int>> spansAt(const ShapeRects& s, QSize cell, Edge edge) {
  std::set<std::pair<int, int>> spans;
  for (int i = 0; i < s.count; ++i) {
    const QRect& r = s.rects[static_cast<std::size_t>(i)];
    if (edge == Top && r.top() == 0) spans.insert({r.left(), r.right()});
    if (edge == Bottom && r.bottom() == cell.height() - 1) spans.insert({r.left(), r.right()});
    if (edge == Left && r.left() == 0) spans.insert({r.top(), r.bottom()});
    if (edge == Right && r.right() == cell.width() - 1) spans.insert({r.top(), r.bottom()});
  }
  return spans;
}

TEST(CellShapes, BoxStrokesMeetTheirNeighboursAtEveryNamedEdgeAndNoOther) {
  const QSize cells[] = {{5, 9}, {7, 13}, {8, 16}, {10, 22}, {13, 27}, {16, 32}};
  for (const QSize cell : cells) {
    for (int thickness = 1; thickness <= 3; ++thickness) {
      // Where a single and a double line cross a cell edge: as ─ ═ │ ║ draw them.
      const auto shapeOf = [&](int c) { return cellShapeRects(kCellShapes[static_cast<std::size_t>(c)], cell, thickness); };
      const std::set<std::pair<int, int>> rows[3] = {{}, spansAt(shapeOf(0xC4), cell, Left), spansAt(shapeOf(0xCD), cell, Left)};
      const std::set<std::pair<int, int>> cols[3] = {{}, spansAt(shapeOf(0xB3), cell, Top), spansAt(shapeOf(0xBA), cell, Top)};
      ASSERT_EQ(rows[1].size(), 1u);
      ASSERT_EQ(rows[2].size(), 2u);
      ASSERT_EQ(cols[2].size(), 2u);
      for (int c = 0xB3; c <= 0xDA; ++c) {
        const CellShape& shape = kCellShapes[static_cast<std::size_t>(c)];
        ASSERT_EQ(shape.kind, CellShape::Kind::Lines) << c;
        const ShapeRects rects = shapeOf(c);
        const std::string where = std::to_string(c) + " in " + std::to_string(cell.width()) + "x" +
                                  std::to_string(cell.height()) + " thickness " + std::to_string(thickness);
        EXPECT_EQ(spansAt(rects, cell, Top), cols[shape.up]) << where;
        EXPECT_EQ(spansAt(rects, cell, Bottom), cols[shape.down]) << where;
        EXPECT_EQ(spansAt(rects, cell, Left), rows[shape.left]) << where;
        EXPECT_EQ(spansAt(rects, cell, Right), rows[shape.right]) << where;
        for (int i = 0; i < rects.count; ++i)
          EXPECT_TRUE(QRect(QPoint(0, 0), cell).contains(rects.rects[static_cast<std::size_t>(i)])) << where;
      }
    }
  }
}

TEST(CellShapes, OnlyBoxBlockAndShadePositionsAreShapes) {
  for (int c = 0; c < 256; ++c)
    EXPECT_EQ(kCellShapes[static_cast<std::size_t>(c)].kind != CellShape::Kind::Glyph, c >= 0xB0 && c <= 0xDF) << c;
}

// --- Frames painted --------------------------------------------------------------------------

struct FrameCase {
  const char* name;
  bool lineDrawingSet;  // the rows are line-drawing letters (translated), else code page 437 bytes
  std::vector<std::string> rows;
  bool doubleHorizontal, doubleVertical;
};

const FrameCase kFrames[] = {
    {"line-drawing set", true, {"lqwqk", "x x x", "tqnqu", "x x x", "mqvqj"}, false, false},
    {"single", false, {"\xDA\xC4\xC2\xC4\xBF", "\xB3 \xB3 \xB3", "\xC3\xC4\xC5\xC4\xB4", "\xB3 \xB3 \xB3", "\xC0\xC4\xC1\xC4\xD9"}, false, false},
    {"double", false, {"\xC9\xCD\xCB\xCD\xBB", "\xBA \xBA \xBA", "\xCC\xCD\xCE\xCD\xB9", "\xBA \xBA \xBA", "\xC8\xCD\xCA\xCD\xBC"}, true, true},
    {"double across", false, {"\xD5\xCD\xD1\xCD\xB8", "\xB3 \xB3 \xB3", "\xC6\xCD\xD8\xCD\xB5", "\xB3 \xB3 \xB3", "\xD4\xCD\xCF\xCD\xBE"}, true, false},
    {"double down", false, {"\xD6\xC4\xD2\xC4\xB7", "\xBA \xBA \xBA", "\xC7\xC4\xD7\xC4\xB6", "\xBA \xBA \xBA", "\xD3\xC4\xD0\xC4\xBD"}, false, true},
};

struct FontCase {
  const char* name;
  int size;
};
const FontCase kFonts[] = {{"Terminal", 8}, {"Terminal", 12}, {"Terminal", 17}, {"DejaVu Sans Mono", 10}, {"DejaVu Sans Mono", 15}};

class FrameTest : public ::testing::Test {
 protected:
  FrameTest() : view((offscreenApplication(), model)) {}

  void SetUp() override { model.SetColors(7, 0, 15, 0, 11, 0, 13, 0, 0, 7); }

  QImage paint(const FontCase& font, const FrameCase& frame) {
    TFont f;
    f.Name = font.name;
    f.Size = font.size;
    f.CharSet = kOemCharset;
    model.SetFont(f);
    model.SetXlat(!frame.lineDrawingSet);
    model.WriteStr("\x1b[2J");
    for (std::size_t r = 0; r < frame.rows.size(); ++r)
      model.WriteStr("\x1b[" + std::to_string(r + 2) + ";3H" + (frame.lineDrawingSet ? "\x1b(0" : "") + frame.rows[r] + "\x1b(B");
    model.UpdateScreen();
    view.resize(view.sizeHint());
    return view.grab().toImage().convertToFormat(QImage::Format_RGB32);
  }

  // The pixel positions across a cell of the strokes of a single or double line.
  std::vector<int> strokes(int character, bool acrossRows) const {
    const QSize cell(model.CharWidth(), model.LineHeight());
    const int thickness = QFontMetrics(TermView::qtFont(model.Font())).lineWidth();
    const ShapeRects s = cellShapeRects(kCellShapes[static_cast<std::size_t>(character)], cell, thickness);
    std::vector<int> at;
    for (int i = 0; i < s.count; ++i) {
      const QRect& r = s.rects[static_cast<std::size_t>(i)];
      at.push_back(acrossRows ? r.top() : r.left());
    }
    return at;
  }

  TEmulVT model;
  TermView view;
};

// The 5x5 frame fills rows 1..5, columns 2..6. Each stroke of every line between two junctions
// runs unbroken from the last pixel of one junction's cell to the first pixel of the next, and
// the outer strokes meet in the corners.
TEST_F(FrameTest, FramesOfEveryKindCloseAtEveryFontAndSize) {
  const QColor line(0xAA, 0xAA, 0xAA);
  for (const FontCase& font : kFonts) {
    for (const FrameCase& frame : kFrames) {
      const QImage img = paint(font, frame);
      const int cw = model.CharWidth(), lh = model.LineHeight();
      const std::string where = std::string(frame.name) + " in " + font.name + " " + std::to_string(font.size);
      const std::vector<int> ys = strokes(frame.doubleHorizontal ? 0xCD : 0xC4, true);
      const std::vector<int> xs = strokes(frame.doubleVertical ? 0xBA : 0xB3, false);
      int gaps = 0;
      for (const int row : {1, 3, 5})
        for (const int junction : {2, 4})
          for (const int y : ys)
            for (int x = (junction + 1) * cw - 1; x <= (junction + 2) * cw; ++x) gaps += img.pixelColor(x, row * lh + y) != line;
      for (const int col : {2, 4, 6})
        for (const int junction : {1, 3})
          for (const int x : xs)
            for (int y = (junction + 1) * lh - 1; y <= (junction + 2) * lh; ++y) gaps += img.pixelColor(col * cw + x, y) != line;
      EXPECT_EQ(gaps, 0) << where;
      const auto [left, right] = std::minmax_element(xs.begin(), xs.end());
      const auto [top, bottom] = std::minmax_element(ys.begin(), ys.end());
      EXPECT_EQ(img.pixelColor(2 * cw + *left, lh + *top), line) << where;
      EXPECT_EQ(img.pixelColor(6 * cw + *right, 5 * lh + *bottom), line) << where;
      // Nothing is drawn outside the frame's cells.
      EXPECT_EQ(img.pixelColor(2 * cw - 1, 3 * lh + lh / 2), QColor(0, 0, 0)) << where;
      EXPECT_EQ(img.pixelColor(7 * cw, 3 * lh + lh / 2), QColor(0, 0, 0)) << where;
    }
  }
}

TEST_F(FrameTest, BlocksFillTheirPartOfTheCellAndShadesMixTheColours) {
  for (const FontCase& font : kFonts) {
    const QImage img = paint(font, {"blocks", false, {"\xDB\xDB\xDC\xDF\xDD\xDE\xB0\xB1\xB2", "\xDB\xDB"}, false, false});
    const int cw = model.CharWidth(), lh = model.LineHeight();
    const std::string where = std::string(font.name) + " " + std::to_string(font.size);
    const QColor fore(0xAA, 0xAA, 0xAA), back(0, 0, 0);
    int wrong = 0;
    // Two rows of two full blocks: one solid 2x2-cell square.
    for (int y = lh; y < 3 * lh; ++y)
      for (int x = 2 * cw; x < 4 * cw; ++x) wrong += img.pixelColor(x, y) != fore;
    EXPECT_EQ(wrong, 0) << where;
    const auto at = [&](int col, int x, int y) { return img.pixelColor(col * cw + x, lh + y); };
    EXPECT_EQ(at(4, 0, 0), back) << where;  // lower half
    EXPECT_EQ(at(4, cw - 1, lh - 1), fore) << where;
    EXPECT_EQ(at(5, 0, 0), fore) << where;  // upper half
    EXPECT_EQ(at(5, cw - 1, lh - 1), back) << where;
    EXPECT_EQ(at(6, 0, 0), fore) << where;  // left half
    EXPECT_EQ(at(6, cw - 1, 0), back) << where;
    EXPECT_EQ(at(7, 0, 0), back) << where;  // right half
    EXPECT_EQ(at(7, cw - 1, lh - 1), fore) << where;
    EXPECT_EQ(at(8, cw / 2, lh / 2), QColor(0x2B, 0x2B, 0x2B)) << where;  // a quarter, a half and
    EXPECT_EQ(at(9, cw / 2, lh / 2), QColor(0x55, 0x55, 0x55)) << where;  // three quarters of the
    EXPECT_EQ(at(10, 0, lh - 1), QColor(0x80, 0x80, 0x80)) << where;      // foreground, filling the cell
  }
}

// With a Windows-1252 font the same positions are letters, drawn by the font.
TEST_F(FrameTest, AWindowsFontDrawsThePositionsAsLetters) {
  TFont f;
  f.Name = "DejaVu Sans Mono";
  f.Size = 12;
  model.SetFont(f);
  ASSERT_FALSE(model.OemGlyphs());
  model.SetXlat(true);
  model.WriteStr("\x1b[2J\x1b[2;3H\xDB");
  model.UpdateScreen();
  view.resize(view.sizeHint());
  const QImage img = view.grab().toImage().convertToFormat(QImage::Format_RGB32);
  // "Û": the cell's top-left corner is background, not a filled block.
  EXPECT_EQ(img.pixelColor(2 * model.CharWidth(), model.LineHeight()), QColor(0, 0, 0));
}

}  // namespace
}  // namespace ondrix::term::view
