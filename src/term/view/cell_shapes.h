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

constexpr CellShape lines(std::uint8_t up, std::uint8_t right, std::uint8_t down, std::uint8_t left) {
  CellShape s;
  s.kind = CellShape::Kind::Lines;
  s.up = up;
  s.right = right;
  s.down = down;
  s.left = left;
  return s;
}
constexpr CellShape block(std::uint8_t x0, std::uint8_t y0, std::uint8_t x1, std::uint8_t y1) {
  CellShape s;
  s.kind = CellShape::Kind::Block;
  s.x0 = x0;
  s.y0 = y0;
  s.x1 = x1;
  s.y1 = y1;
  return s;
}
constexpr CellShape shade(std::uint8_t quarters) {
  CellShape s;
  s.kind = CellShape::Kind::Shade;
  s.quarters = quarters;
  return s;
}

// Code page 437 positions 0xB0..0xDF: shades, lines (arms up, right, down, left) and blocks.
inline constexpr std::uint8_t kFirstShape = 0xB0;
inline constexpr CellShape kShapes[] = {
    shade(1),  // B0 ░
    shade(2),  // B1 ▒
    shade(3),  // B2 ▓
    lines(1, 0, 1, 0),  // B3 │
    lines(1, 0, 1, 1),  // B4 ┤
    lines(1, 0, 1, 2),  // B5 ╡
    lines(2, 0, 2, 1),  // B6 ╢
    lines(0, 0, 2, 1),  // B7 ╖
    lines(0, 0, 1, 2),  // B8 ╕
    lines(2, 0, 2, 2),  // B9 ╣
    lines(2, 0, 2, 0),  // BA ║
    lines(0, 0, 2, 2),  // BB ╗
    lines(2, 0, 0, 2),  // BC ╝
    lines(2, 0, 0, 1),  // BD ╜
    lines(1, 0, 0, 2),  // BE ╛
    lines(0, 0, 1, 1),  // BF ┐
    lines(1, 1, 0, 0),  // C0 └
    lines(1, 1, 0, 1),  // C1 ┴
    lines(0, 1, 1, 1),  // C2 ┬
    lines(1, 1, 1, 0),  // C3 ├
    lines(0, 1, 0, 1),  // C4 ─
    lines(1, 1, 1, 1),  // C5 ┼
    lines(1, 2, 1, 0),  // C6 ╞
    lines(2, 1, 2, 0),  // C7 ╟
    lines(2, 2, 0, 0),  // C8 ╚
    lines(0, 2, 2, 0),  // C9 ╔
    lines(2, 2, 0, 2),  // CA ╩
    lines(0, 2, 2, 2),  // CB ╦
    lines(2, 2, 2, 0),  // CC ╠
    lines(0, 2, 0, 2),  // CD ═
    lines(2, 2, 2, 2),  // CE ╬
    lines(1, 2, 0, 2),  // CF ╧
    lines(2, 1, 0, 1),  // D0 ╨
    lines(0, 2, 1, 2),  // D1 ╤
    lines(0, 1, 2, 1),  // D2 ╥
    lines(2, 1, 0, 0),  // D3 ╙
    lines(1, 2, 0, 0),  // D4 ╘
    lines(0, 2, 1, 0),  // D5 ╒
    lines(0, 1, 2, 0),  // D6 ╓
    lines(2, 1, 2, 1),  // D7 ╫
    lines(1, 2, 1, 2),  // D8 ╪
    lines(1, 0, 0, 1),  // D9 ┘
    lines(0, 1, 1, 0),  // DA ┌
    block(0, 0, 2, 2),  // DB █
    block(0, 1, 2, 2),  // DC ▄
    block(0, 0, 1, 2),  // DD ▌
    block(1, 0, 2, 2),  // DE ▐
    block(0, 0, 2, 1),  // DF ▀
};
static_assert(std::size(kShapes) == 0xE0 - kFirstShape);

constexpr std::array<CellShape, 256> makeCellShapes() {
  std::array<CellShape, 256> t{};
  for (std::size_t i = 0; i < std::size(kShapes); ++i) t[kFirstShape + i] = kShapes[i];
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
