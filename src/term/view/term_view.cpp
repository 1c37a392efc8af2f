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
constexpr int kMaxPendingRects = 64;

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
    if (caretVisible_) requestPaint(caretRect());
  });
  frameTimer_.setSingleShot(true);
  connect(&frameTimer_, &QTimer::timeout, this, [this] { startFrame(); });
  resize(TCustomEmulVT::kCreateWidth, TCustomEmulVT::kCreateHeight);
  model_.SetView(this);
}

TermView::~TermView() { model_.SetView(nullptr); }

QSize TermView::sizeHint() const {
  return {model_.Cols() * model_.CharWidth() + TCustomEmulVT::kScrollBarWidth,
          model_.Rows() * model_.LineHeight() + model_.TopMargin()};
}

// --- TEmulView ----------------------------------------------------------------------------------

// The model's rectangles start below the font's internal leading, while rows are painted from
// row x LineHeight: the request reaches up to the top of its first row.
void TermView::Invalidate(const TRect& r) {
  const int leading = model_.TopMargin();
  requestPaint(QRect(r.Left, r.Top - leading, r.Width(), r.Height() + leading));
}
void TermView::InvalidateAll() { requestPaint(rect()); }

void TermView::requestPaint(const QRect& r) {
  pending_ += r;
  // A frame's worth of scattered changes is painted as one rectangle rather than kept as an
  // ever longer list (each union costs as much as the list is long).
  if (pending_.rectCount() > kMaxPendingRects) pending_ = pending_.boundingRect();
  if (frameTimer_.isActive()) return;
  const qint64 since = sinceFrame_.isValid() ? sinceFrame_.elapsed() : kFrameMs;
  if (since >= kFrameMs)
    startFrame();
  else
    frameTimer_.start(static_cast<int>(kFrameMs - since));
}

void TermView::startFrame() {
  update(pending_);
  pending_ = QRegion();
  sinceFrame_.start();
}

void TermView::CreateCaret(int width, int height) {
  if (caretExists_) requestPaint(caretRect());
  caretExists_ = true;
  caretVisible_ = false;
  caretSize_ = QSize(width, height);
}

void TermView::DestroyCaret() {
  if (caretVisible_) requestPaint(caretRect());
  caretExists_ = caretVisible_ = false;
  caretBlink_.stop();
}

void TermView::ShowCaret() {
  if (!caretExists_ || caretVisible_) return;
  caretVisible_ = true;
  caretBlinkOn_ = true;
  caretBlink_.start();
  requestPaint(caretRect());
}

void TermView::HideCaret() {
  if (!caretVisible_) return;
  caretVisible_ = false;
  caretBlink_.stop();
  requestPaint(caretRect());
}

void TermView::SetCaretPos(int x, int y) {
  if (caretPos_ == QPoint(x, y)) return;
  if (caretVisible_) requestPaint(caretRect());
  caretPos_ = QPoint(x, y);
  caretBlinkOn_ = true;
  if (caretVisible_) requestPaint(caretRect());
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
    if (dragShown_) requestPaint(dragRect_.normalized().adjusted(-1, -1, 1, 1));
    dragShown_ = true;
    dragRect_ = rect;
  }
  requestPaint(rect.normalized().adjusted(-1, -1, 1, 1));
}

// --- Painting -----------------------------------------------------------------------------------

// Runs are gathered a row at a time: a row's backgrounds go before its glyphs. One cell more on
// either side is painted (clipped to the area) for the glyphs that reach into the area from there.
void TermView::paintRuns(QPainter& painter, const QRect& area) {
  const int cw = model_.CharWidth();
  cells_.prepare(font_, QSize(cw, model_.LineHeight()), ascent_, model_.OemGlyphs());
  const TRect update{area.left() - cw, area.top(), area.right() + 1 + cw, area.bottom() + 1};
  row_.clear();
  model_.PaintRuns(update, [&](const TTextRun& run) {
    if (!row_.empty() && row_.front().Row != run.Row) {
      cells_.paintRow(painter, row_, model_);
      row_.clear();
    }
    row_.push_back(run);
  });
  cells_.paintRow(painter, row_, model_);
}

void TermView::paintEvent(QPaintEvent* event) {
  QPainter painter(this);
  const QRect area = event->rect();
  const QColor background = qcolor(model_.NormalBackground());
  // What lies beyond the painted rows and columns (the runs cover the rest).
  const QRect grid(0, 0, TCustomEmulVT::kPaintCols * model_.CharWidth(), TCustomEmulVT::kPaintRows * model_.LineHeight());
  for (const QRect& beyond : QRegion(area) - grid) painter.fillRect(beyond, background);
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
