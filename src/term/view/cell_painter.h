#pragma once
// CellPainter: draws one row's runs of terminal cells. Every glyph is placed at its own cell's
// origin (never where the font's advance would carry it), so the glyphs of a run line up with the
// grid and a repaint of a few cells draws exactly what a repaint of the whole screen draws there.
// A row's backgrounds are filled before its glyphs, which may reach into the neighbouring cells;
// the row's band clips them. The row's glyphs go out in one call per text colour, in an order
// that does not depend on where the repaint starts. With code page 437 glyphs, box-drawing, block
// and shade characters are filled as shapes (cell_shapes.h) in the cell's foreground colour.

#include <QColor>
#include <QFont>
#include <QGlyphRun>
#include <QRawFont>
#include <QSize>
#include <QVector>
#include <array>
#include <bitset>
#include <span>
#include <vector>

#include "term/emulvt.h"
#include "term/view/cell_shapes.h"

class QPainter;

namespace ondrix::term::view {

class CellPainter {
 public:
  // Readies the glyphs of `font` for cells of `cell` pixels with the baseline `ascent` pixels
  // below a cell's top; `oem` chooses code page 437 (with shapes) over Windows-1252. Cheap when
  // nothing changed.
  void prepare(const QFont& font, QSize cell, int ascent, bool oem);

  // The cells of one row: the runs in column order, coloured by `model`.
  void paintRow(QPainter& painter, std::span<const TTextRun> runs, const TCustomEmulVT& model);

 private:
  void paintRunText(QPainter& painter, const TTextRun& run, const TCustomEmulVT::TCellColors& colours);
  void drawGlyphs(QPainter& painter);

  // The glyphs of one text colour in the row being painted.
  struct ColourGlyphs {
    QRgb colour = 0;
    QVector<quint32> glyphs;
    QVector<QPointF> positions;
  };
  ColourGlyphs& glyphsOf(QRgb colour);

  QFont font_;
  QRawFont rawFont_;
  QSize cell_;
  int ascent_ = 0;
  int underlineTop_ = 0;        // below a cell's top
  int underlineThickness_ = 0;  // 0: the font is not underlined
  bool oem_ = true;
  bool ready_ = false;
  std::array<quint32, 256> glyphIndex_{};
  std::bitset<256> blank_;     // drawn as background only
  std::bitset<256> fallback_;  // not in the font: drawn as text, which finds another font
  std::array<QChar, 256> chars_{};
  std::array<ShapeRects, 256> shapes_{};
  std::array<std::uint8_t, 256> shadeQuarters_{};
  std::vector<ColourGlyphs> colours_;  // the first usedColours_ are in use
  std::size_t usedColours_ = 0;
  QGlyphRun glyphRun_;
};

}  // namespace ondrix::term::view
