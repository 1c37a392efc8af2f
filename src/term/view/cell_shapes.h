#pragma once
// The characters a terminal cell shows as shapes rather than as font glyphs: the box-drawing
// characters of code page 437 (the line-drawing character set maps onto them) and its block and
// shade characters. Drawn from the cell's own geometry they fill the cell to its edges, so frames
// close whatever the font and size. The table is data; CellShapeRects turns an entry into the
// rectangles to fill for one cell size and line thickness.

#include <QRect>
#include <QSize>
#include <array>
#include <cstdint>

namespace ondrix::term::view {

struct CellShape {
  enum class Kind : std::uint8_t { Glyph, Lines, Block, Shade };
  Kind kind = Kind::Glyph;
  // Lines: the weight of the arm towards each edge (0 none, 1 single, 2 double).
  std::uint8_t up = 0, right = 0, down = 0, left = 0;
  // Block: the filled part in halves of the cell, [x0, x1) x [y0, y1) of 0..2.
  std::uint8_t x0 = 0, y0 = 0, x1 = 0, y1 = 0;
  // Shade: the foreground colour's share of the cell in quarters.
  std::uint8_t quarters = 0;
};

namespace detail {

inline constexpr std::uint8_t kFirstBox = 0xB3;
// Arms of the box-drawing characters 0xB3..0xDA: up, right, down, left.
inline constexpr std::uint8_t kBoxArms[][4] = {
    {1, 0, 1, 0},  // B3 │
    {1, 0, 1, 1},  // B4 ┤
    {1, 0, 1, 2},  // B5 ╡
    {2, 0, 2, 1},  // B6 ╢
    {0, 0, 2, 1},  // B7 ╖
    {0, 0, 1, 2},  // B8 ╕
    {2, 0, 2, 2},  // B9 ╣
    {2, 0, 2, 0},  // BA ║
    {0, 0, 2, 2},  // BB ╗
    {2, 0, 0, 2},  // BC ╝
    {2, 0, 0, 1},  // BD ╜
    {1, 0, 0, 2},  // BE ╛
    {0, 0, 1, 1},  // BF ┐
    {1, 1, 0, 0},  // C0 └
    {1, 1, 0, 1},  // C1 ┴
    {0, 1, 1, 1},  // C2 ┬
    {1, 1, 1, 0},  // C3 ├
    {0, 1, 0, 1},  // C4 ─
    {1, 1, 1, 1},  // C5 ┼
    {1, 2, 1, 0},  // C6 ╞
    {2, 1, 2, 0},  // C7 ╟
    {2, 2, 0, 0},  // C8 ╚
    {0, 2, 2, 0},  // C9 ╔
    {2, 2, 0, 2},  // CA ╩
    {0, 2, 2, 2},  // CB ╦
    {2, 2, 2, 0},  // CC ╠
    {0, 2, 0, 2},  // CD ═
    {2, 2, 2, 2},  // CE ╬
    {1, 2, 0, 2},  // CF ╧
    {2, 1, 0, 1},  // D0 ╨
    {0, 2, 1, 2},  // D1 ╤
    {0, 1, 2, 1},  // D2 ╥
    {2, 1, 0, 0},  // D3 ╙
    {1, 2, 0, 0},  // D4 ╘
    {0, 2, 1, 0},  // D5 ╒
    {0, 1, 2, 0},  // D6 ╓
    {2, 1, 2, 1},  // D7 ╫
    {1, 2, 1, 2},  // D8 ╪
    {1, 0, 0, 1},  // D9 ┘
    {0, 1, 1, 0},  // DA ┌
};

// Block characters 0xDB..0xDF in halves: x0, y0, x1, y1.
inline constexpr std::uint8_t kFirstBlock = 0xDB;
inline constexpr std::uint8_t kBlocks[][4] = {
    {0, 0, 2, 2},  // DB █
    {0, 1, 2, 2},  // DC ▄
    {0, 0, 1, 2},  // DD ▌
    {1, 0, 2, 2},  // DE ▐
    {0, 0, 2, 1},  // DF ▀
};

// Shade characters 0xB0..0xB2: the foreground's share in quarters.
inline constexpr std::uint8_t kFirstShade = 0xB0;
inline constexpr std::uint8_t kShades[] = {1, 2, 3};  // ░ ▒ ▓

constexpr std::array<CellShape, 256> makeCellShapes() {
  std::array<CellShape, 256> t{};
  for (std::size_t i = 0; i < std::size(kBoxArms); ++i) {
    CellShape& s = t[kFirstBox + i];
    s.kind = CellShape::Kind::Lines;
    s.up = kBoxArms[i][0];
    s.right = kBoxArms[i][1];
    s.down = kBoxArms[i][2];
    s.left = kBoxArms[i][3];
  }
  for (std::size_t i = 0; i < std::size(kBlocks); ++i) {
    CellShape& s = t[kFirstBlock + i];
    s.kind = CellShape::Kind::Block;
    s.x0 = kBlocks[i][0];
    s.y0 = kBlocks[i][1];
    s.x1 = kBlocks[i][2];
    s.y1 = kBlocks[i][3];
  }
  for (std::size_t i = 0; i < std::size(kShades); ++i) {
    CellShape& s = t[kFirstShade + i];
    s.kind = CellShape::Kind::Shade;
    s.quarters = kShades[i];
  }
  return t;
}

}  // namespace detail

// The shape of every code page 437 position; Kind::Glyph where the font draws it.
inline constexpr std::array<CellShape, 256> kCellShapes = detail::makeCellShapes();

// The rectangles (relative to the cell's top-left corner) one shape fills in a cell of `cell`
// pixels with lines `thickness` pixels wide. Lines run through the cell's centre to its edges;
// the two strokes of a double line lie on either side of the centre and join as corners, tees
// and crossings do. A block fills its halves; a shade fills the whole cell (in a mixed colour).
struct ShapeRects {
  static constexpr int kMax = 8;
  int count = 0;
  std::array<QRect, kMax> rects{};
};
ShapeRects cellShapeRects(const CellShape& shape, QSize cell, int thickness);

}  // namespace ondrix::term::view
