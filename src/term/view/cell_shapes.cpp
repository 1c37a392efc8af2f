#include "term/view/cell_shapes.h"

#include <algorithm>

namespace ondrix::term::view {

namespace {

// One axis of a box-drawing shape: the arms along it ("before" towards the top or left edge,
// "after" towards the bottom or right edge) and the arms across it.
struct Axis {
  int length;       // the cell's extent along the axis
  int centre;       // the first pixel of a single stroke across the axis, along it
  int acrossCentre;  // the first pixel of a single stroke of this axis, across it
  int own;          // the weight of this axis' strokes (the heavier of its two arms)
  int cross;        // the weight of the strokes across it
  bool before, after, crossBefore, crossAfter;
};

// Gives the strokes of an axis' arms as spans [from, to) along it, at `at` across it. A stroke
// meets the strokes across it: a single line stops at the far stroke of a double one (a corner
// or a crossing) or at its near stroke (a tee); the strokes of two double lines stop at the
// inner or outer stroke of the other, so that both outlines close.
template <typename Stroke>
void axisStrokes(const Axis& a, int e, int t, Stroke stroke) {
  const int strokes = a.own == 2 ? 2 : 1;
  for (int side = 0; side < strokes; ++side) {
    const int at = a.own == 2 ? a.acrossCentre + (side == 0 ? -e : e) : a.acrossCentre;
    int end = a.centre + t;  // of the arm before the centre
    int start = a.centre;    // of the arm after it
    if (a.cross == 2) {
      bool nearBefore, nearAfter;
      if (a.own == 2) {
        nearBefore = nearAfter = side == 0 ? a.crossBefore : a.crossAfter;
      } else {
        const bool tee = a.crossBefore && a.crossAfter;
        nearBefore = tee && !a.after;
        nearAfter = tee && !a.before;
      }
      end = nearBefore ? a.centre - e + t : a.centre + e + t;
      start = nearAfter ? a.centre + e : a.centre - e;
    }
    if (a.before) stroke(0, end, at);
    if (a.after) stroke(start, a.length, at);
  }
}

// Half of an extent, for blocks: the two halves of an odd extent differ by a pixel.
int half(int extent, int halves) { return halves == 0 ? 0 : halves == 1 ? extent / 2 : extent; }

}  // namespace

ShapeRects cellShapeRects(const CellShape& shape, QSize cell, int thickness) {
  ShapeRects out;
  const int w = cell.width(), h = cell.height();
  auto add = [&out](const QRect& r) {
    if (out.count < ShapeRects::kMax && !r.isEmpty()) out.rects[static_cast<std::size_t>(out.count++)] = r;
  };
  switch (shape.kind) {
    case CellShape::Kind::Glyph:
      break;
    case CellShape::Kind::Shade:
      add(QRect(0, 0, w, h));
      break;
    case CellShape::Kind::Block:
      add(QRect(QPoint(half(w, shape.x0), half(h, shape.y0)),
                QPoint(half(w, shape.x1) - 1, half(h, shape.y1) - 1)));
      break;
    case CellShape::Kind::Lines: {
      const int t = std::clamp(thickness, 1, std::max(1, std::min(w, h) / 3));
      const int cx = (w - t) / 2, cy = (h - t) / 2;
      // The strokes of a double line: a line's width apart, clear of the cell's edges (double
      // lines in neighbouring cells stay apart).
      const int e = std::max(1, std::min({2 * t, cx - 1, w - t - cx - 1, cy - 1, h - t - cy - 1}));
      const int horizontal = std::max(shape.left, shape.right), vertical = std::max(shape.up, shape.down);
      axisStrokes({w, cx, cy, horizontal, vertical, shape.left != 0, shape.right != 0, shape.up != 0, shape.down != 0},
                  e, t, [&](int from, int to, int y) { add(QRect(from, y, to - from, t)); });
      axisStrokes({h, cy, cx, vertical, horizontal, shape.up != 0, shape.down != 0, shape.left != 0, shape.right != 0},
                  e, t, [&](int from, int to, int x) { add(QRect(x, from, t, to - from)); });
      break;
    }
  }
  return out;
}

}  // namespace ondrix::term::view
