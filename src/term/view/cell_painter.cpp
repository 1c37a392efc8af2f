#include "term/view/cell_painter.h"

#include <QFontMetrics>
#include <QPainter>
#include <algorithm>

#include "platform/codepage.h"

namespace ondrix::term::view {

namespace {

QColor qcolor(const TRgb& c) { return {c.Red, c.Green, c.Blue}; }

// The foreground's share `quarters` / 4 over the background.
QColor mixed(const TRgb& fore, const TRgb& back, int quarters) {
  auto mix = [quarters](int f, int b) { return (f * quarters + b * (4 - quarters) + 2) / 4; };
  return {mix(fore.Red, back.Red), mix(fore.Green, back.Green), mix(fore.Blue, back.Blue)};
}

}  // namespace

void CellPainter::prepare(const QFont& font, QSize cell, int ascent, bool oem) {
  if (ready_ && font == font_ && cell == cell_ && ascent == ascent_ && oem == oem_) return;
  font_ = font;
  cell_ = cell;
  ascent_ = ascent;
  oem_ = oem;
  ready_ = true;
  rawFont_ = QRawFont::fromFont(font_);
  const auto convert = oem ? platform::cp437ToUnicode : platform::cp1252ToUnicode;
  for (int i = 0; i < 256; ++i) chars_[static_cast<std::size_t>(i)] = QChar(convert(static_cast<unsigned char>(i)));
  // Control positions of Windows-1252 draw as blanks rather than as whatever the font has there.
  if (!oem)
    for (int i = 0; i < 32; ++i) chars_[static_cast<std::size_t>(i)] = QChar(u' ');
  chars_[0] = QChar(u' ');
  int count = 256;
  rawFont_.glyphIndexesForChars(chars_.data(), 256, glyphIndex_.data(), &count);
  const QFontMetrics metrics(font_);
  const int thickness = std::max(1, metrics.lineWidth());
  // The underline of an underlined font goes under whole runs (as one line of text would have
  // it), not under each colour's glyphs, which lie scattered over the row.
  underlineTop_ = ascent + metrics.underlinePos();
  underlineThickness_ = font_.underline() ? thickness : 0;
  for (std::size_t i = 0; i < 256; ++i) {
    blank_[i] = chars_[i] == QChar(u' ');
    fallback_[i] = !blank_[i] && (count != 256 || glyphIndex_[i] == 0);
    const CellShape& shape = oem ? kCellShapes[i] : CellShape{};
    shapes_[i] = cellShapeRects(shape, cell, thickness);
    shadeQuarters_[i] = shape.kind == CellShape::Kind::Shade ? shape.quarters : 4;
  }
  glyphRun_ = QGlyphRun();
  glyphRun_.setRawFont(rawFont_);
}

void CellPainter::paintRow(QPainter& painter, std::span<const TTextRun> runs, const TCustomEmulVT& model) {
  if (runs.empty()) return;
  // Neighbouring runs on the same background take one fill.
  for (std::size_t i = 0; i < runs.size();) {
    const TRgb back = model.CellColors(runs[i].Attr).Back;
    std::size_t j = i + 1;
    while (j < runs.size() && model.CellColors(runs[j].Attr).Back == back) ++j;
    const TRect& first = runs[i].Cell;
    painter.fillRect(QRect(first.Left, first.Top, runs[j - 1].Cell.Right - first.Left, first.Height()), qcolor(back));
    i = j;
  }
  const TRect& first = runs.front().Cell;
  painter.save();
  painter.setClipRect(QRect(first.Left, first.Top, runs.back().Cell.Right - first.Left, first.Height()),
                      Qt::IntersectClip);
  for (const TTextRun& run : runs) paintRunText(painter, run, model.CellColors(run.Attr));
  drawGlyphs(painter);
  painter.restore();
}

void CellPainter::paintRunText(QPainter& painter, const TTextRun& run, const TCustomEmulVT::TCellColors& colours) {
  const QColor fore = qcolor(colours.Fore);
  ColourGlyphs* glyphs = nullptr;
  bool inked = false;
  const int top = run.Cell.Top;
  for (int i = 0; i < run.Count; ++i) {
    const std::uint8_t c = run.Chars[i];
    const int left = run.Cell.Left + i * cell_.width();
    if (blank_[c]) continue;
    if (const ShapeRects& shape = shapes_[c]; shape.count > 0) {
      const QColor colour = shadeQuarters_[c] == 4 ? fore : mixed(colours.Fore, colours.Back, shadeQuarters_[c]);
      for (int r = 0; r < shape.count; ++r) painter.fillRect(shape.rects[static_cast<std::size_t>(r)].translated(left, top), colour);
    } else if (fallback_[c]) {
      painter.setPen(fore);
      painter.setFont(font_);
      painter.drawText(left, top + ascent_, QString(chars_[c]));
    } else {
      if (!glyphs) glyphs = &glyphsOf(fore.rgb());
      glyphs->glyphs.append(glyphIndex_[c]);
      glyphs->positions.append(QPointF(left, top + ascent_));
    }
    inked = true;
  }
  if (inked && underlineThickness_ > 0)
    painter.fillRect(QRect(run.Cell.Left, top + underlineTop_, run.Cell.Width(), underlineThickness_), fore);
}

CellPainter::ColourGlyphs& CellPainter::glyphsOf(QRgb colour) {
  for (std::size_t i = 0; i < usedColours_; ++i)
    if (colours_[i].colour == colour) return colours_[i];
  if (usedColours_ == colours_.size()) colours_.emplace_back();
  ColourGlyphs& fresh = colours_[usedColours_++];
  fresh.colour = colour;
  fresh.glyphs.clear();
  fresh.positions.clear();
  return fresh;
}

// The colours in the order of their values: a partial repaint stacks overlapping glyphs of
// different colours as the full one does.
void CellPainter::drawGlyphs(QPainter& painter) {
  std::sort(colours_.begin(), colours_.begin() + static_cast<std::ptrdiff_t>(usedColours_),
            [](const ColourGlyphs& a, const ColourGlyphs& b) { return a.colour < b.colour; });
  for (std::size_t i = 0; i < usedColours_; ++i) {
    glyphRun_.setGlyphIndexes(colours_[i].glyphs);
    glyphRun_.setPositions(colours_[i].positions);
    painter.setPen(QColor::fromRgb(colours_[i].colour));
    painter.drawGlyphRun(QPointF(0, 0), glyphRun_);
  }
  usedColours_ = 0;
}

}  // namespace ondrix::term::view
