#include "term/view/term_view.h"

#include <QCoreApplication>
#include <QFocusEvent>
#include <QFontDatabase>
#include <QFontInfo>
#include <QFontMetrics>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPaintEvent>
#include <QPainter>
#include <QWheelEvent>
#include <algorithm>

#include "platform/codepage.h"
#include "term/view/key_map.h"

namespace ondrix::term::view {

namespace {

QColor qcolor(const TRgb& c) { return {c.Red, c.Green, c.Blue}; }

std::array<QChar, 256> glyphTable(char16_t (*convert)(unsigned char)) {
  std::array<QChar, 256> table{};
  for (int i = 0; i < 256; ++i) table[static_cast<std::size_t>(i)] = QChar(convert(static_cast<unsigned char>(i)));
  // Control positions draw as blanks rather than as whatever the font has there.
  if (convert == platform::cp1252ToUnicode)
    for (int i = 0; i < 32; ++i) table[static_cast<std::size_t>(i)] = QChar(u' ');
  table[0] = QChar(u' ');
  return table;
}

unsigned shiftOf(Qt::KeyboardModifiers m) {
  return ((m & Qt::ShiftModifier) ? kShift : 0u) | ((m & Qt::AltModifier) ? kAlt : 0u) |
         ((m & Qt::ControlModifier) ? kCtrl : 0u);
}

TMouseButton buttonOf(Qt::MouseButton b) {
  if (b == Qt::RightButton) return TMouseButton::Right;
  if (b == Qt::MiddleButton) return TMouseButton::Middle;
  return TMouseButton::Left;
}

constexpr int kCaretBlinkMs = 530;

}  // namespace

TermView::TermView(TCustomEmulVT& model, QWidget* parent)
    : QWidget(parent), model_(model), scrollBar_(new QScrollBar(Qt::Vertical, this)) {
  setFocusPolicy(Qt::StrongFocus);
  setAttribute(Qt::WA_OpaquePaintEvent);
  setAttribute(Qt::WA_InputMethodEnabled, false);
  setMouseTracking(false);
  scrollBar_->setRange(0, TCustomEmulVT::kScrollMax);
  scrollBar_->setPageStep(TCustomEmulVT::kScrollLargeChange);
  scrollBar_->setSingleStep(1);
  scrollBar_->setValue(TCustomEmulVT::kScrollMax);
  scrollBar_->setFocusPolicy(Qt::NoFocus);
  connect(scrollBar_, &QScrollBar::actionTriggered, this, [this](int action) { scrollAction(action); });
  caretBlink_.setInterval(kCaretBlinkMs);
  connect(&caretBlink_, &QTimer::timeout, this, [this] {
    caretBlinkOn_ = !caretBlinkOn_;
    if (caretVisible_) update(caretRect());
  });
  resize(TCustomEmulVT::kCreateWidth, TCustomEmulVT::kCreateHeight);
  model_.SetView(this);
}

TermView::~TermView() { model_.SetView(nullptr); }

QSize TermView::sizeHint() const {
  return {model_.Cols() * model_.CharWidth() + TCustomEmulVT::kScrollBarWidth,
          model_.Rows() * model_.LineHeight() + model_.TopMargin()};
}

// --- TEmulView ----------------------------------------------------------------------------------

void TermView::Invalidate(const TRect& r) { update(QRect(r.Left, r.Top, r.Width(), r.Height())); }
void TermView::InvalidateAll() { update(); }

void TermView::CreateCaret(int width, int height) {
  if (caretExists_) update(caretRect());
  caretExists_ = true;
  caretVisible_ = false;
  caretSize_ = QSize(width, height);
}

void TermView::DestroyCaret() {
  if (caretVisible_) update(caretRect());
  caretExists_ = caretVisible_ = false;
  caretBlink_.stop();
}

void TermView::ShowCaret() {
  if (!caretExists_ || caretVisible_) return;
  caretVisible_ = true;
  caretBlinkOn_ = true;
  caretBlink_.start();
  update(caretRect());
}

void TermView::HideCaret() {
  if (!caretVisible_) return;
  caretVisible_ = false;
  caretBlink_.stop();
  update(caretRect());
}

void TermView::SetCaretPos(int x, int y) {
  if (caretPos_ == QPoint(x, y)) return;
  if (caretVisible_) update(caretRect());
  caretPos_ = QPoint(x, y);
  caretBlinkOn_ = true;
  if (caretVisible_) update(caretRect());
}

QRect TermView::caretRect() const { return {caretPos_, caretSize_}; }

QFont TermView::qtFont(const TFont& f) {
  QFont font = f.Name == "Terminal" ? QFontDatabase::systemFont(QFontDatabase::FixedFont) : QFont(QString::fromStdString(f.Name));
  font.setPointSize(std::max(1, f.Size));
  font.setBold(f.Bold);
  font.setItalic(f.Italic);
  font.setUnderline(f.Underline);
  font.setFixedPitch(f.FixedPitch);
  font.setStyleHint(QFont::TypeWriter, QFont::PreferDefault);
  font.setKerning(false);
  return font;
}

TFontMetrics TermView::MeasureFont(const TFont& f) {
  font_ = qtFont(f);
  const QFontMetrics fm(font_);
  ascent_ = fm.ascent();
  const int pixelSize = QFontInfo(font_).pixelSize();
  return {fm.horizontalAdvance(QLatin1Char('M')), fm.height(), std::max(0, fm.height() - pixelSize)};
}

bool TermView::Focused() const { return hasFocus(); }
void TermView::SetFocus() { setFocus(Qt::OtherFocusReason); }

void TermView::SetScrollPosition(int position) {
  settingScroll_ = true;
  scrollBar_->setSliderPosition(position);
  scrollBar_->setValue(position);
  settingScroll_ = false;
}

int TermView::ClientWidth() const { return width(); }
int TermView::ClientHeight() const { return height(); }

void TermView::CaptureMouse(bool on, const TRect& area) {
  captured_ = on;
  captureArea_ = QRect(area.Left, area.Top, area.Width(), area.Height());
  if (on)
    grabMouse();
  else
    releaseMouse();
}

void TermView::DrawFocusRect(const TRect& r) {
  const QRect rect(r.Left, r.Top, r.Width(), r.Height());
  // Drawn and erased in pairs: the second call with the same rectangle erases it.
  if (dragShown_ && rect == dragRect_) {
    dragShown_ = false;
  } else {
    if (dragShown_) update(dragRect_.normalized().adjusted(-1, -1, 1, 1));
    dragShown_ = true;
    dragRect_ = rect;
  }
  update(rect.normalized().adjusted(-1, -1, 1, 1));
}

// --- Painting -----------------------------------------------------------------------------------

const std::array<QChar, 256>& TermView::glyphs() const {
  static const std::array<QChar, 256> oem = glyphTable(platform::cp437ToUnicode);
  static const std::array<QChar, 256> ansi = glyphTable(platform::cp1252ToUnicode);
  return model_.OemGlyphs() ? oem : ansi;
}

void TermView::paintRuns(QPainter& painter, const QRect& area) {
  const auto& table = glyphs();
  const TRect update{area.left(), area.top(), area.right() + 1, area.bottom() + 1};
  QString text;
  painter.setFont(font_);
  model_.PaintRuns(update, [&](const TTextRun& run) {
    const auto colours = model_.CellColors(run.Attr);
    const QRect cell(run.Cell.Left, run.Cell.Top, run.Cell.Width(), run.Cell.Height());
    painter.fillRect(cell, qcolor(colours.Back));
    // Runs of blanks need no text call.
    const bool blank = std::all_of(run.Chars, run.Chars + run.Count, [](std::uint8_t c) { return c == ' ' || c == 0; });
    if (blank) return;
    text.resize(run.Count);
    for (int i = 0; i < run.Count; ++i) text[i] = table[run.Chars[i]];
    painter.setPen(qcolor(colours.Fore));
    painter.setClipRect(cell);
    painter.drawText(cell.left(), cell.top() + ascent_, text);
    painter.setClipping(false);
  });
}

void TermView::paintEvent(QPaintEvent* event) {
  QPainter painter(this);
  const QRect area = event->rect();
  const QColor background = qcolor(model_.NormalBackground());
  painter.fillRect(area, background);  // what lies beyond the painted rows and columns
  const TRect update{area.left(), area.top(), area.right() + 1, area.bottom() + 1};
  const TRect band = model_.TopMarginBand(update);
  if (band.Width() > 0) painter.fillRect(QRect(band.Left, band.Top, band.Width(), band.Height()), background);
  paintRuns(painter, area);

  if (model_.HasSelection()) {
    const TRect& s = model_.SelectRect();
    painter.setBrush(Qt::NoBrush);
    painter.setPen(QPen(Qt::black, 1));
    painter.drawRect(QRect(s.Left, s.Top, s.Width() - 1, s.Height() - 1));
    painter.setPen(QPen(Qt::white, 1));
    painter.drawRect(QRect(s.Left - 1, s.Top - 1, s.Width() + 1, s.Height() + 1));
  }
  painter.setCompositionMode(QPainter::RasterOp_SourceXorDestination);
  if (dragShown_) {
    painter.setBrush(Qt::NoBrush);
    painter.setPen(QPen(Qt::white, 1, Qt::DotLine));
    const QRect d = dragRect_.normalized();
    painter.drawRect(d.adjusted(0, 0, -1, -1));
  }
  if (caretExists_ && caretVisible_ && caretBlinkOn_) painter.fillRect(caretRect(), Qt::white);
}

void TermView::resizeEvent(QResizeEvent*) {
  scrollBar_->setGeometry(width() - TCustomEmulVT::kScrollBarWidth, 0, TCustomEmulVT::kScrollBarWidth, height());
}

// --- Scroll bar ---------------------------------------------------------------------------------

void TermView::scrollAction(int action) {
  if (settingScroll_) return;
  TScrollCode code;
  switch (action) {
    case QAbstractSlider::SliderSingleStepSub: code = TScrollCode::LineUp; break;
    case QAbstractSlider::SliderSingleStepAdd: code = TScrollCode::LineDown; break;
    case QAbstractSlider::SliderPageStepSub: code = TScrollCode::PageUp; break;
    case QAbstractSlider::SliderPageStepAdd: code = TScrollCode::PageDown; break;
    case QAbstractSlider::SliderMove: code = TScrollCode::ThumbTrack; break;
    case QAbstractSlider::SliderToMinimum:
    case QAbstractSlider::SliderToMaximum: code = TScrollCode::ThumbPosition; break;
    default: return;
  }
  model_.HistoryScroll(code, scrollBar_->sliderPosition());
}

// --- Keyboard and mouse -------------------------------------------------------------------------

void TermView::keyPressEvent(QKeyEvent* event) {
  const Qt::KeyboardModifiers mods = event->modifiers();
  const KeyMapping map = mapQtKey(event->key(), (mods & Qt::KeypadModifier) != 0);
  TKeyStroke key;
  key.VirtualKey = map.virtualKey;
  key.ScanCode = map.scanCode;
  key.Extended = map.extended;
  key.Shift = shiftOf(mods);
  if (event->key() == Qt::Key_Dead_Diaeresis) key.Shift |= kShift;
  if (event->key() == Qt::Key_Dead_Circumflex) key.Shift &= ~kShift;
  key.CapsLock = (event->nativeModifiers() & 0x2) != 0;  // X11 Lock mask
  key.SystemKey = (mods & Qt::AltModifier) != 0;
  const TKeyResult result = model_.KeyDown(key);
  if (result == TKeyResult::NotHandled) {
    const std::string bytes = platform::utf8ToCp1252(event->text().toStdString());
    for (const char c : bytes) model_.TypeChar(c);
  }
  event->accept();
}

bool TermView::focusNextPrevChild(bool) { return false; }  // Tab belongs to the host

void TermView::focusInEvent(QFocusEvent*) { model_.FocusGained(); }
void TermView::focusOutEvent(QFocusEvent*) { model_.FocusLost(); }

void TermView::mousePressEvent(QMouseEvent* event) {
  const QPoint p = event->position().toPoint();
  model_.MouseDown(buttonOf(event->button()), shiftOf(event->modifiers()), p.x(), p.y());
}

void TermView::mouseMoveEvent(QMouseEvent* event) {
  QPoint p = event->position().toPoint();
  if (captured_ && captureArea_.isValid()) {
    p.setX(std::clamp(p.x(), captureArea_.left(), captureArea_.right()));
    p.setY(std::clamp(p.y(), captureArea_.top(), captureArea_.bottom()));
  }
  model_.MouseMove(shiftOf(event->modifiers()), p.x(), p.y());
}

void TermView::mouseReleaseEvent(QMouseEvent* event) {
  const QPoint p = event->position().toPoint();
  model_.MouseUp(buttonOf(event->button()), shiftOf(event->modifiers()), p.x(), p.y());
  if (event->button() == Qt::LeftButton && rect().contains(p)) model_.Click();
}

// The wheel moves the history scroll bar, which reports it like a dragged thumb.
void TermView::wheelEvent(QWheelEvent* event) { QCoreApplication::sendEvent(scrollBar_, event); }

}  // namespace ondrix::term::view
